#include "core/edit/path_steps.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace moves {

namespace {

constexpr int movingBytes = 2 * timing::bytesPerFrame;
constexpr int holdBytes = timing::bytesPerFrame;

// The axis a hold repeats before any axis was sent: the first that will move, else the grip.
int firstHoldAxis(const timing::Pose &from, const timing::Pose &to)
{
    for (int c = 0; c < axes::count; ++c)
        if (from[c] != to[c])
            return c;
    return axes::Grip;
}

// Where the path has `channel`, kept inside the byte's range and sent as a whole position.
int sentPosition(double at)
{
    return int(std::clamp(numbers::roundHalfEven(at), double(axes::lowest), double(axes::highest)));
}

// Each axis a whole position or more off its path lags since the step it first did; one nearer
// does not lag.
void markLagging(const std::array<double, axes::count> &lag, long step,
                 std::array<long, axes::count> &since)
{
    for (int c = 0; c < axes::count; ++c) {
        if (lag[c] < 1)
            since[c] = -1;
        else if (since[c] < 0)
            since[c] = step;
    }
}

// The candidate that has lagged longest; ties to the larger lag, then the lower channel. -1 for
// none.
int nextAxis(const std::array<long, axes::count> &since, const std::array<double, axes::count> &lag)
{
    int best = -1;
    for (int c = 0; c < axes::count; ++c) {
        if (since[c] < 0)
            continue;
        if (best < 0 || since[c] < since[best] || (since[c] == since[best] && lag[c] > lag[best]))
            best = c;
    }
    return best;
}

} // namespace

std::vector<Step> pathSteps(const timing::Pose &from, const timing::Pose &end, double seconds,
                            const PathAt &at)
{
    // An end outside the byte's range could never be reached, and the steps would not end.
    timing::Pose to = end;
    for (int &p : to)
        p = std::clamp(p, int(axes::lowest), int(axes::highest));
    std::vector<Step> out;
    timing::Pose pose = from;
    std::array<long, axes::count>
        since; // the step at which each axis began to lag; -1: it does not
    since.fill(-1);
    std::array<double, axes::count> lag{};
    int holdAxis = firstHoldAxis(from, to);
    qint64 bytes = 0;
    for (long k = 0;; ++k) {
        const double t = timing::seconds(bytes);
        if (t >= seconds && pose == to)
            break;
        for (int c = 0; c < axes::count; ++c)
            lag[c] = std::abs((t >= seconds ? to[c] : at(c, t)) - pose[c]);
        markLagging(lag, k, since);
        const int c = nextAxis(since, lag);
        if (c < 0) {
            out.push_back(Step{qint16(holdAxis), qint16(pose[holdAxis])});
            bytes += holdBytes;
            continue;
        }
        pose[c] = sentPosition(t >= seconds ? to[c] : at(c, t));
        since[c] = -1;
        holdAxis = c;
        out.push_back(Step{qint16(c), qint16(pose[c])});
        bytes += movingBytes;
    }
    return out;
}

std::vector<StepTime> stepTimes(const std::vector<Step> &steps, const timing::Pose &from)
{
    // The pass timing itself, over a motion whose unplayed first record is a placeholder.
    std::vector<Step> records;
    records.reserve(steps.size() + 1);
    records.push_back(Step{});
    records.insert(records.end(), steps.begin(), steps.end());
    const timing::Pass pass = timing::firstPass(records, from);
    std::vector<StepTime> out;
    out.reserve(steps.size());
    timing::Pose before = from;
    for (const timing::TimedStep &t : pass.steps) {
        out.push_back({timing::seconds(t.startByte), before});
        before = t.pose;
    }
    return out;
}

} // namespace moves
