// The sequencer without a window: RUN with its homing, BACK and HOME, with the operator's events
// arriving during the line wait before the first, a middle and the last step. Its host is the
// session that holds what the operator sees; the test is the operator, acting at the waits.

#include "core/session/arm_session.h"
#include "support/fake_port.h"
#include "support/printing.h"
#include "support/scripted_holds.h"

#include <QTest>

namespace {

// "0:130*2 4:126": channel:position, *n for n times in a row.
QList<std::pair<int, int>> pairsOf(const QString &text)
{
    QList<std::pair<int, int>> out;
    for (const QString &item : text.split(u' ', Qt::SkipEmptyParts)) {
        const QStringList times = item.split(u'*');
        const QStringList parts = times[0].split(u':');
        const int n = times.size() > 1 ? times[1].toInt() : 1;
        for (int i = 0; i < n; ++i)
            out << std::pair{parts[0].toInt(), parts[1].toInt()};
    }
    return out;
}

Frames framesOf(const QString &text)
{
    Frames out;
    for (const auto &[c, p] : pairsOf(text))
        out << frame::Frame{c, p};
    return out;
}

Steps stepsOf(const QString &text)
{
    Steps out;
    for (const auto &[c, p] : pairsOf(text))
        out << Step{qint16(c), qint16(p)};
    return out;
}

const char *nameOf(Sequencer::End end)
{
    switch (end) {
    case Sequencer::End::Done:
        return "Done";
    case Sequencer::End::Stopped:
        return "Stopped";
    case Sequencer::End::Lost:
        return "Lost";
    }
    return "?";
}

// The arm as the operator has it: a session on a fake line, and what the operator does at the
// waits. The session records, sends and stops; the operator here only acts.
class Arm : public ScriptedHolds {
public:
    FakePort port;
    ArmSession session{port};
    QStringList loopsWritten; // every text the operation put in the loop-count box
    int yields = 0;
    // What the operator does while the operation holds is ScriptedHolds::atHold.
    QString heldAfter = QStringLiteral("-"); // the frames written when CONT was pressed
    qsizetype recordedFrom = 0;
    bool acting = false;

    explicit Arm(const QByteArray &probeAnswer = {})
    {
        port.probeAnswer = probeAnswer;
        (void)session.choosePort(1);
        if (!port.isOpen())
            qFatal("the fake port did not open");
        session.setWaits({[this] { ++yields; }, holdFor(session)});
        // Where every axis stands before each row puts some elsewhere.
        for (int channel = 0; channel < axes::count; ++channel)
            session.axes().moveAxis(channel, 127);
        QObject::connect(&session, &ArmSession::loopCountChanged, &session,
                         [this](const QString &text) {
                             if (!acting && session.replaying())
                                 loopsWritten << text;
                         });
    }

    void setHomes(const std::array<double, 5> &homes, double speed = 5)
    {
        config::Settings s = session.configuration();
        s.home = homes;
        s.homeSpeed = speed;
        session.files().setConfiguration(s);
    }
    // The steps as a file gives them; index 1 holds a placeholder.
    void setSteps(const QString &text)
    {
        std::vector<Step> records{Step{}};
        for (const Step &step : stepsOf(text))
            records.push_back(step);
        session.openMovement(QStringLiteral("m.kmv"), records);
        recordedFrom = qsizetype(records.size()) - 1;
    }
    // Records moves, as the operator would after REC; the line forgets them.
    void record(const QString &moves)
    {
        session.rec();
        for (const auto &[c, p] : pairsOf(moves))
            session.axes().moveAxis(c, p);
        recordedFrom = session.stepBuffer().steps();
    }
    // Puts axes somewhere before the operation, unrecorded unless recording.
    void place(const QString &moves)
    {
        for (const auto &[c, p] : pairsOf(moves))
            session.axes().moveAxis(c, p);
    }
    // What the operation itself wrote from here on.
    void startWatching() { port.clearWritten(); }
    Steps recorded() const
    {
        Steps out;
        const StepBuffer &buffer = session.stepBuffer();
        for (int i = 2 + int(recordedFrom); i <= buffer.stepCount(); ++i)
            out << buffer.at(i);
        return out;
    }
    Frames frames() const { return port.frames(); }

