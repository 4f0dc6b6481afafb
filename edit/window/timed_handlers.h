#pragma once
// The Timing menu's timed moves: each asks what it needs, plans the move by the arm profile's
// caps (timed_move.h), calls core's edit (timed_edits.h) and takes the result as one command on
// the undo history, which keeps the move's span with it.

#include "core/edit/timed_move.h"

#include <QString>

class EditHistory;
class EditorProfile;
class MotionDocument;
class Notices;
namespace ask {
class Questions;
struct TimedMoveSetup;
} // namespace ask

class TimedHandlers {
public:
    TimedHandlers(MotionDocument &document, EditHistory &history, ask::Questions *questions,
                  const Notices &notices, const EditorProfile &profile);

    // A timed move to the pose asked for, inserted before the selection, which it becomes.
    void timedMoveToPose();
    // The selection made to take the time asked for, or a message saying why it cannot.
    void retimeSelection();
    // A smooth move at the end back to the pose the pass starts from, as fast as the caps allow;
    // when they cannot time it, the Timed Move dialog asks for a duration.
    void closeTheLoop();
    // Preview, "Insert Pose Here": a smooth move to `target` before the selection, as fast as the
    // caps allow; when they cannot time it, the Timed Move dialog asks, opened on `target`.
    void insertPoseHere(const timing::Pose &target);

private:
    enum class Place { BeforeSelection, AtEnd };
    ask::TimedMoveSetup setup(const QString &title, const timing::Pose &from,
                              const timing::Pose &target) const;
    // Plans the request and takes the move, or says why not; `made` begins the status line.
    void take(const QString &name, const moves::Request &request, Place place, const QString &made);

    MotionDocument &m_document;
    EditHistory &m_history;
    ask::Questions *m_questions;
    const Notices &m_notices;
    const EditorProfile &m_profile;
};
