// The editor's window offscreen: a range dragged on the timeline is the step list's selection
// too, Delete removes it as one command, undo gives the file back byte for byte and the title
// follows the stack; saving writes the movement file's own form; a motion too long for Kestrel
// or a bad file is refused with a message; a window that went without closing leaves a
// snapshot the next one recovers, and a window still open keeps its own. The Check list follows
// the edits and Fit to Limits; the pointer's readout gives the tool point.

#include "core/edit/recovery.h"
#include "core/export/exports.h"
#include "edit/window/check_list.h"
#include "edit/window/editor_window.h"
#include "edit/window/step_list.h"
#include "edit/window/timeline_view.h"
#include "scripted_questions.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QAccessible>
#include <QAction>
#include <QComboBox>
#include <QDir>
#include <QItemSelectionModel>
#include <QLabel>
#include <QSignalSpy>
#include <QStatusBar>
#include <QTemporaryDir>
#include <QTest>
#include <functional>
#include <map>

Q_DECLARE_METATYPE(std::function<void(ScriptedQuestions &)>)
Q_DECLARE_METATYPE(std::function<edits::Edited(const MotionDocument &)>)

namespace {

// Records 1..n: channel i % 6 (5 is a channel no servo hangs off), position 10 + 3i.
std::vector<Step> motion(int n)
{
    std::vector<Step> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Step{qint16(i % 6), qint16((10 + 3 * i) % 256)});
    return r;
}

struct Editor {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    std::unique_ptr<EditorWindow> window;

    EditorWindow &make(const QString &stateFolder = {},
                       const arm::Profile &profile = arm::defaults())
    {
        EditorServices s;
        s.profile = profile;
        s.dialogs = &dialogs;
        s.questions = &questions;
        s.stateFolder = stateFolder.isEmpty() ? dir.path() + QStringLiteral("/state") : stateFolder;
        window = std::make_unique<EditorWindow>(s);
        window->show();
        return *window;
    }
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};

using Motions = QList<std::vector<Step>>;

Motions records(const std::map<QString, std::vector<Step>> &snapshots)
{
    Motions r;
    for (const auto &[name, steps] : snapshots)
        r << steps;
    return r;
}

// The middle of the pixels record index `i` is drawn over.
int xOfIndex(const TimelineView &view, const MotionDocument &doc, int i)
{
    const timing::TimedStep *t = doc.timed(i);
    return int(view.xOf(t->startByte + t->bytes / 2.0));
}

} // namespace

class TestEditWindow : public QObject {
    Q_OBJECT
private slots:
    void dragDeleteUndoSave();
    void everyMenuEditIsOneCommand_data();
    void everyMenuEditIsOneCommand();
    void previewPlaysAndStops();
    void everyControlIsNamedAndEveryEditHasKeys();
    void refusesWhatCannotBeSaved();
    void exportsWhatTheCoreMakes();
    void asksBeforeUnsavedChangesGo();
    void recoversWhatAWindowLeftBehind();
    void checkListFollowsEditsAndFitToLimits();
    void readoutGivesTheToolPoint();
};

void TestEditWindow::dragDeleteUndoSave()
{
    Editor e;
    const std::vector<Step> original = motion(40);
    const QString file = e.path(QStringLiteral("taught.kmv"));
    QVERIFY(writeFile(file, movementText(original)));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QVERIFY(!w.isWindowModified());

    auto *view = w.findChild<TimelineView *>(QStringLiteral("timeline"));
    auto *list = w.findChild<StepList *>(QStringLiteral("stepList"));
    QVERIFY(view && list);
    MotionDocument &doc = w.document();
    // Records 6 to 10 (indices 5..9): pressed over the first, released over the last.
    const int y = view->height() / 2;
    QTest::mousePress(view, Qt::LeftButton, {}, QPoint(xOfIndex(*view, doc, 5), y));
    QTest::mouseMove(view, QPoint(xOfIndex(*view, doc, 7), y));
    QTest::mouseMove(view, QPoint(xOfIndex(*view, doc, 9), y));
    QTest::mouseRelease(view, Qt::LeftButton, {}, QPoint(xOfIndex(*view, doc, 9), y));
    QCOMPARE(doc.selection().first, 5);
    QCOMPARE(doc.selection().count, 5);
    const QModelIndexList rows = list->selectionModel()->selectedRows();
    QCOMPARE(rows.size(), 5);
    QCOMPARE(rows.first().row() + rows.last().row(), 5 + 9);

    QTest::keyClick(view, Qt::Key_Delete);
    std::vector<Step> edited = original;
    edited.erase(edited.begin() + 5, edited.begin() + 10);
    QCOMPARE(doc.records(), edited);
    QVERIFY(w.isWindowModified());
    QCOMPARE(list->model()->rowCount(), 35);

    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier);
    QCOMPARE(doc.records(), original);
    QVERIFY(!w.isWindowModified());
    QCOMPARE(doc.selection().count, 5); // the steps are back, and selected
    QTest::keyClick(view, Qt::Key_Z, Qt::ControlModifier | Qt::ShiftModifier);
    QCOMPARE(doc.records(), edited);

    QTest::keyClick(view, Qt::Key_S, Qt::ControlModifier);
    QCOMPARE(readAll(file), movementText(edited));
    QVERIFY(!w.isWindowModified());
    QVERIFY(e.dialogs.shown.isEmpty());
    // Undo past the save is a change again.
    w.action(QStringLiteral("undo"))->trigger();
    QVERIFY(w.isWindowModified());
}

