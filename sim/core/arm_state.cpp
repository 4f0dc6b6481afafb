#include "sim/core/arm_state.h"

#include "core/motion/axes.h"

namespace sim {

double angleOf(int position)
{
    return (position - axes::centre) * 180.0 / 255.0;
}

QString channelName(int channel)
{
    if (channel >= 0 && channel < axes::count)
        return QString::fromLatin1(axes::all[channel].name);
    return QStringLiteral("channel %1").arg(channel);
}

QString describe(const Event &event)
{
    const auto hex = [](int byte) {
        return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
    };
    switch (event.kind) {
    case Event::Junk:
        return QStringLiteral("junk ") + hex(event.byte);
    case Event::Probe:
        return QStringLiteral("probe ") + hex(event.byte);
    case Event::Frame:
        break;
    }
    return QStringLiteral("FF %1 %2 0D %3 %4")
        .arg(hex(event.channel), hex(event.position), channelName(event.channel))
        .arg(event.position);
}

QString logLine(const Event &event)
{
    return QString::number(event.ms / 1000.0, 'f', 3) + QLatin1Char(' ') + describe(event);
}

ArmState::ArmState()
{
    m_positions.fill(axes::centre);
}

std::deque<Event> ArmState::feed(const QByteArray &bytes, qint64 ms, bool moreWaiting)
{
    // Bytes of a frame begun earlier are still inside the decoder; a "B" after them is part of
    // that frame's trouble, not a probe.
    const qint64 pendingBefore = m_fed - frame::size * m_decoder.frames() - m_decoder.badBytes();
    const bool loneB = bytes == QByteArrayLiteral("B") && pendingBefore == 0 && !moreWaiting;
    m_fed += bytes.size();

    std::deque<Event> made;
    m_decoder.feed(
        bytes,
        [&](const frame::Frame &f) {
            Event e{Event::Frame, ms, f.channel, f.position, 0};
            if (f.channel >= 0 && f.channel < channels) {
                m_positions[f.channel] = f.position;
                m_heard[f.channel] = true;
            }
            m_frameTimes.push_back(ms);
            made.push_back(e);
        },
        [&](unsigned char b) {
            made.push_back(Event{loneB ? Event::Probe : Event::Junk, ms, 0, 0, b});
        });

    while (!m_frameTimes.empty() && m_frameTimes.front() <= ms - 1000)
        m_frameTimes.pop_front();
    for (const Event &e : made)
        remember(e);
    return made;
}

int ArmState::framesPerSecond(qint64 nowMs) const
{
    int n = 0;
    for (auto it = m_frameTimes.rbegin(); it != m_frameTimes.rend() && *it > nowMs - 1000; ++it)
        ++n;
    return n;
}

void ArmState::remember(const Event &event)
{
    m_recent.push_back(event);
    while (m_recent.size() > recentCapacity)
        m_recent.pop_front();
}

} // namespace sim
