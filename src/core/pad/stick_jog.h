#pragma once
// A stick held over, turned into positions of an axis. Inside the dead zone a stick is at rest:
// a pad's sticks seldom come back to exactly 0, and a resting pad must not creep. Past it the
// speed grows with the square of the deflection, so the first millimetres of travel give the
// slow, fine moves a teacher needs and a full push gives the fastest. Leaving the dead zone
// moves the axis one position at once, as an arrow click would, so a tap is one position and
// the arm answers within one reading of the pad.

#include "core/pad/pad_map.h"

#include <chrono>
#include <span>
#include <vector>

namespace pad {

using Clock = std::chrono::steady_clock;

// Of 32767. Sticks rest up to a few thousand off centre; triggers rest at 0 exactly.
inline constexpr int stickDeadZone = 8000;
inline constexpr int triggerDeadZone = 2000;

// How hard `s` is pushed, from -1 to 1 (0 inside its dead zone), on the curve that sets the
// speed.
double share(Stick s, int deflection);
// No stick out of its dead zone, no trigger pulled.
bool resting(const State &state);

// One axis, jogged at up to `fastest` positions a second.
class AxisJog {
public:
    // How far the axis moves at `now` for a stick read `share` (from share()): -1, 0 or 1 as a
    // rule; after a late reading, up to `maxBurst` positions, never more, so that a stalled
    // window does not make the arm jump.
    int advance(double share, Clock::time_point now, double fastest);
    bool moving() const { return m_direction != 0; }

    static constexpr int maxBurst = 2;

private:
    int m_direction = 0;
    double m_owed = 0;
    Clock::time_point m_last{};
};

// Every drive of a table at once.
class Jogger {
public:
    struct Move {
        int channel;
        int by; // positions, signed
    };

    explicit Jogger(std::span<const Drive> drives, double fastest);

    // The moves the pad asks for at `now`, one a channel at most (two drives of one axis, the
    // triggers, add up), in the table's order.
    std::vector<Move> advance(const State &state, Clock::time_point now);

private:
    std::span<const Drive> m_drives;
    std::vector<AxisJog> m_jogs;
    double m_fastest;
};

// The line's pace: one position a frame, the fastest a dragged thumb can go.
double framesPerSecond();

} // namespace pad
