// The preview's clock without a widget: the range the selection gives, where it stands after a
// given time at a given speed, the end of the range or a loop round into it, a pause, and the
// poses it shows.

#include "core/edit/motion_document.h"
#include "core/edit/preview_clock.h"

#include <QTest>

Q_DECLARE_METATYPE(edits::Range)

namespace {

const timing::Pose start{127, 127, 127, 127, 127};

// Record 1 is never played; then the base to 128 (a move: 8 bytes, from byte 0), the same again
// (a hold: 4 bytes, from 8), the shoulder to 200 (8 bytes, from 12): 20 bytes in all.
const std::vector<Step> records{{0, 0}, {0, 128}, {0, 128}, {1, 200}};

// Nanoseconds the line takes for `bytes` at 1x.
qint64 ns(double bytes)
{
    return qint64(bytes * 1e9 / timing::bytesPerSecond);
}

} // namespace

class TestPreviewClock : public QObject {
    Q_OBJECT
private slots:
    void plays_data();
    void plays();
    void pausedGoesOnFromWhereItStood();
    void poses();
    void nothingToPlay();
};

void TestPreviewClock::plays_data()
{
    QTest::addColumn<edits::Range>("selected");
    QTest::addColumn<double>("speed");
    QTest::addColumn<bool>("loop");
    QTest::addColumn<double>("elapsed"); // in bytes at 1x
    QTest::addColumn<double>("from");
    QTest::addColumn<double>("to");
    QTest::addColumn<double>("at");
    QTest::addColumn<bool>("playing");
    QTest::newRow("whole motion") << edits::Range{0, 0} << 1.0 << false << 12.0 << 0.0 << 20.0
                                  << 12.0 << true;
    QTest::newRow("twice the speed")
        << edits::Range{0, 0} << 2.0 << false << 6.0 << 0.0 << 20.0 << 12.0 << true;
    QTest::newRow("past the end: at the end")
        << edits::Range{0, 0} << 1.0 << false << 24.0 << 0.0 << 20.0 << 20.0 << false;
    QTest::newRow("past the end, looped")
        << edits::Range{0, 0} << 1.0 << true << 24.0 << 0.0 << 20.0 << 4.0 << true;
    QTest::newRow("a range plays alone")
        << edits::Range{1, 2} << 1.0 << false << 13.0 << 0.0 << 12.0 << 12.0 << false;
    QTest::newRow("one step: from it to the end")
        << edits::Range{2, 1} << 1.0 << false << 4.0 << 8.0 << 20.0 << 12.0 << true;
    QTest::newRow("a range looped")
        << edits::Range{2, 2} << 1.0 << true << 14.0 << 8.0 << 20.0 << 10.0 << true;
    QTest::newRow("the place at the end: the whole")
        << edits::Range{4, 0} << 1.0 << false << 1.0 << 0.0 << 20.0 << 1.0 << true;
}

void TestPreviewClock::plays()
{
    QFETCH(edits::Range, selected);
    QFETCH(double, speed);
    QFETCH(bool, loop);
    QFETCH(double, elapsed);
    QFETCH(double, from);
    QFETCH(double, to);
    QFETCH(double, at);
    QFETCH(bool, playing);
    MotionDocument d(start);
    d.setState(records, selected);
    PreviewClock clock;
    QVERIFY(clock.stopped());
    const qint64 t0 = 5'000'000'000;
    QVERIFY(clock.start(d, t0));
    QCOMPARE(clock.from(), from);
    QCOMPARE(clock.to(), to);
    QCOMPARE(clock.at(), from);
    QCOMPARE(clock.advance(t0 + ns(elapsed), speed, loop), playing);
    QVERIFY2(std::abs(clock.at() - at) < 1e-6, qPrintable(QString::number(clock.at())));
}

void TestPreviewClock::pausedGoesOnFromWhereItStood()
{
    MotionDocument d(start);
    d.setState(records, {0, 0});
    PreviewClock clock;
    QVERIFY(clock.start(d, 0));
    QVERIFY(clock.advance(ns(5), 1, false));
    // Paused for a long while, then played again: on from byte 5, not from where the time is.
    QVERIFY(clock.start(d, ns(1000)));
    QVERIFY(clock.advance(ns(1003), 1, false));
    QVERIFY(std::abs(clock.at() - 8) < 1e-6);
    // A change of speed goes on from where it stands.
    clock.restart(ns(1003));
    QVERIFY(clock.advance(ns(1005), 2, false));
    QVERIFY(std::abs(clock.at() - 12) < 1e-6);
    clock.stop();
    QVERIFY(clock.stopped());
}

void TestPreviewClock::poses()
{
    MotionDocument d(start);
    d.setState(records, {0, 0});
    QCOMPARE(PreviewClock::stillPose(d), start); // before the first played step
    d.select({1, 2});
    QCOMPARE(PreviewClock::stillPose(d), (timing::Pose{128, 127, 127, 127, 127}));
    d.select({3, 0});
    QCOMPARE(PreviewClock::stillPose(d), (timing::Pose{128, 127, 127, 127, 127}));

    PreviewClock clock;
    d.select({0, 0});
    QVERIFY(clock.start(d, 0));
    QCOMPARE(clock.pose(d), (timing::Pose{128, 127, 127, 127, 127})); // the step on the line
    QVERIFY(!clock.advance(ns(30), 1, false));
    QCOMPARE(clock.pose(d), (timing::Pose{128, 200, 127, 127, 127})); // the end: the last step
}

void TestPreviewClock::nothingToPlay()
{
    MotionDocument d(start);
    d.setState({{0, 0}}, {0, 0}); // record 1 only
    PreviewClock clock;
    QVERIFY(!clock.start(d, 0));
    QVERIFY(clock.stopped());
}

QTEST_GUILESS_MAIN(TestPreviewClock)
#include "test_preview_clock.moc"
