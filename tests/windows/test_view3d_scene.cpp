// What the 3D view is made of, without drawing it: the camera's orbit under the mouse, the arm's
// bars for a pose, the simulator's trail of distinct poses and a motion's tool-point path.

#include "core/arm/profile.h"
#include "core/edit/motion_document.h"
#include "core/edit/tool_path.h"
#include "windows/view3d/arm_shape.h"
#include "windows/view3d/orbit.h"
#include "windows/view3d/trail.h"

#include <QTest>
#include <cmath>

using namespace view3d;
using Pose = std::array<int, axes::count>;
Q_DECLARE_METATYPE(arm::Point)
Q_DECLARE_METATYPE(view3d::OrbitPlace)
Q_DECLARE_METATYPE(Pose)
Q_DECLARE_METATYPE(std::vector<Step>)

namespace {

bool near(const arm::Point &a, const arm::Point &b, double within = 1e-6)
{
    return std::abs(a.x - b.x) < within && std::abs(a.y - b.y) < within &&
           std::abs(a.z - b.z) < within;
}

QByteArray text(const arm::Point &p)
{
    return QByteArray::number(p.x) + ' ' + QByteArray::number(p.y) + ' ' + QByteArray::number(p.z);
}

// The camera's home in the tests: on +x, level, 100 mm from the origin.
const OrbitPlace home{0, 0, 100, {0, 0, 0}};
const double mmPerPixel = 2 * 100 * std::tan(17.5 * M_PI / 180) / 200; // view 200 px tall

} // namespace

