// The session alone, as the operator works it: REC, moves and STOP; RUN with its loop count,
// PAUSE and CONT; BACK; a port chosen, echoed, refused, lost and chosen again; the full buffer.
// What reaches the line is read back as frames, and what a view would be told, with QSignalSpy.

#include "core/session/arm_session.h"
#include "support/fake_port.h"
#include "support/files.h"
#include "support/printing.h"
#include "support/scripted_holds.h"

#include <QFile>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>

namespace {

Frames framesOf(std::initializer_list<std::pair<int, int>> pairs)
{
    Frames out;
    for (const auto &[c, p] : pairs)
        out << frame::Frame{c, p};
    return out;
}

Steps stepsFrom(const StepBuffer &buffer, int from)
{
    Steps out;
    for (int i = from; i <= buffer.stepCount(); ++i)
        out << buffer.at(i);
    return out;
}

// A session on a fake line with every axis at the centre, its waits scripted: each hold runs
// the next of `atHold` (a hold with nothing scripted fails the test and releases the pause).
struct Bench : ScriptedHolds {
    FakePort port;
    ArmSession session{port};

    explicit Bench(const QByteArray &probeAnswer = {})
    {
        port.probeAnswer = probeAnswer;
        (void)session.choosePort(1);
        session.setWaits({[] {}, holdFor(session)});
        session.centre();
        port.clearWritten();
    }
    Frames frames() const { return port.frames(); }
};

} // namespace

class TestArmSession : public QObject {
    Q_OBJECT
private slots:
    void startsWhereTheWindowIsCreated();
    void recordMovesAndStop();
    void runCountsTheLoopsDown();
    void pauseHoldsAndContReleases();
    void stopWhilePausedEndsTheRunAndReleases();
    void signalsComeBeforeTheNextStep();
    void backRetracesAndEndsTheRecording();
    void homeWhileRecordingRecordsTheWalk();
    void bufferFullEndsTheRecording();
    void portOutcomes_data();
    void portOutcomes();
    void portLostAndChosenAgain();
    void typedValueRecordsTheTextSendsThePosition();
    void enterMovesOnlyToAPositionAnAxisCanTake();
    void filesAndTheQuit();
    void loopCountBoxRule_data();
    void loopCountBoxRule();
    void loopCountSliderWritesTheBox();
};

void TestArmSession::startsWhereTheWindowIsCreated()
{
    FakePort port;
    ArmSession session(port);
    QCOMPARE(session.positions(), (std::array<int, 5>{127, 0, 255, 0, 0}));
    QVERIFY(!session.isRecording());
    QVERIFY(!session.paused());
    QCOMPARE(session.loopCount().text(), "1");
    QCOMPARE(session.movementFile(), "robotmov.kmv");
    QCOMPARE(session.stepBuffer().stepCount(), 0);

    // Start-up centres what is not centred already; the base is, and sends nothing.
    QCOMPARE(session.choosePort(1), ArmSession::PortOutcome::Usable);
    port.clearWritten();
    session.centre();
    QCOMPARE(port.frames(), framesOf({{4, 127}, {1, 127}, {2, 127}, {3, 127}}));
}

