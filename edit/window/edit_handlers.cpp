#include "edit/window/edit_handlers.h"

#include "core/edit/fit_to_limits.h"
#include "core/edit/motion_document.h"
#include "core/motion/axes.h"
#include "core/store/movement_file.h"
#include "edit/window/edit_history.h"
#include "edit/window/editor_profile.h"
#include "edit/window/notices.h"
#include "edit/window/questions.h"

#include <QApplication>
#include <QClipboard>
#include <QMainWindow>
#include <QMimeData>

namespace {

// The steps on the clipboard travel as a movement file's text, so that they can be pasted
// into another editor window or a text editor and back.
QByteArray asText(const std::vector<Step> &steps)
{
    return movement::text(steps);
}

// "1 step", "3 steps".
QString counted(int n, const char *one, const char *many)
{
    return QStringLiteral("%1 %2").arg(n).arg(QLatin1String(n == 1 ? one : many));
}

std::vector<Step> slice(const std::vector<Step> &r, edits::Range range)
{
    return {r.begin() + range.first, r.begin() + range.first + range.count};
}

} // namespace

EditHandlers::EditHandlers(MotionDocument &document, EditHistory &history,
                           ask::Questions *questions, const Notices &notices,
                           const EditorProfile &profile)
    : m_document(document), m_history(history), m_questions(questions), m_notices(notices),
      m_profile(profile)
{
}

bool EditHandlers::push(const QString &name, edits::Edited edited)
{
    const QString refused = m_history.apply(name, std::move(edited));
    if (!refused.isEmpty())
        m_notices.showMessage(refused);
    return refused.isEmpty();
}

void EditHandlers::deleteSteps()
{
    push(QStringLiteral("Delete"), edits::deleteSelected(m_document));
}

void EditHandlers::cutSteps()
{
    copySteps();
    push(QStringLiteral("Cut"), edits::deleteSelected(m_document));
}

void EditHandlers::copySteps()
{
    const edits::Range r = m_document.selection();
    if (r.count <= 0)
        return;
    auto *mime = new QMimeData;
    mime->setText(QString::fromLatin1(asText(slice(m_document.records(), r))));
    QApplication::clipboard()->setMimeData(mime);
    m_notices.say(QStringLiteral("%1 steps copied.").arg(r.count));
}

void EditHandlers::pasteSteps()
{
    const QString text = QApplication::clipboard()->text();
    const movement::ReadResult clip = movement::read(text.toLatin1());
    if (text.isEmpty() || !clip.ok()) {
        m_notices.say(
            QStringLiteral("The clipboard holds no steps%1.")
                .arg(text.isEmpty()
                         ? QString()
                         : QStringLiteral(" (line %1: %2)").arg(clip.line).arg(clip.error)));
        return;
    }
    push(QStringLiteral("Paste"), edits::paste(m_document, clip.records));
}

void EditHandlers::duplicateSteps()
{
    push(QStringLiteral("Duplicate"), edits::duplicateSelected(m_document));
}

void EditHandlers::reverseSteps()
{
    push(QStringLiteral("Reverse"), edits::reverseSelected(m_document));
}

void EditHandlers::selectAll()
{
    m_document.select({0, m_document.size()});
}

void EditHandlers::setPositions()
{
    changePositions(ask::AxisChange::Set);
}

void EditHandlers::offsetPositions()
{
    changePositions(ask::AxisChange::Offset);
}

void EditHandlers::scalePositions()
{
    changePositions(ask::AxisChange::Scale);
}

void EditHandlers::changePositions(int kind)
{
    const edits::Range r = m_document.selection();
    if (r.count <= 0)
        return;
    // The axis of the first selected step is the likely one.
    const int first = m_document.records()[size_t(r.first)].channel;
    const auto c = m_questions->axisChange(m_notices.window(), ask::AxisChange::Kind(kind),
                                           first < axes::count ? first : 0);
    if (!c)
        return;
    switch (c->kind) {
    case ask::AxisChange::Set:
        push(QStringLiteral("Set Positions"), edits::setSelected(m_document, c->channel, c->value));
        break;
    case ask::AxisChange::Offset:
        push(QStringLiteral("Offset Positions"),
             edits::offsetSelected(m_document, c->channel, c->value));
        break;
    case ask::AxisChange::Scale:
        push(QStringLiteral("Scale Positions"),
             edits::scaleSelected(m_document, c->channel, c->factor, c->pivot));
        break;
    }
}

void EditHandlers::insertHold()
{
    const auto seconds = m_questions->holdSeconds(m_notices.window());
    if (!seconds)
        return;
    const int holds = edits::holdsFor(*seconds);
    if (holds == 0) {
        m_notices.say(QStringLiteral("A hold that short is no hold: the shortest is 1/240 s."));
        return;
    }
    push(QStringLiteral("Insert Hold"), edits::holdBeforeSelection(m_document, holds));
    m_notices.say(QStringLiteral("%1 holds: %2 s.").arg(holds).arg(holds / 240.0, 0, 'f', 3));
}

void EditHandlers::slowDown()
{
    const auto factor = m_questions->slowFactor(m_notices.window());
    if (!factor || m_document.selection().count <= 0)
        return;
    push(QStringLiteral("Slow Down"), edits::slowSelected(m_document, *factor));
}

void EditHandlers::moveToPose()
{
    const timing::Pose from = edits::poseAfter(
        m_document.records(), m_document.selection().first - 1, m_document.passStart());
    const auto move = m_questions->poseMove(m_notices.window(), from,
                                            ask::poseSources(m_document, m_profile.profile()));
    if (!move)
        return;
    push(QStringLiteral("Move to Pose"),
         edits::poseMoveBeforeSelection(m_document, move->target, move->order,
                                        move->holdsPerPosition));
    m_notices.say(QStringLiteral("Moves at %1.").arg(ask::rateText(move->holdsPerPosition)));
}

void EditHandlers::smoothSteps()
{
    const auto s = m_questions->smoothing(m_notices.window());
    if (!s || m_document.selection().count <= 0)
        return;
    push(QStringLiteral("Smooth"),
         edits::smoothSelected(m_document, s->maxJump, s->holdsPerPosition));
    m_notices.say(QStringLiteral("Walks at %1.").arg(ask::rateText(s->holdsPerPosition)));
}

void EditHandlers::fitToLimits()
{
    edits::Fitted fitted =
        edits::fittedToLimits(m_document.records(), m_profile.profile(), m_document.passStart());
    // Nothing to fit is no edit: the undo history gets no empty entry.
    if (!fitted.changed()) {
        m_notices.say(QStringLiteral("Nothing needed fitting: every step is within the arm's "
                                     "limits and no jump is over its max_step."));
        return;
    }
    if (!push(QStringLiteral("Fit to Limits"), {std::move(fitted.records), m_document.selection()}))
        return;
    m_notices.say(QStringLiteral("Fitted to the limits: %1 clamped, %2 added.")
                      .arg(counted(fitted.clamped, "position", "positions"),
                           counted(fitted.added, "step", "steps")));
}
