#include "core/edit/tool_path.h"

#include "core/edit/motion_document.h"
#include "core/edit/span_columns.h"

#include <algorithm>

namespace preview {

namespace {

arm::Reach reachAt(const arm::Profile &profile, const moves::Path &path, double seconds)
{
    arm::Positions pose{};
    for (int c = 0; c < axes::count; ++c)
        pose[size_t(c)] = path.at(c, seconds);
    return arm::forward(profile, pose);
}

} // namespace

std::vector<arm::Reach> toolPoints(const arm::Profile &profile, const moves::Path &path,
                                   int samples)
{
    const int n = std::max(samples, 2);
    std::vector<arm::Reach> out;
    out.reserve(size_t(n));
    for (int i = 0; i < n; ++i)
        out.push_back(reachAt(profile, path, path.seconds * i / (n - 1)));
    return out;
}

const edits::TimedSpan *spanPlayingAt(const MotionDocument &d, double byte)
{
    const auto &spans = d.timedSpans();
    // In order and apart: the only candidate is the first that ends past the byte.
    const auto it = std::partition_point(spans.begin(), spans.end(), [&](const auto &s) {
        return timeline::spanBytes(d, s).to <= byte;
    });
    if (it == spans.end() || it->count <= 0 || it->first + it->count > d.size())
        return nullptr;
    return timeline::spanBytes(d, *it).from <= byte ? &*it : nullptr;
}

ToolPath toolPathAt(const MotionDocument &d, const arm::Profile &profile, double byte)
{
    const edits::TimedSpan *span = spanPlayingAt(d, byte);
    if (!span)
        return {};
    const double since = (byte - timeline::spanBytes(d, *span).from) / timing::bytesPerSecond;
    return {toolPoints(profile, span->path),
            reachAt(profile, span->path, std::min(since, span->path.seconds))};
}

std::vector<arm::Point> motionToolPath(const MotionDocument &d, const arm::Profile &profile)
{
    std::vector<arm::Point> out;
    if (d.size() == 0)
        return out;
    out.reserve(size_t(d.size()));
    out.push_back(arm::forward(profile, d.passStart()).tool);
    for (const timing::TimedStep &s : d.pass().steps)
        out.push_back(arm::forward(profile, s.pose).tool);
    return out;
}

} // namespace preview
