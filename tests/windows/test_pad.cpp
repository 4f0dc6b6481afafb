// A game controller in the main window, SDL's virtual joystick standing for it: a held stick is
// a drag (a step and a frame a position, the recording the sliders would give); a button of a
// disabled control does nothing; a stick resting inside its dead zone moves nothing; the status
// line in Help follows the pad in and out; a slider the port disables stays put. How a stick's
// deflection becomes positions is stick_jog's, tested where it lives.

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
    RobotHarness h;
    std::unique_ptr<VirtualPad> pad;

    explicit PadWindow(int openResult = 0)
    {
        h.port.openResult = openResult;
        if (!pads.start())
            return;
        h.pads = &pads;
        h.start();
        pad = std::make_unique<VirtualPad>();
        pads.poll();
    }
    bool ready() const { return pad && pad->plugged() && !pads.name().isEmpty(); }
    // The line has carried what was written: the pad's next reading is not held back for it.
    bool lineDone() const
    {
        return h.port.line().busyFor(pad::Clock::now()) <= pad::Clock::duration::zero();
    }
    robot &w() { return *h.window; }

    // A button down and up; what it asks of the window has run when this returns.
    void tap(Button b)
    {
        pad->set(b, true);
        pads.poll();
        pad->set(b, false);
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

// What the transport buttons show: enabled or not, the caption, the colour.
QString transportLook(const robot &w)
{
    QString out;
    for (const QPushButton *b : {ui(w).Command3, ui(w).Command4, ui(w).Command5, ui(w).Command6,
                                 ui(w).Command2, ui(w).Backbutt})
        out += QStringLiteral("%1%2%3 ").arg(b->text(), b->isEnabled() ? "+" : "-",
                                             look::backColour(b).name());
    return out;
}

} // namespace

class TestPad : public QObject {
    Q_OBJECT
private slots:
    void heldStickRecordsEveryPositionAsTheSliderWould();
    void disabledButtonsDoNothing_data();
    void disabledButtonsDoNothing();
    void restingOffCentreMovesNothing();
    void statusLineFollowsThePad();
    void disabledSliderStaysPut();
};

void TestPad::heldStickRecordsEveryPositionAsTheSliderWould()
{
    PadWindow p;
    QVERIFY(p.ready());
    robot &w = p.w();
    p.h.port.clearWritten();
    p.tap(Button::X);
    QVERIFY(w.session().isRecording());
    QCOMPARE(look::backColour(ui(w).Command3), look::red);

    // Held right on the pad's own readings until the base is about 20 positions on.
    p.pad->set(Stick::LeftX, 32767);
    QTRY_VERIFY_WITH_TIMEOUT(w.session().positions()[axes::Base] >= 147, 10000);
    p.pad->set(Stick::LeftX, 0);
    QTRY_VERIFY(pad::resting(p.pads.state()));
    p.tap(Button::B);
    QVERIFY(!w.session().isRecording());

    const int last = w.session().positions()[axes::Base];
    Steps expected;
    for (int at = 128; at <= last; ++at)
        expected << Step{axes::Base, qint16(at)};
    QCOMPARE(stepsOf(w), expected);
    bool whole = false;
    QCOMPARE(p.h.port.frames(&whole), walk(axes::Base, 128, last));
    QVERIFY(whole);

    // The same positions through the slider by hand record the same motion.
    RobotHarness byHand;
    robot &hand = byHand.start();
    ui(hand).Command3->click();
    for (int at = 128; at <= last; ++at)
        ui(hand).HScroll1->setValueTo(at);
    ui(hand).Command4->click();
    QCOMPARE(stepsOf(hand), stepsOf(w));
}

void TestPad::disabledButtonsDoNothing_data()
{
    QTest::addColumn<bool>("recording");
    QTest::addColumn<Button>("button");
    QTest::newRow("STOP while idle") << false << Button::B;
    QTest::newRow("BACK while idle") << false << Button::Back;
    QTest::newRow("PAUSE while idle") << false << Button::Start;
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
    robot &w = p.w();
    if (recording)
        p.tap(Button::X);
    QCOMPARE(w.session().isRecording(), recording);
    const QString before = transportLook(w);
    const int steps = w.session().stepBuffer().stepCount();
    p.h.port.clearWritten();

    p.tap(button);
    QCOMPARE(transportLook(w), before);
    QCOMPARE(w.session().isRecording(), recording);
    QCOMPARE(w.session().stepBuffer().stepCount(), steps);
    QVERIFY(p.h.port.written.isEmpty());
}

void TestPad::restingOffCentreMovesNothing()
{
    PadWindow p;
    QVERIFY(p.ready());
    robot &w = p.w();
    p.tap(Button::X);
    QTRY_VERIFY(p.lineDone());
    p.h.port.clearWritten();
    const auto at = w.session().positions();
    const int inside = pad::stickDeadZone - 1;
    p.pad->set(Stick::LeftX, inside);
    p.pad->set(Stick::LeftY, -inside);
    p.pad->set(Stick::RightX, -inside);
    p.pad->set(Stick::RightY, inside);
    for (int reading = 0; reading < 5; ++reading)
        p.pads.poll();
    QCOMPARE(w.session().positions(), at);
    QCOMPARE(w.session().stepBuffer().stepCount(), 1);
    QVERIFY(p.h.port.written.isEmpty());

    // Just past it, the stick moves its axis one position at once.
    p.pad->set(Stick::LeftX, pad::stickDeadZone + 1);
    p.pads.poll();
    QCOMPARE(w.session().positions()[axes::Base], at[axes::Base] + 1);
    QCOMPARE(p.h.port.frames(), (Frames{frame::Frame{axes::Base, at[axes::Base] + 1}}));
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
    for (int reading = 0; reading < 3; ++reading)
        pads.poll();
    QCOMPARE(ui(w).help->actions().size(), ui(without).help->actions().size());
    QCOMPARE(shownHelp(w), shownHelp(without));
    QCOMPARE(h.port.written, plain.port.written);

    // Plugged in: noticed by the readings' own timer; a line nobody can choose.
    auto virtualPad = std::make_unique<VirtualPad>();
    QTRY_VERIFY_WITH_TIMEOUT(w.findChild<QAction *>("padStatus"), 1000 + GamePads::idleMs);
    const QAction *status = w.findChild<QAction *>("padStatus");
    QTRY_COMPARE(shownHelp(w), shownHelp(without)
                                   << "--"
                                   << QStringLiteral("Game controller: %1").arg(VirtualPad::name));
    QVERIFY(!status->isEnabled());

    // Pulled out: the line and its separator go.
    virtualPad.reset();
    QTRY_VERIFY_WITH_TIMEOUT(!status->isVisible(), 1000 + GamePads::idleMs);
    QCOMPARE(shownHelp(w), shownHelp(without));
    QCOMPARE(h.port.written, plain.port.written);
}

void TestPad::disabledSliderStaysPut()
{
    PadWindow p(8002);
    QVERIFY(p.ready());
    robot &w = p.w();
    QVERIFY(!ui(w).HScroll1->isEnabled());
    QTRY_VERIFY(p.lineDone());
    p.h.port.clearWritten();
    const auto at = w.session().positions();
    p.pad->set(Stick::LeftX, 32767);
    p.pad->set(Stick::RightTrigger, 32767);
    for (int reading = 0; reading < 5; ++reading)
        p.pads.poll();
    QCOMPARE(w.session().positions(), at);
    QCOMPARE(ui(w).HScroll1->Value(), at[axes::Base]);
    QVERIFY(p.h.port.written.isEmpty());
}

QTEST_MAIN(TestPad)
#include "test_pad.moc"
