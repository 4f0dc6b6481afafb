#include "edit/window/lane_colours.h"

#include "core/motion/axes.h"

namespace lanes {

QColor colour(int lane)
{
    // Told apart by the common forms of colour blindness as well: blue, orange, bluish green,
    // vermilion, reddish purple, and grey for the channels no servo hangs off.
    static const QColor colours[] = {QColor(0, 114, 178),   QColor(230, 159, 0),
                                     QColor(0, 158, 115),   QColor(213, 94, 0),
                                     QColor(204, 121, 167), QColor(110, 110, 110)};
    return colours[std::clamp(lane, 0, axes::count)];
}

QString name(int lane)
{
    if (lane >= 0 && lane < axes::count)
        return QString::fromLatin1(axes::all[size_t(lane)].name);
    return QStringLiteral("other");
}

QColor spanColour()
{
    // Sky blue, apart from every lane's colour, so that a band never reads as a lane's shading.
    return QColor(86, 180, 233);
}

} // namespace lanes
