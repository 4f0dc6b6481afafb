#include "edit/window/tip_handlers.h"

#include "core/edit/motion_document.h"
#include "core/edit/timed_edits.h"
#include "core/edit/tip_move.h"
#include "edit/window/edit_history.h"
#include "edit/window/editor_profile.h"
#include "edit/window/notices.h"
#include "edit/window/questions.h"
#include "edit/window/timed_move_dialog.h"

#include <QMainWindow>

TipHandlers::TipHandlers(MotionDocument &document, EditHistory &history, ask::Questions *questions,
                         const Notices &notices, const EditorProfile &profile)
    : m_document(document), m_history(history), m_questions(questions), m_notices(notices),
      m_profile(profile)
{
}

void TipHandlers::moveTipTo()
{
    const arm::Profile &profile = m_profile.profile();
    const timing::Pose from = edits::poseBeforeSelection(m_document);
    const auto request = m_questions->tipMove(m_notices.window(), {profile, from});
    if (!request)
        return;
    const tips::Planned planned = tips::plan(profile, from, *request);
    if (!planned.error.isEmpty()) {
        m_notices.showMessage(planned.error);
        return;
    }
    edits::Edited edited = tips::beforeSelection(m_document, planned);
    const int steps = edited.selection.count;
    const QString refused = m_history.apply(QStringLiteral("Move Tip To"), std::move(edited));
    if (!refused.isEmpty()) {
        m_notices.showMessage(refused);
        return;
    }
    m_notices.say(
        QStringLiteral("Moved the tip: %1, %2, %3 steps, %4 mm from the target")
            .arg(planned.line ? QStringLiteral("straight line") : QStringLiteral("joint move"),
                 ask::secondsText(planned.seconds()))
            .arg(steps)
            .arg(planned.distance, 0, 'f', 2));
}
