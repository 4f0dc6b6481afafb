#include "taught_motion.h"

namespace plots {

namespace {

// A slider dragged from where its axis stands to `to`: one recorded step a position.
void drag(std::vector<Step> &records, timing::Pose &pose, int channel, int to)
{
    const int way = to > pose[channel] ? 1 : -1;
    while (pose[channel] != to) {
        pose[channel] += way;
        records.push_back(Step{qint16(channel), qint16(pose[channel])});
    }
}

// Each changed axis typed into its box: one recorded step that jumps there.
void type(std::vector<Step> &records, timing::Pose &pose, const timing::Pose &to)
{
    for (int c = 0; c < axes::count; ++c)
        if (pose[c] != to[c]) {
            pose[c] = to[c];
            records.push_back(Step{qint16(c), qint16(to[c])});
        }
}

} // namespace

std::vector<Gesture> taughtGestures(const timing::Pose &start)
{
    timing::Pose p = start;
    std::vector<Gesture> out;
    const auto add = [&out, &p](bool typed) { out.push_back({p, typed}); };
    p[axes::Shoulder] += 50;
    add(false);
    p[axes::Base] -= 100;
    p[axes::Grip] += 5;
    add(true);
    p[axes::Elbow] -= 40;
    p[axes::Wrist] += 40;
    add(false);
    p[axes::Shoulder] -= 80;
    p[axes::Elbow] += 70;
    add(true);
    p[axes::Grip] -= 45;
    add(false);
    p[axes::Base] += 170;
    p[axes::Wrist] -= 70;
    add(true);
    return out;
}

Motion asTaught(const std::vector<Gesture> &gestures, const timing::Pose &start)
{
    Motion m;
    m.records.push_back(Step{});
    timing::Pose pose = start;
    for (const Gesture &g : gestures) {
        if (g.typed) {
            type(m.records, pose, g.target);
            continue;
        }
        for (int c = 0; c < axes::count; ++c)
            drag(m.records, pose, c, g.target[c]);
    }
    return m;
}

Retaught withTimedMoves(const std::vector<Gesture> &gestures, const timing::Pose &start,
                        const arm::Profile &profile, moves::Ease ease, double seconds)
{
    Retaught out;
    Motion &m = out.motion;
    m.records.push_back(Step{});
    timing::Pose pose = start;
    for (const Gesture &g : gestures) {
        if (!g.typed) {
            for (int c = 0; c < axes::count; ++c)
                drag(m.records, pose, c, g.target[c]);
            continue;
        }
        const moves::Planned planned = moves::plan(profile, {pose, g.target, ease, seconds});
        if (!planned.path)
            return {{}, planned.error};
        const std::vector<Step> steps = moves::steps(*planned.path);
        m.timed.push_back({int(m.records.size()), int(steps.size()), *planned.path});
        m.records.insert(m.records.end(), steps.begin(), steps.end());
        pose = g.target;
    }
    return out;
}

} // namespace plots
