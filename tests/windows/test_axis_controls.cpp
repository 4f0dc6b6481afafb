// The axis sliders, their value boxes and the loop count, driven as the operator drives them:
// arrows, drags, typing and Enter. Every test that looks at the wire also checks that every
// byte written belongs to a whole, well-formed frame.

#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>
#include <QStyle>
#include <QStyleOptionSlider>
#include <QTest>
#include <cmath>

// The steps recorded since REC, oldest first.
static Steps recorded(const robot &w)
{
    Steps out;
    for (int i = 2; i <= w.session().stepBuffer().stepCount(); ++i)
        out << w.session().stepBuffer().at(i);
    return out;
}

class TestAxisControls : public QObject {
    Q_OBJECT
private slots:
    void sliderMoveSendsOneFrame_data();
    void sliderMoveSendsOneFrame();
    void dragSendsOneFramePerPosition();
    void releasingADraggedThumbSendsItsPositionAgain_data();
    void releasingADraggedThumbSendsItsPositionAgain();
    void releasingWhileRecordingAddsAStep();
    void pressAndReleaseWithoutMovingSendsNothing_data();
    void pressAndReleaseWithoutMovingSendsNothing();
    void typingRecordsEachTextButSendsTheSlider();
    void enter_data();
    void enter();
    void enterOnTypedValueRecordsAndSends();
    void unusableBoxTextRecordsNothing_data();
    void unusableBoxTextRecordsNothing();
    void echoedPortSendsNothingButRecords();
    void loopCount();
    void loopCountSlider();
};

void TestAxisControls::sliderMoveSendsOneFrame_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("action");
    QTest::addColumn<int>("value");

    using A = QAbstractSlider::SliderAction;
    QTest::newRow("base right arrow") << 0 << 127 << int(A::SliderSingleStepAdd) << 128;
    QTest::newRow("base trough left") << 0 << 127 << int(A::SliderPageStepSub) << 126;
    QTest::newRow("shoulder upper arrow raises") << 1 << 127 << int(A::SliderSingleStepSub) << 128;
    QTest::newRow("shoulder lower arrow lowers") << 1 << 127 << int(A::SliderSingleStepAdd) << 126;
    QTest::newRow("shoulder top end") << 1 << 127 << int(A::SliderToMinimum) << 255;
    QTest::newRow("shoulder bottom end") << 1 << 127 << int(A::SliderToMaximum) << 0;
    QTest::newRow("elbow upper arrow lowers") << 2 << 127 << int(A::SliderSingleStepSub) << 126;
    QTest::newRow("elbow bottom end") << 2 << 127 << int(A::SliderToMaximum) << 255;
    QTest::newRow("wrist upper arrow raises") << 3 << 127 << int(A::SliderSingleStepSub) << 128;
    QTest::newRow("grip left arrow raises") << 4 << 127 << int(A::SliderSingleStepSub) << 128;
    QTest::newRow("grip right arrow lowers") << 4 << 127 << int(A::SliderSingleStepAdd) << 126;
    QTest::newRow("grip 13 is sent as it is") << 4 << 14 << int(A::SliderSingleStepAdd) << 13;
}

void TestAxisControls::sliderMoveSendsOneFrame()
{
    QFETCH(int, channel);
    QFETCH(int, from);
    QFETCH(int, action);
    QFETCH(int, value);

    RobotHarness h;
    robot &w = h.start();
    ScrollBar *s = ui(w).slider[channel];
    QVERIFY(s->setValueTo(from));
    h.port.clearWritten();

    s->triggerAction(QAbstractSlider::SliderAction(action));

    QCOMPARE(s->Value(), value);
    QCOMPARE(ui(w).box[channel]->text(), QString::number(value));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{channel, value}}));
    QVERIFY(ok);

    // Pushing against the end it has reached moves nothing and sends nothing.
    const bool atEnd = value == s->Min() || value == s->Max();
    if (atEnd) {
        h.port.clearWritten();
        s->triggerAction(QAbstractSlider::SliderAction(action));
        QCOMPARE(s->Value(), value);
        QVERIFY(h.port.written.isEmpty());
    }
}