class TestView3DScene : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void orbitFollowsTheMouse_data()
    {
        QTest::addColumn<QString>("moves"); // "d dx dy", "p dx dy", "z notches", "r", ...
        QTest::addColumn<OrbitPlace>("place");
        QTest::addColumn<arm::Point>("eye");
        QTest::newRow("home") << "" << home << arm::Point{100, 0, 0};
        QTest::newRow("a drag right turns the eye left")
            << "d 225 0" << OrbitPlace{-90, 0, 100, {}} << arm::Point{0, -100, 0};
        QTest::newRow("a drag down lifts the eye")
            << "d 0 75" << OrbitPlace{0, 30, 100, {}} << arm::Point{86.6025, 0, 50};
        QTest::newRow("the pitch stops short of straight up")
            << "d 0 1000" << OrbitPlace{0, 89, 100, {}} << arm::Point{1.74524, 0, 99.9848};
        QTest::newRow("round and round")
            << "d 900 0" << OrbitPlace{0, 0, 100, {}} << arm::Point{100, 0, 0};
        QTest::newRow("a pan right moves the target left")
            << "p 10 0" << OrbitPlace{0, 0, 100, {0, -10 * mmPerPixel, 0}}
            << arm::Point{100, -10 * mmPerPixel, 0};
        QTest::newRow("a pan down moves the target up")
            << "p 0 10" << OrbitPlace{0, 0, 100, {0, 0, 10 * mmPerPixel}}
            << arm::Point{100, 0, 10 * mmPerPixel};
        QTest::newRow("a notch towards")
            << "z 1" << OrbitPlace{0, 0, 85, {}} << arm::Point{85, 0, 0};
        QTest::newRow("zoomed in no nearer than a twentieth")
            << "z 100" << OrbitPlace{0, 0, 5, {}} << arm::Point{5, 0, 0};
        QTest::newRow("zoomed out no further than twenty times")
            << "z -100" << OrbitPlace{0, 0, 2000, {}} << arm::Point{2000, 0, 0};
        QTest::newRow("reset after all of it")
            << "d 40 30,p 5 5,z 2,r" << home << arm::Point{100, 0, 0};
    }
    void orbitFollowsTheMouse()
    {
        QFETCH(QString, moves);
        QFETCH(OrbitPlace, place);
        QFETCH(arm::Point, eye);
        Orbit orbit(home);
        for (const QString &move : moves.split(QLatin1Char(','), Qt::SkipEmptyParts)) {
            const QStringList w = move.split(QLatin1Char(' '));
            const QChar what = w[0][0];
            if (what == QLatin1Char('d'))
                orbit.drag(w[1].toDouble(), w[2].toDouble());
            else if (what == QLatin1Char('p'))
                orbit.pan(w[1].toDouble(), w[2].toDouble(), 200);
            else if (what == QLatin1Char('z'))
                orbit.zoom(w[1].toDouble());
            else
                orbit.reset();
        }
        const OrbitPlace &got = orbit.place();
        QCOMPARE(std::remainder(got.yaw - place.yaw, 360.0) + 1, 1.0);
        QCOMPARE(got.pitch, place.pitch);
        QCOMPARE(got.distance, place.distance);
        QVERIFY2(near(got.target, place.target), text(got.target));
        QVERIFY2(near(orbit.eye(), eye, 1e-3), text(orbit.eye()));
        // The screen's directions stay square to the line of sight and to each other.
        const arm::Point e = orbit.eye(), t = got.target, r = orbit.right(), u = orbit.up();
        const arm::Point sight{t.x - e.x, t.y - e.y, t.z - e.z};
        QCOMPARE(r.x * sight.x + r.y * sight.y + r.z * sight.z + 1, 1.0);
        QCOMPARE(u.x * sight.x + u.y * sight.y + u.z * sight.z + 1, 1.0);
        QCOMPARE(r.x * u.x + r.y * u.y + r.z * u.z + 1, 1.0);
    }

    void armIsBarsBetweenTheJoints_data()
    {
        QTest::addColumn<double>("scale"); // every length of the default arm times this
        QTest::addColumn<Pose>("pose");
        QTest::newRow("default, centred") << 1.0 << Pose{127, 127, 127, 127, 127};
        QTest::newRow("default, reaching down") << 1.0 << Pose{40, 200, 30, 90, 0};
        QTest::newRow("twice the size") << 2.0 << Pose{127, 127, 127, 127, 127};
    }
    void armIsBarsBetweenTheJoints()
    {
        QFETCH(double, scale);
        QFETCH(Pose, pose);
        arm::Profile profile = arm::defaults();
        for (double *l : {&profile.arm.shoulderHeight, &profile.arm.upperArm, &profile.arm.forearm,
                          &profile.arm.hand})
            *l *= scale;
        const arm::Reach reach = arm::forward(profile, pose);
        const ArmShape shape = armShape(profile, reach);
        const double length = 232 * scale;
        QCOMPARE(armLength(profile), length);
        const std::array<arm::Point, 5> joints{arm::Point{0, 0, 0}, reach.shoulder, reach.elbow,
                                               reach.wrist, reach.tool};
        const std::array<double, 4> radii{0.12, 0.04, 0.034, 0.026};
        for (size_t i = 0; i < shape.parts.size(); ++i) {
            QVERIFY(near(shape.parts[i].from, joints[i]));
            QVERIFY(near(shape.parts[i].to, joints[i + 1]));
            QCOMPARE(shape.parts[i].radius, radii[i] * length);
        }
        QVERIFY(near(shape.grip, reach.tool));
        QCOMPARE(groundHalfSide(profile), 1.25 * length);
        QCOMPARE(homePlace(profile).distance, 2.8 * length);
    }

    void trailKeepsTheLastDistinctPoses_data()
    {
        QTest::addColumn<QList<int>>("bases"); // poses received, by the base's position alone
        QTest::addColumn<QList<int>>("kept");  // the trail's points, by their x
        QTest::newRow("none") << QList<int>{} << QList<int>{};
        QTest::newRow("a pose received again adds nothing")
            << QList<int>{1, 1, 2, 2, 2} << QList<int>{1, 2};
        QTest::newRow("full: the oldest go") << QList<int>{1, 2, 3, 4, 5} << QList<int>{3, 4, 5};
        QTest::newRow("back to an earlier pose is a new one")
            << QList<int>{1, 2, 1, 2, 1, 1} << QList<int>{1, 2, 1};
    }
    void trailKeepsTheLastDistinctPoses()
    {
        QFETCH(QList<int>, bases);
        QFETCH(QList<int>, kept);
        Trail trail(3);
        for (int b : bases)
            trail.add(Pose{b, 0, 0, 0, 0}, arm::Point{double(b), 0, 0});
        QList<int> got;
        for (const arm::Point &p : trail.points())
            got << int(p.x);
        QCOMPARE(got, kept);
        QCOMPARE(trail.size(), kept.size());
    }

    void motionPathHasAPointPerRecord_data()
    {
        QTest::addColumn<std::vector<Step>>("records");
        QTest::addColumn<QList<Pose>>("poses"); // after each record
        const Pose s{127, 127, 127, 127, 127};
        QTest::newRow("no records") << std::vector<Step>{} << QList<Pose>{};
        QTest::newRow("record 1 is never played") << std::vector<Step>{{0, 0}} << QList<Pose>{s};
        QTest::newRow("each step moves its axis")
            << std::vector<Step>{{0, 0}, {0, 200}, {2, 60}, {7, 9}, {1, 30}}
            << QList<Pose>{s,
                           {200, 127, 127, 127, 127},
                           {200, 127, 60, 127, 127},
                           {200, 127, 60, 127, 127},
                           {200, 30, 60, 127, 127}};
    }
    void motionPathHasAPointPerRecord()
    {
        QFETCH(std::vector<Step>, records);
        QFETCH(QList<Pose>, poses);
        MotionDocument d(Pose{127, 127, 127, 127, 127});
        d.setState(records, {0, 0});
        arm::Profile profile = arm::defaults();
        profile.arm.forearm = 120;
        const std::vector<arm::Point> path = preview::motionToolPath(d, profile);
        QCOMPARE(int(path.size()), poses.size());
        for (int i = 0; i < poses.size(); ++i)
            QVERIFY2(near(path[size_t(i)], arm::forward(profile, poses[i]).tool),
                     qPrintable(QString::number(i)));
    }
};

QTEST_GUILESS_MAIN(TestView3DScene)
#include "test_view3d_scene.moc"