    void noteHold()
    {
        heldAfter.clear();
        for (const auto &f : frames())
            heldAfter += QStringLiteral("%1:%2 ").arg(f.channel).arg(f.position);
    }

    // The operator.
    void act(const QString &event)
    {
        acting = true;
        if (event == QLatin1String("STOP")) {
            session.stop();
        } else if (event == QLatin1String("PAUSE")) {
            session.togglePause();
            atHold << [this] {
                noteHold();
                session.togglePause();
            };
        } else if (event.startsWith(QLatin1String("loops "))) {
            session.setLoopCountText(event.mid(6));
        } else if (event.startsWith(QLatin1String("move "))) {
            const auto [channel, position] = pairsOf(event.mid(5)).first();
            session.axes().moveAxis(channel, position);
        } else if (event == QLatin1String("interrupt")) {
            session.interrupt();
        } else if (event == QLatin1String("PAUSE, interrupt")) {
            // The signal arrives while the operation holds.
            session.togglePause();
            atHold << [this] {
                noteHold();
                session.interrupt();
            };
        } else if (event == QLatin1String("lost")) {
            port.disappear();
        } else {
            qFatal("unknown event %s", qPrintable(event));
        }
        acting = false;
    }
};

} // namespace

Q_DECLARE_METATYPE(Sequencer::End)

class TestSequencer : public QObject {
    Q_OBJECT
private slots:
    void eventsAtTheLineWait_data();
    void eventsAtTheLineWait();
    void homingPace_data();
    void homingPace();
    void replayWritesWhateverThePortStatus();
    void homingIsNotNested();
    void interruptEndsEveryLaterOperation();
};