void TestArmSession::recordMovesAndStop()
{
    Bench b;
    QSignalSpy moved(&b.session.axes(), &ArmAxes::axisMoved);
    QSignalSpy loops(&b.session, &ArmSession::loopCountChanged);
    QSignalSpy stopped(&b.session, &ArmSession::stopping);

    b.session.setLoopCountText("7");
    b.session.rec();
    QVERIFY(b.session.isRecording());
    QCOMPARE(b.session.stepBuffer().stepCount(), 1);

    b.session.axes().moveAxis(axes::Base, 128);
    b.session.axes().moveAxis(axes::Base, 128); // where it stands: nothing
    b.session.axes().moveAxis(axes::Grip, 100);
    b.session.axes().moveAxis(axes::Base, 300);                       // no slider takes it: nothing
    b.session.axes().moveAxis(axes::Grip, 100, ArmAxes::Repeat::Yes); // a box written again
    QCOMPARE(b.frames(), framesOf({{0, 128}, {4, 100}, {4, 100}}));
    QCOMPARE(stepsFrom(b.session.stepBuffer(), 2), (Steps{{0, 128}, {4, 100}, {4, 100}}));
    QCOMPARE(moved.size(), 2);
    QCOMPARE(moved.at(1), (QVariantList{4, 100}));

    loops.clear();
    b.session.stop();
    QVERIFY(!b.session.isRecording());
    QCOMPARE(b.session.loopCount().text(), "1");
    QCOMPARE(loops.size(), 1);
    QCOMPARE(stopped.size(), 1);
    // STOP keeps the steps, and replay_index stands on the last of them.
    QCOMPARE(b.session.stepBuffer().stepCount(), 4);
    QCOMPARE(b.session.replayIndex(), 4);

    // Not recording: the move is sent, not appended.
    b.session.axes().moveAxis(axes::Base, 129);
    QCOMPARE(b.frames().last(), (frame::Frame{0, 129}));
    QCOMPARE(b.session.stepBuffer().stepCount(), 4);

    // A second REC starts again at index 2; what lay above stays.
    b.session.rec();
    b.session.axes().moveAxis(axes::Base, 130);
    QCOMPARE(b.session.stepBuffer().stepCount(), 2);
    QCOMPARE(b.session.stepBuffer().at(2), (Step{0, 130}));
    QCOMPARE(b.session.stepBuffer().at(3), (Step{4, 100}));
}

void TestArmSession::runCountsTheLoopsDown()
{
    // Loop count 3, five steps: indices 2 to 6 three times, the box showing 3, 2, 1 and then 3.
    Bench b;
    b.session.openMovement("five.kmv", {{0, 0}, {0, 128}, {0, 129}, {4, 120}, {4, 121}, {0, 127}});
    QCOMPARE(b.session.movementFile(), "five.kmv");
    b.session.setLoopCountText("3");
    QSignalSpy loops(&b.session, &ArmSession::loopCountChanged);
    QCOMPARE(b.session.run(), Sequencer::End::Done);

    // Every step moves its axis, in each pass, so each is written twice: by the replay and by
    // the move. A later pass starts where the one before ended (the grip at 121).
    Frames pass;
    for (const frame::Frame &f : framesOf({{0, 128}, {0, 129}, {4, 120}, {4, 121}, {0, 127}}))
        pass << f << f;
    QCOMPARE(b.frames(), pass + pass + pass);
    QStringList written;
    for (const QList<QVariant> &args : loops)
        written << args.at(0).toString();
    QCOMPARE(written, (QStringList{"2", "1", "3"}));
    QCOMPARE(b.session.loopCount().text(), "3");
    QCOMPARE(b.session.positions()[axes::Grip], 121);
}

void TestArmSession::pauseHoldsAndContReleases()
{
    // PAUSE pressed before the second step holds the run there; CONT lets it go on.
    Bench b;
    b.session.openMovement("m.kmv", {{0, 0}, {0, 130}, {0, 131}, {0, 132}});
    QSignalSpy paused(&b.session, &ArmSession::pausedChanged);
    b.port.atWait(1, [&] { b.session.togglePause(); });
    qsizetype heldAt = -1;
    b.atHold << [&] {
        heldAt = b.frames().size();
        b.session.togglePause();
    };
    QCOMPARE(b.session.run(), Sequencer::End::Done);
    QCOMPARE(heldAt, 2);
    QCOMPARE(b.strandedHolds, 0);
    QCOMPARE(paused.size(), 2);
    QCOMPARE(paused.at(0).at(0).toBool(), true);
    QCOMPARE(paused.at(1).at(0).toBool(), false);
    QCOMPARE(b.frames(), framesOf({{0, 130}, {0, 130}, {0, 131}, {0, 131}, {0, 132}, {0, 132}}));

    // PAUSE after the run: the next RUN plays its first step and holds.
    b.session.togglePause();
    b.port.clearWritten();
    heldAt = -1;
    b.atHold << [&] {
        heldAt = b.frames().size();
        b.session.togglePause();
    };
    QCOMPARE(b.session.run(), Sequencer::End::Done);
    // The walk home (the base from 132: five frames), then the first step (two).
    QCOMPARE(heldAt, 7);
    QCOMPARE(b.strandedHolds, 0);
}

