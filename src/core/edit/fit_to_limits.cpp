#include "core/edit/fit_to_limits.h"

#include <algorithm>
#include <cstdlib>

namespace edits {

namespace {

bool playedAxisStep(int index, const Step &s)
{
    return index >= 1 && s.channel >= 0 && s.channel < axes::count && s.position >= axes::lowest &&
           s.position <= axes::highest;
}

} // namespace

Fitted fittedToLimits(const std::vector<Step> &r, const arm::Profile &profile,
                      const timing::Pose &start)
{
    Fitted fitted;
    fitted.records.reserve(r.size());
    timing::Pose pose = start;
    for (int i = 0; i < int(r.size()); ++i) {
        Step s = r[size_t(i)];
        if (!playedAxisStep(i, s)) {
            fitted.records.push_back(s);
            continue;
        }
        const arm::Joint &joint = profile.joints[size_t(s.channel)];
        const int target = std::clamp<int>(s.position, joint.min, joint.max);
        if (target != s.position)
            ++fitted.clamped;
        // A valid profile's max_step is at least 1; a smaller one would never reach the target.
        const int stride = std::max(joint.maxStep, 1);
        int &at = pose[size_t(s.channel)];
        while (std::abs(target - at) > stride) {
            at += target > at ? stride : -stride;
            fitted.records.push_back(Step{s.channel, qint16(at)});
            ++fitted.added;
        }
        s.position = qint16(target);
        fitted.records.push_back(s);
        at = target;
    }
    return fitted;
}

} // namespace edits
