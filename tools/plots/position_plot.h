#pragma once
// Positions over time, one line per axis, as the first replay pass puts them on the line: each
// line steps where the pass timing says the step's first byte leaves, so the picture's time is
// the timeline's and kestrel-play's. The timed moves are shaded, as the timeline bands them.

#include "taught_motion.h"

#include <QImage>
#include <QString>

namespace plots {

struct Panel {
    QString title;
    Motion motion;
};

// The panels one above the other on a common time axis, long enough for the longest, with the
// axes' legend at the foot.
QImage positionsOverTime(const std::vector<Panel> &panels, const timing::Pose &start);

} // namespace plots
