#include "core/arm/pose_search.h"

#include <cmath>
#include <numbers>

namespace arm {

namespace {

constexpr int width = 2 * searchReach + 1;

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

// A joint's positions around the centre, within its limits, with their angles.
struct Around {
    int count = 0;
    std::array<int, width> position{};
    std::array<double, width> degrees{}, cos{}, sin{};
};

// The angles of neighbouring positions differ by one step, so each one's sine and cosine is the
// last one's turned by that step: two calls to the maths library a joint instead of ten.
Around around(const Joint &joint, int centre)
{
    Around a;
    const int first = std::max(centre - searchReach, joint.min);
    const int last = std::min(centre + searchReach, joint.max);
    const double step = radians(joint.degrees(1) - joint.degrees(0));
    const double cosStep = std::cos(step), sinStep = std::sin(step);
    double c = std::cos(radians(joint.degrees(first))), s = std::sin(radians(joint.degrees(first)));
    for (int p = first; p <= last; ++p) {
        a.position[a.count] = p;
        a.degrees[a.count] = joint.degrees(p);
        a.cos[a.count] = c;
        a.sin[a.count] = s;
        ++a.count;
        const double turned = c * cosStep - s * sinStep;
        s = s * cosStep + c * sinStep;
        c = turned;
    }
    return a;
}

// How a pose scores: what it has beyond the pitch's tolerance and under the table first, then
// its squared distance. Lower is better.
struct Score {
    double excess = 0;
    double distance2 = 0;
    bool operator<(const Score &o) const
    {
        return excess != o.excess ? excess < o.excess : distance2 < o.distance2;
    }
};

struct Searcher {
    const Profile &profile;
    const Target &target;
    double rho = 0;         // the target's distance from the base's axis
    double bearing = 0;     // and the direction it lies in, in degrees
    double lowest = -1e300; // the table, or nothing below which matters

    // Of the base's positions near `centre`, the one best for a planar pose reaching forward
    // (the one facing the target most) and the one best for a pose reaching back over the top.
    struct Bases {
        int forward, back;
        double forwardCos, backCos;
    };

    Bases bases(int centre) const
    {
        const Around b = around(profile.joints[axes::Base], centre);
        Bases r{centre, centre, 1, 1};
        if (rho == 0 || b.count == 0)
            return r;
        // Reaching back over the top, the base should face away from the target.
        r.forwardCos = -2;
        r.backCos = 2;
        for (int i = 0; i < b.count; ++i) {
            const double c = std::cos(radians(b.degrees[i] - bearing));
            if (c > r.forwardCos)
                r.forward = b.position[i], r.forwardCos = c;
            if (c < r.backCos)
                r.back = b.position[i], r.backCos = c;
        }
        return r;
    }

    // The best pose within reach of `centre`; `centre` itself when none is better.
    Pose step(const Pose &centre, Score &best) const;
};

Pose Searcher::step(const Pose &centre, Score &best) const
{
    const Geometry &g = profile.arm;
    const Bases base = bases(centre[axes::Base]);
    const Around s = around(profile.joints[axes::Shoulder], centre[axes::Shoulder]);
    const Around e = around(profile.joints[axes::Elbow], centre[axes::Elbow]);
    const Around w = around(profile.joints[axes::Wrist], centre[axes::Wrist]);
    Pose found = centre;
    for (int i = 0; i < s.count; ++i) {
        const double r1 = g.upperArm * s.cos[i], z1 = g.shoulderHeight + g.upperArm * s.sin[i];
        for (int j = 0; j < e.count; ++j) {
            const double c2 = s.cos[i] * e.cos[j] - s.sin[i] * e.sin[j];
            const double s2 = s.sin[i] * e.cos[j] + s.cos[i] * e.sin[j];
            const double rw = r1 + g.forearm * c2, zw = z1 + g.forearm * s2;
            for (int k = 0; k < w.count; ++k) {
                const double c3 = c2 * w.cos[k] - s2 * w.sin[k];
                const double s3 = s2 * w.cos[k] + c2 * w.sin[k];
                const double r = rw + g.hand * c3, z = zw + g.hand * s3;
                const double pitchOff = std::abs(
                    normalDegrees(s.degrees[i] + e.degrees[j] + w.degrees[k] - target.pitch));
                const bool back = r < 0;
                const double cosTurn = back ? base.backCos : base.forwardCos;
                Score score;
                score.excess = std::max(0.0, pitchOff - pitchTolerance) +
                               std::max(0.0, lowest - std::min(z, zw));
                const double dz = z - target.point.z;
                score.distance2 = r * r + rho * rho - 2 * r * rho * cosTurn + dz * dz;
                if (!(score < best))
                    continue;
                best = score;
                found = {back ? base.back : base.forward, s.position[i], e.position[j],
                         w.position[k], centre[axes::Grip]};
            }
        }
    }
    return found;
}

} // namespace

Pose nearestPose(const Profile &profile, const Target &target, Pose start)
{
    Searcher searcher{profile, target};
    searcher.rho = std::hypot(target.point.x, target.point.y);
    searcher.bearing = searcher.rho == 0
                           ? profile.degrees(axes::Base, start[axes::Base])
                           : std::atan2(target.point.y, target.point.x) * 180 / std::numbers::pi;
    if (profile.arm.table)
        searcher.lowest = *profile.arm.table;
    Score best{1e300, 1e300};
    // Each move strictly betters the score, over finitely many poses; the bound is a guard.
    for (int moves = 0; moves < 1000; ++moves) {
        const Pose next = searcher.step(start, best);
        if (next == start)
            break;
        start = next;
    }
    return start;
}

} // namespace arm
