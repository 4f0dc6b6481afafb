#include "pad_drawing.h"
#include "pad_shape.h"

#include <QFontMetricsF>
#include <QPainter>

#include <algorithm>
#include <cmath>

namespace shots {

namespace {

using pad::Button;
using pad::Stick;

const QColor background(247, 247, 244);
const QColor ink(20, 20, 20);
const QColor quiet(75, 75, 75);
const QColor leader(130, 130, 130);

constexpr double columnGap = 10;
constexpr double labelGap = 3;
constexpr double nameLine = 9.5;
constexpr double actionLine = 11;

// Where a label stands: in the column on the pad's side of its part, or, for the buttons in
// the pad's middle (Back, Start), above the pad, where no leader line crosses another part.
enum class Side { Left, Right, Top };

Side sideOf(const PadPart &part, const Shape &shape)
{
    const auto *b = std::get_if<Button>(&part);
    if (b && (*b == Button::Back || *b == Button::Start || *b == Button::Guide))
        return Side::Top;
    return shape.centre.x() < padLeft + padWidth / 2 ? Side::Left : Side::Right;
}

struct Placed {
    const PadLabel *label;
    Shape part;
    Side side;
    bool twoLines;  // a stick's or trigger's name is long, a middle button's label narrow
    double top = 0; // set by the layout
    double height() const { return twoLines ? nameLine + actionLine : actionLine; }
    bool leftOfPart() const
    {
        return side == Side::Left ||
               (side == Side::Top && part.centre.x() < padLeft + padWidth / 2);
    }
    // The edge of the text nearest its part: its right edge when it stands to the part's left.
    double edge() const
    {
        switch (side) {
        case Side::Left:
            return padLeft - columnGap;
        case Side::Right:
            return padLeft + padWidth + columnGap;
        case Side::Top:
            return part.centre.x() + (leftOfPart() ? -2 : 2);
        }
        return 0;
    }
};

// Each label as near the height of its part as the labels above and below it allow.
void stack(std::vector<Placed *> &column)
{
    std::sort(column.begin(), column.end(),
              [](const Placed *a, const Placed *b) { return a->part.aim() < b->part.aim(); });
    const double first = padDrawingArea.top() + 3;
    const double last = padDrawingArea.bottom() - 3;
    double below = first;
    for (Placed *l : column) {
        l->top = std::max(below, l->part.aim() - l->height() / 2);
        below = l->top + l->height() + labelGap;
    }
    double above = last;
    for (auto it = column.rbegin(); it != column.rend(); ++it) {
        (*it)->top = std::max(first, std::min((*it)->top, above - (*it)->height()));
        above = (*it)->top - labelGap;
    }
}

// The leader line's ends: from beside the action's line (under a label above the pad) to the
// part's edge facing it.
void drawLeader(QPainter &p, const Placed &l)
{
    const QPointF from = l.side == Side::Top ? QPointF(l.part.centre.x(), l.top + l.height() + 1)
                                             : QPointF(l.edge() + (l.leftOfPart() ? 2 : -2),
                                                       l.top + l.height() - actionLine / 2);
    const QPointF towards = from - l.part.centre;
    const double length = std::hypot(towards.x(), towards.y());
    const QPointF to = l.part.centre + towards * (length > 0 ? l.part.radius / length : 0);
    p.setPen(QPen(leader, 0.6));
    p.drawLine(from, to);
    p.setPen(Qt::NoPen);
    p.setBrush(leader);
    p.drawEllipse(to, 0.9, 0.9);
}

void drawText(QPainter &p, const Placed &l)
{
    const QFont nameFont = padFont(8, QFont::Normal);
    const QFont actionFont = padFont(9.5, QFont::Bold);
    const QString name = l.twoLines ? l.label->name : l.label->name + QStringLiteral("  ");
    const double nameWidth = QFontMetricsF(nameFont).horizontalAdvance(name);
    const double actionWidth = QFontMetricsF(actionFont).horizontalAdvance(l.label->action);
    const double edge = l.edge();
    const auto x = [&](double width) { return l.leftOfPart() ? edge - width : edge; };
    const double baseline = l.top + l.height() - 2.5;
    // One line: the name, then the action; two: the name over the action.
    const double nameX = l.twoLines ? x(nameWidth) : x(nameWidth + actionWidth);
    const double actionX = l.twoLines ? x(actionWidth) : nameX + nameWidth;
    p.setFont(nameFont);
    p.setPen(quiet);
    p.drawText(QPointF(nameX, l.twoLines ? baseline - actionLine : baseline), name);
    p.setFont(actionFont);
    p.setPen(ink);
    p.drawText(QPointF(actionX, baseline), l.label->action);
}

} // namespace

void drawPad(QPainter &painter, const QRectF &area, const QList<PadLabel> &labels)
{
    painter.save();
    painter.translate(area.topLeft());
    painter.scale(area.width() / padDrawingArea.width(), area.height() / padDrawingArea.height());
    painter.setRenderHint(QPainter::Antialiasing);
    painter.setRenderHint(QPainter::TextAntialiasing);
    painter.fillRect(padDrawingArea, background);
    drawPadBody(painter);

    std::vector<Placed> placed;
    for (const PadLabel &label : labels) {
        const Shape part = shapeOf(label.part);
        const Side side = sideOf(label.part, part);
        placed.push_back(
            {&label, part, side, side == Side::Top || std::holds_alternative<Stick>(label.part)});
    }
    for (Side side : {Side::Left, Side::Right}) {
        std::vector<Placed *> column;
        for (Placed &l : placed)
            if (l.side == side)
                column.push_back(&l);
        stack(column);
    }
    for (Placed &l : placed)
        if (l.side == Side::Top) // above the triggers' labels
            l.top = padTop - 32 - l.height();
    for (const Placed &l : placed) {
        drawLeader(painter, l);
        drawText(painter, l);
    }
    painter.restore();
}

} // namespace shots
