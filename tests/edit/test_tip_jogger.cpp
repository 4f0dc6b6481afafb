// Jogging the tool point in the editor's preview, offscreen (the jog's rules are tested in
// core): the keys on the focused preview show the pose the jog solves and the line says where
// the tool point reached; Insert Pose Here inserts a timed move to that pose before the
// selection, asking for a duration when the caps cannot time it, and one undo removes it.

#include "core/edit/timed_edits.h"
#include "core/edit/tip_jog.h"
#include "edit/window/editor_window.h"
#include "edit/window/preview_panel.h"
#include "scripted_questions.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

namespace {

const std::vector<Step> taught{{0, 150}, {2, 90}, {1, 140}, {0, 170}, {2, 60}, {3, 100}};

arm::Profile profileWith(bool caps)
{
    arm::Profile p = arm::defaults();
    for (arm::Joint &j : p.joints) {
        if (caps)
            j.maxSpeed = 180, j.maxAccel = 720;
    }
    return p;
}

} // namespace

class TestTipJogger : public QObject {
    Q_OBJECT
private slots:
    void keysJogAndInsertThePose_data();
    void keysJogAndInsertThePose();
};

void TestTipJogger::keysJogAndInsertThePose_data()
{
    QTest::addColumn<bool>("caps");
    QTest::newRow("timed by the caps") << true;
    QTest::newRow("a duration asked") << false;
}

void TestTipJogger::keysJogAndInsertThePose()
{
    QFETCH(bool, caps);
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    EditorServices s;
    s.profile = profileWith(caps);
    s.profilePath = dir.filePath(QStringLiteral("arm.ini"));
    s.dialogs = &dialogs;
    s.questions = &questions;
    s.stateFolder = dir.filePath(QStringLiteral("state"));
    EditorWindow w(s);
    const QString file = dir.filePath(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText(taught)) && w.openFile(file));
    MotionDocument &doc = w.document();
    doc.select({2, 2});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.action(QStringLiteral("focusPreview"))->trigger();
    auto *preview = w.findChild<PreviewPanel *>(QStringLiteral("preview"));
    auto *line = w.findChild<QLabel *>(QStringLiteral("jogLine"));
    QVERIFY(preview->hasFocus() && line);
    QAction *insert = w.action(QStringLiteral("insertPoseHere"));
    QVERIFY(!insert->isEnabled());

    // Each key moves the target along its axis; the shown pose is the solve's, near the last.
    jog::TipJog expected;
    expected.reset(s.profile, preview->pose());
    arm::Point aimed = arm::forward(s.profile, preview->pose()).tool;
    const struct {
        Qt::Key key;
        Qt::KeyboardModifiers modifiers;
        jog::Step step;
    } keys[] = {{Qt::Key_Up, {}, {jog::Axis::X, 1}},
                {Qt::Key_Left, {}, {jog::Axis::Y, 1}},
                {Qt::Key_PageDown, {}, {jog::Axis::Z, -1}},
                {Qt::Key_Down, Qt::ShiftModifier, {jog::Axis::X, -10}}};
    for (const auto &k : keys) {
        QTest::keyClick(preview, k.key, k.modifiers);
        QVERIFY(expected.move(s.profile, k.step));
        double *along[] = {&aimed.x, &aimed.y, &aimed.z};
        *along[int(k.step.axis)] += k.step.amount;
        QCOMPARE(preview->pose(), expected.pose());
        const arm::Point tool = arm::forward(s.profile, preview->pose()).tool;
        QVERIFY(std::hypot(tool.x - aimed.x, tool.y - aimed.y, tool.z - aimed.z) <=
                expected.distance() + 1e-9);
        QVERIFY(expected.distance() < 1);
        QCOMPARE(line->text(), expected.text());
    }
    QVERIFY(insert->isEnabled());

    const arm::Pose jogged = preview->pose();
    const auto planned =
        moves::plan(s.profile, {edits::poseBeforeSelection(doc), jogged, moves::Ease::Smooth,
                                caps ? std::nullopt : std::optional(1.5)});
    const edits::Edited made = edits::timedMoveBeforeSelection(doc, *planned.path);
    questions.timedMoves << ask::TimedMove{jogged, 1.5, moves::Ease::Smooth};
    insert->trigger();
    QCOMPARE(questions.timedShown, caps ? QList<timing::Pose>{} : QList<timing::Pose>{jogged});
    QCOMPARE(doc.records(), made.records);
    QCOMPARE(doc.selection().first, 2);
    QCOMPARE(w.undoStack().count(), 1);
    // The edit shows the clock's pose again, which is now the jogged one, and ends the jog.
    QCOMPARE(preview->pose(), jogged);
    QVERIFY(line->text().isEmpty() && !insert->isEnabled());
    w.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(doc.records(), taught);
}

QTEST_MAIN(TestTipJogger)
#include "test_tip_jogger.moc"
