// A game controller in the main window, SDL's virtual joystick standing for it. How a deflection
// becomes positions is stick_jog's, tested where it lives.

#include "core/pad/game_pads.h"
#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "support/virtual_pad.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QMenu>
#include <QPushButton>
#include <QTest>

using pad::Button;
using pad::Stick;

namespace {

// The main window with game controllers and a pad plugged in.
struct PadWindow {
    GamePads pads;
    bool started = pads.start();
    RobotHarness h;
    VirtualPad pad; // after SDL has started

    explicit PadWindow(int openResult = 0)
    {
        h.port.openResult = openResult;
        h.pads = &pads;
        h.start();
        pads.poll();
    }
    bool ready() const { return started && pad.plugged() && !pads.name().isEmpty(); }
    // The line has carried what was written, so the pad's readings are not held back for it.
    bool lineDone() const { return h.port.line().busyFor(pad::Clock::now()).count() <= 0; }
    // A button down and up; what it asks of the window has run when this returns.
    void tap(Button b)
    {
        pad.set(b, true);
        pads.poll();
        pad.set(b, false);
        pads.poll();
        QCoreApplication::sendPostedEvents();
    }
};

// The Help menu's entries as the operator sees them.
QStringList shownHelp(const robot &w)
{
    QStringList out;
    for (const QAction *a : ui(w).help->actions())
        if (a->isVisible())
            out << (a->isSeparator() ? QStringLiteral("--") : a->text());
    return out;
}

} // namespace

class TestPad : public QObject {
    Q_OBJECT
private slots:
    void heldStickRecordsEveryPositionAsTheSliderWould();
    void disabledButtonsDoNothing_data();
    void disabledButtonsDoNothing();
    void nothingMoves_data();
    void nothingMoves();
    void statusLineFollowsThePad();
};

void TestPad::heldStickRecordsEveryPositionAsTheSliderWould()
{
    PadWindow p;
    QVERIFY(p.ready());
    robot &w = *p.h.window;
    p.h.port.clearWritten();
    p.tap(Button::X);
    QCOMPARE(look::backColour(ui(w).Command3), look::red);
    p.pad.set(Stick::LeftX, 32767);
    QTRY_VERIFY_WITH_TIMEOUT(w.session().positions()[axes::Base] >= 147, 10000);
    p.pad.set(Stick::LeftX, 0);
    QTRY_VERIFY(pad::resting(p.pads.state()));
    p.tap(Button::B);
    QVERIFY(!w.session().isRecording());
    const int last = w.session().positions()[axes::Base];
    QCOMPARE(p.h.port.frames(), walk(axes::Base, 128, last));
    QCOMPARE(stepsOf(w).size(), last - 127);

    // The same positions through the slider by hand record the same motion.
    RobotHarness byHand;
    robot &hand = byHand.start();
    ui(hand).Command3->click();
    for (int at = 128; at <= last; ++at)
        ui(hand).HScroll1->setValueTo(at);
    ui(hand).Command4->click();
    QCOMPARE(stepsOf(w), stepsOf(hand));
}

void TestPad::disabledButtonsDoNothing_data()
{
    QTest::addColumn<bool>("recording");
    QTest::addColumn<Button>("button");
    QTest::newRow("STOP while idle") << false << Button::B;
    QTest::newRow("BACK while idle") << false << Button::Back;
    QTest::newRow("RUN while recording") << true << Button::A;
    QTest::newRow("REC while recording") << true << Button::X;
    QTest::newRow("a button of no control") << false << Button::LeftShoulder;
}

void TestPad::disabledButtonsDoNothing()
{
    QFETCH(bool, recording);
    QFETCH(Button, button);
    PadWindow p;
    QVERIFY(p.ready());
    robot &w = *p.h.window;
    if (recording)
        p.tap(Button::X);
    // What the window shows: the buttons enabled or not, their captions and colours.
    const QImage before = w.grab().toImage();
    const int steps = w.session().stepBuffer().stepCount();
    p.h.port.clearWritten();
    p.tap(button);
    QCOMPARE(w.grab().toImage(), before);
    QCOMPARE(w.session().stepBuffer().stepCount(), steps);
    QVERIFY(p.h.port.written.isEmpty());
}

void TestPad::nothingMoves_data()
{
    QTest::addColumn<int>("openResult");
    QTest::addColumn<int>("push");
    QTest::newRow("resting inside the dead zone, either way") << 0 << pad::stickDeadZone - 1;
    QTest::newRow("pushed, the port not usable") << 8002 << 32767;
}

void TestPad::nothingMoves()
{
    QFETCH(int, openResult);
    QFETCH(int, push);
    PadWindow p(openResult);
    QVERIFY(p.ready());
    robot &w = *p.h.window;
    w.press(ui(w).Command3); // while recording, or with REC disabled
    QTRY_VERIFY(p.lineDone());
    p.h.port.clearWritten();
    const auto at = w.session().positions();
    const int steps = w.session().stepBuffer().stepCount();
    for (Stick s : {Stick::LeftX, Stick::LeftY, Stick::RightX, Stick::RightY})
        p.pad.set(s, s == Stick::LeftY ? -push : push);
    for (int reading = 0; reading < 5; ++reading)
        p.pads.poll();
    QCOMPARE(w.session().positions(), at);
    QCOMPARE(w.session().stepBuffer().stepCount(), steps);
    QVERIFY(p.h.port.written.isEmpty());
}

void TestPad::statusLineFollowsThePad()
{
    // With game controllers and no pad ever, the menus and the line are a window's without.
    RobotHarness plain;
    robot &without = plain.start();
    GamePads pads;
    QVERIFY(pads.start());
    RobotHarness h;
    h.pads = &pads;
    robot &w = h.start();
    pads.poll();
    QCOMPARE(ui(w).help->actions().size(), ui(without).help->actions().size());
    QCOMPARE(shownHelp(w), shownHelp(without));
    QCOMPARE(h.port.written, plain.port.written);

    // Plugged in and noticed by the readings' own timer: a line nobody can choose.
    auto virtualPad = std::make_unique<VirtualPad>();
    const QStringList with = shownHelp(without)
                             << "--" << QStringLiteral("Game controller: %1").arg(VirtualPad::name);
    QTRY_COMPARE_WITH_TIMEOUT(shownHelp(w), with, 1000 + GamePads::idleMs);
    QVERIFY(!w.findChild<QAction *>("padStatus")->isEnabled());
    virtualPad.reset();
    QTRY_COMPARE_WITH_TIMEOUT(shownHelp(w), shownHelp(without), 1000 + GamePads::idleMs);
    QCOMPARE(h.port.written, plain.port.written);
}

QTEST_MAIN(TestPad)
#include "test_pad.moc"
