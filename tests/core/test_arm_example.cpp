// The example arm.ini that the package installs: it must read as the profile it says it is, the
// stock arm's, and the lines it shows commented out must read too once a user uncomments them.

#include "core/arm/profile_file.h"

#include <QFile>
#include <QTest>
#include <cmath>

namespace {

// The file states each angle to four decimals.
double stated(double degrees)
{
    return std::round(degrees * 1e4) / 1e4;
}

arm::Profile stockAsStated()
{
    arm::Profile p = arm::defaults();
    for (arm::Joint &j : p.joints) {
        j.at0 = stated(j.at0);
        j.at255 = stated(j.at255);
    }
    return p;
}

} // namespace

class TestArmExample : public QObject {
    Q_OBJECT
private slots:
    void readsAsItSays_data();
    void readsAsItSays();
};

void TestArmExample::readsAsItSays_data()
{
    // Lines the user may uncomment together, one a line; empty: none.
    QTest::addColumn<QByteArray>("uncommented");
    QTest::addColumn<std::optional<double>>("table");
    QTest::addColumn<std::optional<double>>("baseSpeed");
    QTest::addColumn<std::optional<double>>("baseAccel");
    QTest::addColumn<std::vector<arm::NamedPose>>("poses");
    const std::optional<double> none;
    QTest::newRow("as installed") << QByteArray() << none << none << none
                                  << std::vector<arm::NamedPose>();
    QTest::newRow("table") << QByteArray("table_mm = 5") << std::optional<double>(5) << none << none
                           << std::vector<arm::NamedPose>();
    QTest::newRow("speed") << QByteArray("max_speed = 90") << none << std::optional<double>(90)
                           << none << std::vector<arm::NamedPose>();
    QTest::newRow("acceleration") << QByteArray("max_accel = 360") << none << none
                                  << std::optional<double>(360) << std::vector<arm::NamedPose>();
    QTest::newRow("a pose") << QByteArray("[poses]\nrest = 127,127,127,127,127") << none << none
                            << none
                            << std::vector<arm::NamedPose>{
                                   {QStringLiteral("rest"), {127, 127, 127, 127, 127}}};
}

void TestArmExample::readsAsItSays()
{
    QFETCH(QByteArray, uncommented);
    QFETCH(std::optional<double>, table);
    QFETCH(std::optional<double>, baseSpeed);
    QFETCH(std::optional<double>, baseAccel);
    QFETCH(std::vector<arm::NamedPose>, poses);
    QFile f(QStringLiteral(KESTREL_ARM_EXAMPLE));
    QVERIFY2(f.open(QIODevice::ReadOnly), qPrintable(f.fileName()));
    QByteArray text = f.readAll();
    for (const QByteArray &line : uncommented.split('\n')) {
        if (line.isEmpty())
            continue;
        QCOMPARE(text.count("; " + line + '\n'), 1);
        text.replace("; " + line + '\n', line + '\n');
    }

    const arm::ProfileRead read = arm::parse(text, f.fileName());
    QVERIFY2(read.ok(), qPrintable(read.error));
    arm::Profile expected = stockAsStated();
    expected.arm.table = table;
    expected.joints[axes::Base].maxSpeed = baseSpeed;
    expected.joints[axes::Base].maxAccel = baseAccel;
    QCOMPARE(read.profile.arm, expected.arm);
    for (int c = 0; c < axes::count; ++c)
        QVERIFY2(read.profile.joints[c] == expected.joints[c], axes::all[c].name);
    QVERIFY(read.profile.poses == poses);
}

QTEST_GUILESS_MAIN(TestArmExample)
#include "test_arm_example.moc"