void TestArmSession::stopWhilePausedEndsTheRunAndReleases()
{
    Bench b;
    b.session.openMovement("m.kmv", {{0, 0}, {0, 130}, {0, 131}, {0, 132}});
    b.session.setLoopCountText("4");
    b.port.atWait(1, [&] { b.session.togglePause(); });
    b.atHold << [&] { b.session.stop(); };
    QCOMPARE(b.session.run(), Sequencer::End::Stopped);
    QVERIFY(!b.session.paused());
    QCOMPARE(b.strandedHolds, 0);
    QCOMPARE(b.frames(), framesOf({{0, 130}, {0, 130}}));
    // The box shows the count the run started with again.
    QCOMPARE(b.session.loopCount().text(), "4");
}

void TestArmSession::signalsComeBeforeTheNextStep()
{
    // A view's slot runs inside the operation: it sees the line as it stands at the change, and
    // nothing of the steps after it.
    Bench b;
    b.session.openMovement("m.kmv", {{0, 0}, {0, 130}, {0, 131}, {0, 132}});
    QList<qsizetype> atMove, atPause;
    connect(&b.session.axes(), &ArmAxes::axisMoved, this, [&] { atMove << b.port.frames().size(); });
    connect(&b.session, &ArmSession::pausedChanged, this,
            [&] { atPause << b.port.frames().size(); });
    b.port.atWait(1, [&] { b.session.togglePause(); });
    b.atHold << [&] { b.session.togglePause(); };
    QCOMPARE(b.session.run(), Sequencer::End::Done);
    // Each step's own frame, then the slider moves, then its box writes the frame again.
    QCOMPARE(atMove, (QList<qsizetype>{1, 3, 5}));
    // PAUSE after the first step and CONT at the hold, both before the second step went out.
    QCOMPARE(atPause, (QList<qsizetype>{2, 2}));
    QCOMPARE(b.frames().size(), 6);
}

void TestArmSession::backRetracesAndEndsTheRecording()
{
    // The base recorded at 128, 129 and 130: BACK sends 130, 129 and 128, appends 129 and 128
    // as indices 5 and 6, and ends the recording.
    Bench b;
    b.session.rec();
    for (int p : {128, 129, 130})
        b.session.axes().moveAxis(axes::Base, p);
    b.port.clearWritten();
    b.session.setLoopCountText("5");
    QSignalSpy stopped(&b.session, &ArmSession::stopping);
    QCOMPARE(b.session.back(), Sequencer::End::Done);
    QCOMPARE(b.frames(), framesOf({{0, 130}, {0, 129}, {0, 129}, {0, 128}, {0, 128}}));
    QCOMPARE(stepsFrom(b.session.stepBuffer(), 2),
             (Steps{{0, 128}, {0, 129}, {0, 130}, {0, 129}, {0, 128}}));
    QVERIFY(!b.session.isRecording());
    QCOMPARE(stopped.size(), 1);
    QCOMPARE(b.session.loopCount().text(), "1");
}

void TestArmSession::homeWhileRecordingRecordsTheWalk()
{
    Bench b;
    b.session.axes().moveAxis(axes::Grip, 125);
    b.session.rec();
    b.port.clearWritten();
    QCOMPARE(b.session.home(), Sequencer::End::Done);
    QCOMPARE(b.frames(), framesOf({{4, 126}, {4, 127}}));
    QCOMPARE(stepsFrom(b.session.stepBuffer(), 2), (Steps{{4, 126}, {4, 127}}));
}

void TestArmSession::bufferFullEndsTheRecording()
{
    Bench b;
    QSignalSpy full(&b.session.axes(), &ArmAxes::bufferFull);
    b.session.rec();
    for (int i = 0; i < StepBuffer::capacity - 1; ++i)
        b.session.axes().moveAxis(axes::Base, i % 2 ? 127 : 128);
    QCOMPARE(full.size(), 0);
    QVERIFY(b.session.isRecording());
    // The 12000th step lands at index 12001 and fills the buffer.
    b.session.axes().moveAxis(axes::Base, 200);
    QCOMPARE(full.size(), 1);
    QVERIFY(!b.session.isRecording());
    QCOMPARE(b.session.stepBuffer().stepCount(), 12001);
    QCOMPARE(b.session.stepBuffer().at(12001), (Step{0, 200}));
    // Later moves still reach the arm, unrecorded.
    b.session.axes().moveAxis(axes::Base, 201);
    QCOMPARE(b.frames().size(), StepBuffer::capacity + 1);
    QCOMPARE(b.frames().last(), (frame::Frame{0, 201}));
    QCOMPARE(b.session.stepBuffer().stepCount(), 12001);
    QCOMPARE(full.size(), 1);
}

