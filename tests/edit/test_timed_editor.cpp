// The editor's timed moves offscreen, each menu entry wired to its core edit (whose rules are
// tested in core): a timed move and its span come and go with undo; a retime changes the
// selection's time; Close the Loop ends the pass at its start pose, asking for a duration when
// the caps cannot time it; Save Pose As writes the pose to arm.ini and offers it from then on.

#include "core/arm/profile_file.h"
#include "core/edit/preview_clock.h"
#include "core/edit/retime.h"
#include "core/edit/timed_edits.h"
#include "edit/window/editor_window.h"
#include "edit/window/timed_move_dialog.h"
#include "scripted_questions.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QCheckBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The base and the elbow taught in jumps, ending away from the pass start (127 everywhere).
const std::vector<Step> taught{{0, 0},   {0, 150}, {2, 90}, {0, 170}, {2, 60},
                               {0, 200}, {1, 140}, {2, 40}, {0, 210}};

arm::Profile capped()
{
    arm::Profile p = arm::defaults();
    for (arm::Joint &j : p.joints) {
        j.maxSpeed = 180;
        j.maxAccel = 720;
    }
    return p;
}

struct Editor {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    std::unique_ptr<EditorWindow> window;

    EditorWindow &make(const arm::Profile &profile = arm::defaults())
    {
        EditorServices s;
        s.profile = profile;
        s.profilePath = dir.filePath(QStringLiteral("arm.ini"));
        s.dialogs = &dialogs;
        s.questions = &questions;
        s.stateFolder = dir.filePath(QStringLiteral("state"));
        window = std::make_unique<EditorWindow>(s);
        const QString file = dir.filePath(QStringLiteral("m.kmv"));
        if (!writeFile(file, movementText(taught)) || !window->openFile(file))
            qFatal("cannot open the motion");
        return *window;
    }
    void trigger(const char *name) { window->action(QString::fromLatin1(name))->trigger(); }
    QString status() const { return window->statusBar()->currentMessage(); }
};

} // namespace

class TestTimedEditor : public QObject {
    Q_OBJECT
private slots:
    void timedMoveIsOneCommandWithItsSpan();
    void retimeChangesTheSelectionsTime();
    void closeTheLoopEndsAtTheStartPose_data();
    void closeTheLoopEndsAtTheStartPose();
    void savedPoseIsWrittenAndOffered();
    void dialogShowsThePlanOrWhyNot();
};

void TestTimedEditor::timedMoveIsOneCommandWithItsSpan()
{
    Editor e;
    EditorWindow &w = e.make();
    MotionDocument &doc = w.document();
    doc.select({4, 0});
    const ask::TimedMove move{{10, 200, 127, 90, 60}, 0.5, moves::Ease::Smooth};
    const moves::Planned planned = moves::plan(
        arm::defaults(), {edits::poseBeforeSelection(doc), move.target, move.ease, move.seconds});
    const edits::Edited expected = edits::timedMoveBeforeSelection(doc, *planned.path);
    e.questions.timedMoves << move;
    e.trigger("timedMoveToPose");
    QCOMPARE(doc.records(), expected.records);
    QCOMPARE(doc.selection().first, 4);
    QCOMPARE(doc.selection().count, expected.selection.count);
    QCOMPARE(doc.timedSpans().size(), size_t(1));
    QCOMPARE(e.status(),
             QStringLiteral("Timed move: 0.50 s, smooth, %1 steps").arg(expected.selection.count));
    QCOMPARE(w.undoStack().count(), 1);
    e.trigger("undo");
    QCOMPARE(doc.records(), taught);
    QVERIFY(doc.timedSpans().empty());
    e.trigger("redo");
    QCOMPARE(doc.timedSpans().size(), size_t(1));
}

void TestTimedEditor::retimeChangesTheSelectionsTime()
{
    Editor e;
    EditorWindow &w = e.make();
    MotionDocument &doc = w.document();
    doc.select({2, 6});
    const double before = edits::rangeSeconds(doc.records(), doc.selection(), doc.passStart());
    e.questions.retimes << before * 3;
    e.trigger("retimeSelection");
    const double after = edits::rangeSeconds(doc.records(), doc.selection(), doc.passStart());
    QVERIFY2(std::abs(after - before * 3) < 0.02, qPrintable(QString::number(after)));
    QCOMPARE(w.undoStack().count(), 1);
    // A time the core refuses is said, and changes nothing.
    e.questions.retimes << 0.0;
    e.trigger("retimeSelection");
    QCOMPARE(w.undoStack().count(), 1);
    QCOMPARE(e.dialogs.shown.size(), 1);
}

