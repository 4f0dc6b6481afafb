// The frame, the Comm n mapping, the port failure messages and the line clock.

#include "core/link/com_device.h"
#include "core/link/frame.h"
#include "core/link/line_clock.h"
#include "support/slow_line_port.h"

#include <QTemporaryDir>
#include <QtTest>

using namespace std::chrono;

class LinkCore : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void frameBytes_data()
    {
        QTest::addColumn<int>("channel");
        QTest::addColumn<int>("position");
        QTest::addColumn<QByteArray>("bytes");
        QTest::newRow("shoulder centre") << 1 << 127 << QByteArray::fromHex("FF017F0D");
        QTest::newRow("base at 255 is not escaped") << 0 << 255 << QByteArray::fromHex("FF00FF0D");
        QTest::newRow("grip at 13 is not escaped") << 4 << 13 << QByteArray::fromHex("FF040D0D");
        QTest::newRow("channel above 4 still goes out")
            << 200 << 0 << QByteArray::fromHex("FFC8000D");
    }
    void frameBytes()
    {
        QFETCH(int, channel);
        QFETCH(int, position);
        QFETCH(QByteArray, bytes);
        QCOMPARE(frame::build(channel, position), std::optional<QByteArray>(bytes));
    }

    void valuesThatDoNotFitAByteBuildNoFrame()
    {
        QVERIFY(!frame::build(0, 256));
        QVERIFY(!frame::build(0, -1));
        QVERIFY(!frame::build(256, 0));
        QVERIFY(!frame::build(-1, 127));
    }

    void decoderResynchronisesAfterJunk()
    {
        frame::Decoder d;
        QList<frame::Frame> got;
        QList<int> junk;
        // A probe byte, a frame, a frame cut short by a new start byte, junk, a frame split
        // over two chunks.
        d.feed(
            QByteArray::fromHex("42FF017F0DFF02"), [&](auto f) { got << f; },
            [&](int b) { junk << b; });
        d.feed(
            QByteArray::fromHex("FF037F0D0011FF04"), [&](auto f) { got << f; },
            [&](int b) { junk << b; });
        d.feed(
            QByteArray::fromHex("320D"), [&](auto f) { got << f; }, [&](int b) { junk << b; });
        QCOMPARE(got, (QList<frame::Frame>{{1, 127}, {3, 127}, {4, 50}}));
        // 42; FF 02 FF 03 cannot end in 0D, so FF and 02 go; 00 11.
        QCOMPARE(junk, (QList<int>{0x42, 0xFF, 0x02, 0x00, 0x11}));
        QCOMPARE(d.badBytes(), 5);
        QCOMPARE(d.frames(), 3);
    }

    // Device names are only compared here, never opened; they are put together from their parts
    // so that no test names a real serial device outright.
    static QString dev(const char *kind, int index)
    {
        return QStringLiteral("/dev/tty") + QLatin1String(kind) + QString::number(index);
    }

    void comCandidates()
    {
        QCOMPARE(comdevice::candidates(1, "/c"),
                 (QStringList{"/c/COM1", dev("USB", 0), dev("ACM", 0), dev("S", 0)}));
        QCOMPARE(comdevice::candidates(4, "/c").at(3), dev("S", 3));
        QVERIFY(comdevice::candidates(0, "/c").isEmpty());
        QVERIFY(comdevice::candidates(-2, "/c").isEmpty());
        // The names the suite keeps every test away from, and what it leaves to them.
        for (const char *kind : {"S", "USB", "ACM"})
            QVERIFY(comdevice::isMachinePort(dev(kind, 12)));
        for (const QString &other : {QStringLiteral("/dev/pts/3"), QStringLiteral("/dev/ttyS"),
                                     QStringLiteral("/dev/tty1"), QStringLiteral("/c/COM1"),
                                     "/tmp" + dev("S", 0), dev("S", 0) + "x"})
            QVERIFY2(!comdevice::isMachinePort(other), qPrintable(other));
    }

    void comResolveTakesTheFirstPresent()
    {
        const QStringList present{dev("ACM", 1), dev("S", 1)};
        const auto there = [&](const QString &p) { return present.contains(p); };
        QCOMPARE(comdevice::resolve(2, "/c", there), dev("ACM", 1));
        QCOMPARE(comdevice::resolve(3, "/c", there), QString());
    }

    void comResolveKeepsADanglingLink()
    {
        // The user's link names the device they chose; an unplugged one must not send the
        // frames to whatever else happens to be there.
        QTemporaryDir dir;
        QVERIFY(QFile::link(dir.filePath("nowhere"), dir.filePath("COM7")));
        QCOMPARE(comdevice::resolve(7, dir.path()), dir.filePath("COM7"));
    }

    void failureTexts_data()
    {
        QTest::addColumn<int>("error");
        QTest::addColumn<QString>("device");
        QTest::addColumn<QString>("note");
        QTest::addColumn<QString>("text");
        const QString cr(QChar(13));
        QTest::newRow("in use") << 8005 << "/dev/fake1"
                                << ""
                                << "Error Code   8005" + cr + cr + "COMM 2 already open" + cr +
                                       "Click Option to change settings";
        QTest::newRow("missing") << 8002 << "/dev/fake1"
                                 << ""
                                 << "Error Code   8002" + cr + cr + "COMM 2 is not available" + cr +
                                        "Device: /dev/fake1";
        QTest::newRow("forbidden")
            << 8010 << "/dev/fake1"
            << ""
            << "Error Code   8010" + cr + cr + "COMM 2 is not available" + cr +
                   "Device: /dev/fake1 (permission denied: add your user to "
                   "the dialout group)";
        const QString stale =
            comdevice::staleLockNote("/run/lock/LCK..ttyUSB1", 4242, "kestrel", "ann");
        QTest::newRow("a stale lock")
            << 8099 << "/dev/fake1" << stale
            << "Error Code   8099" + cr + cr + "COMM 2 is not available" + cr +
                   "Device: /dev/fake1" + cr +
                   "Lock file /run/lock/LCK..ttyUSB1 was left by kestrel (process 4242 of ann), "
                   "which no longer runs. Remove it: sudo rm /run/lock/LCK..ttyUSB1";
        // What the lock file or the system may not tell is left out.
        QTest::newRow("a stale lock of an unknown program")
            << 8099 << "/dev/pts/3" << comdevice::staleLockNote("/tmp/LCK..pts_3", 17, "", "")
            << "Error Code   8099" + cr + cr + "COMM 2 is not available" + cr +
                   "Device: /dev/pts/3" + cr +
                   "Lock file /tmp/LCK..pts_3 was left by process 17, which no longer runs. "
                   "Remove it: sudo rm /tmp/LCK..pts_3";
    }
    void failureTexts()
    {
        QFETCH(int, error);
        QFETCH(QString, device);
        QFETCH(QString, note);
        QFETCH(QString, text);
        QCOMPARE(comdevice::failureText(error, 2, device, note), text);
    }

    void lineClockKeepsTheLinesPace()
    {
        LineClock line;
        const auto t0 = LineClock::Clock::time_point{} + seconds(100);
        line.wrote(4, t0);
        // Four bytes take 4/960 s.
        QCOMPARE(duration_cast<microseconds>(line.busyFor(t0)).count(), 4166);
        QCOMPARE(line.bytesInFlight(t0), 4);
        // A write while the line is busy queues behind it.
        line.wrote(4, t0 + milliseconds(1));
        QCOMPARE(duration_cast<microseconds>(line.busyFor(t0)).count(), 8333);
        // With at most one frame allowed ahead, the wait is the first frame's time.
        QCOMPARE(duration_cast<microseconds>(line.untilAtMost(1, t0)).count(), 4166);
        QCOMPARE(line.untilAtMost(2, t0), LineClock::Clock::duration::zero());
        // Once idle, a write starts from its own time, not from the old mark.
        QCOMPARE(line.busyFor(t0 + seconds(1)), LineClock::Clock::duration::zero());
        line.wrote(960, t0 + seconds(1));
        QCOMPARE(duration_cast<milliseconds>(line.busyFor(t0 + seconds(1))).count(), 1000);
        QCOMPARE(line.bytesInFlight(t0 + milliseconds(1500)), 480);
    }

    // The far end's view, which the simulator and the benchmark read the line by.
    void theFarEndTakesBytesAtTheLinesPace()
    {
        LineClock line;
        const auto t0 = LineClock::Clock::time_point{} + seconds(5);
        line.wrote(2000, t0);
        QCOMPARE(line.bytesArrived(t0), 0);
        QCOMPARE(line.bytesArrived(t0 + milliseconds(1)), 0); // a byte takes 1.04 ms
        QCOMPARE(line.bytesArrived(t0 + milliseconds(2)), 1);
        QCOMPARE(line.bytesArrived(t0 + milliseconds(100)), 96);
        QCOMPARE(line.bytesArrived(t0 + seconds(1)), 960);
        // Each byte's time, the next one's and the count agree to the nanosecond.
        for (long long k : {0LL, 1LL, 95LL, 959LL, 1999LL}) {
            QCOMPARE(line.bytesArrived(line.arrivalOf(k)), k + 1);
            QCOMPARE(line.bytesArrived(line.arrivalOf(k) - nanoseconds(1)), k);
            QCOMPARE(line.nextArrival(line.arrivalOf(k) - nanoseconds(1)), line.arrivalOf(k));
        }
        QCOMPARE(line.nextArrival(t0 + seconds(10)), t0 + seconds(10));
    }

    void aQuietSpellEarnsNoBurst()
    {
        LineClock line;
        line.wrote(48, {});
        QCOMPARE(line.bytesArrived(LineClock::Clock::time_point{} + milliseconds(50)), 48);
        // Ten seconds later the program writes again: its bytes start now, one at a time.
        const auto later = LineClock::Clock::time_point{} + seconds(10);
        // The reader has now seen 148 bytes in all: 100 new ones.
        line.sawUpTo(148, later);
        line.sawUpTo(148, later + milliseconds(5)); // seen again: nothing new
        QCOMPARE(line.bytesWritten(), 148);
        QCOMPARE(line.bytesArrived(later), 48);
        QCOMPARE(line.bytesArrived(later + milliseconds(10)), 48 + 9);
        QCOMPARE(line.arrivalOf(48), later + nanoseconds(1'000'000'000LL / 960));
    }

    void unevenLooksNeverOvertakeTheWire()
    {
        // A reader on a busy machine looks late and early, and notices bytes the program wrote
        // whenever it looks. Whatever the spacing, what has come off never exceeds what the wire
        // could carry since the first byte, and a line kept full is read at its full rate.
        LineClock line;
        const auto t0 = LineClock::Clock::time_point{} + seconds(1);
        long long now = 0; // milliseconds after t0
        const int gaps[] = {4, 1, 37, 4, 4, 250, 2, 3, 9, 4, 120, 5};
        for (int round = 0; round < 50; ++round) {
            for (int gap : gaps) {
                // More than the wire carries in the gap, so that it never runs dry.
                line.wrote(gap + 4, t0 + milliseconds(now));
                now += gap;
                const long long arrived = line.bytesArrived(t0 + milliseconds(now));
                QVERIFY(arrived <= now * 960 / 1000);
            }
        }
        QVERIFY(line.bytesArrived(t0 + milliseconds(now)) >= now * 960 / 1000 - 1);
    }

    // A replay on a line of its own pace: before each step the line wait, then the step's two
    // frames (the replay's and the value box's). What the driver holds whenever the wait lets
    // the next step go is what follows a STOP that arrives then.
    void lineWaitKeepsTheDriverNearlyEmpty_data()
    {
        QTest::addColumn<int>("bytesPerSecond");
        QTest::addColumn<bool>("tells");
        QTest::addColumn<int>("steps");
        QTest::addColumn<int>("heldAtLeast"); // the most held at a wait's end, over the run
        QTest::addColumn<int>("heldAtMost");
        QTest::newRow("a true line, told") << 960 << true << 6000 << 0 << 8;
        QTest::newRow("950 a second, told") << 950 << true << 6000 << 0 << 8;
        QTest::newRow("700 a second, told") << 700 << true << 2000 << 0 << 8;
        // A pseudo-terminal tells nothing: the clock alone lets a backlog build.
        QTest::newRow("950 a second, untold") << 950 << false << 6000 << 400 << 600;
        // A device that stopped reading: each wait gives up on the driver after a second.
        QTest::newRow("never drains, told") << 0 << true << 3 << 16 << 16;
    }
    void lineWaitKeepsTheDriverNearlyEmpty()
    {
        QFETCH(int, bytesPerSecond);
        QFETCH(bool, tells);
        QFETCH(int, steps);
        QFETCH(int, heldAtLeast);
        QFETCH(int, heldAtMost);
        SlowLinePort port(bytesPerSecond, tells);
        QCOMPARE(port.open(1), 0);
        long long most = 0;
        for (int i = 0; i < steps; ++i) {
            const auto before = port.clock();
            port.waitForLine();
            most = std::max(most, port.held());
            QVERIFY(port.clock() - before <= Port::stuckAfter + milliseconds(20));
            port.write(QByteArray::fromHex("FF017F0DFF017F0D"));
        }
        QVERIFY2(most >= heldAtLeast && most <= heldAtMost, qPrintable(QString::number(most)));
        // The wait sleeps for what is left and looks again; it never spins.
        QVERIFY2(port.sleeps() <= 3 * steps + 200, qPrintable(QString::number(port.sleeps())));
    }
};

QTEST_GUILESS_MAIN(LinkCore)
#include "test_link_core.moc"
