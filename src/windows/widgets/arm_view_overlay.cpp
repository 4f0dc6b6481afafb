#include "windows/widgets/arm_view_overlay.h"

#include <QPainter>
#include <QPolygonF>

namespace armview {

namespace {

// Apart from every segment's colour, so that the line never reads as part of the arm.
const QColor pathColour(200, 30, 60);

} // namespace

void drawOverlayLine(QPainter &p, const PathOverlay &overlay, const Placed &placed)
{
    if (overlay.points.size() < 2)
        return;
    QPolygonF line;
    line.reserve(qsizetype(overlay.points.size()));
    for (const arm::Reach &r : overlay.points)
        line << placed(r);
    // Cosmetic: as thin at a small picture as at a large one.
    QPen pen(pathColour, 1.5);
    pen.setCosmetic(true);
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawPolyline(line);
    p.restore();
}

void drawOverlayMark(QPainter &p, const PathOverlay &overlay, const Placed &placed)
{
    if (!overlay.marked)
        return;
    QPen pen(pathColour, 2);
    pen.setCosmetic(true);
    p.save();
    p.setPen(pen);
    p.setBrush(Qt::white);
    p.drawEllipse(placed(*overlay.marked), 4.5, 4.5);
    p.restore();
}

} // namespace armview
