// A game controller on a real X display (Xvfb, xcb, Qt's GLib dispatcher): the pad's readings
// run on their own timer there too, so a held stick moves the base at the line's pace, one
// step and one frame a position. The window and SDL's virtual joystick share a process, a child
// of this test started on an Xvfb of its own: Qt picks its platform once, when the application
// is made.

#include "core/pad/game_pads.h"
#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "support/virtual_pad.h"
#include "support/x_desktop.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QProcess>
#include <QPushButton>
#include <QSignalSpy>
#include <QTest>

#include <chrono>

namespace {

const char childMark[] = "KESTREL_TEST_PAD_CHILD";

// Notes the time of every frame written from now on.
void stampEveryFrame(FakePort &port, std::vector<pad::Clock::time_point> &at)
{
    port.onFrame(0, [&port, &at] {
        at.push_back(pad::Clock::now());
        stampEveryFrame(port, at);
    });
}

} // namespace

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
        std::vector<pad::Clock::time_point> at;
        stampEveryFrame(h.port, at);

        // Waited for in the event loop, which sleeps until the next event as the program's does:
        // QTRY's pauses between its looks would hold the readings' timer back.
        constexpr int positions = 60;
        QSignalSpy moving(ui(w).HScroll1, &ScrollBar::change);
        pad.set(pad::Stick::LeftX, 32767);
        while (at.size() < positions && moving.wait(1000)) {
        }
        QVERIFY(at.size() >= positions);
        pad.set(pad::Stick::LeftX, 0);
        QTRY_VERIFY(pad::resting(pads.state()));
        w.press(ui(w).Command4);

        const int last = w.session().positions()[axes::Base];
        QCOMPARE(h.port.frames(), walk(axes::Base, 128, last));
        QCOMPARE(stepsOf(w).size(), last - 127);
        QCOMPARE(stepsOf(w).back(), (Step{axes::Base, qint16(last)}));
        // No faster than the line carries frames (the pad waits while more than a few are on
        // their way), and not far below it: at the resting pace, a reading every 10 ms, it would
        // be 200 at most.
        const double seconds =
            std::chrono::duration<double>(at[positions - 1] - at.front()).count();
        const double perSecond = (positions - 1) / seconds;
        const QByteArray pace = QByteArray::number(perSecond, 'f', 1) + " positions/s";
        qInfo("a held stick: %s", pace.constData());
        QVERIFY2(perSecond <= pad::framesPerSecond() * 1.1, pace.constData());
        QVERIFY2(perSecond >= pad::framesPerSecond() * 0.85, pace.constData());
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(childMark)) {
        QApplication app(argc, argv);
        DesktopPad t;
        return QTest::qExec(&t, argc, argv);
    }
    QCoreApplication app(argc, argv);
    desktop::VirtualScreen screen;
    if (!screen.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(screen.error()));
        return 1;
    }
    QProcess child;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), screen.display());
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.insert(QString::fromLatin1(childMark), QStringLiteral("1"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    env.remove(QStringLiteral("QT_NO_GLIB"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    desktop::endWithThisProcess(child);
    child.start(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (!child.waitForFinished(50000))
        return 1;
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

#include "test_desktop_pad.moc"
