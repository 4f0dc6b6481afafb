// The editor's window offscreen: a range dragged on the timeline is the step list's selection
// too, Delete removes it as one command, undo gives the file back byte for byte and the title
// follows the stack; saving writes the movement file's own form; a motion too long for Kestrel
// or a bad file is refused with a message; a window that went without closing leaves a
// snapshot the next one recovers.

#include "core/edit/recovery.h"
#include "edit/window/editor_window.h"
#include "edit/window/step_list.h"
#include "edit/window/timeline_view.h"
#include "scripted_questions.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QItemSelectionModel>
#include <QTemporaryDir>
#include <QTest>

namespace {

// Records 1..n: channel i % 6 (5 is a channel no servo hangs off), position 10 + 3i.
std::vector<Step> motion(int n)
{
    std::vector<Step> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Step{qint16(i % 6), qint16((10 + 3 * i) % 256)});
    return r;
}

QByteArray fileText(const std::vector<Step> &r)
{
    QByteArray out;
    for (const Step &s : r)
        out +=
            ' ' + QByteArray::number(s.channel) + " , " + QByteArray::number(s.position) + " \r\n";
    return out;
}

struct Editor {
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    std::unique_ptr<EditorWindow> window;

    EditorWindow &make(const QString &stateFolder = {})
    {
        EditorServices s;
        s.dialogs = &dialogs;
        s.questions = &questions;
        s.stateFolder = stateFolder.isEmpty() ? dir.path() + QStringLiteral("/state") : stateFolder;
        window = std::make_unique<EditorWindow>(s);
        window->show();
        return *window;
    }
    QString path(const QString &name) const { return dir.path() + QLatin1Char('/') + name; }
};

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
    void refusesWhatCannotBeSaved();
    void asksBeforeUnsavedChangesGo();
    void recoversWhatAWindowLeftBehind();
};

void TestEditWindow::dragDeleteUndoSave()
{
    Editor e;
    const std::vector<Step> original = motion(40);
    const QString file = e.path(QStringLiteral("taught.kmv"));
    QVERIFY(writeFile(file, fileText(original)));
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
    QCOMPARE(readAll(file), fileText(edited));
    QVERIFY(!w.isWindowModified());
    QVERIFY(e.dialogs.shown.isEmpty());
    // Undo past the save is a change again.
    w.action(QStringLiteral("undo"))->trigger();
    QVERIFY(w.isWindowModified());
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
    QVERIFY(writeFile(big, fileText(motion(12010))));
    QVERIFY(w.openFile(big));
    w.document().select({0, 1});
    w.action(QStringLiteral("duplicate"))->trigger();
    QCOMPARE(w.document().size(), 12011);
    QVERIFY(!w.save());
    QCOMPARE(e.dialogs.shown.size(), 2);
    QVERIFY2(e.dialogs.shown[1].text.contains(QLatin1String("12011")) &&
                 e.dialogs.shown[1].text.contains(QLatin1String("12010")),
             qPrintable(e.dialogs.shown[1].text));
    QCOMPARE(readAll(big), fileText(motion(12010)));
    QVERIFY(w.isWindowModified());
}

void TestEditWindow::asksBeforeUnsavedChangesGo()
{
    Editor e;
    const QString file = e.path(QStringLiteral("m.kmv"));
    QVERIFY(writeFile(file, fileText(motion(12))));
    EditorWindow &w = e.make();
    QVERIFY(w.openFile(file));
    w.document().select({3, 2});
    w.action(QStringLiteral("reverse"))->trigger();
    QVERIFY(w.isWindowModified());

    e.questions.unsaved = {ask::Unsaved::Cancel, ask::Unsaved::Save};
    QVERIFY(!w.close()); // Cancel: still open, still changed
    QVERIFY(w.isVisible());
    QCOMPARE(readAll(file), fileText(motion(12)));
    QVERIFY(w.close()); // Save: written, then closed
    QCOMPARE(e.questions.asked.size(), 2);
    QVERIFY(e.questions.asked[0].contains(QLatin1String("m.kmv")));
    std::vector<Step> reversed = motion(12);
    std::reverse(reversed.begin() + 3, reversed.begin() + 5);
    QCOMPARE(readAll(file), fileText(reversed));
    QVERIFY(!recovery::load(e.path(QStringLiteral("state"))));
}

void TestEditWindow::recoversWhatAWindowLeftBehind()
{
    Editor e;
    const QString state = e.path(QStringLiteral("state"));
    const QString file = e.path(QStringLiteral("m.kmv"));
    const std::vector<Step> original = motion(20);
    QVERIFY(writeFile(file, fileText(original)));
    {
        EditorWindow &w = e.make(state);
        QVERIFY(w.openFile(file));
        QVERIFY(!recovery::load(state)); // nothing to rescue in a saved motion
        w.document().select({2, 4});
        w.action(QStringLiteral("deleteSteps"))->trigger();
        QTRY_VERIFY(recovery::load(state).has_value());
        e.window.reset(); // gone without closing, as in a crash
    }
    std::vector<Step> edited = original;
    edited.erase(edited.begin() + 2, edited.begin() + 6);

    e.dialogs.answers = {Dialogs::Yes};
    EditorWindow &again = e.make(state);
    QVERIFY(again.offerRecovery());
    QCOMPARE(e.dialogs.shown.size(), 1);
    QVERIFY(e.dialogs.shown[0].text.contains(file));
    QCOMPARE(again.document().records(), edited);
    QCOMPARE(again.document().file(), file);
    QVERIFY(again.isWindowModified());
    // Undo goes back to the file as it is on disk.
    again.action(QStringLiteral("undo"))->trigger();
    QCOMPARE(again.document().records(), original);
    QVERIFY(!again.isWindowModified());

    // Declined, the snapshot is gone.
    again.action(QStringLiteral("redo"))->trigger();
    QTRY_VERIFY(recovery::load(state).has_value());
    e.window.reset();
    e.dialogs.answers = {Dialogs::No};
    QVERIFY(!e.make(state).offerRecovery());
    QVERIFY(!recovery::load(state));
}

QTEST_MAIN(TestEditWindow)
#include "test_edit_window.moc"