void TestSequencer::eventsAtTheLineWait_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<int>("wait"); // the line wait the event arrives in, from 0
    QTest::addColumn<QString>("event");
    QTest::addColumn<QString>("frames");    // every frame written
    QTest::addColumn<QString>("heldAfter"); // the frames written when it first held; "-": no hold
    QTest::addColumn<QString>("recorded");  // steps the operation recorded
    QTest::addColumn<QString>("end");
    QTest::addColumn<QString>("loops"); // what the loop-count box was given, in order

    // RUN: the grip homes from 125 (waits 0 to 2), then two passes of three steps of the base
    // (waits 3 to 5, then 6 to 8). Each step that moves its slider is written twice.
    const QString h = "4:126 4:127 ", p = "0:130*2 0:131*2 0:132*2 ";
    const auto run = [](const char *name) -> QTestData & {
        return QTest::newRow(qPrintable(QStringLiteral("RUN ") + name)) << "RUN";
    };
    run("as it is") << -1 << "" << h + p + p << "-"
                    << ""
                    << "Done"
                    << "1 2";
    // STOP wrote 1 into the box before the run read the count it gives back at the end.
    run("STOP while homing") << 1 << "STOP" << h << "-"
                             << ""
                             << "Stopped"
                             << "1";
    run("STOP first") << 3 << "STOP" << h << "-"
                      << ""
                      << "Stopped"
                      << "2";
    run("STOP middle") << 4 << "STOP" << h + "0:130*2"
                       << "-"
                       << ""
                       << "Stopped"
                       << "2";
    run("STOP last") << 5 << "STOP" << h + "0:130*2 0:131*2"
                     << "-"
                     << ""
                     << "Stopped"
                     << "2";
    // No step of the run has gone out before its first: that one goes, then it holds.
    run("PAUSE while homing") << 1 << "PAUSE" << h + p + p << h + "0:130*2"
                              << ""
                              << "Done"
                              << "1 2";
    run("PAUSE first") << 3 << "PAUSE" << h + p + p << h + "0:130*2"
                       << ""
                       << "Done"
                       << "1 2";
    run("PAUSE middle") << 4 << "PAUSE" << h + p + p << h + "0:130*2"
                        << ""
                        << "Done"
                        << "1 2";
    run("PAUSE last") << 5 << "PAUSE" << h + p + p << h + "0:130*2 0:131*2"
                      << ""
                      << "Done"
                      << "1 2";
    run("PAUSE first of the second pass") << 6 << "PAUSE" << h + p + p << h + p << ""
                                          << "Done"
                                          << "1 2";
    run("loop count 1 first") << 3 << "loops 1" << h + p << "-"
                              << ""
                              << "Done"
                              << "2";
    run("loop count 1 last") << 5 << "loops 1" << h + p << "-"
                             << ""
                             << "Done"
                             << "2";
    run("loop count 3 middle") << 4 << "loops 3" << h + p + p + p << "-"
                               << ""
                               << "Done"
                               << "2 1 2";
    // The walk goes on from its own count; the replay puts the base back where the step says.
    run("grip moved while homing") << 1 << "move 4:100"
                                   << "4:100 " + h + p + p << "-"
                                   << ""
                                   << "Done"
                                   << "1 2";
    run("base moved first") << 3 << "move 0:140" << h + "0:140 " + p + p << "-"
                            << ""
                            << "Done"
                            << "1 2";
    run("base moved middle") << 4 << "move 0:140" << h + "0:130*2 0:140 0:131*2 0:132*2 " + p << "-"
                             << ""
                             << "Done"
                             << "1 2";
    run("base moved last") << 5 << "move 0:140" << h + "0:130*2 0:131*2 0:140 0:132*2 " + p << "-"
                           << ""
                           << "Done"
                           << "1 2";
    // An interrupt (a signal) ends the run even in its homing, and even while it holds.
    run("interrupt while homing") << 1 << "interrupt"
                                  << ""
                                  << "-"
                                  << ""
                                  << "Stopped"
                                  << "2";
    run("interrupt middle") << 4 << "interrupt" << h + "0:130*2"
                            << "-"
                            << ""
                            << "Stopped"
                            << "2";
    run("interrupt while held") << 4 << "PAUSE, interrupt" << h + "0:130*2" << h + "0:130*2"
                                << ""
                                << "Stopped"
                                << "2";
    run("lost while homing") << 1 << "lost"
                             << ""
                             << "-"
                             << ""
                             << "Lost"
                             << "2";
    run("lost first") << 3 << "lost" << h << "-"
                      << ""
                      << "Lost"
                      << "2";
    run("lost middle") << 4 << "lost" << h + "0:130*2"
                       << "-"
                       << ""
                       << "Lost"
                       << "2";
    run("lost last") << 5 << "lost" << h + "0:130*2 0:131*2"
                     << "-"
                     << ""
                     << "Lost"
                     << "2";

    // A pass played from where the arm stands (a script's move): the same steps with the grip
    // left at 125 and the loop count of 2 ignored (waits 0 to 2).
    const auto here = [](const char *name) -> QTestData & {
        return QTest::newRow(qPrintable(QStringLiteral("HERE ") + name)) << "HERE";
    };
    const QString none, first = "0:130*2";
    here("as it is") << -1 << none << p << "-" << none << "Done" << none;
    here("interrupt middle") << 1 << "interrupt" << first << "-" << none << "Stopped" << none;
    here("STOP middle") << 1 << "STOP" << first << "-" << none << "Stopped" << none;
    here("PAUSE middle") << 1 << "PAUSE" << p << first << none << "Done" << none;
    here("lost middle") << 1 << "lost" << first << "-" << none << "Lost" << none;

    // BACK, recording, after the base was recorded at 128 to 132: it walks indices 6 down to 2
    // (waits 0 to 4) and records every step that moves the base.
    const QString b = "0:132 0:131*2 0:130*2 0:129*2 0:128*2", r = "0:131 0:130 0:129 0:128";
    const auto back = [](const char *name) -> QTestData & {
        return QTest::newRow(qPrintable(QStringLiteral("BACK ") + name)) << "BACK";
    };
    back("as it is") << -1 << "" << b << "-" << r << "Done"
                     << "";
    back("STOP first") << 0 << "STOP"
                       << ""
                       << "-"
                       << ""
                       << "Stopped"
                       << "";
    back("STOP middle") << 2 << "STOP"
                        << "0:132 0:131*2"
                        << "-"
                        << "0:131"
                        << "Stopped"
                        << "";
    back("STOP last") << 4 << "STOP"
                      << "0:132 0:131*2 0:130*2 0:129*2"
                      << "-"
                      << "0:131 0:130 0:129"
                      << "Stopped"
                      << "";
    back("PAUSE first") << 0 << "PAUSE" << b << "0:132" << r << "Done"
                        << "";
    back("PAUSE middle") << 2 << "PAUSE" << b << "0:132 0:131*2" << r << "Done"
                         << "";
    back("PAUSE last") << 4 << "PAUSE" << b << "0:132 0:131*2 0:130*2 0:129*2" << r << "Done"
                       << "";
    back("loop count typed") << 2 << "loops 5" << b << "-" << r << "Done"
                             << "";
    // The operator's move is recorded too; the walk covers only the steps it started with.
    back("base moved first") << 0 << "move 0:140"
                             << "0:140 0:132*2 0:131*2 0:130*2 0:129*2 0:128*2"
                             << "-"
                             << "0:140 0:132 " + r << "Done"
                             << "";
    back("base moved middle") << 2 << "move 0:140"
                              << "0:132 0:131*2 0:140 0:130*2 0:129*2 0:128*2"
                              << "-"
                              << "0:131 0:140 0:130 0:129 0:128"
                              << "Done"
                              << "";
    back("base moved last") << 4 << "move 0:140"
                            << "0:132 0:131*2 0:130*2 0:129*2 0:140 0:128*2"
                            << "-"
                            << "0:131 0:130 0:129 0:140 0:128"
                            << "Done"
                            << "";
    back("interrupt middle") << 2 << "interrupt"
                             << "0:132 0:131*2"
                             << "-"
                             << "0:131"
                             << "Stopped"
                             << "";
    back("lost first") << 0 << "lost"
                       << ""
                       << "-"
                       << ""
                       << "Lost"
                       << "";
    back("lost middle") << 2 << "lost"
                        << "0:132 0:131*2"
                        << "-"
                        << "0:131"
                        << "Lost"
                        << "";
    back("lost last") << 4 << "lost"
                      << "0:132 0:131*2 0:130*2 0:129*2"
                      << "-"
                      << "0:131 0:130 0:129"
                      << "Lost"
                      << "";

    // HOME while recording: the grip from 125 (waits 0 to 2), then the base from 129 (waits 3
    // to 5). STOP ends the recording but not the walk; PAUSE does not hold it.
    const QString w = "4:126 4:127 0:128 0:127";
    const auto home = [](const char *name) -> QTestData & {
        return QTest::newRow(qPrintable(QStringLiteral("HOME ") + name)) << "HOME";
    };
    home("as it is") << -1 << "" << w << "-" << w << "Done"
                     << "";
    home("STOP first") << 0 << "STOP" << w << "-"
                       << ""
                       << "Done"
                       << "";
    home("STOP middle") << 2 << "STOP" << w << "-"
                        << "4:126"
                        << "Done"
                        << "";
    home("STOP last") << 5 << "STOP" << w << "-"
                      << "4:126 4:127 0:128"
                      << "Done"
                      << "";
    home("PAUSE first") << 0 << "PAUSE" << w << "-" << w << "Done"
                        << "";
    home("PAUSE last") << 5 << "PAUSE" << w << "-" << w << "Done"
                       << "";
    home("loop count typed") << 2 << "loops 5" << w << "-" << w << "Done"
                             << "";
    // The axis under way is set back by its next step; one already home stays where it was put.
    home("grip moved first") << 0 << "move 4:100"
                             << "4:100 4:125 " + w << "-"
                             << "4:100 4:125 " + w << "Done"
                             << "";
    home("grip moved middle") << 2 << "move 4:100"
                              << "4:126 4:100 4:127 0:128 0:127"
                              << "-"
                              << "4:126 4:100 4:127 0:128 0:127"
                              << "Done"
                              << "";
    home("grip moved last") << 5 << "move 4:100"
                            << "4:126 4:127 0:128 4:100 0:127"
                            << "-"
                            << "4:126 4:127 0:128 4:100 0:127"
                            << "Done"
                            << "";
    // Unlike STOP, an interrupt ends the walk.
    home("interrupt middle") << 2 << "interrupt"
                             << "4:126"
                             << "-"
                             << "4:126"
                             << "Stopped"
                             << "";
    home("lost first") << 0 << "lost"
                       << ""
                       << "-"
                       << ""
                       << "Lost"
                       << "";
    home("lost middle") << 2 << "lost"
                        << "4:126"
                        << "-"
                        << "4:126"
                        << "Lost"
                        << "";
    home("lost last") << 5 << "lost"
                      << "4:126 4:127 0:128"
                      << "-"
                      << "4:126 4:127 0:128"
                      << "Lost"
                      << "";
}

