#include "core/edit/timed_move.h"

#include "core/edit/path_steps.h"

#include <QLocale>
#include <algorithm>
#include <cmath>

namespace moves {

namespace {

// The trapezoid's ramp share when the caps leave it free: a third speeding up, a third
// cruising, a third slowing down.
constexpr double freeRamp = 1.0 / 3.0;
// Below this the ramp is no ramp: the trapezoid is a linear move (speed caps, no accel caps).
constexpr double noRamp = 1e-9;

// The seconds each joint's caps ask for, gathered over the moving joints: the time to cover the
// distance at max_speed (the largest over the joints, `speed`) and the distance over max_accel
// (the largest, `accel`, in seconds squared). 0 where no moving joint has that cap.
struct Demand {
    double speed = 0;
    double accel = 0;
    bool moves = false;
};

Demand demandOf(const arm::Profile &profile, const timing::Pose &from, const timing::Pose &to)
{
    Demand d;
    for (int c = 0; c < axes::count; ++c) {
        const arm::Joint &j = profile.joints[c];
        const double degrees = std::abs(j.degrees(to[c]) - j.degrees(from[c]));
        if (degrees == 0)
            continue;
        d.moves = true;
        if (j.maxSpeed)
            d.speed = std::max(d.speed, degrees / *j.maxSpeed);
        if (j.maxAccel)
            d.accel = std::max(d.accel, degrees / *j.maxAccel);
    }
    return d;
}

std::optional<double> shortest(const Demand &d, Ease ease)
{
    if (!d.moves)
        return 0.0;
    switch (ease) {
    case Ease::Linear:
        return d.speed > 0 ? std::optional(d.speed) : std::nullopt;
    case Ease::Smooth:
        if (d.speed == 0 && d.accel == 0)
            return std::nullopt;
        return std::max(1.5 * d.speed, std::sqrt(6 * d.accel));
    case Ease::Trapezoid:
        if (d.speed == 0 && d.accel == 0)
            return std::nullopt;
        if (d.accel == 0)
            return d.speed; // no ramp to shape: a linear move at max_speed
        if (d.speed == 0 || d.accel > d.speed * d.speed)
            return 2 * std::sqrt(d.accel); // never reaches a cruise: speeds up half the way
        return d.speed + d.accel / d.speed;
    }
    return std::nullopt;
}

// The trapezoid's ramp share for a move of `seconds`: a third when the caps allow it, else the
// nearest share that keeps both caps (the peak speed 1/(1-f) and acceleration 1/(f(1-f)) of the
// normalised move).
double rampFor(const Demand &d, double seconds)
{
    if (seconds <= 0)
        return freeRamp;
    const double most = std::min(0.5, 1 - d.speed / seconds);
    const double q = d.accel / (seconds * seconds);
    const double least = q >= 0.25 ? 0.5 : (1 - std::sqrt(1 - 4 * q)) / 2;
    return std::clamp(freeRamp, std::min(least, std::max(most, 0.0)), std::max(most, 0.0));
}

// Seconds with the hundredths rounded up: a figure that, typed back, is long enough.
QString upToHundredths(double seconds)
{
    return QString::number(std::ceil(seconds * 100 - 1e-9) / 100, 'f', 2);
}

QString noCapRefusal(Ease ease)
{
    if (ease == Ease::Linear)
        return QStringLiteral("No joint this move turns has a max_speed in the arm profile, and a "
                              "linear move is timed by its speed alone: give the move a duration.");
    return QStringLiteral("No joint this move turns has a max_speed or a max_accel in the arm "
                          "profile: give the move a duration.");
}

} // namespace

QString easeName(Ease ease)
{
    switch (ease) {
    case Ease::Linear:
        return QStringLiteral("linear");
    case Ease::Smooth:
        return QStringLiteral("smooth");
    case Ease::Trapezoid:
        return QStringLiteral("trapezoid");
    }
    return {};
}

std::optional<Ease> easeNamed(const QString &name)
{
    for (Ease e : {Ease::Linear, Ease::Smooth, Ease::Trapezoid})
        if (name == easeName(e))
            return e;
    return std::nullopt;
}

double Path::eased(double s) const
{
    s = std::clamp(s, 0.0, 1.0);
    switch (ease) {
    case Ease::Linear:
        return s;
    case Ease::Smooth:
        return s * s * (3 - 2 * s);
    case Ease::Trapezoid: {
        const double f = rampFraction;
        if (f < noRamp)
            return s;
        const double peak = 1 / (1 - f);
        const double accel = peak / f;
        if (s < f)
            return accel * s * s / 2;
        if (s <= 1 - f)
            return peak * f / 2 + peak * (s - f);
        return 1 - accel * (1 - s) * (1 - s) / 2;
    }
    }
    return s;
}

double Path::at(int channel, double t) const
{
    const double s = seconds > 0 ? t / seconds : 1.0;
    return from[channel] + (to[channel] - from[channel]) * eased(s);
}

double Path::peakSpeedFactor() const
{
    switch (ease) {
    case Ease::Linear:
        return 1;
    case Ease::Smooth:
        return 1.5;
    case Ease::Trapezoid:
        return 1 / (1 - rampFraction);
    }
    return 1;
}

std::optional<double> Path::peakAccelFactor() const
{
    if (ease == Ease::Smooth)
        return 6.0;
    if (ease == Ease::Trapezoid && rampFraction >= noRamp)
        return 1 / (rampFraction * (1 - rampFraction));
    return std::nullopt;
}

std::optional<double> shortestSeconds(const arm::Profile &profile, const timing::Pose &from,
                                      const timing::Pose &to, Ease ease)
{
    return shortest(demandOf(profile, from, to), ease);
}

Planned plan(const arm::Profile &profile, const Request &request)
{
    const Demand demand = demandOf(profile, request.from, request.to);
    const std::optional<double> least = shortest(demand, request.ease);
    if (request.seconds && !(*request.seconds > 0 && *request.seconds <= mostSeconds))
        return {std::nullopt,
                QStringLiteral("A move takes more than 0 s and at most %1 s.").arg(mostSeconds)};
    if (!request.seconds && !least)
        return {std::nullopt, noCapRefusal(request.ease)};
    const double seconds = request.seconds ? *request.seconds : *least;
    // A hair of slack: the shortest time, worked out again from its own figures, must pass.
    if (least && seconds < *least * (1 - 1e-9))
        return {std::nullopt,
                QStringLiteral("%1 s is too quick for the joints' caps in the arm "
                               "profile: the shortest this move can take is %2 s.")
                    .arg(QString::number(seconds, 'g', QLocale::FloatingPointShortest),
                         upToHundredths(*least))};
    if (seconds > mostSeconds)
        return {std::nullopt, QStringLiteral("The caps make this move take %1 s, more than the "
                                             "most a move may take (%2 s).")
                                  .arg(upToHundredths(seconds))
                                  .arg(mostSeconds)};
    Path path{request.from, request.to, request.ease, seconds, 0};
    if (request.ease == Ease::Trapezoid)
        path.rampFraction = rampFor(demand, seconds);
    return {path, {}};
}

std::array<double, axes::count> peakDegreesPerSecond(const arm::Profile &profile, const Path &p)
{
    std::array<double, axes::count> out{};
    if (p.seconds <= 0)
        return out;
    for (int c = 0; c < axes::count; ++c) {
        const arm::Joint &j = profile.joints[c];
        const double degrees = std::abs(j.degrees(p.to[c]) - j.degrees(p.from[c]));
        out[c] = degrees / p.seconds * p.peakSpeedFactor();
    }
    return out;
}

std::vector<Step> steps(const Path &path)
{
    return pathSteps(path.from, path.to, path.seconds,
                     [&path](int channel, double t) { return path.at(channel, t); });
}

} // namespace moves
