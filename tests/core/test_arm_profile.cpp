// The arm's profile: its file read whole or refused whole, and the tool point it places.

#include "core/arm/kinematics.h"
#include "core/arm/named_poses.h"
#include "core/arm/profile_file.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using Pose = std::array<int, axes::count>;
Q_DECLARE_METATYPE(Pose)
Q_DECLARE_METATYPE(arm::Profile)

namespace {

// Lengths of 10 and one degree a position on every joint, so poses are worked by hand.
arm::Profile unitArm()
{
    arm::Profile p;
    p.arm = {10, 10, 10, 10, std::nullopt};
    for (arm::Joint &j : p.joints)
        j.at0 = 0, j.at255 = 255;
    return p;
}

// How the pictures turned a position into a servo's angle before there was a profile: 180
// degrees over the 256 positions, with the centre (127) at 0.
double drawnDegrees(int position)
{
    return (position - 127) * 180.0 / 255.0;
}

bool near(double a, double b)
{
    return std::abs(a - b) < 1e-9;
}

} // namespace

class TestArmProfile : public QObject {
    Q_OBJECT
private slots:
    void toolPoint_data();
    void toolPoint();
    void defaultsAreTheOldDrawing();
    void badFiles_data();
    void badFiles();
    void writtenFileReadsBackEqual();
    void missingAndNamedFiles();
    void twoPointCalibration();
};

void TestArmProfile::toolPoint_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<Pose>("pose");
    QTest::addColumn<double>("x");
    QTest::addColumn<double>("y");
    QTest::addColumn<double>("z");
    QTest::addColumn<double>("pitch");
    QTest::addColumn<double>("wristZ");

    QTest::newRow("defaults at 127") << arm::defaults() << Pose{127, 127, 127, 127, 127} << 132.0
                                     << 0.0 << 160.0 << 0.0 << 160.0;
    // Base 90: the arm reaches along +y. Upper arm level, forearm and hand straight up.
    QTest::newRow("turned left, hand up")
        << unitArm() << Pose{90, 0, 90, 0, 9} << 0.0 << 10.0 << 30.0 << 90.0 << 20.0;
    // Base 180: reaching back along -x, every segment at 45 degrees.
    const double d = 30 * std::sqrt(0.5);
    QTest::newRow("turned back, all at 45")
        << unitArm() << Pose{180, 45, 0, 0, 0} << -d << 0.0 << 10 + d << 45.0 << 10 + d * 2 / 3;
    // The pitch comes back into (-180, 180]: 270 degrees is pointing down.
    QTest::newRow("folded over, pointing down")
        << unitArm() << Pose{0, 180, 90, 0, 0} << -10.0 << 0.0 << -10.0 << -90.0 << 0.0;
}

void TestArmProfile::toolPoint()
{
    QFETCH(arm::Profile, profile);
    QFETCH(Pose, pose);
    QFETCH(double, x);
    QFETCH(double, y);
    QFETCH(double, z);
    QFETCH(double, pitch);
    QFETCH(double, wristZ);
    const arm::Reach reach = arm::forward(profile, pose);
    const auto text = [](const arm::Point &p) {
        return qPrintable(QStringLiteral("%1 %2 %3").arg(p.x).arg(p.y).arg(p.z));
    };
    QVERIFY2(near(reach.tool.x, x) && near(reach.tool.y, y) && near(reach.tool.z, z),
             text(reach.tool));
    QVERIFY2(near(reach.pitch, pitch), qPrintable(QString::number(reach.pitch)));
    QVERIFY2(near(reach.wrist.z, wristZ), text(reach.wrist));
}

