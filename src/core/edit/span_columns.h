#pragma once
// What the timeline draws of the timed moves, worked out without a widget: each span in view as a
// band across the bytes its records take, a label with its ease and time, and in each moving
// axis's lane the eased path itself, sampled at the columns, so that the steps can be seen to
// follow it. Only the spans in view are worked out, and each only over its columns in view, so a
// long motion with many spans costs in proportion to the width.

#include "core/edit/lane_columns.h"
#include "core/edit/timed_spans.h"

#include <QString>
#include <vector>

namespace timeline {

// The bytes of the pass a span's records take: from the first byte of its first record to the
// last byte of its last.
Span spanBytes(const MotionDocument &d, const edits::TimedSpan &span);

// "smooth 1.20 s": the ease and the time the move was planned to take.
QString spanLabel(const moves::Path &path);

// Where one axis's eased path is drawn: (column, position) points in order, a column's middle at
// c + 0.5 as LaneColumns has it, the span's ends where they fall when they are in view.
struct PathCurve {
    int axis = 0;
    std::vector<std::pair<double, double>> points;
};

struct SpanDrawing {
    double from = 0, to = 0; // the band's ends, in columns (either may lie out of view)
    QString label;
    std::vector<PathCurve> curves; // one per axis the move moves
};

// The timed spans that fall in the view, in order.
std::vector<SpanDrawing> spansInView(const MotionDocument &d, const Scale &scale);

} // namespace timeline
