// The simulator's clock of the wire: it may take a byte only once a 9600-baud line would have
// delivered it, and a quiet spell earns no credit for a burst afterwards.

#include "sim/core/line_reader.h"

#include <QTest>

using sim::LinePace;

namespace {
constexpr qint64 ms = 1'000'000; // nanoseconds
}

class TestSimLinePace : public QObject {
    Q_OBJECT
private slots:
    void bytesComeOffAtTheWiresPace();
    void quietSpellEarnsNoBurst();
    void unevenTicksNeverOvertakeTheWire();
};

void TestSimLinePace::bytesComeOffAtTheWiresPace()
{
    LinePace pace(960);
    const qint64 t0 = 5000 * ms;
    pace.wake(t0);
    QCOMPARE(pace.budget(t0), 0);
    QCOMPARE(pace.budget(t0 + 1 * ms), 0); // a byte takes 1.04 ms
    QCOMPARE(pace.budget(t0 + 2 * ms), 1);
    QCOMPARE(pace.budget(t0 + 100 * ms), 96);
    pace.took(96);
    QCOMPARE(pace.budget(t0 + 100 * ms), 0);
    QCOMPARE(pace.budget(t0 + 1000 * ms), 960 - 96);
}

void TestSimLinePace::quietSpellEarnsNoBurst()
{
    LinePace pace(960);
    pace.wake(0);
    pace.took(pace.budget(50 * ms)); // 48 bytes, then the line empties
    pace.wake(10'000 * ms);          // ten seconds later the program writes again
    QCOMPARE(pace.budget(10'000 * ms), 0);
    QCOMPARE(pace.budget(10'010 * ms), 9);
}

void TestSimLinePace::unevenTicksNeverOvertakeTheWire()
{
    // Timer ticks arrive late and early on a busy machine; whatever the spacing, what has been
    // taken never exceeds what the wire could have carried since the first byte.
    LinePace pace(960);
    pace.wake(0);
    qint64 taken = 0;
    qint64 now = 0;
    const int gaps[] = {4, 1, 37, 4, 4, 250, 2, 3, 9, 4, 120, 5};
    for (int round = 0; round < 50; ++round) {
        for (int gap : gaps) {
            now += gap * ms;
            const qint64 b = pace.budget(now);
            pace.took(b);
            taken += b;
            QVERIFY(taken <= now * 960 / (1000 * ms));
        }
    }
    // And none of it is lost: a steadily fed line is read at the full rate.
    QVERIFY(taken >= now * 960 / (1000 * ms) - 1);
}

QTEST_GUILESS_MAIN(TestSimLinePace)
#include "test_sim_line_pace.moc"
