#pragma once
// The motion the README's before-and-after picture shows: a short taught motion in which some
// axes were dragged on their sliders (one position a step, as a recording keeps them) and some
// were typed into their boxes, so that they jump. "After" is the same motion with each typed
// gesture made a timed move by the core's planner, exactly as the editor would insert it.

#include "core/edit/timed_spans.h"

#include <vector>

namespace plots {

struct Gesture {
    timing::Pose target{};
    bool typed = false; // typed into the boxes: each axis it changes jumps; else dragged
};

struct Motion {
    std::vector<Step> records;           // record 1 the unplayed placeholder, as files have it
    std::vector<edits::TimedSpan> timed; // where the timed moves are, for the picture's bands
};

// The taught gestures, from the pose the pass starts in: the base jumping by 100 while the grip
// jumps by 5, the shoulder and the elbow typed together, the base swung across with the wrist.
std::vector<Gesture> taughtGestures(const timing::Pose &start);

// The motion as taught: dragged axes walk, typed axes jump.
Motion asTaught(const std::vector<Gesture> &gestures, const timing::Pose &start);

// The same motion with every typed gesture a timed move of `seconds` along `ease`. Empty records
// and `error` set when the planner refuses one.
struct Retaught {
    Motion motion;
    QString error;
};
Retaught withTimedMoves(const std::vector<Gesture> &gestures, const timing::Pose &start,
                        const arm::Profile &profile, moves::Ease ease, double seconds);

} // namespace plots