// The pictures drew each segment by that angle: the upper arm at the shoulder's angle from
// straight up, the forearm 90 degrees and the elbow's angle further down, the hand turned back
// by the wrist's; the base clockwise from above. The default profile must place every joint
// where that drawing did.
void TestArmProfile::defaultsAreTheOldDrawing()
{
    const arm::Profile profile = arm::defaults();
    for (const Pose &pose : {Pose{0, 0, 0, 0, 0}, Pose{255, 255, 255, 255, 255},
                             Pose{40, 200, 17, 90, 3}, Pose{127, 60, 180, 230, 127}}) {
        const double a1 = drawnDegrees(pose[1]);
        const double a2 = a1 - 90 - drawnDegrees(pose[2]);
        const double a3 = a2 + drawnDegrees(pose[3]);
        // A heading from straight up, counter-clockwise, as (forward, up).
        const auto along = [](double degrees, double length) {
            const double r = degrees * M_PI / 180;
            return std::pair{-std::sin(r) * length, std::cos(r) * length};
        };
        const auto [r1, z1] = along(a1, 100);
        const auto [r2, z2] = along(a2, 90);
        const auto [r3, z3] = along(a3, 42);
        const arm::Reach reach = arm::forward(profile, pose);
        const double reachR = std::hypot(reach.tool.x, reach.tool.y);
        const double drawnR = r1 + r2 + r3;
        QVERIFY(near(reach.tool.z, 60 + z1 + z2 + z3));
        QVERIFY(near(reach.wrist.z, 60 + z1 + z2));
        QVERIFY(near(reach.tool.x, drawnR * std::cos(-drawnDegrees(pose[0]) * M_PI / 180)));
        QVERIFY(near(std::abs(drawnR), reachR));
        QVERIFY(near(reach.base, -drawnDegrees(pose[0])));
        QVERIFY(near(profile.degrees(axes::Grip, pose[4]), drawnDegrees(pose[4])));
    }
}

void TestArmProfile::badFiles_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QString>("reason");

    QTest::newRow("a typo of a key")
        << QByteArray("[elbow]\nmx = 200\n") << "[elbow] mx: no such key";
    QTest::newRow("a section unknown")
        << QByteArray("[elbo]\nmax = 200\n")
        << "[elbo]: no such section (the sections are [arm], [base], [shoulder], [elbow], "
           "[wrist], [grip] and [poses])";
    QTest::newRow("a key outside sections")
        << QByteArray("max = 200\n") << "max: a key outside any section";
    QTest::newRow("not a number") << QByteArray("[arm]\nforearm_mm = 9O ; typed O\n")
                                  << "[arm] forearm_mm = 9O: not a number";
    QTest::newRow("a length of 0")
        << QByteArray("[arm]\nhand_mm = 0\n") << "[arm] hand_mm = 0: a length must be above 0";
    QTest::newRow("a list") << QByteArray("[arm]\nupper_arm_mm = 1,5\n")
                            << "[arm] upper_arm_mm = 1,5: not a number";
    QTest::newRow("a joint that cannot turn")
        << QByteArray("[wrist]\nat_0 = 10\nat_255 = 10\n")
        << "[wrist] at_0 and at_255 are both 10: the joint would not turn";
    QTest::newRow("min above max")
        << QByteArray("[base]\nmin = 200\nmax = 100\n") << "[base] min 200 is above max 100";
    QTest::newRow("max beyond the byte")
        << QByteArray("[grip]\nmax = 256\n") << "[grip] max = 256: not within 0..255";
    QTest::newRow("a fractional limit")
        << QByteArray("[grip]\nmin = 1.5\n") << "[grip] min = 1.5: not a whole number";
    QTest::newRow("max_step 0") << QByteArray("[shoulder]\nmax_step = 0\n")
                                << "[shoulder] max_step = 0: not within 1..255";
    QTest::newRow("a negative speed")
        << QByteArray("# caps\n[shoulder]\nmax_speed = -5\n")
        << "[shoulder] max_speed = -5: must be above 0, or empty for no cap";
    QTest::newRow("infinity") << QByteArray("[elbow]\nat_0 = inf\n")
                              << "[elbow] at_0 = inf: not a number";
    const QString notFive = QStringLiteral(": not five whole numbers (base, shoulder, elbow, "
                                           "wrist, grip)");
    QTest::newRow("a pose of four")
        << QByteArray("[poses]\nrest = 1,2,3,4\n") << "[poses] rest = 1,2,3,4" + notFive;
    QTest::newRow("a pose of one")
        << QByteArray("[poses]\nrest = 7\n") << "[poses] rest = 7" + notFive;
    QTest::newRow("a pose beyond the byte")
        << QByteArray("[poses]\nrest = 1,2,300,4,5\n")
        << "[poses] rest = 1,2,300,4,5: the elbow at 300 is not within 0..255";
    QTest::newRow("a pose's name with a dot")
        << QByteArray("[poses]\nr.est = 1,2,3,4,5\n")
        << "[poses] r.est = 1,2,3,4,5: a pose's name is letters, digits, '_' and '-' (at most 40)";
    QTest::newRow("a pose outside a limit read later")
        << QByteArray("[poses]\nup = 1,2,3,4,5\n[wrist]\nmin = 10\n")
        << "[poses] up: the wrist at 4 is below its min 10";
}

