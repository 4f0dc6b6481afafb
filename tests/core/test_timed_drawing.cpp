// What the views draw of a timed move, without a widget: the timeline's band, label and eased
// path for each column range in view, and the preview's tool-point path with the point the path
// has reached at the byte played.

#include "core/edit/motion_document.h"
#include "core/edit/span_columns.h"
#include "core/edit/tool_path.h"

#include <QTest>
#include <cmath>
#include <memory>

Q_DECLARE_METATYPE(timeline::Scale)

namespace {

const timing::Pose start{127, 127, 127, 127, 127};
// The base up by 33 and the grip down by 27 in a second, smoothly: the other three stay.
const moves::Path path{start, {160, 127, 127, 127, 100}, moves::Ease::Smooth, 1.0};

// Record 1 (never played), a hold of 4 bytes, the move from byte 4, then the elbow's 8 bytes.
std::unique_ptr<MotionDocument> document()
{
    std::vector<Step> records{{0, 127}, {1, 127}};
    const std::vector<Step> steps = moves::steps(path);
    records.insert(records.end(), steps.begin(), steps.end());
    records.push_back(Step{2, 130});
    auto d = std::make_unique<MotionDocument>(start);
    d->setState(records, {1, 0}, {edits::TimedSpan{2, int(steps.size()), path}});
    return d;
}

// The byte the move's records end at: where the elbow's step starts.
double moveEnd(const MotionDocument &d)
{
    return d.startByteOf(d.size() - 1);
}

double baseAtByte(double byte)
{
    return path.at(0, (byte - 4) / timing::bytesPerSecond);
}

} // namespace

class TestTimedDrawing : public QObject {
    Q_OBJECT
private slots:
    void spanColumns_data();
    void spanColumns();
    void toolPath_data();
    void toolPath();
};

void TestTimedDrawing::spanColumns_data()
{
    const double end = moveEnd(*document());
    QTest::addColumn<timeline::Scale>("scale");
    QTest::addColumn<int>("spans");
    QTest::addColumn<int>("points"); // on each moving axis's curve
    QTest::addColumn<double>("firstColumn");
    QTest::addColumn<double>("firstBase"); // the base's position there
    QTest::addColumn<double>("lastColumn");
    QTest::addColumn<double>("lastBase");
    const int whole = int(end) + 10;
    QTest::newRow("a byte a column, all in view: both ends and every column's middle")
        << timeline::Scale{0, 1, whole} << 1 << int(end) - 4 + 2 << 4.0 << 127.0 << end << 160.0;
    QTest::newRow("scrolled into the move: a column's middle each, no end")
        << timeline::Scale{504, 1, 100} << 1 << 100 << 0.5 << baseAtByte(504.5) << 99.5
        << baseAtByte(603.5);
    QTest::newRow("its end in view, its start not")
        << timeline::Scale{end - 10, 1, 20} << 1 << 11 << 0.5 << baseAtByte(end - 9.5) << 10.0
        << 160.0;
    QTest::newRow("zoomed out: inside one column, its ends only")
        << timeline::Scale{0, 4000, 1} << 1 << 2 << 4 / 4000.0 << 127.0 << end / 4000 << 160.0;
    QTest::newRow("the view before it")
        << timeline::Scale{0, 1, 4} << 0 << 0 << 0.0 << 0.0 << 0.0 << 0.0;
    QTest::newRow("the view after it")
        << timeline::Scale{end, 1, 8} << 0 << 0 << 0.0 << 0.0 << 0.0 << 0.0;
}

void TestTimedDrawing::spanColumns()
{
    QFETCH(timeline::Scale, scale);
    QFETCH(int, spans);
    QFETCH(int, points);
    QFETCH(double, firstColumn);
    QFETCH(double, firstBase);
    QFETCH(double, lastColumn);
    QFETCH(double, lastBase);
    const auto d = document();
    const std::vector<timeline::SpanDrawing> drawn = timeline::spansInView(*d, scale);
    QCOMPARE(int(drawn.size()), spans);
    if (spans == 0)
        return;
    const timeline::SpanDrawing &s = drawn.front();
    QCOMPARE(s.from, scale.columnOf(4));
    QCOMPARE(s.to, scale.columnOf(moveEnd(*d)));
    QCOMPARE(s.label, QStringLiteral("smooth 1.00 s"));
    QCOMPARE(int(s.curves.size()), 2); // the base and the grip; the rest stay
    QCOMPARE(s.curves[0].axis, 0);
    QCOMPARE(s.curves[1].axis, 4);
    const auto &base = s.curves[0].points;
    QCOMPARE(int(base.size()), points);
    QCOMPARE(base.front().first, firstColumn);
    QCOMPARE(base.front().second, firstBase);
    QCOMPARE(base.back().first, lastColumn);
    QCOMPARE(base.back().second, lastBase);
    for (size_t i = 1; i < base.size(); ++i)
        QVERIFY(base[i].first > base[i - 1].first && base[i].second >= base[i - 1].second);
}

void TestTimedDrawing::toolPath_data()
{
    const double end = moveEnd(*document());
    QTest::addColumn<double>("byte");
    QTest::addColumn<double>("seconds"); // where the path is then; < 0: nothing drawn
    QTest::newRow("the hold before the move") << 2.0 << -1.0;
    QTest::newRow("its first byte: the path's start") << 4.0 << 0.0;
    QTest::newRow("half a second in") << 484.0 << 0.5;
    QTest::newRow("its last byte: the path ended") << end - 1 << 1.0;
    QTest::newRow("the step after it") << end << -1.0;
    QTest::newRow("past the motion") << end + 100 << -1.0;
}

void TestTimedDrawing::toolPath()
{
    QFETCH(double, byte);
    QFETCH(double, seconds);
    const auto d = document();
    const arm::Profile profile = arm::defaults();
    const preview::ToolPath drawn = preview::toolPathAt(*d, profile, byte);
    QCOMPARE(drawn.empty(), seconds < 0);
    if (seconds < 0)
        return;
    QCOMPARE(int(drawn.points.size()), preview::toolPathSamples);
    const auto toolOf = [&](double t) {
        arm::Positions pose{};
        for (int c = 0; c < axes::count; ++c)
            pose[size_t(c)] = path.at(c, t);
        return arm::forward(profile, pose).tool;
    };
    const auto same = [](const arm::Point &a, const arm::Point &b) {
        return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z) < 1e-9;
    };
    // Evenly over the path's time, from its start to its end.
    QVERIFY(same(drawn.points.front().tool, toolOf(0)) &&
            same(drawn.points.back().tool, toolOf(1)));
    QVERIFY(same(drawn.points[20].tool, toolOf(20.0 / 39)));
    QVERIFY(drawn.now && same(drawn.now->tool, toolOf(seconds)));
}

QTEST_GUILESS_MAIN(TestTimedDrawing)
#include "test_timed_drawing.moc"
