// Timed moves as pure functions: the duration each ease takes under the caps, the refusals, and
// the steps measured the way the pass timing times them: how closely every axis follows its
// path, that all arrive together, that the caps hold on the line; then retiming and the timed
// spans an edit moves or unmakes.

#include "core/edit/path_steps.h"
#include "core/edit/retime.h"
#include "core/edit/timed_move.h"
#include "core/edit/timed_spans.h"

#include <QTest>
#include <cmath>

using moves::Ease;
using Pose = timing::Pose;
using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Ease)
Q_DECLARE_METATYPE(Pose)

namespace {

// The defaults' base and elbow turn 180 degrees over the byte; caps in degrees.
arm::Profile capped(std::optional<double> speed, std::optional<double> accel)
{
    arm::Profile p = arm::defaults();
    for (arm::Joint &j : p.joints) {
        j.maxSpeed = speed;
        j.maxAccel = accel;
    }
    return p;
}

double positionsPerDegree()
{
    return 255.0 / 180.0;
}

// What each axis visits, repeats left out.
std::vector<int> visits(const Records &steps, int channel, int from)
{
    std::vector<int> out{from};
    for (const Step &s : steps)
        if (s.channel == channel && s.position != out.back())
            out.push_back(s.position);
    return out;
}

bool isSubsequence(const std::vector<int> &part, const std::vector<int> &whole)
{
    size_t at = 0;
    for (int v : whole)
        if (at < part.size() && part[at] == v)
            ++at;
    return at == part.size();
}

} // namespace

class TestTimedMove : public QObject {
    Q_OBJECT
private slots:
    void duration_data();
    void duration();
    void stepsFollowThePath_data();
    void stepsFollowThePath();
    void capsHoldOnTheLine();
    void retimeKeepsTheShape();
    void spansMoveWithEdits();
};

void TestTimedMove::duration_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<Pose>("to");
    QTest::addColumn<Ease>("ease");
    QTest::addColumn<double>("asked"); // 0: as fast as the caps allow
    QTest::addColumn<double>("seconds");
    QTest::addColumn<QString>("error");
    // The base across its travel: 180 degrees. 90 deg/s and 360 deg/s^2.
    const Pose across{255, 0, 0, 0, 0};
    const auto both = capped(90, 360);
    QTest::newRow("linear by speed") << both << across << Ease::Linear << 0.0 << 2.0 << "";
    QTest::newRow("smooth by its peak speed 1.5")
        << both << across << Ease::Smooth << 0.0 << 3.0 << "";
    QTest::newRow("trapezoid with a cruise")
        << both << across << Ease::Trapezoid << 0.0 << 2.25 << "";
    QTest::newRow("smooth by accel alone")
        << capped({}, 360) << across << Ease::Smooth << 0.0 << std::sqrt(3.0) << "";
    QTest::newRow("trapezoid by accel alone: a triangle")
        << capped({}, 360) << across << Ease::Trapezoid << 0.0 << std::sqrt(2.0) << "";
    QTest::newRow("trapezoid by speed alone: linear")
        << capped(90, {}) << across << Ease::Trapezoid << 0.0 << 2.0 << "";
    QTest::newRow("the slowest joint decides")
        << capped(90, 360) << Pose{255, 0, 127, 0, 255} << Ease::Linear << 0.0 << 2.0 << "";
    QTest::newRow("a longer time is taken") << both << across << Ease::Smooth << 5.0 << 5.0 << "";
    QTest::newRow("nothing to move") << both << Pose{} << Ease::Smooth << 0.0 << 0.0 << "";
    QTest::newRow("too quick")
        << both << across << Ease::Trapezoid << 2.0 << 0.0
        << "2 s is too quick for the joints' caps in the arm profile: the shortest this move can "
           "take is 2.25 s.";
    QTest::newRow("no cap, no time")
        << capped({}, {}) << across << Ease::Smooth << 0.0 << 0.0
        << "No joint this move turns has a max_speed or a max_accel in the arm profile: give the "
           "move a duration.";
    QTest::newRow("linear with accel caps only")
        << capped({}, 360) << across << Ease::Linear << 0.0 << 0.0
        << "No joint this move turns has a max_speed in the arm profile, and a linear move is "
           "timed by its speed alone: give the move a duration.";
    QTest::newRow("over an hour") << capped({}, {}) << across << Ease::Linear << 3601.0 << 0.0
                                  << "A move takes more than 0 s and at most 3600 s.";
}

