// kestrel-play without a process: what a command line means, the dry run's lines and the time
// left that the progress line shows.

#include "core/link/line_clock.h"
#include "core/motion/step_buffer.h"
#include "core/play/progress.h"
#include "play/options.h"
#include "play/printing_port.h"

#include <QTemporaryFile>
#include <QtTest>
#include <chrono>

using namespace std::chrono_literals;

class TestPlayCore : public QObject {
    Q_OBJECT
private slots:
    void commandLine_data();
    void commandLine();
    void dryRunPrintsWhatTheSimulatorLogs();
    void timeLeft();
};

void TestPlayCore::commandLine_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("outcome");
    // port, device, loops, configDir, dryRun, quiet; or a piece of the error
    QTest::addColumn<QString>("expected");

    const auto row = [](const char *name, const QStringList &args, play::Parsed::Outcome o,
                        const QString &expected) {
        QTest::newRow(name) << (QStringList{"kestrel-play"} + args) << int(o) << expected;
    };
    row("defaults", {"m.kmv"}, play::Parsed::Run, "m.kmv 0 - 1 - 0 0");
    row("everything",
        {"--port", "3", "--loops", "0", "--config-dir", "/c", "--dry-run", "--quiet", "m.kmv"},
        play::Parsed::Run, "m.kmv 3 - 0 /c 1 1");
    row("device", {"--device", "/dev/x", "m.kmv"}, play::Parsed::Run, "m.kmv 0 /dev/x 1 - 0 0");
    row("most loops", {"--loops", "1000000", "m.kmv"}, play::Parsed::Run,
        "m.kmv 0 - 1000000 - 0 0");
    row("help", {"--help"}, play::Parsed::ShowHelp, "--dry-run");
    row("version", {"--version"}, play::Parsed::ShowVersion, "kestrel-play ");
    row("no file", {}, play::Parsed::Error, "Which movement file?");
    row("two files", {"a.kmv", "b.kmv"}, play::Parsed::Error, "'b.kmv' is one too many");
    row("unknown option", {"--fast", "m.kmv"}, play::Parsed::Error, "fast");
    row("port 0", {"--port", "0", "m.kmv"}, play::Parsed::Error, "--port takes");
    row("port text", {"--port", "COM1", "m.kmv"}, play::Parsed::Error, "not 'COM1'");
    row("port and device", {"--port", "1", "--device", "/dev/x", "m.kmv"}, play::Parsed::Error,
        "give one");
    row("empty device", {"--device", "", "m.kmv"}, play::Parsed::Error, "--device takes");
    row("negative loops", {"--loops", "-1", "m.kmv"}, play::Parsed::Error, "not '-1'");
    row("too many loops", {"--loops", "1000001", "m.kmv"}, play::Parsed::Error, "not '1000001'");
    row("fractional loops", {"--loops", "2.5", "m.kmv"}, play::Parsed::Error, "not '2.5'");
    row("profile with no file", {"--profile", "", "m.kmv"}, play::Parsed::Error, "--profile takes");
}

void TestPlayCore::commandLine()
{
    QFETCH(QStringList, args);
    QFETCH(int, outcome);
    QFETCH(QString, expected);

    const play::Parsed p = play::parse(args);
    QCOMPARE(int(p.outcome), outcome);
    if (p.outcome != play::Parsed::Run) {
        QVERIFY2(p.text.contains(expected), qPrintable(p.text));
        return;
    }
    const play::Options &o = p.options;
    const auto orDash = [](const QString &s) { return s.isEmpty() ? QStringLiteral("-") : s; };
    QCOMPARE(QStringLiteral("%1 %2 %3 %4 %5 %6 %7")
                 .arg(o.file)
                 .arg(o.port)
                 .arg(orDash(o.device))
                 .arg(o.loops)
                 .arg(orDash(o.configDir))
                 .arg(int(o.dryRun))
                 .arg(int(o.quiet)),
             expected);
}

void TestPlayCore::dryRunPrintsWhatTheSimulatorLogs()
{
    QTemporaryFile out;
    QVERIFY(out.open());
    FILE *f = std::fopen(qPrintable(out.fileName()), "w");
    QVERIFY(f);
    {
        play::PrintingPort port(f);
        QCOMPARE(port.open(1), 0);
        port.write("B");
        port.write(QByteArray::fromHex("FF047F0D"));
        // A frame cut in two writes is still one frame; a B inside it or after junk is no probe.
        port.write(QByteArray::fromHex("FF00"));
        port.write(QByteArray::fromHex("FF0D"));
        port.write("\x7a");
        port.write(QByteArray::fromHex("FF05090D"));
        port.close();
        // Nothing is written while closed.
        port.write(QByteArray::fromHex("FF047F0D"));
    }
    std::fclose(f);
    QCOMPARE(QString::fromUtf8(out.readAll()), QStringLiteral("probe 42\n"
                                                              "FF 04 7F 0D grip 127\n"
                                                              "FF 00 FF 0D base 255\n"
                                                              "junk 7A\n"
                                                              "FF 05 09 0D channel 5 9\n"));
}

void TestPlayCore::timeLeft()
{
    // From the home pose (all 127): base to 130 (2 frames), base 130 again (1), grip 100 (2).
    // A later pass starts where the first ended: base 130 (1), base 130 (1), grip 100 (1).
    StepBuffer steps;
    const QList<Step> s{{0, 0}, {0, 130}, {0, 130}, {4, 100}};
    for (int i = 0; i < s.size(); ++i)
        steps.put(i + 1, s[i]);
    steps.setStepCount(int(s.size()));
    const play::Progress p(steps, {127, 127, 127, 127, 127}, 3);

    QCOMPARE(p.framesLeft(1, 1), 5 + 3 + 3);
    QCOMPARE(p.framesLeft(1, 2), 3 + 3 + 3);
    QCOMPARE(p.framesLeft(1, 4), 0 + 3 + 3);
    QCOMPARE(p.framesLeft(2, 3), 1 + 3);
    QCOMPARE(p.framesLeft(3, 4), 0);

    // Six frames are 24 bytes: 25 ms. What is still on the wire comes on top.
    QCOMPARE(p.text(1, 4, 0ns, 0ns), "Pass 1 of 3, step 3 of 3, 0:01 left");
    QCOMPARE(p.text(2, 2, 0ns, 0ns), "Pass 2 of 3, step 1 of 3, 0:01 left");
    QCOMPARE(p.text(3, 4, 0ns, 0ns), "Pass 3 of 3, step 3 of 3, 0:00 left");
    QCOMPARE(p.text(3, 4, 61s, 0ns), "Pass 3 of 3, step 3 of 3, 1:01 left");

    const play::Progress untilStopped(steps, {127, 127, 127, 127, 127}, 0);
    QCOMPARE(untilStopped.text(12, 3, 0ns, 3723s), "Pass 12, step 2 of 3, 1:02:03 played");
    // Seconds are rounded up: a run with a moment left is not "0:00 left".
    QCOMPARE(play::Progress::duration(1ms), "0:01");
    QCOMPARE(play::Progress::duration(0ns), "0:00");
    QCOMPARE(LineClock::bytesTime(960), std::chrono::duration_cast<LineClock::Clock::duration>(1s));
}

QTEST_GUILESS_MAIN(TestPlayCore)
#include "test_play_core.moc"
