// Jogging the tool point: each jog moves the target by exactly the amount asked and takes the
// pose solved near the one before; a jog the arm cannot make keeps both and says why.

#include "core/edit/tip_jog.h"

#include <QTest>
#include <cmath>

using Steps = QList<jog::Step>;
Q_DECLARE_METATYPE(Steps)

class TestTipJog : public QObject {
    Q_OBJECT
private slots:
    void jogs_data();
    void jogs();
};

// `refused`: how many of the jogs the arm cannot make. `moved`: the target's move in x, y, z and
// pitch, in all. `turns`: whether the pose differs at the end; the solve keeps a pitch within a
// degree, so a degree's jog may leave the hand where it is, though the target turns.
void TestTipJog::jogs_data()
{
    using jog::Axis;
    QTest::addColumn<Steps>("steps");
    QTest::addColumn<int>("refused");
    QTest::addColumn<QList<double>>("moved");
    QTest::addColumn<bool>("turns");
    QTest::newRow("10 mm right") << Steps{{Axis::Y, -10}} << 0 << QList<double>{0, -10, 0, 0}
                                 << true;
    QTest::newRow("ten jogs of 1 mm back")
        << Steps(10, {Axis::X, -1}) << 0 << QList<double>{-10, 0, 0, 0} << true;
    QTest::newRow("a degree down")
        << Steps{{Axis::Pitch, -1}} << 0 << QList<double>{0, 0, 0, -1} << false;
    QTest::newRow("two degrees down")
        << Steps(2, {Axis::Pitch, -1}) << 0 << QList<double>{0, 0, 0, -2} << true;
    QTest::newRow("beyond the reach, then 1 mm down")
        << Steps{{Axis::X, 500}, {Axis::Z, -1}} << 1 << QList<double>{0, 0, -1, 0} << true;
}

void TestTipJog::jogs()
{
    QFETCH(Steps, steps);
    QFETCH(int, refused);
    QFETCH(QList<double>, moved);
    QFETCH(bool, turns);
    const arm::Profile profile = arm::defaults();
    // The upper arm upright, the forearm and hand level forward.
    const arm::Pose start{127, 127, 127, 127, 60};
    jog::TipJog j;
    j.reset(profile, start);
    QCOMPARE(j.text(), QStringLiteral("x 132.0  y 0.0  z 160.0  pitch 0.0\u00B0  0.0 mm from the "
                                      "target"));
    const arm::Target from = j.target();
    for (const jog::Step &step : steps) {
        const arm::Pose before = j.pose();
        const arm::Target aimed = j.target();
        if (!j.move(profile, step)) {
            --refused;
            QCOMPARE(j.pose(), before);
            QCOMPARE(j.target().point.x, aimed.point.x);
            QVERIFY(!j.refusal().isEmpty() && j.text() == j.refusal());
            continue;
        }
        QCOMPARE(j.pose()[axes::Grip], start[axes::Grip]);
        const arm::Reach reach = arm::forward(profile, j.pose());
        const arm::Point &a = reach.tool, &t = j.target().point;
        QVERIFY(std::abs(std::hypot(a.x - t.x, a.y - t.y, a.z - t.z) - j.distance()) < 1e-9);
        QVERIFY2(j.distance() < 1 && j.text().endsWith(QStringLiteral(" mm from the target")),
                 qPrintable(j.text()));
        QVERIFY(std::abs(arm::normalDegrees(reach.pitch - j.target().pitch)) <=
                arm::pitchTolerance);
    }
    QCOMPARE(refused, 0);
    QCOMPARE(j.pose() != start, turns);
    const auto off = [](double a, double b) { return std::round((a - b) * 1e6) / 1e6; };
    const arm::Target &to = j.target();
    QCOMPARE((QList<double>{off(to.point.x, from.point.x), off(to.point.y, from.point.y),
                            off(to.point.z, from.point.z), off(to.pitch, from.pitch)}),
             moved);
}

QTEST_GUILESS_MAIN(TestTipJog)
#include "test_tip_jog.moc"