void TestTimedMove::duration()
{
    QFETCH(arm::Profile, profile);
    QFETCH(Pose, to);
    QFETCH(Ease, ease);
    QFETCH(double, asked);
    QFETCH(double, seconds);
    QFETCH(QString, error);
    const moves::Request request{Pose{}, to, ease, asked > 0 ? std::optional(asked) : std::nullopt};
    const moves::Planned planned = moves::plan(profile, request);
    QCOMPARE(planned.error, error);
    QCOMPARE(bool(planned.path), error.isEmpty());
    if (!planned.path)
        return;
    QVERIFY(std::abs(planned.path->seconds - seconds) < 1e-9);
    // The continuous path keeps every cap: its peak speed and acceleration over each joint.
    const auto peaks = moves::peakDegreesPerSecond(profile, *planned.path);
    for (int c = 0; c < axes::count; ++c)
        if (const auto cap = profile.joints[c].maxSpeed)
            QVERIFY2(peaks[c] <= *cap * (1 + 1e-9), qPrintable(QString::number(peaks[c])));
}

void TestTimedMove::stepsFollowThePath_data()
{
    QTest::addColumn<Pose>("from");
    QTest::addColumn<Pose>("to");
    QTest::addColumn<Ease>("ease");
    QTest::addColumn<double>("seconds");
    QTest::newRow("one axis, a few positions")
        << Pose{127, 127, 127, 127, 127} << Pose{130, 127, 127, 127, 127} << Ease::Smooth << 0.5;
    QTest::newRow("one axis across, quicker than the line")
        << Pose{0, 0, 0, 0, 0} << Pose{255, 0, 0, 0, 0} << Ease::Linear << 1.0;
    QTest::newRow("a fast axis beside a slow one")
        << Pose{0, 0, 0, 0, 100} << Pose{255, 0, 0, 0, 105} << Ease::Smooth << 1.0;
    QTest::newRow("three axes, trapezoid")
        << Pose{10, 200, 127, 127, 127} << Pose{240, 20, 60, 127, 127} << Ease::Trapezoid << 2.0;
    QTest::newRow("all five across, 1 s")
        << Pose{0, 255, 0, 255, 0} << Pose{255, 0, 255, 0, 255} << Ease::Smooth << 1.0;
    QTest::newRow("all five across, 10 s")
        << Pose{0, 255, 0, 255, 0} << Pose{255, 0, 255, 0, 255} << Ease::Linear << 10.0;
    QTest::newRow("standing still for a while")
        << Pose{1, 2, 3, 4, 5} << Pose{1, 2, 3, 4, 5} << Ease::Linear << 0.25;
}

void TestTimedMove::stepsFollowThePath()
{
    QFETCH(Pose, from);
    QFETCH(Pose, to);
    QFETCH(Ease, ease);
    QFETCH(double, seconds);
    const auto planned = moves::plan(capped({}, {}), {from, to, ease, seconds});
    QVERIFY(planned.path);
    const moves::Path &path = *planned.path;
    const Records steps = moves::steps(path);
    const auto times = moves::stepTimes(steps, from);
    int moving = 0;
    for (int c = 0; c < axes::count; ++c)
        moving += from[c] != to[c];
    const double round = std::max(moving, 1) / 120.0;
    for (size_t k = 0; k < times.size(); ++k)
        for (int c = 0; c < axes::count; ++c) {
            const double t = times[k].seconds;
            const double want = path.at(c, t);
            const double bound = 1 + std::abs(want - path.at(c, std::max(0.0, t - round)));
            QVERIFY2(std::abs(times[k].before[c] - want) <= bound + 1e-9,
                     qPrintable(QStringLiteral("step %1, axis %2 at %3, path %4")
                                    .arg(k)
                                    .arg(c)
                                    .arg(times[k].before[c])
                                    .arg(want)));
        }
    // Everyone arrives, at most a round (and a hold) after the end.
    QVERIFY(!steps.empty());
    Pose end = from;
    for (const Step &s : steps)
        end[s.channel] = s.position;
    QCOMPARE(end, to);
    const double last = times.back().seconds + (times.back().before == end ? 1 : 2) / 240.0;
    QVERIFY2(last >= seconds && last <= seconds + round + 1 / 240.0,
             qPrintable(QString::number(last)));
}

