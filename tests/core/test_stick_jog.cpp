// A stick held over, as positions of an axis: the dead zone, the first position at once, the
// speed growing with the deflection up to the line's pace, and no jump after a late reading.

#include "core/pad/stick_jog.h"

#include <QTest>

using namespace std::chrono;
using pad::Clock;

class TestStickJog : public QObject {
    Q_OBJECT
private slots:
    void held_data();
    void held();
    void triggersShareTheGrip();
};

namespace {

// Positions an axis moves while a stick is held at `deflection` for `ms` milliseconds, read
// every `everyMs`.
int heldFor(pad::Stick stick, int deflection, int ms, int everyMs)
{
    pad::AxisJog jog;
    const Clock::time_point t0{};
    int moved = 0;
    for (int t = 0; t <= ms; t += everyMs)
        moved += jog.advance(pad::share(stick, deflection), t0 + milliseconds(t), 240);
    return moved;
}

} // namespace

// One second held, read at the line's pace unless said: the first reading out of the dead zone
// moves one position, then the speed follows the square of the push past the zone.
void TestStickJog::held_data()
{
    using enum pad::Stick;
    QTest::addColumn<pad::Stick>("stick");
    QTest::addColumn<int>("deflection");
    QTest::addColumn<int>("everyMs");
    QTest::addColumn<int>("least");
    QTest::addColumn<int>("most");
    QTest::newRow("at rest, off centre") << LeftX << pad::stickDeadZone << 4 << 0 << 0;
    QTest::newRow("just past the zone: one position") << LeftX << 8100 << 4 << 1 << 1;
    QTest::newRow("full right: the line's pace") << LeftX << 32767 << 4 << 238 << 241;
    QTest::newRow("full left") << LeftY << -32768 << 4 << -241 << -238;
    QTest::newRow("half way past the zone: a quarter") << RightX << 8000 + 12384 << 4 << 59 << 62;
    QTest::newRow("read late, every 50 ms: two a reading") << LeftX << 32767 << 50 << 41 << 41;
    QTest::newRow("trigger barely pulled") << RightTrigger << 2100 << 4 << 1 << 1;
    QTest::newRow("trigger at rest") << LeftTrigger << 0 << 4 << 0 << 0;
}

void TestStickJog::held()
{
    QFETCH(pad::Stick, stick);
    QFETCH(int, deflection);
    QFETCH(int, everyMs);
    QFETCH(int, least);
    QFETCH(int, most);
    const int moved = heldFor(stick, deflection, 1000, everyMs);
    QVERIFY2(moved >= least && moved <= most, qPrintable(QString::number(moved)));
}

void TestStickJog::triggersShareTheGrip()
{
    pad::Jogger jogger(pad::windowDrives(), 240);
    pad::State s;
    const Clock::time_point t0{};
    // The left trigger opens: GRIP's value rises.
    s.sticks[int(pad::Stick::LeftTrigger)] = 32767;
    auto moves = jogger.advance(s, t0);
    QCOMPARE(moves.size(), 1u);
    QCOMPARE(moves[0].channel, 4);
    QCOMPARE(moves[0].by, 1);
    // Both pulled alike: they cancel, and the grip stays.
    s.sticks[int(pad::Stick::LeftTrigger)] = 0;
    QVERIFY(jogger.advance(s, t0 + milliseconds(4)).empty());
    s.sticks[int(pad::Stick::LeftTrigger)] = 32767;
    s.sticks[int(pad::Stick::RightTrigger)] = 32767;
    QVERIFY(jogger.advance(s, t0 + milliseconds(8)).empty());
    QVERIFY(jogger.advance(s, t0 + milliseconds(12)).empty());
    // The right alone closes.
    s.sticks[int(pad::Stick::LeftTrigger)] = 0;
    moves = jogger.advance(s, t0 + milliseconds(16));
    QCOMPARE(moves.size(), 1u);
    QVERIFY(moves[0].by < 0);
}

QTEST_GUILESS_MAIN(TestStickJog)
#include "test_stick_jog.moc"
