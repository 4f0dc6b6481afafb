#include "support/fake_port.h"

FakePort::FakePort() = default;

int FakePort::open(int number)
{
    openedNumbers << number;
    m_open = openResult == 0;
    return openResult;
}

void FakePort::close()
{
    if (m_open)
        ++closes;
    m_open = false;
}

QByteArray FakePort::readAfter(int)
{
    return m_open ? probeAnswer : QByteArray();
}

void FakePort::disappear()
{
    m_open = false;
    Q_EMIT lost();
}

void FakePort::onFrame(int frames, std::function<void()> what)
{
    m_triggerAt = m_framesSent + frames;
    m_trigger = std::move(what);
}

void FakePort::atWait(int n, std::function<void()> what)
{
    m_atWait.insert(m_waits + n, std::move(what));
}

void FakePort::waitForLine(int)
{
    const int at = m_waits++;
    if (const auto what = m_atWait.take(at))
        what();
}

void FakePort::send(const QByteArray &bytes)
{
    written += bytes;
    if (bytes.size() == frame::size)
        ++m_framesSent;
    if (m_trigger && m_framesSent > m_triggerAt) {
        auto what = std::move(m_trigger);
        m_trigger = nullptr;
        what();
    }
}

QList<frame::Frame> FakePort::frames(bool *ok) const
{
    QByteArray bytes = written;
    // The probe is the only byte that is not part of a frame.
    if (bytes.startsWith('B'))
        bytes.remove(0, 1);
    QList<frame::Frame> out;
    frame::Decoder decoder;
    decoder.feed(
        bytes, [&](const frame::Frame &f) { out << f; }, [](unsigned char) {});
    if (ok)
        *ok = decoder.badBytes() == 0 && bytes.size() == out.size() * frame::size;
    return out;
}
