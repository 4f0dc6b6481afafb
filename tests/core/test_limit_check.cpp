// The limit check over the bytes kestrel-play writes: start-up, each step, the seam of passes.

#include "core/arm/limit_check.h"
#include "core/edit/check_rows.h"
#include "core/export/exports.h"
#include "core/link/frame.h"

#include <QTest>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)
Q_DECLARE_METATYPE(config::Settings)
Q_DECLARE_METATYPE(arm::Profile)

namespace {

arm::Profile with(const std::function<void(arm::Profile &)> &change)
{
    arm::Profile p = arm::defaults();
    change(p);
    return p;
}

// Record 1 is never played; the shoulder (channel 1) climbs by 20 a step from 150.
const Records climb{{0, 0}, {1, 150}, {1, 170}, {1, 190}, {1, 210}};

} // namespace

class TestLimitCheck : public QObject {
    Q_OBJECT
private slots:
    void firstBreach_data();
    void firstBreach();
    void framesAreThePlayersBytes();
    void seamRowIsNamed();
    void fromWhereTheArmStands_data();
    void fromWhereTheArmStands();
};

void TestLimitCheck::firstBreach_data()
{
    QTest::addColumn<arm::Profile>("profile");
    QTest::addColumn<config::Settings>("settings");
    QTest::addColumn<Records>("records");
    QTest::addColumn<int>("loops");
    QTest::addColumn<QString>("breach");

    const config::Settings homesAtCentre;
    const arm::Profile tight = with([](arm::Profile &p) {
        p.joints[axes::Shoulder].min = 100;
        p.joints[axes::Shoulder].max = 200;
        p.joints[axes::Shoulder].maxStep = 100;
    });
    // 127 -> 100 -> 200, and back to 100 at every seam: each exactly at a limit. Channel 7
    // moves no servo of the arm, whatever its position.
    const Records atLimits{{0, 0}, {1, 100}, {7, 255}, {1, 200}};
    QTest::newRow("at the limits") << tight << homesAtCentre << atLimits << 0 << QString();
    QTest::newRow("above max at a step") << tight << homesAtCentre << Records{{0, 0}, {1, 201}} << 1
                                         << "Record 2: the shoulder at 201 is above its max 200.";

    // The homing walk steps one position at a time from the centre down to the home of 20.
    config::Settings lowHome;
    lowHome.home[axes::Shoulder] = 20;
    QTest::newRow("below min in the homing walk")
        << with([](arm::Profile &p) { p.joints[axes::Shoulder].min = 50; }) << lowHome
        << Records{{0, 0}, {1, 60}} << 1 << "Start-up: the shoulder at 49 is below its min 50.";

    QTest::newRow("a jump at a step")
        << with([](arm::Profile &p) { p.joints[axes::Elbow].maxStep = 10; }) << homesAtCentre
        << Records{{0, 0}, {2, 140}} << 1
        << "Record 2: the elbow moves 13 positions in one frame, more than its max_step 10.";

    // 210 back to 150 at the seam is the only jump above 30.
    const arm::Profile smallSteps =
        with([](arm::Profile &p) { p.joints[axes::Shoulder].maxStep = 30; });
    const QString seam =
        "Record 2: the seam between passes moves the shoulder by 60, above its max_step 30.";
    QTest::newRow("one pass has no seam") << smallSteps << homesAtCentre << climb << 1 << QString();
    QTest::newRow("the seam of two passes") << smallSteps << homesAtCentre << climb << 2 << seam;
    QTest::newRow("the seam of passes for ever")
        << smallSteps << homesAtCentre << climb << 0 << seam;

    // Shoulder 0 lays the upper arm level; the forearm and hand then hang down from 60.6 mm.
    QTest::newRow("the tool point below the table")
        << with([](arm::Profile &p) { p.arm.table = 100; }) << homesAtCentre
        << Records{{0, 0}, {1, 0}} << 1
        << "Record 2: moving the shoulder puts the tool point at -71.38 mm, below table_mm 100.";
    // A wrist turned to point the hand straight up keeps the tool point above while the wrist
    // axis goes under.
    QTest::newRow("the wrist axis below the table")
        << with([](arm::Profile &p) {
               p.arm.table = 0;
               p.joints[axes::Wrist].at0 = 0;
               p.joints[axes::Wrist].at255 = 180;
           })
        << homesAtCentre << Records{{0, 0}, {3, 255}, {1, 0}} << 1
        << "Record 3: moving the shoulder puts the wrist axis at -29.38 mm, below table_mm 0.";
}

