#include "core/edit/line_chain.h"

#include <algorithm>
#include <cmath>
#include <queue>
#include <unordered_map>

namespace lines {

namespace {

constexpr int planarJoints = 4; // the grip enters no kinematics and the line never moves it
// Enough for the longest line the arm can reach at every quarter millimetre, many times over;
// a search that needs more has no chain to find.
constexpr int mostVisits = 1000000;

using Key = quint32; // the four planar positions, a byte each

Key keyOf(const timing::Pose &p)
{
    return Key(p[0]) | Key(p[1]) << 8 | Key(p[2]) << 16 | Key(p[3]) << 24;
}

timing::Pose poseOf(Key k, int grip)
{
    return {int(k & 255), int(k >> 8 & 255), int(k >> 16 & 255), int(k >> 24 & 255), grip};
}

// Which poses keep to the line, each worked out once: its progress, or -1 off the line.
class Tube {
public:
    Tube(const arm::Profile &p, const Way &w, double allowed) : m_p(p), m_way(w), m_allowed(allowed)
    {
    }

    double progress(const timing::Pose &pose)
    {
        const auto [it, added] = m_seen.try_emplace(keyOf(pose), -1.0);
        if (added)
            it->second = workedOut(pose);
        return it->second;
    }

private:
    double workedOut(const timing::Pose &pose) const
    {
        for (int c = 0; c < planarJoints; ++c)
            if (pose[c] < m_p.joints[c].min || pose[c] > m_p.joints[c].max)
                return -1;
        const arm::Reach r = arm::forward(m_p, pose);
        if (m_p.arm.table && std::min(r.tool.z, r.wrist.z) < *m_p.arm.table)
            return -1;
        if (m_way.segment.distance(r.tool) > m_allowed)
            return -1;
        const double s = m_way.progress(r);
        if (std::abs(arm::normalDegrees(r.pitch - m_way.at(s).pitch)) > pitchBand)
            return -1;
        return s;
    }

    const arm::Profile &m_p;
    const Way &m_way;
    double m_allowed;
    std::unordered_map<Key, double> m_seen;
};

// How far one step may move each joint.
using Reach = std::array<int, planarJoints>;

Reach reachOf(const arm::Profile &p, int positions)
{
    Reach r{};
    for (int c = 0; c < planarJoints; ++c)
        r[c] = std::clamp(p.joints[c].maxStep, 1, positions);
    return r;
}

// The fewest steps that could reach the goal: never more than the steps it takes.
int estimate(const timing::Pose &p, const timing::Pose &goal, const Reach &reach)
{
    int n = 0;
    for (int c = 0; c < planarJoints; ++c)
        n += (std::abs(p[c] - goal[c]) + reach[c] - 1) / reach[c];
    return n;
}

struct Open {
    int f = 0, g = 0;
    Key key = 0;
    // Least estimate first; of equal ones, the deepest, which heads straight for the goal.
    bool operator<(const Open &o) const { return f != o.f ? f > o.f : g < o.g; }
};

Chain traced(const std::unordered_map<Key, std::pair<int, Key>> &reached, Key start, Key goal,
             Tube &tube, int grip)
{
    Chain c;
    for (Key k = goal; k != start; k = reached.at(k).second)
        c.poses.push_back(poseOf(k, grip));
    std::reverse(c.poses.begin(), c.poses.end());
    double most = 0;
    for (const timing::Pose &p : c.poses) {
        most = std::max(most, tube.progress(p));
        c.progress.push_back(most);
    }
    return c;
}

} // namespace

Chain chainAlong(const arm::Profile &profile, const Way &way, const timing::Pose &from,
                 const timing::Pose &goal, double allowed, int positions)
{
    Tube tube(profile, way, allowed);
    const Reach reach = reachOf(profile, positions);
    const Key start = keyOf(from), end = keyOf(goal);
    std::unordered_map<Key, std::pair<int, Key>> reached{{start, {0, start}}}; // steps, parent
    std::priority_queue<Open> open;
    open.push({estimate(from, goal, reach), 0, start});
    double furthest = 0;
    for (int visits = 0; !open.empty() && visits < mostVisits; ++visits) {
        const Open o = open.top();
        open.pop();
        if (o.key == end)
            return traced(reached, start, end, tube, from[axes::Grip]);
        if (o.g > reached.at(o.key).first)
            continue;
        const timing::Pose pose = poseOf(o.key, from[axes::Grip]);
        furthest = std::max(furthest, tube.progress(pose));
        for (int c = 0; c < planarJoints; ++c)
            for (int d = -reach[c]; d <= reach[c]; ++d) {
                timing::Pose next = pose;
                next[c] += d;
                if (d == 0 || next[c] < 0 || next[c] > 255 || tube.progress(next) < 0)
                    continue;
                const auto [it, added] = reached.try_emplace(keyOf(next), o.g + 1, o.key);
                if (!added && it->second.first <= o.g + 1)
                    continue;
                it->second = {o.g + 1, o.key};
                open.push({o.g + 1 + estimate(next, goal, reach), o.g + 1, keyOf(next)});
            }
    }
    Chain failed;
    failed.error = QStringLiteral("%1 no whole positions keep the tool point within %2 mm of the "
                                  "line while one joint moves at a time.")
                       .arg(way.where(furthest))
                       .arg(allowed, 0, 'f', 2);
    return failed;
}

} // namespace lines