void TestSequencer::eventsAtTheLineWait()
{
    QFETCH(QString, operation);
    QFETCH(int, wait);
    QFETCH(QString, event);
    QFETCH(QString, frames);
    QFETCH(QString, heldAfter);
    QFETCH(QString, recorded);
    QFETCH(QString, end);
    QFETCH(QString, loops);

    Arm arm;
    if (operation == QLatin1String("RUN") || operation == QLatin1String("HERE")) {
        arm.place("4:125");
        arm.setSteps("0:130 0:131 0:132");
        arm.session.setLoopCountText("2");
    } else if (operation == QLatin1String("BACK")) {
        arm.record("0:128 0:129 0:130 0:131 0:132");
    } else {
        arm.record("4:125 0:129");
    }
    arm.startWatching();
    if (wait >= 0)
        arm.port.atWait(wait, [&] { arm.act(event); });
    std::array<int, 5> standsAt = arm.session.positions();

    const Sequencer::End ended = operation == QLatin1String("RUN") ? arm.session.run()
                                 : operation == QLatin1String("HERE")
                                     ? arm.session.playHere(arm.session.stepBuffer())
                                 : operation == QLatin1String("BACK") ? arm.session.back()
                                                                      : arm.session.home();

    bool ok = false;
    QCOMPARE(arm.port.frames(&ok), framesOf(frames));
    QVERIFY(ok);
    const bool holds = heldAfter != QLatin1String("-");
    QCOMPARE(arm.holds, holds ? 1 : 0);
    if (holds)
        QCOMPARE(framesOf(arm.heldAfter), framesOf(heldAfter));
    QCOMPARE(arm.strandedHolds, 0);
    QCOMPARE(arm.recorded(), stepsOf(recorded));
    // Every axis stands where its last frame put it: nothing moved without reaching the arm.
    for (const auto &f : framesOf(frames))
        standsAt[f.channel] = f.position;
    QCOMPARE(arm.session.positions(), standsAt);
    QCOMPARE(nameOf(ended), qPrintable(end));
    QCOMPARE(arm.loopsWritten.join(u' '), loops);
    QVERIFY(!arm.session.sequencer().homing());
    QVERIFY(!arm.session.replaying());
}

