// Straight lines of the tool point: every step's pose keeps the tool point within the tolerance
// of the line, the line ends where the solve of its target does and takes the time its speed
// gives; a point of the line that cannot be reached, and a line too fast for its joints' caps,
// refuse the whole line and say where.

#include "core/edit/path_steps.h"
#include "core/edit/tip_line.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(arm::Profile)
Q_DECLARE_METATYPE(arm::Target)
Q_DECLARE_METATYPE(moves::Ease)

namespace {

const timing::Pose centre{127, 127, 127, 127, 127};

arm::Profile tabled()
{
    arm::Profile p = arm::defaults();
    p.arm.table = 20.0;
    return p;
}

// The shoulder kept between 100 and 150, the elbow within 60..200: a line that runs near them.
arm::Profile narrow()
{
    arm::Profile p = arm::defaults();
    p.joints[axes::Shoulder].min = 100, p.joints[axes::Shoulder].max = 150;
    p.joints[axes::Elbow].min = 60, p.joints[axes::Elbow].max = 200;
    return p;
}

arm::Profile capped()
{
    arm::Profile p = arm::defaults();
    for (arm::Joint &j : p.joints)
        j.maxSpeed = 90, j.maxAccel = 360;
    return p;
}

double distance(const arm::Point &a, const arm::Point &b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

// mm from `p` to the segment a..b, worked out here apart from the code under test.
double offLine(const arm::Point &a, const arm::Point &b, const arm::Point &p)
{
    const double l = distance(a, b);
    const double s = l > 0 ? std::clamp(((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y) +
                                         (p.z - a.z) * (b.z - a.z)) /
                                            (l * l),
                                        0.0, 1.0)
                           : 0.0;
    return distance(p, {a.x + (b.x - a.x) * s, a.y + (b.y - a.y) * s, a.z + (b.z - a.z) * s});
}

} // namespace

class TestTipLine : public QObject {
    Q_OBJECT
private slots:
    void stepsStayOnTheLine_data();
    void stepsStayOnTheLine();
    void refusedLinesSayWhere_data();
    void refusedLinesSayWhere();
};

void TestTipLine::stepsStayOnTheLine_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<timing::Pose>("from");
    QTest::addColumn<arm::Target>("target");
    QTest::addColumn<double>("speed");
    QTest::addColumn<moves::Ease>("ease");
    const arm::Profile d = arm::defaults();
    QTest::newRow("level") << d << centre << arm::Target{{132, 80, 160}, 0} << 60.0
                           << moves::Ease::Smooth;
    QTest::newRow("diagonal") << d << timing::Pose{100, 150, 90, 120, 30}
                              << arm::Target{{60, -90, 70}, -30} << 120.0 << moves::Ease::Linear;
    QTest::newRow("vertical") << tabled() << centre << arm::Target{{132, 0, 40}, 0} << 40.0
                              << moves::Ease::Trapezoid;
    QTest::newRow("pitch change") << d << centre << arm::Target{{170, 20, 120}, -60} << 30.0
                                  << moves::Ease::Smooth;
    QTest::newRow("short, turning far")
        << d << centre << arm::Target{{134, 0, 160}, 45} << 3.0 << moves::Ease::Smooth;
    QTest::newRow("only the pitch")
        << capped() << centre << arm::Target{{132, 0, 160}, 30} << 50.0 << moves::Ease::Smooth;
    QTest::newRow("near the limits")
        << narrow() << timing::Pose{127, 148, 190, 127, 127} << arm::Target{{150, 0, 120}, 0}
        << 50.0 << moves::Ease::Linear;
}