void TestArmSession::portOutcomes_data()
{
    QTest::addColumn<int>("openResult");
    QTest::addColumn<QByteArray>("answer");
    QTest::addColumn<int>("outcome");
    QTest::addColumn<int>("status");
    QTest::addColumn<bool>("enabled");

    QTest::newRow("nothing attached")
        << 0 << QByteArray() << int(ArmSession::PortOutcome::Usable) << 0 << true;
    QTest::newRow("echo") << 0 << QByteArray("B") << int(ArmSession::PortOutcome::Echoed) << 13
                          << false;
    QTest::newRow("BB is no echo")
        << 0 << QByteArray("BB") << int(ArmSession::PortOutcome::Usable) << 0 << true;
    QTest::newRow("in use") << 8005 << QByteArray() << int(ArmSession::PortOutcome::Failed) << 8005
                            << false;
    QTest::newRow("not there") << 8002 << QByteArray() << int(ArmSession::PortOutcome::Failed)
                               << 8002 << false;
}

void TestArmSession::portOutcomes()
{
    QFETCH(int, openResult);
    QFETCH(QByteArray, answer);
    QFETCH(int, outcome);
    QFETCH(int, status);
    QFETCH(bool, enabled);

    FakePort port;
    ArmSession session(port);
    QSignalSpy opened(&session.link(), &PortLink::portOpened);
    QSignalSpy failed(&session.link(), &PortLink::portFailed);
    QSignalSpy echoed(&session.link(), &PortLink::portEchoed);
    QSignalSpy set(&session.link(), &PortLink::motionControlsSet);
    port.openResult = openResult;
    port.probeAnswer = answer;
    QCOMPARE(int(session.choosePort(3)), outcome);
    QCOMPARE(session.portStatus(), status);
    QCOMPARE(session.configuration().port, 3); // port_number, whatever the outcome
    QCOMPARE(session.link().motionControlsEnabled(), enabled);
    QCOMPARE(set.size(), 1);
    QCOMPARE(set.at(0).at(0).toBool(), enabled);
    QCOMPARE(opened.size(), openResult == 0 ? 1 : 0);
    QCOMPARE(echoed.size(), status == 13 ? 1 : 0);
    if (openResult != 0) {
        QCOMPARE(failed.size(), 1);
        QCOMPARE(failed.at(0), (QVariantList{openResult, 3, "/dev/fake0", QString()}));
        // No probe on a port that did not open.
        QVERIFY(port.written.isEmpty());
    } else {
        QCOMPARE(failed.size(), 0);
        QCOMPARE(port.written, "B");
    }

    // A move is sent only while port_status is 0; it is recorded whatever the port says.
    session.rec();
    session.axes().moveAxis(axes::Base, 140);
    QCOMPARE(port.frames().size(), status == 0 ? 1 : 0);
    QCOMPARE(session.stepBuffer().stepCount(), 2);
}

void TestArmSession::portLostAndChosenAgain()
{
    // The adapter pulled out during RUN: the run ends before its next step, nothing more is
    // sent, the controls go off. Choosing the port again brings them back.
    Bench b;
    b.session.openMovement("m.kmv", {{0, 0}, {0, 130}, {0, 131}, {0, 132}});
    QSignalSpy lost(&b.session.link(), &PortLink::portLost);
    b.port.atWait(1, [&] { b.port.disappear(); });
    QCOMPARE(b.session.run(), Sequencer::End::Lost);
    QCOMPARE(b.frames(), framesOf({{0, 130}, {0, 130}}));
    QCOMPARE(lost.size(), 1);
    QCOMPARE(lost.at(0), (QVariantList{1, "/dev/fake0"}));
    QCOMPARE(b.session.portStatus(), 8002);
    QVERIFY(!b.session.link().motionControlsEnabled());
    b.session.axes().moveAxis(axes::Base, 150);
    QCOMPARE(b.frames().size(), 2);

    QCOMPARE(b.session.choosePort(1), ArmSession::PortOutcome::Usable);
    QCOMPARE(b.session.portStatus(), 0);
    QVERIFY(b.session.link().motionControlsEnabled());
    b.port.clearWritten();
    b.session.axes().moveAxis(axes::Base, 151);
    QCOMPARE(b.frames(), framesOf({{0, 151}}));

    // A device lost during BACK ends the recording, without the closing STOP.
    b.session.rec();
    b.session.axes().moveAxis(axes::Base, 152);
    b.session.axes().moveAxis(axes::Base, 153);
    b.session.setLoopCountText("9");
    b.port.atWait(1, [&] { b.port.disappear(); });
    QSignalSpy stopped(&b.session, &ArmSession::stopping);
    QCOMPARE(b.session.back(), Sequencer::End::Lost);
    QVERIFY(!b.session.isRecording());
    QCOMPARE(stopped.size(), 0);
    QCOMPARE(b.session.loopCount().text(), "9");
}

