// The edits as pure functions: each row gives a motion, an edit and the motion it must make.
// The moves to a pose and the smoothing are compared with hand-written movement files.

#include "core/edit/motion_edits.h"
#include "core/store/movement_file.h"
#include "support/printing.h"

#include <QFile>
#include <QTest>
#include <cmath>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)

namespace {

using namespace edits;
constexpr timing::Pose centred{127, 127, 127, 127, 127};

QByteArray fileBytes(const Records &r)
{
    StepBuffer buffer;
    movement::fill(buffer, r);
    return movement::write(buffer, 1, buffer.stepCount());
}

QByteArray golden(const QString &name)
{
    QFile f(QStringLiteral(KESTREL_TEST_DATA "/edit/") + name);
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", qPrintable(name));
    return f.readAll();
}

// A placeholder, then base and shoulder moves: 8, 4 (shoulder already at 127) and 8 bytes.
const Records taught{{0, 0}, {0, 130}, {1, 127}, {0, 120}};

} // namespace

class TestMotionEdits : public QObject {
    Q_OBJECT
private slots:
    void edits_data();
    void edits();
    void holdsAndSlowingAddTimeOnly_data();
    void holdsAndSlowingAddTimeOnly();
    void ratesAreTheNearestMade();
    void goldenFiles_data();
    void goldenFiles();
};

void TestMotionEdits::edits_data()
{
    QTest::addColumn<Records>("edited");
    QTest::addColumn<Records>("expected");
    const Records r{{0, 0}, {0, 10}, {1, 200}, {0, 250}, {5, 7}};

    QTest::newRow("remove") << removed(r, {1, 2}) << Records{{0, 0}, {0, 250}, {5, 7}};
    QTest::newRow("remove past the end")
        << removed(r, {3, 99}) << Records{{0, 0}, {0, 10}, {1, 200}};
    QTest::newRow("remove a stale range") << removed(r, {9, 2}) << r;
    QTest::newRow("insert") << inserted(r, 2, {{4, 1}})
                            << Records{{0, 0}, {0, 10}, {4, 1}, {1, 200}, {0, 250}, {5, 7}};
    QTest::newRow("duplicate") << duplicated(r, {1, 2})
                               << Records{{0, 0},   {0, 10},  {1, 200}, {0, 10},
                                          {1, 200}, {0, 250}, {5, 7}};
    QTest::newRow("reverse") << reversed(r, {1, 3})
                             << Records{{0, 0}, {0, 250}, {1, 200}, {0, 10}, {5, 7}};
    // Only the axis asked for, only inside the range, clamped to 0..255.
    QTest::newRow("set clamps high")
        << positionsSet(r, {1, 3}, 0, 300) << Records{{0, 0}, {0, 255}, {1, 200}, {0, 255}, {5, 7}};
    QTest::newRow("set clamps low")
        << positionsSet(r, {0, 2}, 0, -4) << Records{{0, 0}, {0, 0}, {1, 200}, {0, 250}, {5, 7}};
    QTest::newRow("offset clamps") << positionsOffset(r, {0, 5}, 0, 100)
                                   << Records{{0, 100}, {0, 110}, {1, 200}, {0, 255}, {5, 7}};
    QTest::newRow("offset a channel above 4")
        << positionsOffset(r, {0, 5}, 5, -10)
        << Records{{0, 0}, {0, 10}, {1, 200}, {0, 250}, {5, 0}};
    // 100 + 1.5 * (10 - 100) = -35 -> 0; 100 + 1.5 * 150 = 325 -> 255.
    QTest::newRow("scale clamps") << positionsScaled(r, {1, 3}, 0, 1.5, 100)
                                  << Records{{0, 0}, {0, 0}, {1, 200}, {0, 255}, {5, 7}};
    // 101 -> 101.5 -> 102 and 103 -> 104.5 -> 104: halves go to the even neighbour.
    QTest::newRow("scale rounds half to even")
        << positionsScaled({{0, 0}, {2, 101}, {2, 103}}, {0, 3}, 2, 1.5, 100)
        << Records{{0, 0}, {2, 102}, {2, 104}};
    QTest::newRow("scale by no number") << positionsScaled(r, {0, 5}, 0, NAN, 0) << r;

    // In the middle the step before is repeated; at the start the first played step's axis
    // stands where the pass starts; a channel above 4 there gives way to the grip.
    const timing::Pose start{10, 20, 30, 40, 50};
    QTest::newRow("hold in the middle")
        << holdInserted(r, 3, 2, start)
        << Records{{0, 0}, {0, 10}, {1, 200}, {1, 200}, {1, 200}, {0, 250}, {5, 7}};
    QTest::newRow("hold at the start") << holdInserted({{0, 0}, {2, 90}}, 0, 2, start)
                                       << Records{{0, 0}, {2, 30}, {2, 30}, {2, 90}};
    QTest::newRow("hold before a channel above 4")
        << holdInserted({{0, 0}, {6, 90}}, 1, 1, start) << Records{{0, 0}, {4, 50}, {6, 90}};
    QTest::newRow("hold in an empty motion")
        << holdInserted({}, 0, 1, start) << Records{{0, 0}, {4, 50}};
    QTest::newRow("hold of nothing") << holdInserted(r, 2, -3, start) << r;

    // taught's steps take 8, 4 and 8 bytes: twice as slow owes 2, 1 and 2 holds.
    QTest::newRow("slowed twice") << slowed(taught, {0, 4}, 2, centred)
                                  << Records{{0, 0},   {0, 130}, {0, 130}, {0, 130}, {1, 127},
                                             {1, 127}, {0, 120}, {0, 120}, {0, 120}};
    // 1.3 owes 0.6 then 1.2 holds: the rounding is carried, not made at every step.
    QTest::newRow("slowed with rounding carried")
        << slowed(taught, {1, 3}, 1.3, centred)
        << Records{{0, 0}, {0, 130}, {0, 130}, {1, 127}, {0, 120}, {0, 120}};
    QTest::newRow("not slowed below 1") << slowed(taught, {0, 4}, 0.5, centred) << taught;
}