void TestTipLine::stepsStayOnTheLine()
{
    QFETCH(arm::Profile, profile);
    QFETCH(timing::Pose, from);
    QFETCH(arm::Target, target);
    QFETCH(double, speed);
    QFETCH(moves::Ease, ease);
    const lines::Planned planned = lines::plan(profile, {from, target, speed, ease});
    QVERIFY2(planned.line, qPrintable(planned.error));
    const lines::Line &line = *planned.line;
    const arm::Point start = arm::forward(profile, from).tool;
    const double allowed = lines::tolerance + line.bound + 1e-9;
    const std::vector<moves::StepTime> times = moves::stepTimes(line.steps, from);
    QVERIFY(!times.empty());
    timing::Pose pose = from;
    double worst = 0; // the farthest a step's tool point is from the line
    for (size_t k = 0; k < line.steps.size(); ++k) {
        QCOMPARE(times[k].before, pose);
        pose[line.steps[k].channel] = line.steps[k].position;
        const arm::Reach r = arm::forward(profile, pose);
        worst = std::max(worst, offLine(start, target.point, r.tool));
        QVERIFY2(offLine(start, target.point, r.tool) <= allowed,
                 qPrintable(QStringLiteral("step %1: %2 mm off, %3 allowed")
                                .arg(k)
                                .arg(offLine(start, target.point, r.tool))
                                .arg(allowed)));
    }
    QCOMPARE(worst, line.worst);
    QCOMPARE(pose, line.end);
    QCOMPARE(pose[axes::Grip], from[axes::Grip]);
    const arm::Solved end = arm::solve(profile, target, pose);
    QVERIFY(distance(arm::forward(profile, pose).tool, target.point) <= line.bound + 1e-9);
    QVERIFY(std::abs(arm::forward(profile, pose).pitch - target.pitch) <= arm::pitchTolerance);
    QVERIFY(end.solution);
    // The steps end once the line's time has passed, and at most a little later.
    const double played = times.back().seconds + 1.0 / 120;
    QVERIFY2(played >= line.seconds && played <= line.seconds * 1.02 + 1.0 / 30,
             qPrintable(QString::number(played)));
    if (line.length > 0)
        QVERIFY(std::abs(line.seconds -
                         line.length / speed * (ease == moves::Ease::Linear ? 1.0 : 1.5)) < 1e-9);
}

void TestTipLine::refusedLinesSayWhere_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<arm::Target>("start");
    QTest::addColumn<arm::Target>("target");
    QTest::addColumn<double>("speed");
    QTest::addColumn<QString>("error");
    QTest::addColumn<double>("fastest"); // the speed the refusal offers, which must be taken
    // Nearest the base the elbow must bend most: more than its max allows.
    arm::Profile bent = arm::defaults();
    bent.joints[axes::Elbow].max = 145;
    QTest::newRow("the elbow's max mid-line")
        << bent << arm::Target{{150, 100, 60}, 0} << arm::Target{{150, -100, 60}, 0} << 50.0
        << QStringLiteral("needs the elbow at 146, 1 above its max 145.") << 0.0;
    QTest::newRow("too fast for a cap")
        << capped() << arm::Target{{132, 0, 160}, 0} << arm::Target{{132, 80, 160}, 0} << 500.0
        << QStringLiteral("the base speeds up at 3594.6\u00b0/s\u00b2, over its max_accel 360: the "
                          "fastest this line can go is 158.2 mm/s.")
        << 158.2;
}

void TestTipLine::refusedLinesSayWhere()
{
    QFETCH(arm::Profile, profile);
    QFETCH(arm::Target, start);
    QFETCH(arm::Target, target);
    QFETCH(double, speed);
    QFETCH(QString, error);
    QFETCH(double, fastest);
    const arm::Solved from = arm::solve(profile, start);
    QVERIFY(from.solution);
    QVERIFY(arm::solve(profile, target).solution); // both ends can be reached
    const lines::Request request{from.solution->pose, target, speed, moves::Ease::Smooth};
    const lines::Planned planned = lines::plan(profile, request);
    QVERIFY(!planned.line);
    QVERIFY2(planned.error.startsWith(QStringLiteral("At ")), qPrintable(planned.error));
    QVERIFY2(planned.error.contains(QStringLiteral(" mm along the line (")),
             qPrintable(planned.error));
    QVERIFY2(planned.error.endsWith(error), qPrintable(planned.error));
    if (fastest > 0) {
        const lines::Planned slower =
            lines::plan(profile, {request.from, target, fastest, moves::Ease::Smooth});
        QVERIFY2(slower.line, qPrintable(slower.error));
    }
}

QTEST_GUILESS_MAIN(TestTipLine)
#include "test_tip_line.moc"
