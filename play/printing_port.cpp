#include "play/printing_port.h"

#include "core/process/event_wait.h"

namespace play {

PrintingPort::~PrintingPort()
{
    std::fflush(m_out);
}

int PrintingPort::open(int)
{
    m_open = true;
    return 0;
}

void PrintingPort::close()
{
    m_open = false;
    std::fflush(m_out);
}

void PrintingPort::waitForLine(int)
{
    events::runPending();
}

void PrintingPort::send(const QByteArray &bytes)
{
    // The simulator's rule: a "B" written alone, between whole frames, is the probe.
    const bool probe = bytes == QByteArrayLiteral("B") &&
                       m_decoder.frames() * frame::size + m_decoder.badBytes() == m_written;
    m_written += bytes.size();
    const auto line = [this](const QString &text) {
        std::fputs(text.toUtf8().constData(), m_out);
        std::fputc('\n', m_out);
    };
    m_decoder.feed(
        bytes, [&](const frame::Frame &f) { line(frame::describe(f)); },
        [&](unsigned char b) { line(frame::describeSkipped(b, probe)); });
    // Nobody reads any more (| head has had its lines): the play ends as on a line that went
    // away, instead of printing into nowhere for ever with --loops 0.
    if (std::ferror(m_out)) {
        m_open = false;
        Q_EMIT lost();
    }
}

} // namespace play
