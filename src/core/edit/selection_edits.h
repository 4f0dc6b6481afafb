#pragma once
// The edits as the editor's menus make them: each works on the document's selection (or the
// place between records where inserts go) and returns the records after it and what is selected
// after it: the copy, the holds, the walk, the range itself. The window only asks for the
// parameters and takes the result as one undoable step.

#include "core/edit/motion_edits.h"
#include "core/edit/timed_spans.h"

#include <QString>
#include <vector>

class MotionDocument;

namespace edits {

struct Edited {
    Edited() = default;
    Edited(std::vector<Step> r, Range s, std::optional<TimedSpan> t = std::nullopt)
        : records(std::move(r)), selection(s), timed(std::move(t))
    {
    }
    std::vector<Step> records;
    Range selection;
    std::optional<TimedSpan> timed; // the timed move the edit made, when it made one
};

// The most records an edit may leave. Kestrel saves at most 12,010, but a motion may grow past
// that while it is edited (a paste, then a cut); this only keeps a slip (a hold of minutes, a
// slow-down by a hundred of a long motion) from filling the memory with undo history.
inline constexpr int mostRecords = 250000;

// Why the edit `name` may not be taken; empty when it may.
QString refusal(const QString &name, const Edited &edited);

Edited deleteSelected(const MotionDocument &d); // Delete and Cut
// The clip after the selection, or at the place between records; the clip is selected.
Edited paste(const MotionDocument &d, const std::vector<Step> &clip);
Edited duplicateSelected(const MotionDocument &d);
Edited reverseSelected(const MotionDocument &d);

Edited setSelected(const MotionDocument &d, int channel, int value);
Edited offsetSelected(const MotionDocument &d, int channel, int delta);
Edited scaleSelected(const MotionDocument &d, int channel, double factor, int pivot);

// `holds` holds before the selection; the holds are selected.
Edited holdBeforeSelection(const MotionDocument &d, int holds);
// The selection slowed down; the slowed range, holds and all, stays selected.
Edited slowSelected(const MotionDocument &d, double factor);
// A move from the pose before the selection to `target`, before the selection; the move is
// selected.
Edited poseMoveBeforeSelection(const MotionDocument &d, const timing::Pose &target, PoseOrder order,
                               int holdsPerPosition);
Edited smoothSelected(const MotionDocument &d, int maxJump, int holdsPerPosition);

} // namespace edits
