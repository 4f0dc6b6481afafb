#include "core/edit/retime.h"

#include "core/edit/path_steps.h"
#include "core/edit/timed_move.h"

#include <algorithm>

namespace edits {

namespace {

// A stretch's played records as the pass plays them: where it starts and ends, and when each
// axis changes, in seconds from its first byte.
struct Stretch {
    int first = 0; // the first played record's index
    int end = 0;   // one past the last
    double seconds = 0;
    timing::Pose from{}, to{};
    std::array<std::vector<std::pair<double, int>>, axes::count> changes;

    // Where the stretch has `channel` at `u` seconds: the last change made by then.
    double at(int channel, double u) const
    {
        const auto &c = changes[channel];
        const auto after = std::upper_bound(c.begin(), c.end(), u,
                                            [](double t, const auto &p) { return t < p.first; });
        return after == c.begin() ? from[channel] : (after - 1)->second;
    }
};

std::optional<Stretch> stretchOf(const std::vector<Step> &r, Range range, const timing::Pose &start)
{
    const int size = int(r.size());
    Stretch s;
    s.first = std::clamp(std::max(range.first, 1), 0, size);
    s.end = std::clamp(range.first + std::max(range.count, 0), 0, size);
    if (s.first >= s.end)
        return std::nullopt;
    const timing::Pass pass = timing::firstPass(r, start);
    const auto &steps = pass.steps; // steps[i - 1] is records[i]
    const qint64 startByte = steps[size_t(s.first - 1)].startByte;
    const timing::TimedStep &last = steps[size_t(s.end - 2)];
    s.seconds = timing::seconds(last.startByte + last.bytes - startByte);
    s.from = s.first == 1 ? pass.start : steps[size_t(s.first - 2)].pose;
    s.to = last.pose;
    timing::Pose pose = s.from;
    for (int i = s.first; i < s.end; ++i) {
        const timing::TimedStep &t = steps[size_t(i - 1)];
        for (int c = 0; c < axes::count; ++c)
            if (t.pose[c] != pose[c])
                s.changes[c].push_back({timing::seconds(t.startByte - startByte), t.pose[c]});
        pose = t.pose;
    }
    return s;
}

} // namespace

double rangeSeconds(const std::vector<Step> &r, Range range, const timing::Pose &start)
{
    const std::optional<Stretch> s = stretchOf(r, range, start);
    return s ? s->seconds : 0;
}

Retimed retimed(const std::vector<Step> &r, Range range, double seconds, const timing::Pose &start)
{
    if (!(seconds > 0 && seconds <= moves::mostSeconds))
        return {{},
                QStringLiteral("A stretch takes more than 0 s and at most %1 s.")
                    .arg(moves::mostSeconds)};
    const std::optional<Stretch> s = stretchOf(r, range, start);
    if (!s || s->seconds <= 0)
        return {{}, QStringLiteral("The selection holds no played step to retime.")};
    const double scale = s->seconds / seconds;
    const std::vector<Step> steps = moves::pathSteps(
        s->from, s->to, seconds, [&](int channel, double t) { return s->at(channel, t * scale); });
    std::vector<Step> out(r.begin(), r.begin() + s->first);
    out.insert(out.end(), steps.begin(), steps.end());
    out.insert(out.end(), r.begin() + s->end, r.end());
    return {std::move(out), {}};
}

} // namespace edits
