// What a replay costs in painting, and what it must still show. A moving slider or box paints
// itself alone, not the window and frames behind it; a replay paints at most once a screen
// frame; and whenever the replay holds or ends, the controls show where the arm stands.

#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/scroll_bar.h"

#include <QElapsedTimer>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

namespace {
// Each paint of a control, with what it showed then.
class PaintLog : public QObject {
public:
    explicit PaintLog(QWidget *w) : QObject(w), m_widget(w) { w->installEventFilter(this); }
    QStringList shown;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint) {
            if (auto *bar = qobject_cast<ScrollBar *>(m_widget))
                shown << QString::number(bar->Value());
            else if (auto *box = qobject_cast<QLineEdit *>(m_widget))
                shown << box->text();
            else
                shown << QString();
        }
        return false;
    }

private:
    QWidget *m_widget;
};

Steps baseWalk(int from, int to)
{
    Steps out;
    for (int v = from; v <= to; ++v)
        out << Step{0, qint16(v)};
    return out;
}
} // namespace

class TestPaintPacing : public QObject {
    Q_OBJECT
private slots:
    void aMovingControlPaintsItselfAlone();
    void aReplayPaintsAtTheScreensPace();
    void aHeldOrEndedReplayShowsWhereTheArmStands_data();
    void aHeldOrEndedReplayShowsWhereTheArmStands();
};

void TestPaintPacing::aMovingControlPaintsItselfAlone()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // The first paints after the window is shown settle the controls' own promise to cover
    // their rectangles.
    ui(w).HScroll1->setValueTo(130);
    ui(w).Text1->setText("130");
    QCoreApplication::processEvents();

    auto *surface = new PaintLog(w.findChild<QWidget *>("surface"));
    auto *frame = new PaintLog(w.findChild<QWidget *>("Frame2"));
    auto *slider = new PaintLog(ui(w).HScroll1);
    auto *box = new PaintLog(ui(w).Text1);
    for (int v : {131, 132, 133}) {
        ui(w).HScroll1->setValueTo(v);
        QCoreApplication::processEvents();
    }

    QCOMPARE(slider->shown, (QStringList{"131", "132", "133"}));
    QCOMPARE(box->shown, (QStringList{"131", "132", "133"}));
    QCOMPARE(surface->shown.size(), 0);
    QCOMPARE(frame->shown.size(), 0);
}

void TestPaintPacing::aReplayPaintsAtTheScreensPace()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    // Two hundred steps that each move the base. The fake line takes no time, so the whole run
    // lasts a few milliseconds, where an unpaced window would paint once a step.
    Steps steps;
    for (int i = 0; i < 100; ++i)
        steps << Step{0, 140} << Step{0, 130};
    setSteps(h, steps);
    QCoreApplication::processEvents();
    auto *slider = new PaintLog(ui(w).HScroll1);
    h.port.clearWritten();

    QElapsedTimer clock;
    clock.start();
    ui(w).Command5->click();
    const qint64 elapsed = clock.elapsed();

    // At most one paint a screen frame (60 a second, or fewer); one more when the run ends.
    QVERIFY2(
        slider->shown.size() <= 2 + elapsed / 16,
        qPrintable(QStringLiteral("%1 paints in %2 ms").arg(slider->shown.size()).arg(elapsed)));
    QCOMPARE(slider->shown.last(), QString("130"));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok).size(), 400);
    QVERIFY(ok);
}

void TestPaintPacing::aHeldOrEndedReplayShowsWhereTheArmStands_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("PAUSE, then CONT") << false;
    QTest::newRow("PAUSE, then STOP") << true;
}

void TestPaintPacing::aHeldOrEndedReplayShowsWhereTheArmStands()
{
    QFETCH(bool, stop);

    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    setSteps(h, baseWalk(130, 139));
    QCoreApplication::processEvents();
    auto *slider = new PaintLog(ui(w).HScroll1);
    auto *box = new PaintLog(ui(w).Text1);

    // PAUSE while the line drains before the sixth step: the run holds with the base at 134.
    QStringList atHold;
    h.port.atWait(5, [&] {
        ui(w).Command6->click();
        QTimer::singleShot(0, &w, [&] {
            atHold << slider->shown.value(slider->shown.size() - 1)
                   << box->shown.value(box->shown.size() - 1);
            (stop ? ui(w).Command4 : ui(w).Command6)->click();
        });
    });
    ui(w).Command5->click();

    QCOMPARE(atHold, (QStringList{"134", "134"}));
    const QString last = stop ? "134" : "139";
    QCOMPARE(ui(w).HScroll1->Value(), last.toInt());
    QCOMPARE(slider->shown.last(), last);
    QCOMPARE(box->shown.last(), last);
}

QTEST_MAIN(TestPaintPacing)
#include "test_paint_pacing.moc"
