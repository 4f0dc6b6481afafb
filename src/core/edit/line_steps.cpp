#include "core/edit/line_steps.h"

#include <cmath>

namespace lines {

namespace {

constexpr int movingBytes = 2 * timing::bytesPerFrame;
constexpr int holdBytes = timing::bytesPerFrame;

// The axis on which two poses differ; -1 when they differ on none or on more than one.
int onlyAxis(const timing::Pose &a, const timing::Pose &b)
{
    int axis = -1;
    for (int c = 0; c < axes::count; ++c) {
        if (a[c] == b[c])
            continue;
        if (axis >= 0)
            return -1;
        axis = c;
    }
    return axis;
}

// The axis a hold repeats before any axis was sent: the first that will move, else the grip.
int firstHoldAxis(const timing::Pose &from, const std::vector<Waypoint> &chain)
{
    for (const Waypoint &w : chain)
        if (const int c = onlyAxis(from, w.pose); c >= 0)
            return c;
    return axes::Grip;
}

// The last of the poses due (`next` .. `due` - 1) that one step from `pose` reaches: the chain's
// run on one axis, no further than its max_step.
size_t lastInOneStep(const arm::Profile &profile, const timing::Pose &pose,
                     const std::vector<Waypoint> &chain, size_t next, size_t due)
{
    const int axis = onlyAxis(pose, chain[next].pose);
    size_t last = next;
    while (last + 1 < due && onlyAxis(chain[last].pose, chain[last + 1].pose) == axis &&
           std::abs(chain[last + 1].pose[axis] - pose[axis]) <= profile.joints[axis].maxStep)
        ++last;
    return last;
}

} // namespace

std::vector<Step> chainSteps(const arm::Profile &profile, const timing::Pose &from,
                             const std::vector<Waypoint> &chain, double seconds)
{
    std::vector<Step> out;
    timing::Pose pose = from;
    int holdAxis = firstHoldAxis(from, chain);
    size_t next = 0; // the first pose of the chain the arm has not stood in
    size_t due = 0;  // how many have fallen due
    qint64 bytes = 0;
    for (;;) {
        const double t = timing::seconds(bytes);
        while (due < chain.size() && (chain[due].seconds <= t || t >= seconds))
            ++due;
        if (next == due) {
            if (next == chain.size() && t >= seconds)
                break;
            out.push_back(Step{qint16(holdAxis), qint16(pose[holdAxis])});
            bytes += holdBytes;
            continue;
        }
        const size_t last = lastInOneStep(profile, pose, chain, next, due);
        const int axis = onlyAxis(pose, chain[last].pose);
        if (axis < 0) { // a chain that came back to where it stands: nothing to send
            next = last + 1;
            continue;
        }
        holdAxis = axis;
        pose = chain[last].pose;
        next = last + 1;
        out.push_back(Step{qint16(holdAxis), qint16(pose[holdAxis])});
        bytes += movingBytes;
    }
    return out;
}

} // namespace lines