void TestSequencer::homingPace_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("yields");

    // The grip walks 125, 126, 127: three steps, each followed by DELAY, which lets events run
    // five times a round, one round for each whole number up to the speed.
    QTest::newRow("5") << 5.0 << 3 * 25;
    QTest::newRow("2.5") << 2.5 << 3 * 10;
    QTest::newRow("1") << 1.0 << 3 * 5;
    QTest::newRow("0.5") << 0.5 << 0;
    QTest::newRow("0") << 0.0 << 0;
}

void TestSequencer::homingPace()
{
    QFETCH(double, speed);
    QFETCH(int, yields);

    Arm arm;
    arm.setHomes({127, 127, 127, 127, 127}, speed);
    arm.place("4:125");
    arm.startWatching();
    QCOMPARE(nameOf(arm.session.home()), "Done");
    QCOMPARE(arm.frames(), framesOf("4:126 4:127"));
    QCOMPARE(arm.yields, yields);
    QCOMPARE(arm.port.waits(), 3);
}

void TestSequencer::replayWritesWhateverThePortStatus()
{
    // An echo was detected: the boxes send nothing and homing moves nothing, but the replay
    // writes each step once, and moves the sliders.
    Arm arm("B");
    QCOMPARE(arm.session.portStatus(), 13);
    arm.place("4:125");
    arm.setSteps("0:130 5:10 1:100");
    arm.startWatching();
    QCOMPARE(nameOf(arm.session.run()), "Done");
    QCOMPARE(arm.frames(), framesOf("0:130 5:10 1:100"));
    QCOMPARE(arm.session.positions(), (std::array<int, 5>{130, 100, 127, 127, 125}));

    // A closed port drops what the replay writes.
    arm.port.close();
    arm.port.clearWritten();
    QCOMPARE(nameOf(arm.session.run()), "Done");
    QVERIFY(arm.port.written.isEmpty());
}