using Expected = std::function<edits::Edited(const MotionDocument &)>;
using Script = std::function<void(ScriptedQuestions &)>;

// What each entry does is core's (tested there with the selection after it); here each entry
// calls its edit with the operator's answers, as one command.
void TestEditWindow::everyMenuEditIsOneCommand_data()
{
    QTest::addColumn<QString>("action");
    QTest::addColumn<Script>("script");
    QTest::addColumn<Expected>("expected");
    const Script none = [](ScriptedQuestions &) {};
    QTest::newRow("delete") << "deleteSteps" << none << Expected(edits::deleteSelected);
    QTest::newRow("cut") << "cut" << none << Expected(edits::deleteSelected);
    QTest::newRow("duplicate") << "duplicate" << none << Expected(edits::duplicateSelected);
    QTest::newRow("reverse") << "reverse" << none << Expected(edits::reverseSelected);
    QTest::newRow("set") << "setPositions" << Script([](ScriptedQuestions &q) {
        q.axisChanges << ask::AxisChange{ask::AxisChange::Set, 4, 200};
    }) << Expected([](auto &d) { return edits::setSelected(d, 4, 200); });
    QTest::newRow("offset") << "offsetPositions" << Script([](ScriptedQuestions &q) {
        q.axisChanges << ask::AxisChange{ask::AxisChange::Offset, 1, -50};
    }) << Expected([](auto &d) { return edits::offsetSelected(d, 1, -50); });
    QTest::newRow("scale") << "scalePositions" << Script([](ScriptedQuestions &q) {
        q.axisChanges << ask::AxisChange{ask::AxisChange::Scale, 3, 0, 2.5, 20};
    }) << Expected([](auto &d) { return edits::scaleSelected(d, 3, 2.5, 20); });
    QTest::newRow("hold") << "insertHold" << Script([](ScriptedQuestions &q) { q.holds << 0.25; })
                          << Expected([](auto &d) { return edits::holdBeforeSelection(d, 60); });
    QTest::newRow("slow") << "slowDown" << Script([](ScriptedQuestions &q) { q.factors << 3; })
                          << Expected([](auto &d) { return edits::slowSelected(d, 3); });
    const ask::PoseMove move{{0, 255, 10, 100, 140}, edits::PoseOrder::Interleaved, 2};
    QTest::newRow("pose") << "moveToPose" << Script([move](ScriptedQuestions &q) {
        q.poseMoves << move;
    }) << Expected([move](auto &d) {
        return edits::poseMoveBeforeSelection(d, move.target, move.order, move.holdsPerPosition);
    });
    QTest::newRow("smooth") << "smooth" << Script([](ScriptedQuestions &q) {
        q.smoothings << ask::Smoothing{2, 1};
    }) << Expected([](auto &d) { return edits::smoothSelected(d, 2, 1); });
}

