// The edits: each asks for what it needs, calls core's edit and pushes the result as one
// command. The selection after an edit is what the edit made (the copy, the holds, the walk).

#include "core/motion/axes.h"
#include "core/store/movement_file.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"

#include <QApplication>
#include <QClipboard>
#include <QMimeData>
#include <memory>

namespace {

// The steps on the clipboard travel as a movement file's text, so that they can be pasted
// into another editor window or a text editor and back.
QByteArray asText(const std::vector<Step> &steps)
{
    auto buffer = std::make_unique<StepBuffer>();
    movement::fill(*buffer, steps);
    return movement::write(*buffer, 1, int(steps.size()));
}

std::vector<Step> slice(const std::vector<Step> &r, edits::Range range)
{
    return {r.begin() + range.first, r.begin() + range.first + range.count};
}

} // namespace

edits::Range EditorWindow::insertedAt(int at, int added) const
{
    // Before record 2 the edits insert after record 1, which no pass plays.
    const int size = m_document.size();
    const int first = std::clamp(at <= 1 ? std::min(1, size - added) : at, 0, size - added);
    return {first, added};
}

void EditorWindow::push(const QString &name, std::vector<Step> after, edits::Range selected)
{
    const size_t records = after.size();
    if (!m_document.apply(name, std::move(after), selected))
        showMessage(QStringLiteral("%1 would make %2 records; the editor keeps at most %3. "
                                   "Nothing was changed.")
                        .arg(name)
                        .arg(records)
                        .arg(MotionDocument::mostRecords));
}

void EditorWindow::deleteSteps()
{
    const edits::Range r = m_document.selection();
    push(QStringLiteral("Delete"), edits::removed(m_document.records(), r), {r.first, 0});
}

void EditorWindow::cutSteps()
{
    copySteps();
    const edits::Range r = m_document.selection();
    push(QStringLiteral("Cut"), edits::removed(m_document.records(), r), {r.first, 0});
}

void EditorWindow::copySteps()
{
    const edits::Range r = m_document.selection();
    if (r.count <= 0)
        return;
    auto *mime = new QMimeData;
    mime->setText(QString::fromLatin1(asText(slice(m_document.records(), r))));
    QApplication::clipboard()->setMimeData(mime);
    say(QStringLiteral("%1 steps copied.").arg(r.count));
}

void EditorWindow::pasteSteps()
{
    const QString text = QApplication::clipboard()->text();
    const movement::ReadResult clip = movement::read(text.toLatin1());
    if (text.isEmpty() || !clip.ok()) {
        say(QStringLiteral("The clipboard holds no steps%1.")
                .arg(text.isEmpty()
                         ? QString()
                         : QStringLiteral(" (line %1: %2)").arg(clip.line).arg(clip.error)));
        return;
    }
    const edits::Range r = m_document.selection();
    const int at = r.first + r.count;
    const std::vector<Step> after = edits::inserted(m_document.records(), at, clip.records);
    const int added = int(after.size()) - m_document.size();
    push(QStringLiteral("Paste"), after, {std::clamp(at, 0, int(after.size()) - added), added});
}

void EditorWindow::duplicateSteps()
{
    const edits::Range r = m_document.selection();
    push(QStringLiteral("Duplicate"), edits::duplicated(m_document.records(), r),
         {r.first + r.count, r.count});
}

void EditorWindow::reverseSteps()
{
    const edits::Range r = m_document.selection();
    push(QStringLiteral("Reverse"), edits::reversed(m_document.records(), r), r);
}

void EditorWindow::selectAll()
{
    m_document.select({0, m_document.size()});
}

void EditorWindow::setPositions()
{
    changePositions(ask::AxisChange::Set);
}

void EditorWindow::offsetPositions()
{
    changePositions(ask::AxisChange::Offset);
}

void EditorWindow::scalePositions()
{
    changePositions(ask::AxisChange::Scale);
}

void EditorWindow::changePositions(int kind)
{
    const edits::Range r = m_document.selection();
    if (r.count <= 0)
        return;
    // The axis of the first selected step is the likely one.
    const int first = m_document.records()[size_t(r.first)].channel;
    const auto c = m_services.questions->axisChange(this, ask::AxisChange::Kind(kind),
                                                    first < axes::count ? first : 0);
    if (!c)
        return;
    const std::vector<Step> &rec = m_document.records();
    switch (c->kind) {
    case ask::AxisChange::Set:
        push(QStringLiteral("Set Positions"), edits::positionsSet(rec, r, c->channel, c->value), r);
        break;
    case ask::AxisChange::Offset:
        push(QStringLiteral("Offset Positions"),
             edits::positionsOffset(rec, r, c->channel, c->value), r);
        break;
    case ask::AxisChange::Scale:
        push(QStringLiteral("Scale Positions"),
             edits::positionsScaled(rec, r, c->channel, c->factor, c->pivot), r);
        break;
    }
}

void EditorWindow::insertHold()
{
    const auto seconds = m_services.questions->holdSeconds(this);
    if (!seconds)
        return;
    const int holds = edits::holdsFor(*seconds);
    if (holds == 0) {
        say(QStringLiteral("A hold that short is no hold: the shortest is 1/240 s."));
        return;
    }
    const int at = m_document.selection().first;
    const std::vector<Step> after =
        edits::holdInserted(m_document.records(), at, holds, m_document.passStart());
    const int added = int(after.size()) - m_document.size();
    const edits::Range made = insertedAt(at, 0);
    push(QStringLiteral("Insert Hold"), after, {made.first, added});
    say(QStringLiteral("%1 holds: %2 s.").arg(holds).arg(holds / 240.0, 0, 'f', 3));
}

void EditorWindow::slowDown()
{
    const edits::Range r = m_document.selection();
    const auto factor = m_services.questions->slowFactor(this);
    if (!factor || r.count <= 0)
        return;
    const std::vector<Step> after =
        edits::slowed(m_document.records(), r, *factor, m_document.passStart());
    push(QStringLiteral("Slow Down"), after,
         {r.first, r.count + int(after.size()) - m_document.size()});
}

void EditorWindow::moveToPose()
{
    const std::vector<Step> &rec = m_document.records();
    const timing::Pose start = m_document.passStart();
    const int at = m_document.selection().first;
    const timing::Pose from = edits::poseAfter(rec, at - 1, start);
    const auto move =
        m_services.questions->poseMove(this, from, m_document.size(), [&rec, start](int record) {
            return edits::poseAfter(rec, record - 1, start);
        });
    if (!move)
        return;
    const std::vector<Step> after =
        edits::poseMoveInserted(rec, at, from, move->target, move->order, move->holdsPerPosition);
    const int added = int(after.size()) - m_document.size();
    const edits::Range made = insertedAt(at, 0);
    push(QStringLiteral("Move to Pose"), after, {made.first, added});
    say(QStringLiteral("Moves at %1.").arg(ask::rateText(move->holdsPerPosition)));
}

void EditorWindow::smoothSteps()
{
    const edits::Range r = m_document.selection();
    const auto s = m_services.questions->smoothing(this);
    if (!s || r.count <= 0)
        return;
    const std::vector<Step> after = edits::smoothed(m_document.records(), r, s->maxJump,
                                                    s->holdsPerPosition, m_document.passStart());
    push(QStringLiteral("Smooth"), after,
         {r.first, r.count + int(after.size()) - m_document.size()});
    say(QStringLiteral("Walks at %1.").arg(ask::rateText(s->holdsPerPosition)));
}
