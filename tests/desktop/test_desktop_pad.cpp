// A game controller on a real X display (an Xvfb of the test's own, xcb, Qt's GLib dispatcher),
// the window and SDL's virtual joystick in the test's process: the pad's readings keep their
// pace there too, so a held stick moves the base at the line's pace, a step and a frame each.

#include "core/pad/game_pads.h"
#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "support/virtual_pad.h"
#include "support/x_desktop.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QSignalSpy>
#include <QTest>

class DesktopPad : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void heldStickMovesTheBaseAtTheLinesPace()
    {
        QCOMPARE(QGuiApplication::platformName(), QStringLiteral("xcb"));
        GamePads pads;
        QVERIFY2(pads.start(), qPrintable(pads.error()));
        RobotHarness h;
        h.pads = &pads;
        robot &w = h.start();
        w.show();
        QVERIFY(QTest::qWaitForWindowExposed(&w));
        VirtualPad pad;
        QTRY_VERIFY_WITH_TIMEOUT(!pads.name().isEmpty(), 1000 + GamePads::idleMs);
        w.press(ui(w).Command3);
        h.port.clearWritten();

        // Waited for in the event loop, which sleeps until the next event as the program's does:
        // QTRY's pauses between its looks would hold the readings' timer back.
        constexpr int positions = 60;
        QSignalSpy moving(ui(w).HScroll1, &ScrollBar::change);
        pad.set(pad::Stick::LeftX, 32767);
        QVERIFY(moving.wait(1000));
        const auto first = pad::Clock::now();
        while (moving.size() < positions && moving.wait(1000)) {
        }
        const double seconds = std::chrono::duration<double>(pad::Clock::now() - first).count();
        QCOMPARE(moving.size(), positions);
        pad.set(pad::Stick::LeftX, 0);
        QTRY_VERIFY(pad::resting(pads.state()));
        w.press(ui(w).Command4);

        const int last = w.session().positions()[axes::Base];
        QCOMPARE(h.port.frames(), walk(axes::Base, 128, last));
        QCOMPARE(stepsOf(w).size(), last - 127);
        // No faster than the line (the pad waits while more than a few frames are on their way),
        // and not far below it: read at the resting pace, every 10 ms, it would be 200 at most.
        const double perSecond = (positions - 1) / seconds;
        QVERIFY2(perSecond <= pad::framesPerSecond() * 1.1 &&
                     perSecond >= pad::framesPerSecond() * 0.85,
                 qPrintable(QString::number(perSecond) + " positions/s"));
    }
};

int main(int argc, char *argv[])
{
    // The display is there before the application, which picks its platform once.
    desktop::VirtualScreen screen;
    if (!screen.start())
        qFatal("%s", qPrintable(screen.error()));
    qputenv("DISPLAY", screen.display().toLocal8Bit());
    qputenv("QT_QPA_PLATFORM", "xcb");
    // The test's own X server has no desktop session, and so no session bus. Left to look for
    // one, the bus library tries to start one for the display, and keeps what it allocated for
    // the attempt until the process ends, which the checked build reports as a leak.
    qputenv("DBUS_SESSION_BUS_ADDRESS", "disabled:");
    QApplication app(argc, argv);
    DesktopPad t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_desktop_pad.moc"