void TestEditWindow::everyMenuEditIsOneCommand()
{
    QFETCH(QString, action);
    QFETCH(Script, script);
    QFETCH(Expected, expected);
    Editor e;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText(motion(30))));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    MotionDocument &doc = w.document();
    const std::vector<Step> before = doc.records();
    script(e.questions);
    doc.select({3, 6});
    const edits::Edited after = expected(doc);
    QAction *a = w.action(action);
    QVERIFY(a && a->isEnabled());
    a->trigger();
    QVERIFY(after.records != before);
    QCOMPARE(doc.records(), after.records);
    QCOMPARE(doc.selection().first, after.selection.first);
    QCOMPARE(doc.selection().count, after.selection.count);
    QCOMPARE(w.undoStack().count(), 1);
    w.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(doc.records(), before);
    QVERIFY(!w.isWindowModified());
    w.action(QStringLiteral("redo"))->trigger();
    QCOMPARE(doc.records(), after.records);
    if (action == QLatin1String("cut")) {
        // What was cut pastes back where it was, through the clipboard's text.
        doc.select({3, 0});
        w.action(QStringLiteral("paste"))->trigger();
        QCOMPARE(doc.records(), before);
        QCOMPARE(doc.selection().first, 3);
        QCOMPARE(doc.selection().count, 6);
        return;
    }
    // A cancelled question changes nothing.
    const int commands = w.undoStack().count();
    doc.select({3, 6});
    w.action(action)->trigger();
    if (action != QLatin1String("deleteSteps") && action != QLatin1String("cut") &&
        action != QLatin1String("duplicate") && action != QLatin1String("reverse"))
        QCOMPARE(w.undoStack().count(), commands);
}

void TestEditWindow::previewPlaysAndStops()
{
    Editor e;
    // The base walks from 0 to 200, one position a step: 8 bytes each, about 1.7 s at 1x.
    std::vector<Step> walk{{0, 0}};
    for (int p = 0; p <= 200; ++p)
        walk.push_back(Step{0, qint16(p)});
    const QString file = e.path(QStringLiteral("walk.kmv"));
    QVERIFY(writeFile(file, movementText(walk)));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    auto *view = w.findChild<TimelineView *>(QStringLiteral("timeline"));
    auto *speed = w.findChild<QComboBox *>(QStringLiteral("previewSpeed"));
    QVERIFY(view && speed);
    speed->setCurrentIndex(speed->findData(4.0));
    QSignalSpy playhead(w.findChild<QObject *>(QStringLiteral("preview")),
                        SIGNAL(playheadMoved(qint64)));
    w.action(QStringLiteral("previewPlay"))->trigger();
    QVERIFY(!w.action(QStringLiteral("previewPlay"))->isEnabled());
    // The playhead moves forward only, and the play ends by itself at the end of the motion.
    QTRY_VERIFY_WITH_TIMEOUT(w.action(QStringLiteral("previewPlay"))->isEnabled(), 10000);
    QVERIFY(playhead.size() >= 2);
    qint64 last = -1;
    for (const QList<QVariant> &args : playhead) {
        QVERIFY(args.at(0).toLongLong() >= last);
        last = args.at(0).toLongLong();
    }
    QCOMPARE(last, w.document().pass().totalBytes);
    w.action(QStringLiteral("previewStop"))->trigger();
    QCOMPARE(playhead.last().at(0).toLongLong(), qint64(-1));
}

void TestEditWindow::everyControlIsNamedAndEveryEditHasKeys()
{
    Editor e;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText(motion(12))));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    for (QWidget *c : w.findChildren<QWidget *>()) {
        if (!c->isVisible() || c->focusPolicy() == Qt::NoFocus)
            continue;
        QAccessibleInterface *a = QAccessible::queryAccessibleInterface(c);
        QVERIFY(a);
        QVERIFY2(!a->text(QAccessible::Name).isEmpty(),
                 qPrintable(QStringLiteral("%1 (%2) has no accessible name")
                                .arg(c->objectName(), c->metaObject()->className())));
    }
    // A row of the step list reads as one sentence.
    auto *list = w.findChild<StepList *>(QStringLiteral("stepList"));
    QCOMPARE(list->model()->index(1, 0).data(Qt::AccessibleTextRole).toString(),
             QStringLiteral("Record 2, shoulder 13, 0.000 s"));
    // Every edit is in a menu with keys of its own, and no two entries share them.
    QSet<QString> keys;
    for (const char *name : {"open",
                             "save",
                             "saveAs",
                             "export",
                             "quit",
                             "undo",
                             "redo",
                             "cut",
                             "copy",
                             "paste",
                             "deleteSteps",
                             "duplicate",
                             "reverse",
                             "selectAll",
                             "setPositions",
                             "offsetPositions",
                             "scalePositions",
                             "insertHold",
                             "slowDown",
                             "moveToPose",
                             "smooth",
                             "zoomIn",
                             "zoomOut",
                             "zoomAll",
                             "previewPlay",
                             "previewPause",
                             "previewStop",
                             "fitToLimits",
                             "timedMoveToPose",
                             "retimeSelection",
                             "closeTheLoop",
                             "savePoseAs",
                             "insertPoseHere"}) {
        QAction *a = w.action(QString::fromLatin1(name));
        QVERIFY2(a && !a->associatedObjects().isEmpty(), name);
        const QString k = a->shortcut().toString();
        QVERIFY2(!k.isEmpty() && !keys.contains(k), name);
        keys.insert(k);
    }
}