void TestTimedMove::capsHoldOnTheLine()
{
    // Measured from the sends of each axis, a quarter of a second apart or more: speed within the
    // cap plus one position's rounding, acceleration within it plus the rounding of three sends.
    const double speed = 90 * positionsPerDegree(), accel = 360 * positionsPerDegree();
    int measured = 0;
    for (Ease ease : {Ease::Smooth, Ease::Trapezoid}) {
        const Pose from{0, 255, 30, 0, 127}, to{255, 0, 200, 10, 127};
        const auto planned = moves::plan(capped(90, 360), {from, to, ease, {}});
        QVERIFY(planned.path);
        const Records steps = moves::steps(*planned.path);
        const auto times = moves::stepTimes(steps, from);
        for (int c = 0; c < axes::count; ++c) {
            std::vector<std::pair<double, int>> sends;
            for (size_t k = 0; k < steps.size(); ++k)
                if (steps[k].channel == c && steps[k].position != times[k].before[c])
                    sends.push_back({times[k].seconds, steps[k].position});
            // The first send a quarter of a second or more after send i; sends.size() for none.
            const auto after = [&sends](size_t i) {
                size_t j = i;
                while (j < sends.size() && sends[j].first < sends[i].first + 0.25)
                    ++j;
                return j;
            };
            for (size_t i = 0; i < sends.size(); ++i) {
                const size_t j = after(i), l = j < sends.size() ? after(j) : j;
                if (l == sends.size())
                    break;
                const double dt1 = sends[j].first - sends[i].first;
                const double dt2 = sends[l].first - sends[j].first;
                const double v1 = (sends[j].second - sends[i].second) / dt1;
                const double v2 = (sends[l].second - sends[j].second) / dt2;
                QVERIFY(std::abs(v1) <= speed + 1 / dt1 && std::abs(v2) <= speed + 1 / dt2);
                // The mean speeds of two neighbouring windows differ by at most the cap over
                // both; each send is off its path by half a position at most.
                QVERIFY(std::abs(v2 - v1) <= accel * (dt1 + dt2) + 1 / dt1 + 1 / dt2);
                ++measured;
            }
        }
    }
    QVERIFY(measured > 100); // the caps were measured, not skipped for want of sends
}

void TestTimedMove::retimeKeepsTheShape()
{
    // A taught gesture: the base walks out and back, the grip jumps, with holds between.
    Records r{{0, 0}};
    for (int p = 128; p <= 170; ++p)
        r.push_back({0, qint16(p)});
    r.push_back({4, 90});
    r.push_back({4, 90});
    for (int p = 169; p >= 140; --p)
        r.push_back({0, qint16(p)});
    r.push_back({2, 10});
    const Pose start{127, 127, 127, 127, 127};
    const edits::Range stretch{1, int(r.size()) - 2}; // the last record stays as it was
    const double before = edits::rangeSeconds(r, stretch, start);
    for (double factor : {0.3, 1.0, 2.5}) {
        const edits::Retimed out = edits::retimed(r, stretch, before * factor, start);
        QVERIFY2(out.error.isEmpty(), qPrintable(out.error));
        QCOMPARE(out.records.front(), r.front());
        QCOMPARE(out.records.back(), r.back());
        const Records steps(out.records.begin() + 1, out.records.end() - 1);
        for (int c : {0, 4})
            QVERIFY(isSubsequence(visits(steps, c, start[c]), visits(r, c, start[c])));
        const double after = edits::rangeSeconds(out.records, {1, int(steps.size())}, start);
        QVERIFY2(after >= before * factor - 1e-9 && after <= before * factor + 2.5 / 120,
                 qPrintable(QString::number(after)));
        if (factor == 1.0)
            QCOMPARE(timing::passBytes(out.records, start), timing::passBytes(r, start));
    }
    QVERIFY(!edits::retimed(r, {0, 1}, 1, start).error.isEmpty()); // record 1 alone: nothing played
}

void TestTimedMove::spansMoveWithEdits()
{
    const moves::Path path{};
    const std::vector<edits::TimedSpan> spans{{2, 3, path}, {10, 4, path}};
    const auto firsts = [](const std::vector<edits::TimedSpan> &s) {
        std::vector<int> out;
        for (const auto &t : s)
            out.push_back(t.first);
        return out;
    };
    // An insert before both moves both; one inside the first unmakes it; one at its end does not.
    QCOMPARE(firsts(edits::spansAfter(spans, {1, {}, {{0, 1}}})), (std::vector<int>{3, 11}));
    QCOMPARE(firsts(edits::spansAfter(spans, {3, {}, {{0, 1}}})), (std::vector<int>{11}));
    QCOMPARE(firsts(edits::spansAfter(spans, {5, {}, {{0, 1}, {0, 2}}})),
             (std::vector<int>{2, 12}));
    // A delete reaching into the second unmakes it; a new span takes its place in order.
    QCOMPARE(firsts(edits::spansAfter(spans, {8, {{0, 1}, {0, 2}, {0, 3}}, {}},
                                      edits::TimedSpan{6, 2, path})),
             (std::vector<int>{2, 6}));
}

QTEST_GUILESS_MAIN(TestTimedMove)
#include "test_timed_move.moc"