// With caps the move is made at once; without, the Timed Move dialog is asked, opened on the
// pass's start pose; a pass that ends where it starts gets nothing.
void TestTimedEditor::closeTheLoopEndsAtTheStartPose_data()
{
    QTest::addColumn<bool>("caps");
    QTest::newRow("timed by the caps") << true;
    QTest::newRow("a duration asked") << false;
}

void TestTimedEditor::closeTheLoopEndsAtTheStartPose()
{
    QFETCH(bool, caps);
    Editor e;
    EditorWindow &w = e.make(caps ? capped() : arm::defaults());
    MotionDocument &doc = w.document();
    e.questions.timedMoves << ask::TimedMove{doc.passStart(), 1.5, moves::Ease::Smooth};
    e.trigger("closeTheLoop");
    QCOMPARE(edits::poseAtEnd(doc), doc.passStart());
    QCOMPARE(e.questions.timedShown.size(), caps ? 0 : 1);
    if (!caps)
        QCOMPARE(e.questions.timedShown.first(), doc.passStart());
    QVERIFY2(e.status().startsWith(QStringLiteral("Closed the loop: ")), qPrintable(e.status()));
    QCOMPARE(doc.selection().first + doc.selection().count, doc.size());
    e.trigger("closeTheLoop");
    QCOMPARE(w.undoStack().count(), 1);
    QCOMPARE(e.status(), QStringLiteral("The pass already ends in the pose it starts from."));
}

void TestTimedEditor::savedPoseIsWrittenAndOffered()
{
    Editor e;
    EditorWindow &w = e.make();
    MotionDocument &doc = w.document();
    doc.select({3, 2});
    const timing::Pose pose = PreviewClock::stillPose(doc);
    e.questions.poseNames << QStringLiteral("wave");
    e.trigger("savePoseAs");
    const arm::ProfileRead read = arm::load(w.profile().path(), false);
    QCOMPARE(read.error, QString());
    QCOMPARE(read.profile.poses, (std::vector<arm::NamedPose>{{QStringLiteral("wave"), pose}}));
    QVERIFY(read.profile == w.profile().profile());
    e.trigger("moveToPose");
    e.trigger("timedMoveToPose");
    QCOMPARE(e.questions.namedOffered, (QList<QStringList>{{"wave"}, {"wave"}}));
    // The same name again asks first; No keeps the file as it was.
    const QByteArray file = readAll(w.profile().path());
    doc.select({0, 0});
    e.questions.poseNames << QStringLiteral("wave");
    e.dialogs.answers << Dialogs::No;
    e.trigger("savePoseAs");
    QCOMPARE(e.dialogs.shown.size(), 1);
    QCOMPARE(readAll(w.profile().path()), file);
    // A pose outside a joint's limits is refused, and says which.
    arm::Profile narrow = w.profile().profile();
    narrow.joints[axes::Elbow].min = 100;
    w.profile().set(narrow);
    doc.select({4, 1});
    e.trigger("savePoseAs");
    QCOMPARE(e.dialogs.shown.last().text,
             QStringLiteral("The pose 170,127,60,127,127 cannot be saved: the elbow at 60 is below "
                            "its min 100."));
}

// Without caps a move needs a duration: OK waits for one, and the plan is shown as it is typed.
void TestTimedEditor::dialogShowsThePlanOrWhyNot()
{
    const timing::Pose centre{127, 127, 127, 127, 127};
    ask::TimedMoveDialog d(
        nullptr, {QStringLiteral("Timed Move to Pose"), arm::defaults(), centre, centre, {}});
    auto *result = d.findChild<QLabel *>(QStringLiteral("timedResult"));
    d.findChild<QSpinBox *>(QStringLiteral("pose0"))->setValue(200);
    QCOMPARE(
        result->text(),
        moves::plan(arm::defaults(), {centre, {200, 127, 127, 127, 127}, moves::Ease::Smooth, {}})
            .error);
    QVERIFY(!d.okButton()->isEnabled());
    d.findChild<QCheckBox *>(QStringLiteral("fastest"))->setChecked(false);
    QVERIFY(d.okButton()->isEnabled());
    QVERIFY2(result->text().startsWith(QStringLiteral("Takes 1.00 s.\nPeak speeds")),
             qPrintable(result->text()));
    QCOMPARE(d.chosen().seconds, std::optional<double>(1.0));
}

QTEST_MAIN(TestTimedEditor)
#include "test_timed_editor.moc"