void TestAxisControls::dragSendsOneFramePerPosition()
{
    RobotHarness h;
    robot &w = h.start();
    ScrollBar *shoulder = ui(w).VScroll1;
    h.port.clearWritten();

    // Downwards: the shoulder's values fall. Qt's positions count from the top (the 255 end).
    shoulder->setSliderDown(true);
    QStringList seen;
    for (int q : {129, 130, 131, 135}) {
        shoulder->setSliderPosition(q);
        seen << ui(w).Text2->text();
    }
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{1, 126}, {1, 125}, {1, 124}, {1, 120}}));
    QVERIFY(ok);
    shoulder->setSliderDown(false);

    QCOMPARE(seen, QStringList({"126", "125", "124", "120"}));
    QCOMPARE(shoulder->Value(), 120);
    QCOMPARE(ui(w).Text2->text(), QString("120"));
    // The release is a change of its own: the box is written with the text it holds, and the
    // last position goes out once more.
    QCOMPARE(h.port.written, QByteArray::fromHex("FF017E0D"
                                                 "FF017D0D"
                                                 "FF017C0D"
                                                 "FF01780D"
                                                 "FF01780D"));

    // Dragged to either end, the shoulder reads 255 at the top and 0 at the bottom.
    h.port.clearWritten();
    shoulder->setSliderDown(true);
    shoulder->setSliderPosition(shoulder->maximum());
    shoulder->setSliderPosition(shoulder->minimum());
    shoulder->setSliderDown(false);
    QCOMPARE(h.port.frames(&ok), (Frames{{1, 0}, {1, 255}, {1, 255}}));
    QVERIFY(ok);
    QCOMPARE(ui(w).Text2->text(), QString("255"));

    // A drag that comes back to where it began still ends with the release's frame.
    h.port.clearWritten();
    shoulder->setSliderDown(true);
    shoulder->setSliderPosition(1);
    shoulder->setSliderPosition(0);
    shoulder->setSliderDown(false);
    QCOMPARE(h.port.frames(&ok), (Frames{{1, 254}, {1, 255}, {1, 255}}));
    QVERIFY(ok);
}

namespace {

// The thumb's centre and the pixels from one position to the next along the bar.
struct Thumb {
    QPoint centre;
    double pixelsPerStep;
};

Thumb thumbOf(ScrollBar *bar)
{
    QStyleOptionSlider opt;
    opt.initFrom(bar);
    opt.orientation = bar->orientation();
    opt.minimum = bar->minimum();
    opt.maximum = bar->maximum();
    opt.sliderPosition = bar->sliderPosition();
    opt.sliderValue = bar->value();
    opt.singleStep = bar->singleStep();
    opt.pageStep = bar->pageStep();
    opt.upsideDown = bar->invertedAppearance();
    if (bar->orientation() == Qt::Horizontal)
        opt.state |= QStyle::State_Horizontal;
    opt.subControls = QStyle::SC_All;
    const QRect thumb =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarSlider, bar);
    const QRect groove =
        bar->style()->subControlRect(QStyle::CC_ScrollBar, &opt, QStyle::SC_ScrollBarGroove, bar);
    const bool across = bar->orientation() == Qt::Horizontal;
    const int travel = (across ? groove.width() - thumb.width() : groove.height() - thumb.height());
    return {thumb.center(), double(travel) / (bar->maximum() - bar->minimum())};
}

void mouseMoveHeld(QWidget *w, QPoint at, Qt::MouseButton button)
{
    // QTest::mouseMove carries no held button; a drag needs one.
    QMouseEvent move(QEvent::MouseMove, at, w->mapToGlobal(at), Qt::NoButton, button,
                     Qt::NoModifier);
    QApplication::sendEvent(w, &move);
}

} // namespace

void TestAxisControls::releasingADraggedThumbSendsItsPositionAgain_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left button") << Qt::LeftButton;
    QTest::newRow("middle button") << Qt::MiddleButton;
}

