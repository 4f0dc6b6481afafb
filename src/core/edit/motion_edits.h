#pragma once
// The edits a motion can take, as pure functions: each takes the records and returns the new
// ones, so that an undo command only has to keep the records before and after. records[i] is
// the movement file's record i + 1; record 1 is never played, so an edit that must not change
// what a pass plays leaves it where it is.

#include "core/edit/pass_timing.h"
#include "core/motion/step_buffer.h"

#include <vector>

namespace edits {

struct Range {
    int first = 0; // index into the records
    int count = 0;
};
// Every function clips its range (and its `at`) to the records it is given, so a stale
// selection cannot reach past the end.

std::vector<Step> removed(const std::vector<Step> &r, Range range);
std::vector<Step> inserted(const std::vector<Step> &r, int at, const std::vector<Step> &clip);
std::vector<Step> duplicated(const std::vector<Step> &r, Range range); // the copy right after
std::vector<Step> reversed(const std::vector<Step> &r, Range range);

// The positions of the steps of `channel` inside range, clamped to 0..255 (a scaled position
// is rounded half to even first).
std::vector<Step> positionsSet(const std::vector<Step> &r, Range range, int channel, int value);
std::vector<Step> positionsOffset(const std::vector<Step> &r, Range range, int channel, int delta);
// p' = pivot + (p - pivot) * factor
std::vector<Step> positionsScaled(const std::vector<Step> &r, Range range, int channel,
                                  double factor, int pivot);

// A hold repeats the position its axis already stands at, which moves nothing: 4 bytes, 1/240 s.
// round(seconds * 240), never below 0; at most an hour's worth in one edit (864000), so that a
// mistyped duration cannot exhaust memory.
int holdsFor(double seconds);

// `count` holds before index `at`: the step before it repeated. Before the first played record
// (at <= 1) there is no played step before it, so the hold is the first played step's axis at
// the position the pass starts from (`start`); a motion with no played step takes the grip
// axis, the first one homing walks. A hold before index 0 or 1 goes in at index 1, after the
// unplayed record 1.
std::vector<Step> holdInserted(const std::vector<Step> &r, int at, int count,
                               const timing::Pose &start);

// Slows a range down by `factor` (>= 1; below 1 changes nothing) with holds after its steps so
// that its bytes grow by that factor, the rounding carried from step to step so the total is
// right. Record 1, when it is in the range, is not played and takes no holds.
std::vector<Step> slowed(const std::vector<Step> &r, Range range, double factor,
                         const timing::Pose &start);

// Rates: a step of one position takes 8 bytes (1/120 s); k holds after each position give
// 240 / (2 + k) positions a second.
// The k whose rate is nearest (a tie goes to the faster): 0 from 120 up (and for no number),
// and at most 2398, which makes 0.1 positions a second, the slowest move made.
int holdsForRate(double positionsPerSecond);
double rateOf(int holdsPerPosition); // 240.0 / (2 + k)

// Homing's order (grip first, base last), either each axis all the way in turn or each axis
// taking one position in turn until all are there.
enum class PoseOrder { AxisAfterAxis, Interleaved };

// A move from `from` (the pose before index `at`) to `target`, one position a step with k holds
// after each position, inserted before index `at` (at 0 or 1 goes in after record 1). Target
// positions are clamped to 0..255.
std::vector<Step> poseMoveInserted(const std::vector<Step> &r, int at, const timing::Pose &from,
                                   const timing::Pose &target, PoseOrder order,
                                   int holdsPerPosition);

// Every jump of more than `maxJump` positions inside range becomes a walk of one position a
// step (k holds after each), ending at the jump's target. A jump is measured from where the
// step's axis stands when the pass reaches it.
std::vector<Step> smoothed(const std::vector<Step> &r, Range range, int maxJump,
                           int holdsPerPosition, const timing::Pose &start);

// The pose after index `index` has played (before index 0 or 1: `start`); for callers that
// take a pose from a step.
timing::Pose poseAfter(const std::vector<Step> &r, int index, const timing::Pose &start);

} // namespace edits
