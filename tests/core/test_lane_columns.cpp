// What the timeline draws, without a widget: each pixel column's lowest and highest position of
// each axis, the steps on other channels, the bytes the selection covers, the steps a dragged
// span takes and the pointer's readout.

#include "core/edit/lane_columns.h"
#include "core/edit/motion_document.h"

#include <QTest>

Q_DECLARE_METATYPE(timeline::Scale)

namespace {

const timing::Pose start{127, 127, 127, 127, 127};

// The base to 128 (8 bytes from 0), a hold (4 from 8), the shoulder to 200 (8 from 12), channel
// 5 at 40 (4 from 20, moving nothing): 24 bytes.
const std::vector<Step> records{{0, 0}, {0, 128}, {0, 128}, {1, 200}, {5, 40}};

} // namespace

class TestLaneColumns : public QObject {
    Q_OBJECT
private slots:
    void columns_data();
    void columns();
    void selectionAndSpans();
};

void TestLaneColumns::columns_data()
{
    QTest::addColumn<timeline::Scale>("scale");
    QTest::addColumn<int>("column");
    QTest::addColumn<int>("axis");
    QTest::addColumn<int>("low"); // high < 0: nothing in the column
    QTest::addColumn<int>("high");
    QTest::newRow("a byte a column: the base's move")
        << timeline::Scale{0, 1, 24} << 3 << 0 << 128 << 128;
    QTest::newRow("the shoulder before its move")
        << timeline::Scale{0, 1, 24} << 9 << 1 << 127 << 127;
    QTest::newRow("the shoulder's move") << timeline::Scale{0, 1, 24} << 12 << 1 << 200 << 200;
    QTest::newRow("one column for all: the span")
        << timeline::Scale{0, 24, 1} << 0 << 1 << 127 << 200;
    QTest::newRow("past the motion: nothing") << timeline::Scale{0, 1, 40} << 30 << 0 << 256 << -1;
    QTest::newRow("scrolled: from the step in view")
        << timeline::Scale{12, 1, 4} << 0 << 1 << 200 << 200;
    QTest::newRow("zoomed in: a step over many columns")
        << timeline::Scale{8, 0.25, 16} << 15 << 0 << 128 << 128;
}

void TestLaneColumns::columns()
{
    QFETCH(timeline::Scale, scale);
    QFETCH(int, column);
    QFETCH(int, axis);
    QFETCH(int, low);
    QFETCH(int, high);
    MotionDocument d(start);
    d.setState(records, {0, 0});
    const timeline::LaneColumns c(d, scale);
    QCOMPARE(c.width(), scale.width);
    QCOMPARE(c.low(column, axis), low);
    QCOMPARE(c.high(column, axis), high);
}

void TestLaneColumns::selectionAndSpans()
{
    MotionDocument d(start);
    d.setState(records, {0, 0});
    // The step on channel 5 is drawn in its own lane, at its column.
    const timeline::LaneColumns c(d, {0, 2, 12});
    QCOMPARE(c.others(), (std::vector<std::pair<int, int>>{{10, 40}}));

    d.select({2, 2});
    QCOMPARE(timeline::selectedBytes(d).from, 8.0);
    QCOMPARE(timeline::selectedBytes(d).to, 20.0);
    d.select({1, 0}); // a place before the first played step
    QCOMPARE(timeline::selectedBytes(d).from, 0.0);
    QCOMPARE(timeline::selectedBytes(d).to, 0.0);

    // A span ending where a step starts does not take it; either direction; past the ends.
    const auto between = [&](double a, double b) { return *timeline::playedBetween(d, a, b); };
    QCOMPARE(between(9, 12).first, 2);
    QCOMPARE(between(9, 12).count, 1);
    QCOMPARE(between(13, 1).first, 1);
    QCOMPARE(between(13, 1).count, 3);
    QCOMPARE(between(-5, 99).count, 4);
    QCOMPARE(timeline::readout(d, 3),
             QStringLiteral(
                 "0.013 s   record 4    base 128  shoulder 200  elbow 127  wrist 127  grip 127"));

    MotionDocument empty(start);
    QVERIFY(!timeline::playedBetween(empty, 0, 10));
    QVERIFY(timeline::readout(empty, 1).isEmpty());
}

QTEST_GUILESS_MAIN(TestLaneColumns)
#include "test_lane_columns.moc"