// The thumb dragged with the mouse, as the operator drags it.
void TestAxisControls::releasingADraggedThumbSendsItsPositionAgain()
{
    QFETCH(Qt::MouseButton, button);
    RobotHarness h;
    robot &w = h.start();
    ScrollBar *shoulder = ui(w).VScroll1;
    h.port.clearWritten();

    const Thumb thumb = thumbOf(shoulder);
    QVERIFY(thumb.pixelsPerStep > 0);
    QTest::mousePress(shoulder, button, {}, thumb.centre);
    QVERIFY(shoulder->isSliderDown());
    QVERIFY(h.port.written.isEmpty());
    // Downwards, far enough for several positions.
    const QPoint end = thumb.centre + QPoint(0, int(std::ceil(thumb.pixelsPerStep * 6)));
    for (QPoint at = thumb.centre + QPoint(0, 1); at.y() <= end.y(); at.ry() += 1)
        mouseMoveHeld(shoulder, at, button);
    const int stopped = shoulder->Value();
    QVERIFY2(stopped <= 127 - 5, qPrintable(QString::number(stopped)));
    bool ok = false;
    const Frames dragged = h.port.frames(&ok);
    QVERIFY(ok);
    QVERIFY(!dragged.isEmpty());
    // Falling positions while held, the last where the thumb stands.
    for (int i = 0; i < dragged.size(); ++i) {
        QCOMPARE(dragged[i].channel, 1);
        QVERIFY(dragged[i].position < (i == 0 ? 127 : dragged[i - 1].position));
    }
    QCOMPARE(dragged.constLast().position, stopped);

    QTest::mouseRelease(shoulder, button, {}, end);
    QVERIFY(!shoulder->isSliderDown());
    QCOMPARE(shoulder->Value(), stopped);
    QCOMPARE(h.port.frames(&ok), (dragged + Frames{{1, stopped}}));
    QVERIFY(ok);
}

void TestAxisControls::releasingWhileRecordingAddsAStep()
{
    RobotHarness h;
    robot &w = h.start();
    ScrollBar *shoulder = ui(w).VScroll1;
    ui(w).Command3->click();
    h.port.clearWritten();

    shoulder->setSliderDown(true);
    shoulder->setSliderPosition(129); // 126
    shoulder->setSliderPosition(131); // 124
    QCOMPARE(recorded(w), (Steps{{1, 126}, {1, 124}}));
    shoulder->setSliderDown(false);

    QCOMPARE(recorded(w), (Steps{{1, 126}, {1, 124}, {1, 124}}));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{1, 126}, {1, 124}, {1, 124}}));
    QVERIFY(ok);
}

void TestAxisControls::pressAndReleaseWithoutMovingSendsNothing_data()
{
    QTest::addColumn<Qt::MouseButton>("button");
    QTest::newRow("left button") << Qt::LeftButton;
    QTest::newRow("middle button") << Qt::MiddleButton;
}

void TestAxisControls::pressAndReleaseWithoutMovingSendsNothing()
{
    QFETCH(Qt::MouseButton, button);
    RobotHarness h;
    robot &w = h.start();
    ScrollBar *shoulder = ui(w).VScroll1;
    ui(w).Command3->click();
    h.port.clearWritten();

    const QPoint centre = thumbOf(shoulder).centre;
    QTest::mousePress(shoulder, button, {}, centre);
    QVERIFY(shoulder->isSliderDown());
    QTest::mouseRelease(shoulder, button, {}, centre);
    QVERIFY(!shoulder->isSliderDown());
    QCOMPARE(shoulder->Value(), 127);
    QVERIFY(h.port.written.isEmpty());
    QVERIFY(recorded(w).isEmpty());

    // Nor does the program's own press and release of the thumb.
    shoulder->setSliderDown(true);
    shoulder->setSliderDown(false);
    QVERIFY(h.port.written.isEmpty());
    QVERIFY(recorded(w).isEmpty());

    // A drag before does not make a later still press count.
    shoulder->setSliderDown(true);
    shoulder->setSliderPosition(129);
    shoulder->setSliderDown(false);
    h.port.clearWritten();
    QTest::mousePress(shoulder, button, {}, thumbOf(shoulder).centre);
    QTest::mouseRelease(shoulder, button, {}, thumbOf(shoulder).centre);
    QVERIFY(h.port.written.isEmpty());
}

