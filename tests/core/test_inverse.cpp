// The inverse kinematics: a pose's own tool point solved back, the search's promise checked
// against every pose around its answer, the elbow chosen, and targets refused with their reasons.

#include "core/arm/inverse.h"

#include <QTest>
#include <cmath>
#include <random>

Q_DECLARE_METATYPE(arm::Profile)
Q_DECLARE_METATYPE(arm::Target)

namespace {

// One degree a position with 0 degrees between 127 and 128, on every joint; lengths that are
// easy to work by hand.
arm::Profile degreeArm()
{
    arm::Profile p;
    p.arm = {50, 100, 80, 40, std::nullopt};
    for (arm::Joint &j : p.joints)
        j.at0 = -127.5, j.at255 = 127.5;
    return p;
}

// Odd lengths, a table, narrow limits, joints turning either way at uneven rates.
arm::Profile oddArm()
{
    arm::Profile p = arm::defaults();
    p.arm = {73.5, 121, 97.25, 55, 5.0};
    const auto joint = [](double at0, double at255, int min, int max) {
        arm::Joint j;
        j.at0 = at0, j.at255 = at255, j.min = min, j.max = max;
        return j;
    };
    p.joints[axes::Base] = joint(-100, 80, 10, 240);
    p.joints[axes::Shoulder] = joint(200, -10, 20, 230);
    p.joints[axes::Elbow] = joint(-150, 40, 5, 250);
    p.joints[axes::Wrist] = joint(95, -95, 30, 220);
    return p;
}

double distance(const arm::Point &a, const arm::Point &b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

// The search's promise, checked by brute force with the forward model: no pose within two
// positions on the base, shoulder, elbow and wrist, inside the limits, with the pitch within a
// degree and above the table, puts the tool point nearer.
bool noNeighbourNearer(const arm::Profile &p, const arm::Target &t, const arm::Solution &s)
{
    arm::Pose q = s.pose;
    const auto within = [&](int c, int v) { return v >= p.joints[c].min && v <= p.joints[c].max; };
    for (int b = -2; b <= 2; ++b)
        for (int sh = -2; sh <= 2; ++sh)
            for (int e = -2; e <= 2; ++e)
                for (int w = -2; w <= 2; ++w) {
                    q = {s.pose[0] + b, s.pose[1] + sh, s.pose[2] + e, s.pose[3] + w, s.pose[4]};
                    bool ok = true;
                    for (int c = 0; c < 4; ++c)
                        ok = ok && within(c, q[c]);
                    if (!ok)
                        continue;
                    const arm::Reach r = arm::forward(p, q);
                    const double floor = p.arm.table.value_or(-1e300);
                    if (std::abs(arm::normalDegrees(r.pitch - t.pitch)) > arm::pitchTolerance ||
                        r.tool.z < floor || r.wrist.z < floor)
                        continue;
                    if (distance(r.tool, t.point) < s.distance - 1e-9)
                        return false;
                }
    return true;
}

} // namespace

class TestInverse : public QObject {
    Q_OBJECT
private slots:
    void roundTrips_data();
    void roundTrips();
    void elbowChoice();
    void refusals_data();
    void refusals();
};

void TestInverse::roundTrips_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::newRow("defaults") << arm::defaults();
    QTest::newRow("a degree a position") << degreeArm();
    QTest::newRow("odd lengths, a table and narrow limits") << oddArm();
}

void TestInverse::roundTrips()
{
    QFETCH(arm::Profile, profile);
    std::mt19937 random(33);
    int solved = 0;
    for (int n = 0; n < 300; ++n) {
        arm::Pose pose{};
        for (int c = 0; c < axes::count; ++c)
            pose[c] = std::uniform_int_distribution<int>(profile.joints[c].min,
                                                         profile.joints[c].max)(random);
        const arm::Reach reach = arm::forward(profile, pose);
        const arm::Target target{reach.tool, reach.pitch};
        if (profile.arm.table && std::min(reach.tool.z, reach.wrist.z) < *profile.arm.table)
            continue;
        ++solved;
        // Near its own pose, the answer is that pose.
        const arm::Solved own = arm::solve(profile, target, pose);
        QVERIFY2(own.solution, qPrintable(own.error));
        QVERIFY(own.solution->distance < 1e-6);
        QCOMPARE(own.solution->pose[axes::Grip], pose[axes::Grip]);
        const arm::Exactly exact = arm::solveExactly(profile, target, pose);
        QVERIFY(exact.positions);
        for (int c = 0; c < axes::count; ++c)
            QVERIFY(std::abs((*exact.positions)[c] - pose[c]) < 1e-6);
        // Near nothing, it may be the other elbow, but no pose around it does better.
        const arm::Solved any = arm::solve(profile, target);
        QVERIFY2(any.solution, qPrintable(any.error));
        const arm::Solution &s = *any.solution;
        QCOMPARE(s.pose[axes::Grip], 127);
        QVERIFY(std::abs(arm::normalDegrees(s.reached.pitch - target.pitch)) <=
                arm::pitchTolerance);
        QVERIFY2(noNeighbourNearer(profile, target, s), qPrintable(arm::targetText(target)));
        QCOMPARE(s.distance, distance(arm::forward(profile, s.pose).tool, target.point));
    }
    QVERIFY(solved > 100);
}

