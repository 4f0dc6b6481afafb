#pragma once
// How the timeline's lanes are painted, apart from the view that keeps the zoom, the pointer
// and the selection: each axis's lane shows, per pixel column, the span of positions the axis
// took there over a faint band where its limits shut positions out; the last lane shows the
// steps on other channels. Each timed move is a faint band across the lanes with its eased path
// drawn thin over the positions of the axes it moves.

#include "core/arm/profile.h"

#include <QRectF>
#include <functional>
#include <vector>

class QPainter;
class QPalette;
namespace timeline {
class LaneColumns;
struct SpanDrawing;
} // namespace timeline

namespace lanes {

// `lane(a)` is lane a's rectangle over the plot, whose first column is at its left edge; the
// rule under each lane runs the whole `width`.
void paintLanes(QPainter &p, const QPalette &palette, const timeline::LaneColumns &columns,
                const arm::Profile &profile, const std::function<QRectF(int)> &lane, int width);

// The timed moves' bands, behind the positions, with their labels where they fit.
void paintSpanBands(QPainter &p, const std::vector<timeline::SpanDrawing> &spans,
                    const std::function<QRectF(int)> &lane);
// Their eased paths, over the positions.
void paintSpanPaths(QPainter &p, const QPalette &palette,
                    const std::vector<timeline::SpanDrawing> &spans,
                    const std::function<QRectF(int)> &lane);

} // namespace lanes
