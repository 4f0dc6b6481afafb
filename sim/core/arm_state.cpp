#include "sim/core/arm_state.h"

#include "core/motion/axes.h"

namespace sim {

QString describe(const Event &event)
{
    if (event.kind == Event::Frame)
        return frame::describe(frame::Frame{event.channel, event.position});
    return frame::describeSkipped(static_cast<unsigned char>(event.byte),
                                  event.kind == Event::Probe);
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
            m_probes += loneB ? 1 : 0;
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
