// The editor's views of a timed move, offscreen: the timeline draws a band across the move's
// span, and none where the motion has no timed move; the preview draws the move's eased path
// while it plays inside the span, and nothing outside it or once stopped.

#include "edit/window/editor_window.h"
#include "edit/window/timeline_view.h"
#include "scripted_questions.h"
#include "support/scripted_dialogs.h"
#include "windows/widgets/arm_view.h"

#include <QAction>
#include <QTemporaryDir>
#include <QTest>

namespace {

const timing::Pose start{127, 127, 127, 127, 127};
const moves::Path path{start, {200, 90, 127, 127, 127}, moves::Ease::Smooth, 1.5};
const std::vector<Step> steps = moves::steps(path);

// Record 1, the move from record 2, then a second of holds after it.
std::vector<Step> records()
{
    std::vector<Step> r{{0, 127}};
    r.insert(r.end(), steps.begin(), steps.end());
    r.insert(r.end(), 240, Step{0, 200});
    return r;
}

// The colour the timeline draws at the bottom of its lane of other channels, where a timed
// move's span leaves nothing but its band, in the middle of records[index].
QColor bandAt(TimelineView &view, const MotionDocument &d, int index)
{
    const timing::TimedStep *t = d.timed(index);
    const QImage image = view.grab().toImage();
    return image.pixelColor(int(view.xOf(t->startByte + t->bytes / 2.0)), view.height() - 4);
}

} // namespace

class TestTimedViews : public QObject {
    Q_OBJECT
private slots:
    void timelineAndPreviewShowTheSpan();
};

void TestTimedViews::timelineAndPreviewShowTheSpan()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    EditorServices s;
    s.dialogs = &dialogs;
    s.questions = &questions;
    s.stateFolder = dir.path();
    EditorWindow w(s);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    MotionDocument &d = w.document();
    const edits::TimedSpan move{1, int(steps.size()), path};
    d.setState(records(), {1, 0}, {move});
    auto *view = w.findChild<TimelineView *>(QStringLiteral("timeline"));
    auto *side = dynamic_cast<armview::SideView *>(w.findChild<QWidget *>("sideView"));
    auto *top = dynamic_cast<armview::TopView *>(w.findChild<QWidget *>("topView"));
    QVERIFY(view && side && top);
    const int inside = move.first + move.count / 2, after = d.size() - 100;
    const QColor band = bandAt(*view, d, inside), clear = bandAt(*view, d, after);
    QVERIFY2(band != clear, qPrintable(band.name()));
    d.setState(records(), {1, 0}); // the same steps, no longer a timed move
    QCOMPARE(bandAt(*view, d, inside), clear);
    d.setState(records(), {1, 0}, {move});
    // Played from the span's first step, the first picture already has the path on it.
    d.select({move.first, move.count});
    w.action(QStringLiteral("previewPlay"))->trigger();
    QVERIFY(side->overlay().points.size() > 1 && side->overlay().marked);
    QVERIFY(top->overlay().points.size() > 1 && top->overlay().marked);
    w.action(QStringLiteral("previewStop"))->trigger();
    QVERIFY(side->overlay().empty() && top->overlay().empty());
    d.select({after, 1});
    w.action(QStringLiteral("previewPlay"))->trigger();
    QVERIFY(side->overlay().empty() && top->overlay().empty());
}

QTEST_MAIN(TestTimedViews)
#include "test_timed_views.moc"