void TestSequencer::homingIsNotNested()
{
    // HOME pressed, and RUN pressed, while a homing pass is under way: neither starts another
    // walk. The quit's walk does, and the pass it interrupts finds every axis home.
    Arm arm;
    arm.place("4:124");
    arm.setSteps("0:130");
    arm.startWatching();
    Frames inner;
    arm.port.atWait(1, [&] {
        QCOMPARE(nameOf(arm.session.home()), "Done");
        QCOMPARE(arm.port.waits(), 2);
        QCOMPARE(nameOf(arm.session.run()), "Done");
        inner = arm.frames();
        arm.setHomes({127, 127, 127, 127, 120});
        arm.session.home(Sequencer::Nested::Yes);
    });
    arm.session.home();
    QCOMPARE(inner, framesOf("0:130*2"));
    // The outer walk goes on from its own count, back up to 127 from where the quit left it.
    QCOMPARE(arm.frames(),
             framesOf("0:130*2 4:123 4:122 4:121 4:120 0:129 0:128 0:127 4:125 4:126 4:127"));
}

void TestSequencer::interruptEndsEveryLaterOperation()
{
    // A program asked to end starts nothing more: what its shut-down runs after the signal
    // (a quit's homing walk, say) sends nothing.
    Arm arm;
    arm.place("4:125");
    arm.setSteps("0:130");
    arm.startWatching();
    arm.session.interrupt();
    QCOMPARE(nameOf(arm.session.home()), "Stopped");
    QCOMPARE(nameOf(arm.session.home(Sequencer::Nested::Yes)), "Stopped");
    QCOMPARE(nameOf(arm.session.run()), "Stopped");
    QCOMPARE(nameOf(arm.session.back()), "Stopped");
    QVERIFY(arm.port.written.isEmpty());
    QCOMPARE(arm.session.positions()[axes::Grip], 125);
}

QTEST_GUILESS_MAIN(TestSequencer)
#include "test_sequencer.moc"