void TestEditWindow::exportsWhatTheCoreMakes()
{
    Editor e;
    const QString file = e.path(QStringLiteral("wave.kmv"));
    QVERIFY(writeFile(file, movementText(motion(30))));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    // Each format as core makes it, the suffix added when none is given; the motion stays.
    e.questions.exportChoices = {{exports::Format::Bytes, 2}, {exports::Format::Arduino, 0}};
    e.dialogs.savePaths = {e.path(QStringLiteral("wave")), e.path(QStringLiteral("wave.ino"))};
    QVERIFY(w.exportMotion());
    QCOMPARE(readAll(e.path(QStringLiteral("wave.bin"))),
             exports::lineBytes(motion(30), config::Settings{}, 2).data);
    QVERIFY(w.exportMotion());
    QCOMPARE(readAll(e.path(QStringLiteral("wave.ino"))),
             exports::arduinoSketch(motion(30), config::Settings{}, 0, "wave.kmv").data);
    QVERIFY(!w.isWindowModified());
    QCOMPARE(w.document().file(), file);
    QVERIFY(e.dialogs.shown.isEmpty());

    // A folder that is not there: the message names the file, and nothing is written.
    const QString nowhere = e.path(QStringLiteral("none/wave.csv"));
    e.questions.exportChoices = {{exports::Format::Csv, 1}};
    e.dialogs.savePaths = {nowhere};
    QVERIFY(!w.exportMotion());
    QCOMPARE(e.dialogs.shown.size(), 1);
    QVERIFY(e.dialogs.shown.first().text.startsWith("Cannot export to '" + nowhere + "'"));
    // The profile the window holds now, as its dialog sets it: record 2 takes the shoulder to 13.
    arm::Profile narrow = arm::defaults();
    narrow.joints[axes::Shoulder].min = 20;
    w.profile().set(narrow);
    e.questions.exportChoices = {{exports::Format::Bytes, 1}};
    e.dialogs.savePaths = {e.path(QStringLiteral("narrow.bin"))};
    QVERIFY(!w.exportMotion());
    QVERIFY(e.dialogs.shown.last().text.contains("Record 2: the shoulder at 13 is below"));
}

void TestEditWindow::refusesWhatCannotBeSaved()
{
    Editor e;
    EditorWindow &w = e.make();
    const QString bad = e.path(QStringLiteral("bad.kmv"));
    QVERIFY(writeFile(bad, "0,1\r\n2,300\r\n"));
    QVERIFY(!w.openFile(bad));
    QCOMPARE(e.dialogs.shown.size(), 1);
    QVERIFY2(e.dialogs.shown[0].text.contains(QLatin1String("bad.kmv")) &&
                 e.dialogs.shown[0].text.contains(QLatin1String("Line 2")),
             qPrintable(e.dialogs.shown[0].text));
    QCOMPARE(w.document().size(), 0);

    // 12,010 records save; one more is refused, and the file is left as it was.
    const QString big = e.path(QStringLiteral("big.kmv"));
    QVERIFY(writeFile(big, movementText(motion(12010))));
    QVERIFY(w.openFile(big));
    w.document().select({0, 1});
    w.action(QStringLiteral("duplicate"))->trigger();
    QCOMPARE(w.document().size(), 12011);
    QVERIFY(!w.save());
    QCOMPARE(e.dialogs.shown.size(), 2);
    QVERIFY2(e.dialogs.shown[1].text.contains(QLatin1String("12011")) &&
                 e.dialogs.shown[1].text.contains(QLatin1String("12010")),
             qPrintable(e.dialogs.shown[1].text));
    QCOMPARE(readAll(big), movementText(motion(12010)));
    QVERIFY(w.isWindowModified());

    // Ten minutes of holds twice over would pass what the editor keeps: refused, said, and
    // nothing changed.
    e.questions.holds = {600, 600};
    w.action(QStringLiteral("insertHold"))->trigger();
    const int held = w.document().size();
    QCOMPARE(held, 12011 + 144000);
    w.action(QStringLiteral("insertHold"))->trigger();
    QCOMPARE(w.document().size(), held);
    QCOMPARE(e.dialogs.shown.size(), 3);
    QVERIFY2(e.dialogs.shown[2].text.contains(QLatin1String("Nothing was changed")),
             qPrintable(e.dialogs.shown[2].text));
}

