#include "core/edit/line_caps.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace lines {

namespace {

constexpr int planarJoints = 4; // the grip enters no kinematics and the line never moves it
constexpr int mostSamples = 20000;

void weigh(Cap &cap, int joint, bool accel, double value, std::optional<double> limit, double s)
{
    if (!limit || value <= 0)
        return;
    const double ratio = accel ? std::sqrt(*limit / value) : *limit / value;
    if (ratio < cap.ratio)
        cap = {joint, ratio, s, accel, value, *limit};
}

// Each joint's angles at `count` + 1 moments spread evenly over the line's time.
using Angles = std::vector<std::array<double, planarJoints>>;

std::optional<Angles> anglesInTime(const arm::Profile &p, const Way &way, const timing::Pose &from,
                                   const moves::Path &ease, int count)
{
    Angles out;
    timing::Pose near = from;
    for (int k = 0; k <= count; ++k) {
        const arm::Exactly e = arm::solveExactly(p, way.at(ease.eased(double(k) / count)), near);
        if (!e.positions)
            return std::nullopt;
        std::array<double, planarJoints> a{};
        for (int c = 0; c < planarJoints; ++c) {
            a[c] = p.degrees(c, (*e.positions)[c]);
            near[c] = int(std::lround((*e.positions)[c]));
        }
        out.push_back(a);
    }
    return out;
}

} // namespace

std::optional<Cap> tightestCap(const arm::Profile &p, const Way &way, const timing::Pose &from,
                               const moves::Path &ease, int samples)
{
    const int count = std::clamp(samples, 16, mostSamples);
    const std::optional<Angles> a = anglesInTime(p, way, from, ease, count);
    if (!a)
        return std::nullopt;
    const double dt = ease.seconds / count;
    Cap cap;
    for (int k = 0; k < count; ++k) {
        const double s = ease.eased((k + 0.5) / count);
        for (int c = 0; c < planarJoints; ++c) {
            const double v = ((*a)[k + 1][c] - (*a)[k][c]) / dt;
            weigh(cap, c, false, std::abs(v), p.joints[c].maxSpeed, s);
            if (k + 1 < count) {
                const double next = ((*a)[k + 2][c] - (*a)[k + 1][c]) / dt;
                weigh(cap, c, true, std::abs(next - v) / dt, p.joints[c].maxAccel, s);
            }
        }
    }
    if (cap.joint < 0)
        return std::nullopt;
    return cap;
}

QString capRefusal(const Way &way, const Cap &cap, double speed)
{
    const QString joint = QString::fromLatin1(axes::all[cap.joint].name);
    const QString what =
        cap.accel ? QStringLiteral("speeds up at %1\u00b0/s\u00b2, over its max_accel %2")
                  : QStringLiteral("turns at %1\u00b0/s, over its max_speed %2");
    const QString fastest = QString::number(std::floor(speed * cap.ratio * 10) / 10, 'f', 1);
    return QStringLiteral("%1 the %2 %3: the fastest this line can go is %4 mm/s.")
        .arg(way.where(cap.s), joint,
             what.arg(cap.value, 0, 'f', 1)
                 .arg(QString::number(cap.limit, 'g', QLocale::FloatingPointShortest)),
             fastest);
}

} // namespace lines
