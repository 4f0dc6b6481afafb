#include "core/edit/timed_edits.h"

#include "core/edit/motion_document.h"
#include "core/edit/retime.h"

#include <algorithm>

namespace edits {

namespace {

// Steps inserted before index `at`, never before record 1, which no pass plays (a motion with no
// records gets the placeholder record 1 a recording starts with); selected.
Edited inserted(const MotionDocument &d, int at, const std::vector<Step> &steps)
{
    std::vector<Step> after = d.records();
    if (after.empty())
        after.push_back(Step{0, 0});
    const int first = std::clamp(at, 1, int(after.size()));
    after.insert(after.begin() + first, steps.begin(), steps.end());
    return Edited{std::move(after), {first, int(steps.size())}, std::nullopt};
}

// The move's steps inserted so, and marked as a timed move.
Edited timedInsert(const MotionDocument &d, int at, const moves::Path &path)
{
    Edited e = inserted(d, at, moves::steps(path));
    if (e.selection.count > 0)
        e.timed = TimedSpan{e.selection.first, e.selection.count, path};
    return e;
}

} // namespace

timing::Pose poseBeforeSelection(const MotionDocument &d)
{
    return poseAfter(d.records(), d.selection().first - 1, d.passStart());
}

timing::Pose poseAtEnd(const MotionDocument &d)
{
    return d.poseAfter(d.size() - 1);
}

Edited timedMoveBeforeSelection(const MotionDocument &d, const moves::Path &path)
{
    return timedInsert(d, d.selection().first, path);
}

Edited stepsBeforeSelection(const MotionDocument &d, const std::vector<Step> &steps)
{
    return inserted(d, d.selection().first, steps);
}

TimedEdit retimeSelected(const MotionDocument &d, const arm::Profile &profile, double seconds)
{
    const Range r = d.selection();
    if (const TimedSpan *span = spanAt(d.timedSpans(), r.first, r.count)) {
        const moves::Planned planned =
            moves::plan(profile, {span->path.from, span->path.to, span->path.ease, seconds});
        if (!planned.path)
            return {{}, planned.error};
        std::vector<Step> without = removed(d.records(), r);
        const std::vector<Step> steps = moves::steps(*planned.path);
        without.insert(without.begin() + r.first, steps.begin(), steps.end());
        const int count = int(steps.size());
        return {{std::move(without), {r.first, count}, TimedSpan{r.first, count, *planned.path}},
                {}};
    }
    const Retimed retimed = edits::retimed(d.records(), r, seconds, d.passStart());
    if (!retimed.error.isEmpty())
        return {{}, retimed.error};
    const int count = r.count + int(retimed.records.size()) - d.size();
    return {{retimed.records, {r.first, count}, std::nullopt}, {}};
}

moves::Request loopCloseRequest(const MotionDocument &d, moves::Ease ease,
                                std::optional<double> seconds)
{
    return {poseAtEnd(d), d.passStart(), ease, seconds};
}

Edited closeTheLoop(const MotionDocument &d, const moves::Path &path)
{
    return timedInsert(d, std::max(d.size(), 1), path);
}

} // namespace edits