void TestEditWindow::asksBeforeUnsavedChangesGo()
{
    Editor e;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText(motion(12))));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    w.document().select({3, 2});
    w.action(QStringLiteral("reverse"))->trigger();
    QVERIFY(w.isWindowModified());

    e.questions.unsaved = {ask::Unsaved::Cancel, ask::Unsaved::Save};
    QVERIFY(!w.close()); // Cancel: still open, still changed
    QVERIFY(w.isVisible());
    QCOMPARE(readAll(file), movementText(motion(12)));
    QVERIFY(w.close()); // Save: written, then closed
    QCOMPARE(e.questions.asked.size(), 2);
    QVERIFY(e.questions.asked[0].contains(QLatin1String("m.kmv")));
    std::vector<Step> reversed = motion(12);
    std::reverse(reversed.begin() + 3, reversed.begin() + 5);
    QCOMPARE(readAll(file), movementText(reversed));
    QVERIFY(recoverySnapshots(e.path(QStringLiteral("state"))).empty());
}

void TestEditWindow::recoversWhatAWindowLeftBehind()
{
    Editor e;
    const QString state = e.path(QStringLiteral("state"));
    const QString file = e.path(QStringLiteral("m.kmv"));
    const std::vector<Step> original = motion(20);
    QVERIFY(writeFile(file, movementText(original)));
    std::vector<Step> edited = original;
    edited.erase(edited.begin() + 2, edited.begin() + 6);
    {
        EditorWindow &w = e.make(state);
        QVERIFY(w.openFile(file));
        QVERIFY(recoverySnapshots(state).empty()); // nothing to rescue in a saved motion
        w.document().select({2, 4});
        w.action(QStringLiteral("deleteSteps"))->trigger();
        QTRY_COMPARE(records(recoverySnapshots(state)), Motions{edited});

        // An editor started while this one runs is offered nothing of its work, keeps its own
        // beside it, and closed without saving removes its own only.
        Editor other;
        other.questions.unsaved = {ask::Unsaved::Discard};
        EditorWindow &o = other.make(state);
        QVERIFY(!o.offerRecovery());
        QVERIFY(other.dialogs.shown.isEmpty());
        QVERIFY(o.openFile(file));
        o.document().select({0, 1});
        o.action(QStringLiteral("deleteSteps"))->trigger();
        QTRY_COMPARE(recoverySnapshots(state).size(), size_t(2));
        QVERIFY(o.close());
        QCOMPARE(records(recoverySnapshots(state)), Motions{edited});
        e.window.reset(); // gone without closing, as in a crash
    }
    const auto left = recoverySnapshots(state);

    e.dialogs.answers = {Dialogs::Yes};
    EditorWindow &again = e.make(state);
    QVERIFY(again.offerRecovery());
    QCOMPARE(e.dialogs.shown.size(), 1);
    QVERIFY(e.dialogs.shown[0].text.contains(file));
    QCOMPARE(again.document().records(), edited);
    QCOMPARE(again.document().file(), file);
    QVERIFY(again.isWindowModified());
    // The work is in this window's own snapshot now; the one it came from is gone.
    const auto taken = recoverySnapshots(state);
    QCOMPARE(records(taken), Motions{edited});
    QVERIFY(taken.begin()->first != left.begin()->first);
    // Undo goes back to the file as it is on disk, which needs no snapshot.
    again.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(again.document().records(), original);
    QVERIFY(!again.isWindowModified());
    QTRY_VERIFY(recoverySnapshots(state).empty());
    again.action(QStringLiteral("redo"))->trigger();
    QTRY_COMPARE(recoverySnapshots(state).size(), size_t(1));

    // Declined, a snapshot is removed (which ones are offered, and in what order, is core's);
    // a damaged one is offered nothing from, and setting it aside is said in the status bar. The
    // file named to open is opened when nothing is taken.
    e.window.reset();
    e.dialogs.shown.clear();
    e.dialogs.answers = {Dialogs::No};
    QVERIFY(writeFile(state + QStringLiteral("/edit-0.snapshot"), "kestrel-edit"));
    EditorWindow &last = e.make(state);
    QVERIFY(!last.offerRecovery(file));
    QCOMPARE(e.dialogs.shown.size(), 1);
    QVERIFY(recoverySnapshots(state).empty());
    QCOMPARE(last.document().file(), file); // opened instead, and its line does not hide this
    QCOMPARE(last.statusBar()->currentMessage(), recovery::setAsideText(1, state));
    // Closed without saving, nothing is left in the state folder but what was set aside, not
    // even a lock.
    e.questions.unsaved = {ask::Unsaved::Discard};
    QVERIFY(last.close());
    e.window.reset();
    QCOMPARE(QDir(state).entryList(QDir::Files), QStringList{QStringLiteral("damaged.snapshot")});
}