void TestAxisControls::typingRecordsEachTextButSendsTheSlider()
{
    RobotHarness h;
    robot &w = h.start();
    // The base already stood at 127 when start-up centred it, so its box is still empty.
    QCOMPARE(ui(w).Text1->text(), QString());
    ui(w).Command3->click();
    h.port.clearWritten();

    QTest::keyClicks(ui(w).Text1, "120");

    QCOMPARE(w.session().stepBuffer().stepCount(), 4);
    QCOMPARE(recorded(w), (Steps{{0, 1}, {0, 12}, {0, 120}}));
    // Typing alone never moves the servo: each frame repeats the slider's position.
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{0, 127}, {0, 127}, {0, 127}}));
    QVERIFY(ok);
    QCOMPARE(ui(w).HScroll1->Value(), 127);
}

void TestAxisControls::enter_data()
{
    QTest::addColumn<int>("channel");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("value");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<Frames>("frames");
    QTest::addColumn<QString>("focus");

    QTest::newRow("base 200") << 0 << "200" << 200 << "200" << Frames{{0, 200}} << "Text2";
    QTest::newRow("base blanks around")
        << 0 << " 200 " << 200 << "200" << Frames{{0, 200}} << "Text2";
    QTest::newRow("shoulder 200") << 1 << "200" << 200 << "200" << Frames{{1, 200}} << "Text3";
    QTest::newRow("shoulder 0") << 1 << "0" << 0 << "0" << Frames{{1, 0}} << "Text3";
    QTest::newRow("grip 60") << 4 << "60" << 60 << "60" << Frames{{4, 60}} << "Text3";
    QTest::newRow("elbow 254.5") << 2 << "254.5" << 254 << "254" << Frames{{2, 254}} << "Text4";
    QTest::newRow("wrist 30") << 3 << "30" << 30 << "30" << Frames{{3, 30}} << "Text6";
    // Refused: the slider's position goes back into the box, which sends it again.
    QTest::newRow("base 300") << 0 << "300" << 127 << "127" << Frames{{0, 127}} << "Text2";
    QTest::newRow("base letters") << 0 << "abc" << 127 << "127" << Frames{{0, 127}} << "Text2";
    QTest::newRow("base empty") << 0 << "" << 127 << "127" << Frames{{0, 127}} << "Text2";
    QTest::newRow("base -1") << 0 << "-1" << 127 << "127" << Frames{{0, 127}} << "Text2";
    QTest::newRow("elbow 255.5") << 2 << "255.5" << 127 << "127" << Frames{{2, 127}} << "Text4";
    QTest::newRow("wrist letters") << 3 << "x1" << 127 << "127" << Frames{{3, 127}} << "Text6";
    // The slider already stands there: nothing moves and the box keeps what was typed.
    QTest::newRow("base 127.0") << 0 << "127.0" << 127 << "127.0" << Frames{} << "Text2";
}

void TestAxisControls::enter()
{
    QFETCH(int, channel);
    QFETCH(QString, typed);
    QFETCH(int, value);
    QFETCH(QString, shown);
    QFETCH(Frames, frames);
    QFETCH(QString, focus);

    RobotHarness h;
    robot &w = h.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    QLineEdit *b = ui(w).box[channel];
    b->setText(typed);
    b->setFocus();
    h.port.clearWritten();

    QTest::keyClick(b, Qt::Key_Return);

    QCOMPARE(ui(w).slider[channel]->Value(), value);
    QCOMPARE(b->text(), shown);
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), frames);
    QVERIFY(ok);
    QVERIFY(QApplication::focusWidget());
    QCOMPARE(QApplication::focusWidget()->objectName(), focus);
}

void TestAxisControls::enterOnTypedValueRecordsAndSends()
{
    RobotHarness h;
    robot &w = h.start();
    ui(w).Command3->click();
    h.port.clearWritten();

    QTest::keyClicks(ui(w).Text1, "200");
    QTest::keyClick(ui(w).Text1, Qt::Key_Return);

    // The slider writes back the very text the box holds; the arm follows all the same, and
    // the move is recorded as a step of its own.
    QCOMPARE(ui(w).HScroll1->Value(), 200);
    QCOMPARE(recorded(w), (Steps{{0, 2}, {0, 20}, {0, 200}, {0, 200}}));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{0, 127}, {0, 127}, {0, 127}, {0, 200}}));
    QVERIFY(ok);
}

