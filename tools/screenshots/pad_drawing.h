#pragma once
// A plain drawing of a standard game controller (two sticks, two triggers, the four face
// buttons, Back and Start), with a label beside it for each part that does something and a
// leader line from the label to the part. It knows the pad's shape only: what the labels say
// is the caller's, who takes it from the program's own table of the pad.

#include "core/pad/pad_map.h"

#include <QList>
#include <QRectF>
#include <QString>

#include <variant>

class QPainter;

namespace shots {

using PadPart = std::variant<pad::Stick, pad::Button>;

struct PadLabel {
    PadPart part;
    QString name;   // the part, as people call it: "Left stick across", "A"
    QString action; // what it does: "BASE", "RUN"
};

// The drawing's own size, which is the help window's picture area; drawPad scales it to the
// area it is given.
inline constexpr QRectF padDrawingArea{0, 0, 325, 173};

// The pad, its face buttons lettered by the table's names, and the labels in two columns, each
// on the side of the pad where its part is.
void drawPad(QPainter &painter, const QRectF &area, const QList<PadLabel> &labels);

} // namespace shots