void TestEditWindow::checkListFollowsEditsAndFitToLimits()
{
    Editor e;
    arm::Profile profile = arm::defaults();
    profile.joints[axes::Base].maxStep = 20;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText({{0, 0}, {0, 127}, {0, 140}, {0, 127}, {1, 127}})));
    EditorWindow &w = e.make({}, profile);
    QVERIFY(w.openFile(file));
    auto *list = w.findChild<CheckList *>(QStringLiteral("checkList"));
    auto *count = w.findChild<QLabel *>(QStringLiteral("limitCount"));
    QVERIFY(list && count);
    QTRY_COMPARE(count->text(), QStringLiteral("Within the arm's limits"));

    // The base set to 200 at record 3 jumps there and back: one row for each jump.
    MotionDocument &doc = w.document();
    doc.select({2, 1});
    e.questions.axisChanges << ask::AxisChange{ask::AxisChange::Set, 0, 200};
    w.action(QStringLiteral("setPositions"))->trigger();
    const std::vector<Step> edited = doc.records();
    QTRY_COMPARE(count->text(), QStringLiteral("2 limit breaches"));
    const QAbstractItemModel *rows = list->model();
    QCOMPARE(rows->index(1, CheckModel::Record).data().toString(), QStringLiteral("4"));
    QCOMPARE(rows->index(1, CheckModel::Axis).data().toString(), QStringLiteral("base"));
    QCOMPARE(rows->index(1, CheckModel::Rule).data().toString(), QStringLiteral("max_step"));
    doc.select({0, 0});
    QTest::mouseClick(list->viewport(), Qt::LeftButton, {},
                      list->visualRect(rows->index(1, CheckModel::Rule)).center());
    QCOMPARE(doc.selection().first, 3);
    QCOMPARE(doc.selection().count, 1);

    // Walked there and back 20 a step: one command, which undo takes back with its breaches.
    w.action(QStringLiteral("fitToLimits"))->trigger();
    QCOMPARE(doc.records(), (std::vector<Step>{{0, 0},
                                               {0, 127},
                                               {0, 147},
                                               {0, 167},
                                               {0, 187},
                                               {0, 200},
                                               {0, 180},
                                               {0, 160},
                                               {0, 140},
                                               {0, 127},
                                               {1, 127}}));
    QCOMPARE(w.statusBar()->currentMessage(),
             QStringLiteral("Fitted to the limits: 0 positions clamped, 6 steps added."));
    QTRY_COMPARE(count->text(), QStringLiteral("Within the arm's limits"));
    QCOMPARE(w.undoStack().count(), 2);
    w.action(QStringLiteral("fitToLimits"))->trigger(); // nothing to fit: no empty command
    QCOMPARE(w.undoStack().count(), 2);
    w.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(doc.records(), edited);
    QTRY_COMPARE(count->text(), QStringLiteral("2 limit breaches"));
    // A profile saved while the motion is open is checked by at once.
    w.profile().set(arm::defaults());
    QTRY_COMPARE(count->text(), QStringLiteral("Within the arm's limits"));
}

void TestEditWindow::readoutGivesTheToolPoint()
{
    Editor e;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, movementText({{0, 0}, {0, 127}, {1, 127}})));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    auto *view = w.findChild<TimelineView *>(QStringLiteral("timeline"));
    QTest::mouseMove(view, QPoint(xOfIndex(*view, w.document(), 1), view->height() / 2));
    // Every axis at 127: the defaults' upright upper arm with the forearm and hand level.
    const QString readout = w.findChild<QLabel *>(QStringLiteral("pointerReadout"))->text();
    QVERIFY2(readout.endsWith(QStringLiteral("tool x 132.0 y 0.0 z 160.0 mm, pitch 0.0\u00B0")),
             qPrintable(readout));
}

QTEST_MAIN(TestEditWindow)
#include "test_edit_window.moc"
