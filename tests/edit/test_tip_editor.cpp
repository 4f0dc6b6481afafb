// Move Tip To offscreen, wired to its core (whose rules are tested in core): the dialog starts at
// the tool point of the pose before the selection, takes a named pose's, says what the move will
// be or why not; its answer, taken, inserts the line's steps before the selection as one command
// that undo removes.

#include "core/edit/motion_document.h"
#include "core/edit/timed_edits.h"
#include "edit/window/editor_window.h"
#include "edit/window/tip_move_dialog.h"
#include "scripted_questions.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

class TestTipEditor : public QObject {
    Q_OBJECT
private slots:
    void dialogsLineIsInsertedAndUndone();
};

void TestTipEditor::dialogsLineIsInsertedAndUndone()
{
    const std::vector<Step> taught{{0, 0}, {0, 150}, {2, 90}, {0, 127}, {2, 127}, {1, 140}};
    arm::Profile profile = arm::defaults();
    profile.poses = {{QStringLiteral("reach"), {100, 150, 90, 120, 30}}};
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    EditorServices s;
    s.profile = profile;
    s.profilePath = dir.filePath(QStringLiteral("arm.ini"));
    s.dialogs = &dialogs;
    s.questions = &questions;
    s.stateFolder = dir.filePath(QStringLiteral("state"));
    EditorWindow w(s);
    const QString file = dir.filePath(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText(taught)) && w.openFile(file));
    MotionDocument &doc = w.document();
    doc.select({5, 0}); // after the base and the elbow are back at 127
    const timing::Pose from = edits::poseBeforeSelection(doc);
    QCOMPARE(from, (timing::Pose{127, 127, 127, 127, 127}));

    ask::TipMoveDialog d(nullptr, {profile, from});
    const auto field = [&d](const char *name) {
        return d.findChild<QDoubleSpinBox *>(QString::fromLatin1(name));
    };
    auto *result = d.findChild<QLabel *>(QStringLiteral("tipResult"));
    QCOMPARE(field("tipX")->value(), 132.0); // the tool point at 127 everywhere
    QCOMPARE(field("tipZ")->value(), 160.0);
    QVERIFY(!d.okButton()->isEnabled()); // already there
    auto *named = d.findChild<QComboBox *>(QStringLiteral("namedPose"));
    named->setCurrentIndex(0);
    Q_EMIT named->activated(0);
    const arm::Reach reach = arm::forward(profile, profile.poses[0].positions);
    QCOMPARE(field("tipY")->value(), std::round(reach.tool.y * 100) / 100);
    field("tipX")->setValue(132);
    field("tipY")->setValue(60);
    field("tipZ")->setValue(-400);
    QVERIFY(!d.okButton()->isEnabled());
    QVERIFY2(result->text().startsWith(QStringLiteral("At ")), qPrintable(result->text()));
    field("tipZ")->setValue(140);
    field("tipPitch")->setValue(-20);
    QVERIFY2(d.okButton()->isEnabled(), qPrintable(result->text()));
    QCOMPARE(result->text(), tips::summary(profile, d.planned()));
    QVERIFY(d.planned().line);

    const tips::Request asked = d.chosen();
    const edits::Edited expected = tips::beforeSelection(doc, tips::plan(profile, from, asked));
    questions.tipMoves << asked;
    w.action(QStringLiteral("moveTipTo"))->trigger();
    QCOMPARE(doc.records(), expected.records);
    QCOMPARE(doc.selection().first, 5);
    QCOMPARE(doc.selection().count, expected.selection.count);
    QVERIFY(w.statusBar()->currentMessage().startsWith(
        QStringLiteral("Moved the tip: straight line, ")));
    QCOMPARE(w.undoStack().count(), 1);
    w.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(doc.records(), taught);
    w.action(QStringLiteral("redo"))->trigger();
    QCOMPARE(doc.records(), expected.records);
}

QTEST_MAIN(TestTipEditor)
#include "test_tip_editor.moc"
