// The editor's timeline against the line. For three motions (steps that do not move their axis;
// fractional homes and homes outside 0..255; a channel above 4), kestrel-play plays the file
// once on a pseudo-terminal read at 960 bytes a second, and every step's first byte must reach
// the far end when the timeline says, counted from the pass's first byte. The same file played
// dry must print each step's frames at the byte the timeline gives it, exactly.

#include "core/edit/pass_timing.h"
#include "core/link/frame.h"
#include "core/store/config_file.h"
#include "support/dry_run.h"
#include "support/files.h"
#include "support/paced_line.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

// The reader takes a byte off the wire every 1/960 s and stamps it as it does, so a byte's
// stamp may be late by the reader's wake-up; a few milliseconds on a busy machine.
constexpr double measuringError = 0.030;

} // namespace

class TestEditTiming : public QObject {
    Q_OBJECT
private slots:
    void timelineMatchesTheLine_data()
    {
        QTest::addColumn<QByteArray>("config");
        QTest::addColumn<QByteArray>("records");
        const QByteArray header = "======== Velmora ==========\r\n";
        QTest::newRow("steps that stay")
            << QByteArray()
            << QByteArray("0,0\r\n0,127\r\n0,130\r\n0,130\r\n4,127\r\n"
                          "4,120\r\n2,127\r\n2,127\r\n0,131\r\n1,90\r\n");
        QTest::newRow("fractional and far homes")
            << header + "MOTOR0= 126.5\r\nMOTOR1= 300\r\nMOTOR2= -4\r\nMOTOR4= 130.25\r\n"
            << QByteArray("0,0\r\n0,126\r\n0,127\r\n1,255\r\n1,254\r\n2,0\r\n4,130\r\n4,131\r\n");
        QTest::newRow("a channel above 4")
            << QByteArray()
            << QByteArray("9,9\r\n7,200\r\n0,140\r\n7,200\r\n255,0\r\n0,141\r\n3,10\r\n");
    }

    void timelineMatchesTheLine()
    {
        QFETCH(QByteArray, config);
        QFETCH(QByteArray, records);
        QTemporaryDir dir;
        if (!config.isEmpty())
            QVERIFY(writeFile(dir.filePath("robotini.txt"), config));
        const QString file = dir.filePath("m.kmv");
        QVERIFY(writeFile(file, records));
        std::vector<Step> steps;
        for (const QByteArray &line : records.split('\n')) {
            const QList<QByteArray> f = line.trimmed().split(',');
            if (f.size() == 2)
                steps.push_back({qint16(f[0].toInt()), qint16(f[1].toInt())});
        }
        const timing::Pass pass = timing::firstPass(
            steps, timing::passStartPose(config::load(dir.filePath("robotini.txt")).settings));
        QCOMPARE(int(pass.steps.size()), int(steps.size()) - 1);

        // Dry: the frames the pass prints are where the timeline puts them.
        const QList<frame::Frame> printed = dryRunFrames(dir.path(), file);
        QVERIFY(!printed.isEmpty());
        const qsizetype passFrom = printed.size() - pass.totalBytes / timing::bytesPerFrame;
        QVERIFY(passFrom > 0);
        for (const timing::TimedStep &t : pass.steps) {
            const qsizetype at = passFrom + t.startByte / timing::bytesPerFrame;
            for (int k = 0; k < t.bytes / timing::bytesPerFrame; ++k)
                QCOMPARE(printed.at(at + k), (frame::Frame{t.step.channel, t.step.position}));
        }

        // On the line: the same bytes at the timeline's times.
        desktop::PacedLine line;
        QVERIFY2(line.ok(), qPrintable(line.error()));
        QProcess play;
        play.start(KESTREL_PLAY_BINARY,
                   {"--config-dir", dir.path(), "--device", line.devicePath(), "--quiet", file});
        QVERIFY(play.waitForFinished(30000));
        QCOMPARE(play.exitCode(), 0);
        QVERIFY(line.waitForDrained(10000));
        const std::vector<desktop::PacedLine::Byte> bytes = line.bytes();
        const qsizetype total = qsizetype(bytes.size());
        QCOMPARE(total, 1 + printed.size() * timing::bytesPerFrame); // the probe, then the frames
        const qsizetype first = total - pass.totalBytes;
        for (const timing::TimedStep &t : pass.steps) {
            const auto &b = bytes[std::size_t(first + t.startByte)];
            QCOMPARE(b.value, frame::start);
            const double seconds =
                std::chrono::duration<double>(b.at - bytes[std::size_t(first)].at).count();
            QVERIFY2(std::abs(seconds - timing::seconds(t.startByte)) <= measuringError,
                     qPrintable(QStringLiteral("record %1 at %2 s, timeline %3 s")
                                    .arg(t.record)
                                    .arg(seconds)
                                    .arg(timing::seconds(t.startByte))));
        }
    }
};

QTEST_GUILESS_MAIN(TestEditTiming)
#include "test_edit_timing.moc"