void TestArmProfile::badFiles()
{
    QFETCH(QByteArray, text);
    QFETCH(QString, reason);
    const arm::ProfileRead read = arm::parse(text, QStringLiteral("/home/ann/arm.ini"));
    QCOMPARE(read.error,
             QStringLiteral("Cannot use the arm profile '/home/ann/arm.ini'\r") + reason);
    QCOMPARE(read.profile, arm::defaults()); // never used in part
}

void TestArmProfile::writtenFileReadsBackEqual()
{
    arm::Profile p = arm::defaults();
    p.arm = {61.5, 104.25, 88, 40.1, -3.5};
    p.joints[axes::Elbow] = {-12.3456789, 170.1, 20, 230, 7, 90.5, 400};
    p.joints[axes::Grip].maxSpeed = 0.001;
    p.poses = {{"rest", {127, 127, 127, 127, 127}}, {"cup-2", {30, 90, 100, 128, 255}}};
    p = arm::withPose(p, {"rest", {127, 127, 20, 127, 127}}); // replaces; kept in name order
    QCOMPARE(p.poses.size(), size_t(2));
    const arm::ProfileRead read = arm::parse(arm::write(p), QStringLiteral("arm.ini"));
    QVERIFY2(read.ok(), qPrintable(read.error));
    QCOMPARE(read.profile, p);
    // Comments of both kinds, blanks and an empty cap read as the file's documentation shows.
    const arm::ProfileRead commented = arm::parse(
        "; shape\n[arm]\nshoulder_height_mm = 60   ; to the axis\n# table_mm = 5\ntable_mm =\n"
        "[base]\nat_0 = 89.6471 # measured\nmax_speed =\n",
        QStringLiteral("arm.ini"));
    QVERIFY2(commented.ok(), qPrintable(commented.error));
    QCOMPARE(commented.profile.joints[axes::Base].at0, 89.6471);
    QVERIFY(!commented.profile.arm.table && !commented.profile.joints[axes::Base].maxSpeed);
}

void TestArmProfile::missingAndNamedFiles()
{
    QTemporaryDir dir;
    const QString path = arm::profilePath(dir.path());
    QVERIFY(arm::load(path, true).ok());
    QCOMPARE(arm::load(path, true).profile, arm::defaults());
    QCOMPARE(arm::load(path, false).error,
             QStringLiteral("Cannot use the arm profile '%1'\rNo such file").arg(path));
    QVERIFY(!arm::load(dir.path(), true).ok()); // a folder is never a profile
}

void TestArmProfile::twoPointCalibration()
{
    // Level at 40 and upright at 168: 90 degrees over 128 positions.
    const std::optional<arm::Calibration> c = arm::calibrate(40, 0, 168, 90);
    QVERIFY(c);
    arm::Joint j;
    j.at0 = c->at0, j.at255 = c->at255;
    QVERIFY(near(j.degrees(40), 0) && near(j.degrees(168), 90));
    QVERIFY(near(j.position(90), 168));
    QVERIFY(!arm::calibrate(50, 0, 50, 90));
    // Measured at the ends, the ends are what was measured, to the last bit.
    const std::optional<arm::Calibration> ends = arm::calibrate(0, 0.1, 255, 180.3529);
    QVERIFY(ends && ends->at0 == 0.1 && ends->at255 == 180.3529);
}

QTEST_GUILESS_MAIN(TestArmProfile)
#include "test_arm_profile.moc"
