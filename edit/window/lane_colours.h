#pragma once
// The lanes' colours and names, shared by the timeline, the step list and the preview's
// legend: lane 0..4 is the axis of that channel, lane 5 every other channel.

#include <QColor>
#include <QString>

namespace lanes {

QColor colour(int lane);
QString name(int lane);
// The timed moves' bands and the eased paths drawn over the steps.
QColor spanColour();

} // namespace lanes
