#pragma once
// What the preview draws of a timed move while it plays: the way the tool point goes along the
// move's eased path, by the arm's model, and where the path has it at the moment shown. The arm
// itself keeps showing the pose the steps have sent, so the line is what the steps follow.

#include "core/arm/kinematics.h"
#include "core/edit/timed_spans.h"

#include <optional>
#include <vector>

class MotionDocument;

namespace preview {

// Enough for a smooth line at the preview's size; each is one pass through the model.
inline constexpr int toolPathSamples = 40;

struct ToolPath {
    std::vector<arm::Reach> points; // along the path, from its start to its end
    std::optional<arm::Reach> now;  // where the path has the arm at the byte shown
    bool empty() const { return points.empty() && !now; }
};

// `samples` poses spread evenly over the path's time, through the model (at least both ends).
std::vector<arm::Reach> toolPoints(const arm::Profile &profile, const moves::Path &path,
                                   int samples = toolPathSamples);

// The timed span whose records are on the line at `byte` of the first pass, or none.
const edits::TimedSpan *spanPlayingAt(const MotionDocument &d, double byte);

// The tool point's path of the timed move playing at `byte`, and where it stands then; empty
// outside every timed span.
ToolPath toolPathAt(const MotionDocument &d, const arm::Profile &profile, double byte);

// Where the whole motion takes the tool point: one point per record, where the pose after that
// record puts it (record 1 is never played, so its point is the pass's start). The poses are the
// first pass's own, so the line drawn is the one the line's bytes make. None for no records.
std::vector<arm::Point> motionToolPath(const MotionDocument &d, const arm::Profile &profile);

} // namespace preview
