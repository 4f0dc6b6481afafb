// The frame, the Comm n mapping, the port failure messages and the line clock.

#include "core/link/com_device.h"
#include "core/link/frame.h"
#include "core/link/line_clock.h"

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
        QTest::addColumn<QString>("text");
        const QString cr(QChar(13));
        QTest::newRow("in use") << 8005 << "/dev/fake1"
                                << "Error Code   8005" + cr + cr + "COMM 2 already open" + cr +
                                       "Click Option to change settings";
        QTest::newRow("missing") << 8002 << "/dev/fake1"
                                 << "Error Code   8002" + cr + cr + "COMM 2 is not available" + cr +
                                        "Device: /dev/fake1";
        QTest::newRow("forbidden")
            << 8010 << "/dev/fake1"
            << "Error Code   8010" + cr + cr + "COMM 2 is not available" + cr +
                   "Device: /dev/fake1 (permission denied: add your user to "
                   "the dialout group)";
    }
    void failureTexts()
    {
        QFETCH(int, error);
        QFETCH(QString, device);
        QFETCH(QString, text);
        QCOMPARE(comdevice::failureText(error, 2, device), text);
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
};

QTEST_GUILESS_MAIN(LinkCore)
#include "test_link_core.moc"