void TestArmSession::typedValueRecordsTheTextSendsThePosition()
{
    // Typing into a value box never moves the servo: the frame carries where the axis stands,
    // and while recording the typed whole number is the step.
    Bench b;
    b.session.axes().moveAxis(axes::Elbow, 90);
    b.port.clearWritten();
    b.session.axes().typeValue(axes::Elbow, "2");
    QCOMPARE(b.frames(), framesOf({{2, 90}}));
    QCOMPARE(b.session.stepBuffer().stepCount(), 0);

    b.session.rec();
    b.port.clearWritten();
    for (const char *typed : {"20", "200", "", "-", "300", "-1", "254.5", " 7 "})
        b.session.axes().typeValue(axes::Elbow, typed);
    QCOMPARE(b.frames().size(), 8);
    for (const frame::Frame &f : b.frames())
        QCOMPARE(f, (frame::Frame{2, 90}));
    QCOMPARE(stepsFrom(b.session.stepBuffer(), 2), (Steps{{2, 20}, {2, 200}, {2, 254}, {2, 7}}));
    QCOMPARE(b.session.positions()[axes::Elbow], 90);

    // No frame while the port is unusable; the step is still taken.
    b.port.disappear();
    b.port.clearWritten();
    b.session.axes().typeValue(axes::Elbow, "5");
    QVERIFY(b.frames().isEmpty());
    QCOMPARE(b.session.stepBuffer().at(b.session.stepBuffer().stepCount()), (Step{2, 5}));
}

void TestArmSession::enterMovesOnlyToAPositionAnAxisCanTake()
{
    Bench b;
    QVERIFY(b.session.axes().enterValue(axes::Wrist, " 200.5 "));
    QCOMPARE(b.session.positions()[axes::Wrist], 200); // half to even
    QCOMPARE(b.frames(), framesOf({{3, 200}}));
    // Where it stands already: nothing moves and nothing is sent.
    b.port.clearWritten();
    QVERIFY(b.session.axes().enterValue(axes::Wrist, "200"));
    QVERIFY(b.frames().isEmpty());
    for (const char *refused : {"256", "-1", "", "x", "1e3"})
        QVERIFY2(!b.session.axes().enterValue(axes::Wrist, refused), refused);
    QVERIFY(b.frames().isEmpty());
    QCOMPARE(b.session.positions()[axes::Wrist], 200);
}

void TestArmSession::filesAndTheQuit()
{
    QTemporaryDir dir;
    Bench b;
    const QString motion = dir.filePath("m.kmv");
    b.session.setMovementFile(motion);

    // Ten steps are not worth a file; eleven are, written whole.
    b.session.rec();
    for (int p = 100; p < 109; ++p)
        b.session.axes().moveAxis(axes::Base, p);
    QCOMPARE(b.session.stepBuffer().stepCount(), 10);
    QVERIFY(!b.session.files().worthSaving());
    QCOMPARE(b.session.files().saveMovement(), QString());
    QVERIFY(!QFile::exists(motion));
    b.session.axes().moveAxis(axes::Base, 109);
    QCOMPARE(b.session.files().saveMovement(), QString());
    QCOMPARE(readAll(motion).count("\r\n"), 11);

    // A failed save names the file; the one that opens again is what was saved.
    b.session.setMovementFile(dir.filePath("no/such/folder/m.kmv"));
    QVERIFY(b.session.files().saveMovement().startsWith(
        "Cannot save the movement file '" + dir.filePath("no/such/folder/m.kmv") + "'\r"));
    b.session.stop();
    QVERIFY(writeFile(dir.filePath("bad.kmv"), "1,2,3"));
    QVERIFY(b.session.files().openMovementFile(dir.filePath("bad.kmv")).contains("bad.kmv"));
    QCOMPARE(b.session.files().openMovementFile(dir.filePath("none.kmv")), QString());
    QCOMPARE(b.session.stepBuffer().stepCount(), 11);
    QCOMPARE(b.session.files().openMovementFile(motion), QString());
    QCOMPARE(b.session.movementFile(), motion);

    // Save Configuration makes the pose the homes; the quit centres them in memory only and
    // walks there.
    const QString ini = dir.filePath("cfg/robotini.txt");
    QCOMPARE(b.session.files().saveConfiguration(ini, b.session.positions()), QString());
    QCOMPARE(b.session.configuration().home[axes::Base], 109.0);
    const QByteArray written = readAll(ini);
    b.port.clearWritten();
    b.session.quit();
    QCOMPARE(b.session.configuration().home[axes::Base], 127.0);
    QCOMPARE(b.session.positions()[axes::Base], 127);
    QCOMPARE(readAll(ini), written);
}

