// The first pass's time model against the line: kestrel-play's player (start-up, then RUN) on a
// recording port, and every step's first byte and byte count taken from what it wrote.

#include "core/edit/pass_timing.h"
#include "core/play/player.h"
#include "support/fake_port.h"
#include "support/printing.h"

#include <QTest>
#include <map>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)
Q_DECLARE_METATYPE(config::Settings)

class TestPassTiming : public QObject {
    Q_OBJECT
private slots:
    void agreesWithTheSequencer_data();
    void agreesWithTheSequencer();
};

void TestPassTiming::agreesWithTheSequencer_data()
{
    QTest::addColumn<config::Settings>("settings");
    QTest::addColumn<Records>("records");

    // Steps that land where their axis already stands are written once.
    QTest::newRow("steps that do not move")
        << config::Settings{} << Records{{0, 0},  {0, 127}, {0, 130}, {0, 130}, {4, 127}, {4, 126},
                                         {1, 10}, {1, 10},  {2, 127}, {0, 131}, {0, 130}, {0, 130}};

    // Homing from the centre: 100.5 ends at 101 and 200.7 at 200; 300 and -20 at the ends.
    config::Settings odd;
    odd.home = {100.5, 300, -20, 126.5, 200.7};
    QTest::newRow("fractional and out-of-range homes")
        << odd << Records{{0, 0},   {0, 101}, {1, 255}, {2, 0},   {3, 127}, {4, 200},
                          {4, 201}, {0, 100}, {3, 126}, {1, 254}, {2, 1}};

    // Above channel 4 a frame goes out and no axis moves, whatever the position; record 1 is
    // never played, whatever it holds.
    config::Settings near;
    near.home = {20, 127, 127, 127, 240};
    QTest::newRow("channels above 4")
        << near << Records{{9, 9},  {5, 20}, {0, 20},  {7, 200}, {255, 255},
                           {0, 21}, {5, 21}, {4, 240}, {6, 0},   {4, 239}};
}

void TestPassTiming::agreesWithTheSequencer()
{
    QFETCH(config::Settings, settings);
    QFETCH(Records, records);

    FakePort port;
    play::Player player(port, settings, 1);
    ArmSession &session = player.session();
    session.openMovement(QStringLiteral("motion.kmv"), records);
    QCOMPARE(session.choosePort(1), ArmSession::PortOutcome::Usable);
    QCOMPARE(player.startUp(), Sequencer::End::Done);
    const timing::Pose start = timing::passStartPose(settings);
    QCOMPARE(session.positions(), start);

    // After each played step: the bytes written since start-up ended, and the pose.
    const qint64 zero = port.written.size();
    std::map<int, qint64> after;
    std::map<int, timing::Pose> poses;
    player.onStep([&] {
        if (player.homing())
            return;
        after[player.replayIndex()] = port.written.size() - zero;
        poses[player.replayIndex()] = session.positions();
    });
    QCOMPARE(player.run(), Sequencer::End::Done);

    const timing::Pass pass = timing::firstPass(records, start);
    QCOMPARE(pass.start, start);
    QCOMPARE(int(pass.steps.size()), int(records.size()) - 1);
    QCOMPARE(int(after.size()), int(pass.steps.size()));
    for (const timing::TimedStep &t : pass.steps) {
        const qint64 before = t.record == 2 ? 0 : after.at(t.record - 1);
        QCOMPARE(t.step, records[t.record - 1]);
        QCOMPARE(t.startByte, before);
        QCOMPARE(qint64(t.bytes), after.at(t.record) - before);
        QCOMPARE(t.pose, poses.at(t.record));
        // The step's first byte is its own frame's.
        QCOMPARE(port.written.mid(zero + t.startByte, 4),
                 *frame::build(t.step.channel, t.step.position));
    }
    QCOMPARE(pass.totalBytes, port.written.size() - zero);
    QCOMPARE(timing::passBytes(records, start), pass.totalBytes);
}

QTEST_GUILESS_MAIN(TestPassTiming)
#include "test_pass_timing.moc"
