#include "edit/window/timed_handlers.h"

#include "core/edit/motion_document.h"
#include "core/edit/retime.h"
#include "core/edit/timed_edits.h"
#include "edit/window/edit_history.h"
#include "edit/window/editor_profile.h"
#include "edit/window/notices.h"
#include "edit/window/questions.h"
#include "edit/window/timed_move_dialog.h"

#include <QMainWindow>

TimedHandlers::TimedHandlers(MotionDocument &document, EditHistory &history,
                             ask::Questions *questions, const Notices &notices,
                             const EditorProfile &profile)
    : m_document(document), m_history(history), m_questions(questions), m_notices(notices),
      m_profile(profile)
{
}

ask::TimedMoveSetup TimedHandlers::setup(const QString &title, const timing::Pose &from,
                                         const timing::Pose &target) const
{
    return {title, m_profile.profile(), from, target,
            ask::poseSources(m_document, m_profile.profile())};
}

void TimedHandlers::take(const QString &name, const moves::Request &request, Place place,
                         const QString &made)
{
    const moves::Planned planned = moves::plan(m_profile.profile(), request);
    if (!planned.path) {
        m_notices.showMessage(planned.error);
        return;
    }
    const moves::Path &path = *planned.path;
    // A move to where the arm already stands takes no time and makes no step: no edit.
    if (path.seconds <= 0) {
        m_notices.say(QStringLiteral("The arm already stands in that pose: no move was made."));
        return;
    }
    edits::Edited edited = place == Place::AtEnd
                               ? edits::closeTheLoop(m_document, path)
                               : edits::timedMoveBeforeSelection(m_document, path);
    const int steps = edited.selection.count;
    const QString refused = m_history.apply(name, std::move(edited));
    if (!refused.isEmpty()) {
        m_notices.showMessage(refused);
        return;
    }
    m_notices.say(QStringLiteral("%1: %2, %3, %4 steps")
                      .arg(made, ask::secondsText(path.seconds), moves::easeName(path.ease))
                      .arg(steps));
}

void TimedHandlers::timedMoveToPose()
{
    const timing::Pose from = edits::poseBeforeSelection(m_document);
    const auto move = m_questions->timedMove(
        m_notices.window(), setup(QStringLiteral("Timed Move to Pose"), from, from));
    if (!move)
        return;
    take(QStringLiteral("Timed Move to Pose"), {from, move->target, move->ease, move->seconds},
         Place::BeforeSelection, QStringLiteral("Timed move"));
}

void TimedHandlers::retimeSelection()
{
    const edits::Range r = m_document.selection();
    if (r.count <= 0)
        return;
    const timing::Pose start = m_document.passStart();
    const double before = edits::rangeSeconds(m_document.records(), r, start);
    const auto seconds = m_questions->retimeSeconds(m_notices.window(), before);
    if (!seconds)
        return;
    edits::TimedEdit retimed = edits::retimeSelected(m_document, m_profile.profile(), *seconds);
    QString refused = retimed.error;
    if (refused.isEmpty())
        refused = m_history.apply(QStringLiteral("Retime Selection"), std::move(retimed.edited));
    if (!refused.isEmpty()) {
        m_notices.showMessage(refused);
        return;
    }
    const double after = edits::rangeSeconds(m_document.records(), m_document.selection(), start);
    m_notices.say(QStringLiteral("Retimed: %1 to %2.")
                      .arg(ask::secondsText(before), ask::secondsText(after)));
}

void TimedHandlers::closeTheLoop()
{
    const timing::Pose end = edits::poseAtEnd(m_document);
    const timing::Pose start = m_document.passStart();
    if (end == start) {
        m_notices.say(QStringLiteral("The pass already ends in the pose it starts from."));
        return;
    }
    const QString name = QStringLiteral("Close the Loop");
    const QString made = QStringLiteral("Closed the loop");
    const moves::Request smooth = edits::loopCloseRequest(m_document, moves::Ease::Smooth, {});
    if (moves::plan(m_profile.profile(), smooth).path)
        return take(name, smooth, Place::AtEnd, made);
    // The caps cannot time it (the joints it moves have none): the duration is asked for.
    const auto move = m_questions->timedMove(m_notices.window(), setup(name, end, start));
    if (!move)
        return;
    take(name, {end, move->target, move->ease, move->seconds}, Place::AtEnd, made);
}

void TimedHandlers::insertPoseHere(const timing::Pose &target)
{
    const QString name = QStringLiteral("Insert Pose Here");
    const QString made = QStringLiteral("Timed move");
    const timing::Pose from = edits::poseBeforeSelection(m_document);
    const moves::Request smooth{from, target, moves::Ease::Smooth, {}};
    if (moves::plan(m_profile.profile(), smooth).path)
        return take(name, smooth, Place::BeforeSelection, made);
    const auto move = m_questions->timedMove(m_notices.window(), setup(name, from, target));
    if (!move)
        return;
    take(name, {from, move->target, move->ease, move->seconds}, Place::BeforeSelection, made);
}
