// kestrel-play and the window write the same bytes: the window started, a movement file opened
// and RUN pressed with a loop count, against kestrel-play with that file and count played on the
// real simulator. Both sequences are compared whole: the probe, the start-up centring, the
// homing walk and every pass.

#include "core/link/frame.h"
#include "sim/core/pseudo_terminal.h"
#include "support/files.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"

#include <QDir>
#include <QLineEdit>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QtTest>

namespace {

// The bytes as the simulator's log names them, one line each.
QStringList linesOf(const QByteArray &bytes)
{
    QStringList lines;
    frame::Decoder d;
    qint64 fed = 0;
    for (char c : bytes) {
        const bool probe = c == 'B' && d.frames() * frame::size + d.badBytes() == fed;
        ++fed;
        d.feed(
            QByteArray(1, c), [&](const frame::Frame &f) { lines << frame::describe(f); },
            [&](unsigned char b) { lines << frame::describeSkipped(b, probe); });
    }
    return lines;
}

void stop(QProcess &p)
{
    if (p.state() == QProcess::NotRunning)
        return;
    p.terminate();
    if (!p.waitForFinished(5000))
        p.kill();
    p.waitForFinished(5000);
}

} // namespace

class PlayWithSim : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void sameBytesAsTheWindowsRun()
    {
        // Homes the walk must reach (grip down, base up), one it cannot (a fraction) and one
        // out of range; a motion with a step that moves nothing, a channel no slider holds,
        // and the bytes 255 and 13 as positions.
        const QByteArray homes = "MOTOR4= 100\r\nMOTOR0= 140\r\nMOTOR2= 127.5\r\nMOTOR3= 300\r\n";
        const Steps steps{{0, 0},   {0, 150},  {0, 150}, {4, 255}, {7, 10},
                          {1, 13},  {3, 255},  {4, 90},  {0, 140}, {2, 0}};
        const int loops = 3;

        RobotHarness h(RobotHarness::configWith(homes));
        robot &w = h.start();
        h.openRecords(steps);
        ui(w).Text5->setText(QString::number(loops));
        ui(w).Command5->click();
        const QStringList window = linesOf(h.port.written);
        QVERIFY(window.size() > 100);

        QTemporaryDir dir;
        const QString config = dir.filePath("kestrel");
        QVERIFY(QDir().mkpath(config));
        QVERIFY(writeFile(config + "/robotini.txt", RobotHarness::configWith(homes)));
        QProcess sim;
        const QString log = dir.filePath("frames.log");
        sim.start(KESTREL_SIM_BINARY, {"--headless", "--config-dir", config, "--log", log});
        QVERIFY(sim.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(config + "/COM1").isSymLink(), 10000);

        QProcess play;
        play.start(KESTREL_PLAY_BINARY, {"--config-dir", config, "--loops",
                                         QString::number(loops), w.movementFile()});
        QVERIFY(play.waitForStarted());
        QVERIFY(play.waitForFinished(30000));
        QCOMPARE(play.exitCode(), 0);
        QCOMPARE(play.readAllStandardError(), QByteArray());

        // A marker behind what kestrel-play wrote: once it is logged, all of that has been.
        const QString marker = "FF 00 2A 0D base 42";
        QVERIFY(sim::PseudoTerminal::writeToDevice(config + "/COM1",
                                                   QByteArray::fromHex("FF002A0D")));
        const auto logged = [&] {
            QFile f(log);
            QStringList lines;
            if (f.open(QIODevice::ReadOnly))
                for (const QString &line : QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts))
                    lines << line.section(' ', 1); // without the time column
            return lines;
        };
        QTRY_VERIFY_WITH_TIMEOUT(!logged().isEmpty() && logged().last() == marker, 30000);
        stop(sim);
        QStringList played = logged();
        played.removeLast();

        QCOMPARE(played, window);
    }
};

QTEST_MAIN(PlayWithSim)
#include "test_play_with_sim.moc"