void TestArmSession::loopCountBoxRule_data()
{
    QTest::addColumn<QString>("slider"); // the count the slider stands at, as the box said it
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown");
    QTest::addColumn<int>("count");
    QTest::newRow("a count") << "3"
                             << "5"
                             << "5" << 5;
    QTest::newRow("the largest") << "3"
                                 << "100"
                                 << "100" << 100;
    QTest::newRow("too many") << "3"
                              << "101"
                              << "3" << 3;
    QTest::newRow("just under too many") << "3"
                                         << "100.7"
                                         << "3" << 3;
    QTest::newRow("not a number") << "3"
                                  << "x"
                                  << "3" << 3;
    QTest::newRow("emptied") << "3"
                             << ""
                             << "3" << 3;
    QTest::newRow("zero") << "3"
                          << "0"
                          << "1" << 1;
    QTest::newRow("negative") << "3"
                              << "-3"
                              << "3" << 3;
    QTest::newRow("rounds to zero") << "3"
                                    << "0.3"
                                    << "3" << 3;
    QTest::newRow("a half goes to the even count") << "3"
                                                   << "2.5"
                                                   << "2" << 2;
    QTest::newRow("a fraction moves the slider") << "3"
                                                 << "5.4"
                                                 << "5" << 5;
    QTest::newRow("a fraction where the slider stands") << "5"
                                                        << "5.4"
                                                        << "5.4" << 5;
}

void TestArmSession::loopCountBoxRule()
{
    QFETCH(QString, slider);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    QFETCH(int, count);
    Bench b;
    b.session.setLoopCountText(slider);
    QCOMPARE(b.session.loopCount().slider(), slider.toInt());
    QSignalSpy announced(&b.session, &ArmSession::loopCountChanged);
    b.session.setLoopCountText(typed);
    QCOMPARE(announced.size(), 1);
    QCOMPARE(announced.at(0), (QVariantList{shown, count}));
    QCOMPARE(b.session.loopCount().text(), shown);
    QCOMPARE(b.session.loopCount().slider(), count);
    // The passes a replay plays are the slider's count, whatever the text's fraction.
    QCOMPARE(b.session.loopCount().passes(), count);
    // A bad text after it gives back what was accepted now.
    b.session.setLoopCountText("bad");
    QCOMPARE(b.session.loopCount().text(), shown);
    QVERIFY(b.port.frames().isEmpty());
}

void TestArmSession::loopCountSliderWritesTheBox()
{
    Bench b;
    QSignalSpy texts(&b.session, &ArmSession::loopCountChanged);
    b.session.setLoopCount(42);
    QCOMPARE(b.session.loopCount().slider(), 42);
    QCOMPARE(b.session.loopCount().text(), "42");
    QCOMPARE(texts.size(), 1);
    // A count the program asks for beyond the slider's range (a player's) is taken as it
    // stands; the slider stays, and is what a bad text gives back.
    b.session.setLoopCount(500);
    QCOMPARE(b.session.loopCount().passes(), 500);
    QCOMPARE(b.session.loopCount().slider(), 42);
    b.session.setLoopCountText("abc");
    QCOMPARE(b.session.loopCount().text(), "42");
    QCOMPARE(b.session.loopCount().passes(), 42);
}

QTEST_GUILESS_MAIN(TestArmSession)
#include "test_arm_session.moc"
