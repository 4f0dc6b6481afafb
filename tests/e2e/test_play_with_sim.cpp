// kestrel-play and the window write the same bytes: the window started, a movement file opened
// and RUN pressed with a loop count, against kestrel-play with that file and count played on the
// real simulator. Both sequences are compared whole: the probe, the start-up centring, the
// homing walk and every pass.

#include "core/link/frame.h"
#include "support/files.h"
#include "support/headless_sim.h"
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
        HeadlessSim sim(KESTREL_SIM_BINARY, config, dir.filePath("frames.log"));
        QVERIFY(sim.start());

        QProcess play;
        play.start(KESTREL_PLAY_BINARY, {"--config-dir", config, "--loops",
                                         QString::number(loops), w.session().movementFile()});
        QVERIFY(play.waitForStarted());
        QVERIFY(play.waitForFinished(30000));
        QCOMPARE(play.exitCode(), 0);
        QCOMPARE(play.readAllStandardError(), QByteArray());

        QStringList played = sim.linesBeforeMarker();
        QVERIFY(!played.isEmpty());
        for (QString &line : played)
            line = line.section(' ', 1); // without the time column
        QCOMPARE(played, window);
    }
};

QTEST_MAIN(PlayWithSim)
#include "test_play_with_sim.moc"
