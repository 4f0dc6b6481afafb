#pragma once
// A path of positions over time, turned into the steps that put it on the line. A step that
// changes its axis takes 8 bytes (1/120 s: the step, then the axis's box writing it again), one
// that does not 4 (1/240 s), so the time of every step is known exactly as the pass timing
// counts it, and each step sends what the path says at that time.
//
// At each step the axes that lag the path by a whole position or more are candidates; the one
// that has lagged longest is sent to where the path has it now (rounded half to even), ties going
// to the one that lags by more positions. Longest first rather than farthest first: a fast axis
// lags by several positions again one step after it was sent, and farthest first would starve a
// slow one. With longest first every lagging axis is sent within one round of the moving axes'
// steps, so at every step each axis stands within one position, plus what its path moves in a
// round, of where the path has it. When no axis lags by a whole position the step is a hold: it
// repeats a position, moves nothing and lets a quarter of a frame's time pass.
//
// The steps go on until the path's end and then until every axis stands at the end pose, which
// takes at most one round.

#include "core/edit/pass_timing.h"

#include <functional>
#include <vector>

namespace moves {

// Where the path has `channel` at `seconds` from its start.
using PathAt = std::function<double(int channel, double seconds)>;

// `from`: where the axes stand when the steps begin; `to`: where the path ends, reached by
// `seconds`. Only the axes whose path leaves `from` are ever sent; a hold repeats the last axis
// sent, or before any, the first axis that will move (the grip when none does).
std::vector<Step> pathSteps(const timing::Pose &from, const timing::Pose &to, double seconds,
                            const PathAt &at);

// The pose and time of each step of `steps` played from `from`: what the pass timing says,
// relative to the first step's first byte. For tests and the benchmark.
struct StepTime {
    double seconds = 0;
    timing::Pose before{};
};
std::vector<StepTime> stepTimes(const std::vector<Step> &steps, const timing::Pose &from);

} // namespace moves