void TestMotionEdits::edits()
{
    QFETCH(Records, edited);
    QFETCH(Records, expected);
    QCOMPARE(fileBytes(edited), fileBytes(expected));
}

void TestMotionEdits::holdsAndSlowingAddTimeOnly_data()
{
    QTest::addColumn<Records>("edited");
    QTest::addColumn<qint64>("addedBytes");
    // taught takes 20 bytes: slowing all of it by 2.5 owes 7.5 holds, made as 8.
    QTest::newRow("hold at the start") << holdInserted(taught, 1, holdsFor(0.5), centred) << 480ll;
    QTest::newRow("hold at the end") << holdInserted(taught, 4, holdsFor(0.01), centred) << 8ll;
    QTest::newRow("slowed") << slowed(taught, {0, 4}, 2.5, centred) << 32ll;
}

void TestMotionEdits::holdsAndSlowingAddTimeOnly()
{
    QFETCH(Records, edited);
    QFETCH(qint64, addedBytes);
    QCOMPARE(timing::passBytes(edited, centred) - timing::passBytes(taught, centred), addedBytes);
    // Nothing moves differently: the pose at the end is the same.
    QCOMPARE(poseAfter(edited, int(edited.size()), centred),
             poseAfter(taught, int(taught.size()), centred));
}

void TestMotionEdits::ratesAreTheNearestMade()
{
    QCOMPARE(holdsForRate(120), 0);
    QCOMPARE(holdsForRate(500), 0);
    QCOMPARE(holdsForRate(80), 1);
    QCOMPARE(holdsForRate(70), 1); // halfway between 80 and 60: the faster
    QCOMPARE(holdsForRate(0), 2398);
    QCOMPARE(rateOf(2), 60.0);
    // Against every k there is, for rates from 0.1 up.
    for (double rate = 0.1; rate < 130; rate *= 1.07) {
        double nearest = 1e9;
        for (int k = 0; k <= 2398; ++k)
            nearest = std::min(nearest, std::abs(rateOf(k) - rate));
        QCOMPARE(std::abs(rateOf(holdsForRate(rate)) - rate), nearest);
    }
}

void TestMotionEdits::goldenFiles_data()
{
    QTest::addColumn<Records>("edited");
    QTest::addColumn<QString>("file");
    const Records two{{0, 0}, {0, 127}, {1, 127}};
    const timing::Pose target{129, 126, 127, 127, 125};
    QTest::newRow("pose, axis after axis")
        << poseMoveInserted(two, 3, centred, target, PoseOrder::AxisAfterAxis, 0)
        << "pose_move_axis_after_axis.kmv";
    QTest::newRow("pose, interleaved, a hold each")
        << poseMoveInserted(two, 0, centred, target, PoseOrder::Interleaved, holdsForRate(80))
        << "pose_move_interleaved_holds.kmv";
    const Records jumpy{{0, 0}, {0, 127}, {0, 131}, {1, 125}, {6, 0}, {0, 129}, {2, 120}};
    QTest::newRow("smoothed whole")
        << smoothed(jumpy, {0, 7}, 2, 0, centred) << "smoothed_whole.kmv";
    // The base's jump is measured from 131, where the step before the range left it.
    QTest::newRow("smoothed range, a hold each")
        << smoothed(jumpy, {3, 3}, 1, 1, centred) << "smoothed_range_holds.kmv";
}

void TestMotionEdits::goldenFiles()
{
    QFETCH(Records, edited);
    QFETCH(QString, file);
    QCOMPARE(fileBytes(edited), golden(file));
}

QTEST_GUILESS_MAIN(TestMotionEdits)
#include "test_motion_edits.moc"
