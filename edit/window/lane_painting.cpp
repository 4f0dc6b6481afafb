#include "edit/window/lane_painting.h"

#include "core/edit/lane_columns.h"
#include "core/edit/span_columns.h"
#include "core/motion/axes.h"
#include "edit/window/lane_colours.h"

#include <QPainter>
#include <QPalette>
#include <QPolygonF>
#include <algorithm>

namespace lanes {

namespace {

// Position p is drawn at plot.bottom() - p * plot.height() / 255.
double yOf(const QRectF &plot, double position)
{
    return plot.bottom() - position * plot.height() / 255;
}

void paintLimits(QPainter &p, const QPalette &palette, const arm::Joint &joint, const QRectF &plot)
{
    // Faint, so that the positions drawn over the band stay the lane's own colour.
    QColor shade = palette.text().color();
    shade.setAlpha(28);
    // The band runs half a position past the last position it holds, so that min and max
    // themselves stay clear.
    if (joint.min > axes::lowest)
        p.fillRect(QRectF(QPointF(plot.left(), yOf(plot, joint.min - 0.5)), plot.bottomRight()),
                   shade);
    if (joint.max < axes::highest)
        p.fillRect(QRectF(plot.topLeft(), QPointF(plot.right(), yOf(plot, joint.max + 0.5))),
                   shade);
}

} // namespace

void paintLanes(QPainter &p, const QPalette &palette, const timeline::LaneColumns &columns,
                const arm::Profile &profile, const std::function<QRectF(int)> &lane, int width)
{
    for (int a = 0; a <= axes::count; ++a) {
        const QRectF r = lane(a);
        p.setPen(palette.mid().color());
        p.drawLine(QPointF(0, r.bottom()), QPointF(width, r.bottom()));
        const QRectF plot = r.adjusted(0, 3, 0, -3);
        const auto column = [&](int c, double y0, double y1) {
            p.drawLine(QPointF(plot.left() + c + 0.5, y0), QPointF(plot.left() + c + 0.5, y1));
        };
        if (a == axes::count) {
            p.setPen(QPen(colour(a), 1));
            for (const auto &[c, position] : columns.others())
                column(c, plot.bottom(), yOf(plot, position));
            continue;
        }
        paintLimits(p, palette, profile.joints[size_t(a)], plot);
        p.setPen(QPen(colour(a), 1));
        for (int c = 0; c < columns.width(); ++c)
            if (columns.high(c, a) >= 0)
                column(c, yOf(plot, columns.low(c, a)), yOf(plot, columns.high(c, a)));
    }
}

void paintSpanBands(QPainter &p, const std::vector<timeline::SpanDrawing> &spans,
                    const std::function<QRectF(int)> &lane)
{
    const QRectF first = lane(0), last = lane(axes::count);
    const QRectF all(first.topLeft(), last.bottomRight());
    QColor band = spanColour(), edge = spanColour();
    band.setAlpha(40);
    edge.setAlpha(110);
    for (const timeline::SpanDrawing &s : spans) {
        // At least a pixel wide, and kept to the plot: zoomed in, a span's ends lie far out.
        const double x0 = std::max(all.left() + s.from, all.left() - 1);
        const double x1 = std::min(std::max(all.left() + s.to, x0 + 1), all.right() + 1);
        p.fillRect(QRectF(x0, all.top(), x1 - x0, all.height()), band);
        p.setPen(QPen(edge, 1));
        for (const double x : {all.left() + s.from, all.left() + s.to})
            if (x >= all.left() && x <= all.right())
                p.drawLine(QPointF(x, all.top()), QPointF(x, all.bottom()));
        // In the lane of the other channels, which a timed move leaves empty.
        const QRectF text(std::max(x0, all.left()) + 3, last.top() + 1, x1 - x0 - 6,
                          last.height() - 2);
        if (p.fontMetrics().horizontalAdvance(s.label) <= text.width()) {
            p.setPen(spanColour().darker(170));
            p.drawText(text, Qt::AlignLeft | Qt::AlignTop, s.label);
        }
    }
}

void paintSpanPaths(QPainter &p, const QPalette &palette,
                    const std::vector<timeline::SpanDrawing> &spans,
                    const std::function<QRectF(int)> &lane)
{
    QColor ink = palette.text().color();
    ink.setAlpha(190);
    p.save();
    p.setRenderHint(QPainter::Antialiasing);
    p.setPen(QPen(ink, 1));
    for (const timeline::SpanDrawing &s : spans) {
        for (const timeline::PathCurve &curve : s.curves) {
            const QRectF plot = lane(curve.axis).adjusted(0, 3, 0, -3);
            QPolygonF line;
            for (const auto &[column, position] : curve.points)
                line << QPointF(plot.left() + column, yOf(plot, position));
            p.drawPolyline(line);
        }
    }
    p.restore();
}

} // namespace lanes
