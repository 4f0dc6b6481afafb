#include "core/edit/selection_edits.h"

#include "core/edit/motion_document.h"

#include <algorithm>

namespace edits {

namespace {

// What an insert of `after` before index `at` selects: the records it added. Before record 2
// the edits insert after record 1, which no pass plays.
Edited insertedBefore(const MotionDocument &d, int at, std::vector<Step> after)
{
    const int size = d.size();
    const int first = std::clamp(at <= 1 ? std::min(1, size) : at, 0, size);
    const int added = int(after.size()) - size;
    return {std::move(after), {first, added}};
}

// The selection grown by what the edit added inside it.
Edited grownInPlace(const MotionDocument &d, std::vector<Step> after)
{
    const Range r = d.selection();
    const int added = int(after.size()) - d.size();
    return {std::move(after), {r.first, r.count + added}};
}

} // namespace

QString refusal(const QString &name, const Edited &edited)
{
    if (edited.records.size() <= size_t(mostRecords))
        return {};
    return QStringLiteral("%1 would make %2 records; the editor keeps at most %3. "
                          "Nothing was changed.")
        .arg(name)
        .arg(edited.records.size())
        .arg(mostRecords);
}

Edited deleteSelected(const MotionDocument &d)
{
    const Range r = d.selection();
    return {removed(d.records(), r), {r.first, 0}};
}

Edited paste(const MotionDocument &d, const std::vector<Step> &clip)
{
    const Range r = d.selection();
    const int at = r.first + r.count;
    std::vector<Step> after = inserted(d.records(), at, clip);
    const int added = int(after.size()) - d.size();
    const int first = std::clamp(at, 0, int(after.size()) - added);
    return {std::move(after), {first, added}};
}

Edited duplicateSelected(const MotionDocument &d)
{
    const Range r = d.selection();
    return {duplicated(d.records(), r), {r.first + r.count, r.count}};
}

Edited reverseSelected(const MotionDocument &d)
{
    return {reversed(d.records(), d.selection()), d.selection()};
}

Edited setSelected(const MotionDocument &d, int channel, int value)
{
    return {positionsSet(d.records(), d.selection(), channel, value), d.selection()};
}

Edited offsetSelected(const MotionDocument &d, int channel, int delta)
{
    return {positionsOffset(d.records(), d.selection(), channel, delta), d.selection()};
}

Edited scaleSelected(const MotionDocument &d, int channel, double factor, int pivot)
{
    return {positionsScaled(d.records(), d.selection(), channel, factor, pivot), d.selection()};
}

Edited holdBeforeSelection(const MotionDocument &d, int holds)
{
    const int at = d.selection().first;
    return insertedBefore(d, at, holdInserted(d.records(), at, holds, d.passStart()));
}

Edited slowSelected(const MotionDocument &d, double factor)
{
    return grownInPlace(d, slowed(d.records(), d.selection(), factor, d.passStart()));
}

Edited poseMoveBeforeSelection(const MotionDocument &d, const timing::Pose &target, PoseOrder order,
                               int holdsPerPosition)
{
    const int at = d.selection().first;
    const timing::Pose from = poseAfter(d.records(), at - 1, d.passStart());
    return insertedBefore(d, at,
                          poseMoveInserted(d.records(), at, from, target, order, holdsPerPosition));
}

Edited smoothSelected(const MotionDocument &d, int maxJump, int holdsPerPosition)
{
    return grownInPlace(
        d, smoothed(d.records(), d.selection(), maxJump, holdsPerPosition, d.passStart()));
}

} // namespace edits