void TestAxisControls::unusableBoxTextRecordsNothing_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<int>("position"); // -1: no step

    QTest::newRow("empty") << "" << -1;
    QTest::newRow("lone minus") << "-" << -1;
    QTest::newRow("letters") << "abc" << -1;
    QTest::newRow("300") << "300" << -1;
    QTest::newRow("255.5") << "255.5" << -1;
    QTest::newRow("-1") << "-1" << -1;
    QTest::newRow("40000") << "40000" << -1;
    QTest::newRow("255.4") << "255.4" << 255;
    QTest::newRow("0") << "0" << 0;
    QTest::newRow("12.5 to even") << "12.5" << 12;
    QTest::newRow("13.5 to even") << "13.5" << 14;
    QTest::newRow("blanks") << " 7 " << 7;
}

void TestAxisControls::unusableBoxTextRecordsNothing()
{
    QFETCH(QString, text);
    QFETCH(int, position);

    RobotHarness h;
    robot &w = h.start();
    ui(w).Text4->setText(
        QStringLiteral("99")); // the elbow box, so that every text below is a change
    ui(w).Command3->click();
    h.port.clearWritten();

    ui(w).Text4->setText(text);

    QCOMPARE(recorded(w), (position < 0 ? Steps{} : Steps{{2, qint16(position)}}));
    QVERIFY(w.session().isRecording());
    // The frame rule is unchanged: the slider's position goes out.
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{2, 127}}));
    QVERIFY(ok);
}

void TestAxisControls::echoedPortSendsNothingButRecords()
{
    RobotHarness h;
    robot &w = h.start();
    ui(w).Command3->click();
    // The port is chosen again and now a device echoes the probe.
    h.port.probeAnswer = "B";
    ui(w).Com1->trigger();
    QCOMPARE(w.session().portStatus(), 13);
    QVERIFY(w.session().isRecording());
    h.port.clearWritten();

    QVERIFY(ui(w).HScroll2->setValueTo(140));
    QTest::keyClicks(ui(w).Text1, "5");
    QTest::keyClick(ui(w).Text1, Qt::Key_Return);

    QCOMPARE(recorded(w), (Steps{{4, 140}, {0, 5}, {0, 5}}));
    QCOMPARE(ui(w).HScroll1->Value(), 5);
    QVERIFY(h.port.written.isEmpty());
}

void TestAxisControls::loopCount()
{
    // The box's rule is the session's (its table is in the session's tests); the box and the
    // slider show what it decides.
    RobotHarness h;
    robot &w = h.start();
    QCOMPARE(lastAcceptedLoopCount(w), QString("1"));
    ui(w).Text5->setText(QStringLiteral("5"));
    QCOMPARE(ui(w).HScroll3->Value(), 5);
    h.port.clearWritten();

    ui(w).Text5->setText(QStringLiteral("2.5"));

    QCOMPARE(ui(w).Text5->text(), QString("2"));
    QCOMPARE(ui(w).HScroll3->Value(), 2);
    QCOMPARE(lastAcceptedLoopCount(w), QString("2"));
    // The loop count is nothing the arm hears about.
    QVERIFY(h.port.written.isEmpty());
}

void TestAxisControls::loopCountSlider()
{
    RobotHarness h;
    robot &w = h.start();
    ui(w).HScroll3->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(ui(w).Text5->text(), QString("2"));
    ui(w).HScroll3->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(ui(w).Text5->text(), QString("100"));
    ui(w).HScroll3->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(ui(w).HScroll3->Value(), 100);
    ui(w).HScroll3->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(ui(w).Text5->text(), QString("1"));
    ui(w).HScroll3->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(ui(w).HScroll3->Value(), 1);
    QCOMPARE(lastAcceptedLoopCount(w), QString("1"));
}

QTEST_MAIN(TestAxisControls)
#include "test_axis_controls.moc"
