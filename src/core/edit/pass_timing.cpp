#include "core/edit/pass_timing.h"

#include <algorithm>
#include <cmath>

namespace timing {

namespace {

bool isAxis(int channel)
{
    return channel >= 0 && channel < axes::count;
}

bool fitsAByte(int value)
{
    return value >= 0 && value <= 255;
}

// What one played step writes, and the pose it leaves: the replay's own frame, and a second
// one from the axis's box when the step moves the axis. A value that cannot be one byte is not
// sent and moves nothing (the reader never lets one in; this keeps the count honest anyway).
int play(const Step &s, Pose &pose)
{
    if (!fitsAByte(s.channel) || !fitsAByte(s.position))
        return 0;
    if (isAxis(s.channel) && pose[s.channel] != s.position) {
        pose[s.channel] = s.position;
        return 2 * bytesPerFrame;
    }
    return bytesPerFrame;
}

} // namespace

Pose passStartPose(const config::Settings &settings)
{
    // Start-up centres every axis, so each walk begins at the centre. Walking down towards h
    // visits the whole positions not below it, walking up those not above it; the walk ends on
    // the last of them. RUN's walk then starts there and stays: no whole position lies between
    // it and h.
    Pose pose{};
    for (int channel = 0; channel < axes::count; ++channel) {
        const double h = settings.home[channel];
        if (std::isnan(h)) {
            pose[channel] = axes::centre; // never walks: every comparison with it is false
            continue;
        }
        const double target = std::clamp(h, double(axes::lowest), double(axes::highest));
        pose[channel] = target < axes::centre ? int(std::ceil(target)) : int(std::floor(target));
    }
    return pose;
}

Pass firstPass(const std::vector<Step> &records, const Pose &start)
{
    Pass pass;
    pass.start = start;
    if (records.size() > 1)
        pass.steps.reserve(records.size() - 1);
    Pose pose = start;
    for (std::size_t i = 1; i < records.size(); ++i) {
        TimedStep t;
        t.record = int(i) + 1;
        t.step = records[i];
        t.startByte = pass.totalBytes;
        t.bytes = play(records[i], pose);
        t.pose = pose;
        pass.totalBytes += t.bytes;
        pass.steps.push_back(t);
    }
    return pass;
}

qint64 passBytes(const std::vector<Step> &records, const Pose &start)
{
    Pose pose = start;
    qint64 total = 0;
    for (std::size_t i = 1; i < records.size(); ++i)
        total += play(records[i], pose);
    return total;
}

} // namespace timing