void TestLimitCheck::firstBreach()
{
    QFETCH(arm::Profile, profile);
    QFETCH(config::Settings, settings);
    QFETCH(Records, records);
    QFETCH(int, loops);
    QFETCH(QString, breach);

    const arm::MotionCheck checked = arm::checkMotion(profile, records, settings, loops);
    QVERIFY2(checked.error.isEmpty(), qPrintable(checked.error));
    QCOMPARE(checked.breach ? checked.breach->text() : QString(), breach);
}

// The check reads the player's own bytes: the frames, put back together, are what the exports
// write for two passes, and each is tagged with the record that wrote it.
void TestLimitCheck::framesAreThePlayersBytes()
{
    config::Settings settings;
    settings.home = {100, 130.5, 127, 300, 0};
    const Records records{{0, 0}, {1, 150}, {9, 3}, {1, 150}, {4, 1}, {0, 90}};
    const arm::LineFrames line = arm::lineFrames(records, settings, 2);
    QVERIFY2(line.error.isEmpty(), qPrintable(line.error));
    QByteArray bytes;
    for (const arm::TaggedFrame &f : line.frames)
        bytes += *frame::build(f.channel, f.position);
    const exports::Result written = exports::lineBytes(records, settings, 2);
    QCOMPARE(bytes, written.data);
    QList<int> tags;
    for (const arm::TaggedFrame &f : line.frames)
        if (f.record != 0 && (tags.isEmpty() || tags.back() != f.record))
            tags << f.record;
    QCOMPARE(tags, (QList<int>{2, 3, 4, 5, 6, 2, 3, 4, 5, 6}));
}

// The Check list's row for a jump at the seam says so; the climb's own steps are within 30.
void TestLimitCheck::seamRowIsNamed()
{
    const arm::Profile smallSteps =
        with([](arm::Profile &p) { p.joints[axes::Shoulder].maxStep = 30; });
    const checks::Rows rows = checks::motionRows(smallSteps, climb, config::Settings{});
    QCOMPARE(rows.rows.size(), size_t(1));
    QCOMPARE(checks::recordText(rows.rows[0]) + ' ' + rows.rows[0].ruleName(),
             QStringLiteral("2 max_step (seam)"));
}

void TestLimitCheck::fromWhereTheArmStands_data()
{
    QTest::addColumn<Records>("steps");
    QTest::addColumn<QString>("breach");

    // The shoulder stands at 150, below its min 160, and may move 10 a frame.
    QTest::newRow("the standing pose is not the steps'") << Records{{0, 130}} << QString();
    QTest::newRow("the first change is measured")
        << Records{{1, 165}}
        << "Record 2: the shoulder moves 15 positions in one frame, more "
           "than its max_step 10.";
    QTest::newRow("a later one") << Records{{1, 160}, {1, 171}}
                                 << "Record 3: the shoulder moves 11 positions in one frame, more "
                                    "than its max_step 10.";
    QTest::newRow("a step below min")
        << Records{{1, 155}} << "Record 2: the shoulder at 155 is below its min 160.";
}

void TestLimitCheck::fromWhereTheArmStands()
{
    QFETCH(Records, steps);
    QFETCH(QString, breach);

    const arm::Profile profile = with([](arm::Profile &p) {
        p.joints[axes::Shoulder].min = 160;
        p.joints[axes::Shoulder].maxStep = 10;
    });
    const std::optional<arm::Breach> found =
        arm::checkFrom(profile, {127, 150, 127, 127, 127}, steps);
    QCOMPARE(found ? found->text() : QString(), breach);
}

QTEST_GUILESS_MAIN(TestLimitCheck)
#include "test_limit_check.moc"
