// Jogging in the editor's preview, offscreen: the keys on the focused preview show the pose
// the jog (core) solves, with its line; Save Pose As names it; Insert Pose Here inserts a timed
// move to it before the selection, asking a duration without caps; one undo removes it.

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
    arm::Profile profile = arm::defaults();
    for (arm::Joint &j : profile.joints)
        j.maxSpeed = caps ? std::optional(180.0) : std::nullopt;
    const QString file = dir.filePath(QStringLiteral("m.kmv"));
    const std::vector<Step> taught{{0, 150}, {2, 90}, {1, 140}, {0, 170}, {2, 60}};
    EditorWindow w({.dialogs = &dialogs,
                    .questions = &questions,
                    .stateFolder = dir.filePath(QStringLiteral("state")),
                    .settings = {},
                    .profilePath = dir.filePath(QStringLiteral("arm.ini")),
                    .profile = profile});
    QVERIFY(writeFile(file, movementText(taught)) && w.openFile(file));
    MotionDocument &doc = w.document();
    doc.select({2, 2});
    w.show();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    w.action(QStringLiteral("focusPreview"))->trigger();
    auto *preview = w.findChild<PreviewPanel *>(QStringLiteral("preview"));
    auto *line = w.findChild<QLabel *>(QStringLiteral("jogLine"));
    QAction *insert = w.action(QStringLiteral("insertPoseHere"));
    QVERIFY(preview->hasFocus() && line && !insert->isEnabled());

    // Each key moves the aim along its axis; the shown pose is the solve's, near the last.
    jog::TipJog expected;
    expected.reset(profile, preview->pose());
    arm::Point aim = expected.target().point;
    for (const auto &[key, shift, axis, by] : {std::tuple{Qt::Key_Up, false, jog::Axis::X, 1.0},
                                               {Qt::Key_Left, false, jog::Axis::Y, 1.0},
                                               {Qt::Key_PageDown, false, jog::Axis::Z, -1.0},
                                               {Qt::Key_Down, true, jog::Axis::X, -10.0}}) {
        QTest::keyClick(preview, key, shift ? Qt::ShiftModifier : Qt::NoModifier);
        QVERIFY(expected.move(profile, {axis, by}));
        (axis == jog::Axis::X ? aim.x : axis == jog::Axis::Y ? aim.y : aim.z) += by;
        QCOMPARE(preview->pose(), expected.pose());
        const arm::Point tool = arm::forward(profile, preview->pose()).tool;
        const double off = std::hypot(tool.x - aim.x, tool.y - aim.y, tool.z - aim.z);
        QVERIFY(off <= expected.distance() + 1e-9 && off < 1);
        QVERIFY2(line->text() == expected.text() && insert->isEnabled(), qPrintable(line->text()));
    }
    const arm::Pose jogged = preview->pose();
    questions.poseNames << QStringLiteral("jogged");
    w.action(QStringLiteral("savePoseAs"))->trigger();
    QCOMPARE(w.profile().profile().poses.at(0).positions, jogged);

    const auto planned =
        moves::plan(profile, {edits::poseBeforeSelection(doc), jogged, moves::Ease::Smooth,
                              caps ? std::nullopt : std::optional(1.5)});
    const edits::Edited made = edits::timedMoveBeforeSelection(doc, *planned.path);
    questions.timedMoves << ask::TimedMove{jogged, 1.5, moves::Ease::Smooth};
    insert->trigger();
    QCOMPARE(questions.timedShown, caps ? QList<timing::Pose>{} : QList<timing::Pose>{jogged});
    QCOMPARE(doc.records(), made.records);
    // The clock's pose is shown again (now the jogged one), and the jog ends.
    QCOMPARE(preview->pose(), jogged);
    QVERIFY(line->text().isEmpty() && !insert->isEnabled() && w.undoStack().count() == 1);
    w.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(doc.records(), taught);
}

QTEST_MAIN(TestTipJogger)
#include "test_tip_jogger.moc"
