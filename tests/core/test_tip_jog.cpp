// Jogging the tool point: each jog moves the target by exactly the amount asked and takes the
// pose the solve finds near the one before; a jog the arm cannot make keeps both, with the
// reason in place of the line.

#include "core/edit/tip_jog.h"

#include <QTest>
#include <cmath>

Q_DECLARE_METATYPE(QList<jog::Step>)
Q_DECLARE_METATYPE(QList<bool>)

namespace {

const arm::Pose start{100, 150, 100, 110, 60};

double apart(const arm::Point &a, const arm::Point &b)
{
    return std::hypot(a.x - b.x, a.y - b.y, a.z - b.z);
}

} // namespace

class TestTipJog : public QObject {
    Q_OBJECT
private slots:
    void jogs_data();
    void jogs();
    void lineAtTheStart();
};

// `made`: whether each jog is taken. `moved`: the target's move in x, y, z and pitch, in all.
// `turns`: whether the pose differs at the end; the solve keeps a pitch within a degree, so a
// degree's jog may leave the hand where it is, though the target turns.
void TestTipJog::jogs_data()
{
    using jog::Axis;
    QTest::addColumn<QList<jog::Step>>("steps");
    QTest::addColumn<QList<bool>>("made");
    QTest::addColumn<QList<double>>("moved");
    QTest::addColumn<bool>("turns");
    QTest::newRow("1 mm forward") << QList<jog::Step>{{Axis::X, 1}} << QList<bool>{true}
                                  << QList<double>{1, 0, 0, 0} << true;
    QTest::newRow("1 mm to the right") << QList<jog::Step>{{Axis::Y, -1}} << QList<bool>{true}
                                       << QList<double>{0, -1, 0, 0} << true;
    QTest::newRow("10 mm up, as Shift asks") << QList<jog::Step>{{Axis::Z, 10}} << QList<bool>{true}
                                             << QList<double>{0, 0, 10, 0} << true;
    QTest::newRow("a degree down: within the pitch's tolerance")
        << QList<jog::Step>{{Axis::Pitch, -1}} << QList<bool>{true} << QList<double>{0, 0, 0, -1}
        << false;
    QTest::newRow("two degrees down") << QList<jog::Step>(2, {Axis::Pitch, -1})
                                      << QList<bool>(2, true) << QList<double>{0, 0, 0, -2} << true;
    QTest::newRow("ten jogs keep the target exact")
        << QList<jog::Step>(10, {Axis::X, -1}) << QList<bool>(10, true)
        << QList<double>{-10, 0, 0, 0} << true;
    QTest::newRow("beyond the reach: refused, then a jog made")
        << QList<jog::Step>{{Axis::X, 500}, {Axis::Z, -1}} << QList<bool>{false, true}
        << QList<double>{0, 0, -1, 0} << true;
}

void TestTipJog::jogs()
{
    QFETCH(QList<jog::Step>, steps);
    QFETCH(QList<bool>, made);
    QFETCH(QList<double>, moved);
    QFETCH(bool, turns);
    const arm::Profile profile = arm::defaults();
    jog::TipJog j;
    j.reset(profile, start);
    const arm::Target from = j.target();
    for (int i = 0; i < steps.size(); ++i) {
        const arm::Pose before = j.pose();
        const arm::Target aimed = j.target();
        QCOMPARE(j.move(profile, steps[i]), made[i]);
        if (!made[i]) {
            QCOMPARE(j.pose(), before);
            QCOMPARE(j.target().point.x, aimed.point.x);
            QVERIFY(!j.refusal().isEmpty());
            QCOMPARE(j.text(), j.refusal());
            continue;
        }
        QVERIFY(j.refusal().isEmpty());
        QCOMPARE(j.pose()[axes::Grip], start[axes::Grip]);
        const arm::Reach reach = arm::forward(profile, j.pose());
        QCOMPARE(apart(reach.tool, j.reached().tool), 0.0);
        QVERIFY(std::abs(apart(reach.tool, j.target().point) - j.distance()) < 1e-9);
        QVERIFY2(j.distance() < 1, qPrintable(j.text()));
        QVERIFY(std::abs(arm::normalDegrees(reach.pitch - j.target().pitch)) <=
                arm::pitchTolerance);
    }
    QCOMPARE(j.pose() != start, turns);
    QCOMPARE(j.target().point.x, from.point.x + moved[0]);
    QCOMPARE(j.target().point.y, from.point.y + moved[1]);
    QCOMPARE(j.target().point.z, from.point.z + moved[2]);
    QCOMPARE(j.target().pitch, from.pitch + moved[3]);
}

// At 127 everywhere the upper arm stands upright and the forearm and hand point level forward.
void TestTipJog::lineAtTheStart()
{
    jog::TipJog j;
    j.reset(arm::defaults(), {127, 127, 127, 127, 127});
    QCOMPARE(j.text(), QStringLiteral("x 132.0  y 0.0  z 160.0  pitch 0.0\u00B0  0.0 mm from "
                                      "the target"));
}

QTEST_GUILESS_MAIN(TestTipJog)
#include "test_tip_jog.moc"
