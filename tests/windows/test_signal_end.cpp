// A signal during a replay, through the program's own watch: the replay ends after the step in
// progress, where STOP at the next line wait would have ended it. Its own program, because the
// signal leaves every event loop of the process for good.

#include "core/process/quit_signals.h"
#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"

#include <QPushButton>
#include <QTest>
#include <csignal>

class TestSignalEnd : public QObject {
    Q_OBJECT
private slots:
    void aSignalEndsAReplayAsStopDoes();
};

void TestSignalEnd::aSignalEndsAReplayAsStopDoes()
{
    const Steps steps{{0, 130}, {0, 131}, {0, 132}, {0, 133}};
    Frames stopped;
    {
        RobotHarness h;
        robot &w = h.start();
        setSteps(h, steps);
        h.port.clearWritten();
        h.port.atWait(2, [&] { ui(w).Command4->click(); });
        ui(w).Command5->click();
        bool ok = false;
        stopped = h.port.frames(&ok);
        QVERIFY(ok);
    }
    QCOMPARE(stopped, (Frames{{0, 130}, {0, 130}, {0, 131}, {0, 131}}));

    RobotHarness h;
    robot &w = h.start();
    setSteps(h, steps);
    h.port.clearWritten();
    QuitSignals quitSignals;
    QVERIFY(quitSignals.install());
    connect(&quitSignals, &QuitSignals::quitRequested, &w, [&](int) { w.endBySignal(); });
    // The signal comes during the wait before the second step; the watch sees it when events
    // next run, after that step.
    h.port.atWait(1, [] { ::raise(SIGTERM); });
    ui(w).Command5->click();
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), stopped);
    QVERIFY(ok);
    // The replay is over: RUN can be pressed again, and anything begun now ends at once.
    QVERIFY(ui(w).Command5->isEnabled());
    ui(w).Command5->click();
    QCOMPARE(h.port.frames(), stopped);
}

QTEST_MAIN(TestSignalEnd)
#include "test_signal_end.moc"
