// The simulator's picture of the arm: what a stream of bytes with junk and probes in it does to
// the positions, the counters and the log.

#include "sim/core/arm_state.h"

#include <QTest>

using sim::ArmState;
using sim::Event;

namespace {

QByteArray bytes(std::initializer_list<int> list)
{
    QByteArray b;
    for (int v : list)
        b.append(static_cast<char>(v));
    return b;
}

QStringList described(const std::deque<Event> &events)
{
    QStringList out;
    for (const Event &e : events)
        out << sim::describe(e);
    return out;
}

} // namespace

class TestSimArmState : public QObject {
    Q_OBJECT
private slots:
    void decodesAroundJunk();
    void keepsFramesSplitAcrossReads();
    void frameForAChannelWithoutServo();
    void probeOnlyWhenAlone_data();
    void probeOnlyWhenAlone();
    void logLines();
    void recentKeepsTheLastTwelve();
    void framesPerSecondCountsTheLastSecond();
};

void TestSimArmState::decodesAroundJunk()
{
    ArmState s;
    // Junk before, between and inside: a start byte whose fourth byte is not 0D costs one bad
    // byte, and the frame that follows it is still found.
    const QByteArray line = bytes({0x7A, 0xFF, 0x01, 0x40, 0x0D, 0x00, 0x13, 0xFF, 0x33, 0xFF, 0x02,
                                   0x0D, 0x0D, 0xFF, 0x00, 0xFF, 0x0D});
    const std::deque<Event> events = s.feed(line, 250, false);
    QCOMPARE(described(events),
             QStringList({"junk 7A", "FF 01 40 0D shoulder 64", "junk 00", "junk 13", "junk FF",
                          "junk 33", "FF 02 0D 0D elbow 13", "FF 00 FF 0D base 255"}));
    QCOMPARE(s.frames(), 3);
    QCOMPARE(s.badBytes(), 5);
    QCOMPARE(s.position(0), 255);
    QCOMPARE(s.position(1), 64);
    QCOMPARE(s.position(2), 13);
    QVERIFY(s.heard(2));
    QCOMPARE(s.position(3), 127); // not sent yet: drawn at the centre
    QVERIFY(!s.heard(3));
    for (const Event &e : events)
        QCOMPARE(e.ms, 250);
}

void TestSimArmState::keepsFramesSplitAcrossReads()
{
    ArmState s;
    // The line is read a few bytes at a time, so frames arrive in pieces.
    QVERIFY(s.feed(bytes({0xFF, 0x04}), 10, true).empty());
    QVERIFY(s.feed(bytes({0x10}), 11, true).empty());
    const std::deque<Event> done = s.feed(bytes({0x0D, 0xFF}), 12, true);
    QCOMPARE(described(done), QStringList({"FF 04 10 0D grip 16"}));
    QCOMPARE(done.front().ms, 12);
    QCOMPARE(described(s.feed(bytes({0x03, 0x99, 0x0D}), 13, false)),
             QStringList({"FF 03 99 0D wrist 153"}));
    QCOMPARE(s.badBytes(), 0);
}

void TestSimArmState::frameForAChannelWithoutServo()
{
    ArmState s;
    const auto events = s.feed(bytes({0xFF, 0x09, 0x10, 0x0D}), 0, false);
    QCOMPARE(described(events), QStringList({"FF 09 10 0D channel 9 16"}));
    QCOMPARE(s.frames(), 1);
    for (int ch = 0; ch < sim::channels; ++ch) {
        QCOMPARE(s.position(ch), 127);
        QVERIFY(!s.heard(ch));
    }
}

void TestSimArmState::probeOnlyWhenAlone_data()
{
    QTest::addColumn<QByteArray>("before");
    QTest::addColumn<QByteArray>("read");
    QTest::addColumn<bool>("moreWaiting");
    QTest::addColumn<QStringList>("expected");
    QTest::addColumn<qint64>("badBytes");
    // A probe is counted apart, never as a bad byte.
    QTest::newRow("alone after a frame") << bytes({0xFF, 0, 1, 0x0D}) << QByteArray("B") << false
                                         << QStringList({"probe 42"}) << qint64(0);
    QTest::newRow("alone at start")
        << QByteArray() << QByteArray("B") << false << QStringList({"probe 42"}) << qint64(0);
    QTest::newRow("more behind it")
        << QByteArray() << QByteArray("B") << true << QStringList({"junk 42"}) << qint64(1);
    QTest::newRow("in company") << QByteArray() << QByteArray("xB") << false
                                << QStringList({"junk 78", "junk 42"}) << qint64(2);
    // Inside a frame a 42 is a position, not a probe.
    QTest::newRow("inside a frame")
        << bytes({0xFF, 0x01}) << QByteArray("B") << false << QStringList() << qint64(0);
}

void TestSimArmState::probeOnlyWhenAlone()
{
    QFETCH(QByteArray, before);
    QFETCH(QByteArray, read);
    QFETCH(bool, moreWaiting);
    QFETCH(QStringList, expected);
    QFETCH(qint64, badBytes);
    ArmState s;
    s.feed(before, 0, false);
    QCOMPARE(described(s.feed(read, 1, moreWaiting)), expected);
    QCOMPARE(s.badBytes(), badBytes);
    QCOMPARE(s.probes(), expected.count(QStringLiteral("probe 42")));
}

void TestSimArmState::logLines()
{
    Event grip{Event::Frame, 412, 4, 127, 0};
    QCOMPARE(sim::logLine(grip), QStringLiteral("0.412 FF 04 7F 0D grip 127"));
    Event junk{Event::Junk, 100, 0, 0, 0x42};
    QCOMPARE(sim::logLine(junk), QStringLiteral("0.100 junk 42"));
    Event probe{Event::Probe, 61234, 0, 0, 0x42};
    QCOMPARE(sim::logLine(probe), QStringLiteral("61.234 probe 42"));
    Event base{Event::Frame, 0, 0, 255, 0};
    QCOMPARE(sim::logLine(base), QStringLiteral("0.000 FF 00 FF 0D base 255"));
}

void TestSimArmState::recentKeepsTheLastTwelve()
{
    ArmState s;
    for (int i = 0; i < 20; ++i)
        s.feed(bytes({0xFF, 0x00, i, 0x0D}), i, false);
    s.feed(QByteArray("?"), 20, false);
    QCOMPARE(int(s.recent().size()), sim::recentCapacity);
    QCOMPARE(s.recent().front().position, 9); // oldest kept: frames 9 to 19, then the junk
    QCOMPARE(s.recent().back().kind, Event::Junk);
    QCOMPARE(s.position(0), 19);
}

void TestSimArmState::framesPerSecondCountsTheLastSecond()
{
    ArmState s;
    QCOMPARE(s.framesPerSecond(0), 0);
    // 240 frames a second, the most the line carries, for 1.5 s.
    const QByteArray f = bytes({0xFF, 0x01, 0x7F, 0x0D});
    for (int i = 0; i < 360; ++i)
        s.feed(f, i * 1000 / 240, false);
    const qint64 last = 359 * 1000 / 240;
    QVERIFY2(qAbs(s.framesPerSecond(last) - 240) <= 1,
             qPrintable(QString::number(s.framesPerSecond(last))));
    // The line then goes quiet: the figure falls away instead of sticking.
    QVERIFY(s.framesPerSecond(last + 500) < 130);
    QCOMPARE(s.framesPerSecond(last + 1000), 0);
}

QTEST_GUILESS_MAIN(TestSimArmState)
#include "test_sim_arm_state.moc"