void TestInverse::elbowChoice()
{
    const arm::Profile p = degreeArm();
    const arm::Target t{{150, 40, 90}, -20};
    const arm::Solved up = arm::solve(p, t);
    QVERIFY(up.solution);
    const arm::Reach &r = up.solution->reached;
    // The elbow above the line from the shoulder to the wrist, in the arm's plane.
    const double along = std::hypot(r.elbow.x, r.elbow.y) / std::hypot(r.wrist.x, r.wrist.y);
    QVERIFY(r.elbow.z > r.shoulder.z + along * (r.wrist.z - r.shoulder.z));
    QVERIFY2(up.solution->distance < 3.0, qPrintable(QString::number(up.solution->distance)));

    // Near a pose with the elbow down, the answer keeps it down.
    arm::Pose down = up.solution->pose;
    const arm::Solved flipped = arm::solve(p, t, arm::Pose{down[0], 40, 200, 127, 90});
    QVERIFY(flipped.solution);
    QVERIFY(flipped.solution->pose[axes::Elbow] > 127);
    QVERIFY(up.solution->pose[axes::Elbow] < 127);
    QCOMPARE(flipped.solution->pose[axes::Grip], 90);

    // A grip that cannot stand at 127 is kept within its limits.
    arm::Profile narrowGrip = p;
    narrowGrip.joints[axes::Grip].min = 150;
    QCOMPARE(arm::solve(narrowGrip, t).solution->pose[axes::Grip], 150);
    QVERIFY(flipped.solution->distance < 3.0); // a position turns the arm by 1.75 mm
}

void TestInverse::refusals_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<arm::Target>("target");
    QTest::addColumn<QString>("error");
    arm::Profile tabled = degreeArm();
    tabled.arm.table = 0;
    arm::Profile stiff = degreeArm();
    stiff.joints[axes::Elbow].min = 100;
    stiff.joints[axes::Elbow].max = 128;

    QTest::newRow("beyond the reach")
        << degreeArm() << arm::Target{{300, 0, 50}, 0}
        << "The point 300.00, 0.00, 50.00 at pitch 0.00° is beyond the arm's reach, by 80.0 mm.";
    QTest::newRow("inside the reach")
        << degreeArm() << arm::Target{{40, 0, 50}, 0}
        << "The point 40.00, 0.00, 50.00 at pitch 0.00° is inside the arm's reach, 20.0 mm "
           "nearer the shoulder than the arm can fold.";
    QTest::newRow("below the table")
        << tabled << arm::Target{{100, 0, -5}, 0}
        << "The point 100.00, 0.00, -5.00 at pitch 0.00° is below the table (table_mm 0), by "
           "5.0 mm.";
    QTest::newRow("the wrist below the table")
        << tabled << arm::Target{{100, 0, 10}, 90}
        << "The point 100.00, 0.00, 10.00 at pitch 90.00° puts the wrist below the table "
           "(table_mm 0), by 30.0 mm.";
    QTest::newRow("a joint outside its limits")
        << stiff << arm::Target{{150, 0, 50}, 0}
        << "The point 150.00, 0.00, 50.00 at pitch 0.00° needs the elbow at 22, 78 below its "
           "min 100.";
    QTest::newRow("not a number") << degreeArm() << arm::Target{{qQNaN(), 0, 50}, 0}
                                  << "A target's coordinates and pitch must be numbers.";
}

void TestInverse::refusals()
{
    QFETCH(arm::Profile, profile);
    QFETCH(arm::Target, target);
    QFETCH(QString, error);
    const arm::Solved s = arm::solve(profile, target);
    QVERIFY(!s.solution);
    QCOMPARE(s.error, error);
}

QTEST_GUILESS_MAIN(TestInverse)
#include "test_inverse.moc"
