#include "core/edit/line_way.h"

#include <algorithm>
#include <cmath>

namespace lines {

namespace {

double dot(const arm::Point &a, const arm::Point &b)
{
    return a.x * b.x + a.y * b.y + a.z * b.z;
}

arm::Point minus(const arm::Point &a, const arm::Point &b)
{
    return {a.x - b.x, a.y - b.y, a.z - b.z};
}

} // namespace

double Segment::length() const
{
    const arm::Point d = minus(to, from);
    return std::sqrt(dot(d, d));
}

double Segment::along(const arm::Point &p) const
{
    const arm::Point d = minus(to, from);
    const double squared = dot(d, d);
    if (squared <= 0)
        return 0;
    return std::clamp(dot(minus(p, from), d) / squared, 0.0, 1.0) * std::sqrt(squared);
}

double Segment::distance(const arm::Point &p) const
{
    const double l = length();
    const double s = l > 0 ? along(p) / l : 0;
    const arm::Point nearest{from.x + (to.x - from.x) * s, from.y + (to.y - from.y) * s,
                             from.z + (to.z - from.z) * s};
    const arm::Point off = minus(p, nearest);
    return std::sqrt(dot(off, off));
}

arm::Target Way::at(double s) const
{
    const arm::Point &a = segment.from, &b = segment.to;
    return {{a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s, a.z + (b.z - a.z) * s},
            arm::normalDegrees(pitch + turn * s)};
}

double Way::progress(const arm::Reach &r) const
{
    // By whichever changes more, in millimetres or degrees: a short line that turns the hand far
    // is measured by its pitch, which rounding to whole positions disturbs the least.
    const double l = segment.length();
    if (l > 0 && l >= std::abs(turn))
        return segment.along(r.tool) / l;
    if (turn == 0)
        return 1;
    return std::clamp(arm::normalDegrees(r.pitch - pitch) / turn, 0.0, 1.0);
}

QString Way::where(double s) const
{
    const arm::Target t = at(s);
    const QString point = QStringLiteral("(%1, %2, %3)")
                              .arg(t.point.x, 0, 'f', 1)
                              .arg(t.point.y, 0, 'f', 1)
                              .arg(t.point.z, 0, 'f', 1);
    if (segment.length() <= 0)
        return QStringLiteral("At pitch %1\u00b0 %2").arg(t.pitch, 0, 'f', 1).arg(point);
    return QStringLiteral("At %1 mm along the line %2")
        .arg(segment.length() * s, 0, 'f', 1)
        .arg(point);
}

} // namespace lines
