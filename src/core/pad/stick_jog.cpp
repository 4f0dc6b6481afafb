#include "core/pad/stick_jog.h"

#include "core/link/frame.h"
#include "core/link/line_clock.h"

#include <algorithm>
#include <cmath>

namespace pad {

namespace {

bool isTrigger(Stick s) { return s == Stick::LeftTrigger || s == Stick::RightTrigger; }

} // namespace

double share(Stick s, int deflection)
{
    const double zone = isTrigger(s) ? triggerDeadZone : stickDeadZone;
    const double past = std::abs(deflection) - zone;
    if (past <= 0)
        return 0;
    const double x = std::min(1.0, past / (32767 - zone));
    return std::copysign(x * x, deflection);
}

bool resting(const State &state)
{
    for (int i = 0; i < stickCount; ++i)
        if (share(static_cast<Stick>(i), state.sticks[i]) != 0)
            return false;
    return true;
}

int AxisJog::advance(double share, Clock::time_point now, double fastest)
{
    const int direction = share > 0 ? 1 : share < 0 ? -1 : 0;
    if (direction != m_direction) {
        // At rest, or pushed the other way: a new jog, whose first position is at once.
        m_direction = direction;
        m_owed = 0;
        m_last = now;
        return direction;
    }
    if (direction == 0)
        return 0;
    const double seconds = std::chrono::duration<double>(now - m_last).count();
    m_last = now;
    m_owed = std::min(m_owed + std::abs(share) * fastest * std::max(0.0, seconds),
                      double(maxBurst));
    const int whole = int(m_owed);
    m_owed -= whole;
    return direction * whole;
}

Jogger::Jogger(std::span<const Drive> drives, double fastest)
    : m_drives(drives), m_jogs(drives.size()), m_fastest(fastest)
{
}

std::vector<Jogger::Move> Jogger::advance(const State &state, Clock::time_point now)
{
    std::vector<Move> moves;
    for (std::size_t i = 0; i < m_drives.size(); ++i) {
        const Drive &d = m_drives[i];
        const int by = d.sign * m_jogs[i].advance(share(d.stick, state.stick(d.stick)), now,
                                                  m_fastest);
        if (by == 0)
            continue;
        const auto same = std::ranges::find(moves, d.channel, &Move::channel);
        if (same == moves.end())
            moves.push_back({d.channel, by});
        else
            same->by += by;
    }
    std::erase_if(moves, [](const Move &m) { return m.by == 0; });
    return moves;
}

double framesPerSecond()
{
    return 1.0 / std::chrono::duration<double>(LineClock::bytesTime(frame::size)).count();
}

} // namespace pad
