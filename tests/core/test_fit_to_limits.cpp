// Fit to Limits as a pure function: each row a motion, the base's limits and the motion it must
// become, with the positions clamped and the steps added counted.

#include "core/edit/fit_to_limits.h"
#include "support/printing.h"

#include <QTest>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)

class TestFitToLimits : public QObject {
    Q_OBJECT
private slots:
    void fits_data();
    void fits();
};

void TestFitToLimits::fits_data()
{
    QTest::addColumn<Records>("records");
    QTest::addColumn<int>("min");
    QTest::addColumn<int>("max");
    QTest::addColumn<int>("maxStep");
    QTest::addColumn<Records>("expected");
    QTest::addColumn<int>("clamped");
    QTest::addColumn<int>("added");
    // Record 1 is never played; the pass starts with every axis at 127.
    QTest::newRow("nothing to fit")
        << Records{{0, 0}, {0, 100}, {0, 150}, {5, 255}} << 0 << 255 << 255
        << Records{{0, 0}, {0, 100}, {0, 150}, {5, 255}} << 0 << 0;
    QTest::newRow("exactly at the limits") << Records{{0, 0}, {0, 117}, {0, 137}} << 117 << 137
                                           << 20 << Records{{0, 0}, {0, 117}, {0, 137}} << 0 << 0;
    QTest::newRow("clamped into min..max, record 1 left")
        << Records{{0, 250}, {0, 20}, {0, 240}, {0, 120}} << 50 << 200 << 255
        << Records{{0, 250}, {0, 50}, {0, 200}, {0, 120}} << 2 << 0;
    QTest::newRow("long jump walked, from the pass's start")
        << Records{{0, 0}, {0, 160}, {0, 100}} << 0 << 255 << 25
        << Records{{0, 0}, {0, 152}, {0, 160}, {0, 135}, {0, 110}, {0, 100}} << 0 << 3;
    QTest::newRow("clamped, then walked to the clamped target")
        << Records{{0, 0}, {0, 255}} << 0 << 190 << 30
        << Records{{0, 0}, {0, 157}, {0, 187}, {0, 190}} << 1 << 2;
    QTest::newRow("other axes and channels untouched")
        << Records{{0, 0}, {1, 0}, {7, 255}, {4, 255}, {0, 127}} << 100 << 150 << 10
        << Records{{0, 0}, {1, 0}, {7, 255}, {4, 255}, {0, 127}} << 0 << 0;
    QTest::newRow("jumps of other axes do not move the base's pose")
        << Records{{0, 0}, {2, 0}, {0, 140}, {2, 255}, {0, 127}} << 0 << 255 << 10
        << Records{{0, 0}, {2, 0}, {0, 137}, {0, 140}, {2, 255}, {0, 130}, {0, 127}} << 0 << 2;
}

void TestFitToLimits::fits()
{
    QFETCH(Records, records);
    QFETCH(int, min);
    QFETCH(int, max);
    QFETCH(int, maxStep);
    QFETCH(Records, expected);
    QFETCH(int, clamped);
    QFETCH(int, added);
    arm::Profile profile = arm::defaults();
    arm::Joint &base = profile.joints[axes::Base];
    base.min = min;
    base.max = max;
    base.maxStep = maxStep;
    const edits::Fitted fitted = edits::fittedToLimits(records, profile, {127, 127, 127, 127, 127});
    QCOMPARE(fitted.records, expected);
    QCOMPARE(fitted.clamped, clamped);
    QCOMPARE(fitted.added, added);
    QCOMPARE(fitted.changed(), clamped + added > 0);
}

QTEST_GUILESS_MAIN(TestFitToLimits)
#include "test_fit_to_limits.moc"
