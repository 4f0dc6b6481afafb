// The operator's events at the one place where they reach a long operation on a real line: the
// wait for the line before each step. The fake port's wait runs them, so the window is tested
// with its pacing in place. Whatever happens during that wait takes effect before the step
// that follows it: a device that went away, STOP and PAUSE.

#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// The operations, each set up so that the line wait numbered 1 comes before its second step.
enum class Operation { Run, Back, HomeWhileRecording };

struct Scene {
    RobotHarness h;
    robot &w = h.start();
    Steps before; // the buffer as the operation starts

    explicit Scene(Operation op)
    {
        switch (op) {
        case Operation::Run:
            // At home already: RUN's homing has no step, so the waits are the pass's.
            setSteps(h, {{0, 130}, {0, 131}, {0, 132}});
            break;
        case Operation::Back:
            recordBase(w, {128, 129, 130, 131, 132});
            break;
        case Operation::HomeWhileRecording:
            ui(w).HScroll2->setValueTo(120);
            recordBase(w, {});
            break;
        }
        before = stepsOf(w);
        h.port.clearWritten();
    }

    void start(Operation op)
    {
        switch (op) {
        case Operation::Run:
            ui(w).Command5->click();
            break;
        case Operation::Back:
            ui(w).Backbutt->click();
            break;
        case Operation::HomeWhileRecording:
            ui(w).Command2->click();
            break;
        }
    }

    Frames frames()
    {
        bool ok = false;
        const Frames out = h.port.frames(&ok);
        if (!ok)
            qWarning("bytes that are not whole frames");
        return ok ? out : Frames{{-1, -1}};
    }
};

class TestLineWait : public QObject {
    Q_OBJECT
private slots:
    void deviceLostEndsBeforeTheNextStep_data();
    void deviceLostEndsBeforeTheNextStep();
    void pauseHoldsBeforeTheNextStep_data();
    void pauseHoldsBeforeTheNextStep();
    void stopEndsBeforeTheNextStep_data();
    void stopEndsBeforeTheNextStep();
    void homingIgnoresStopAndPause_data();
    void homingIgnoresStopAndPause();
};

void TestLineWait::deviceLostEndsBeforeTheNextStep_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<Frames>("sent");
    QTest::addColumn<Steps>("added"); // steps recorded by the operation
    QTest::addColumn<int>("base");    // where the slider of the moving axis stands
    QTest::addColumn<int>("grip");

    QTest::newRow("RUN") << Operation::Run << Frames{{0, 130}, {0, 130}} << Steps{} << 130 << 127;
    // The last recorded step is where the arm stands: the first step back moves nothing.
    QTest::newRow("BACK") << Operation::Back << Frames{{0, 132}} << Steps{} << 132 << 127;
    QTest::newRow("HOME while recording")
        << Operation::HomeWhileRecording << Frames{{4, 121}} << Steps{{4, 121}} << 127 << 121;
}

void TestLineWait::deviceLostEndsBeforeTheNextStep()
{
    QFETCH(Operation, op);
    QFETCH(Frames, sent);
    QFETCH(Steps, added);
    QFETCH(int, base);
    QFETCH(int, grip);

    Scene s(op);
    s.h.port.atWait(op == Operation::HomeWhileRecording ? 2 : 1, [&] { s.h.port.disappear(); });
    s.start(op);
    QCoreApplication::processEvents();

    // No slider moves after the loss, so no step the arm never got is recorded.
    QCOMPARE(s.frames(), sent);
    QCOMPARE(stepsOf(s.w), s.before + added);
    QCOMPARE(ui(s.w).HScroll1->Value(), base);
    QCOMPARE(ui(s.w).HScroll2->Value(), grip);
    QCOMPARE(s.w.session().portStatus(), 8002);
    // HOME leaves a recording on, as it does with the device there.
    QCOMPARE(s.w.session().isRecording(), op == Operation::HomeWhileRecording);
    QCOMPARE(s.h.dialogs.shown.size(), 1);
    QCOMPARE(s.h.dialogs.shown[0].title, QString("COMM SETTINGS"));
}

void TestLineWait::pauseHoldsBeforeTheNextStep_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<bool>("byHandler");
    QTest::addColumn<Frames>("beforeCont");
    QTest::addColumn<Frames>("all");

    QTest::newRow("RUN") << Operation::Run << false << Frames{{0, 130}, {0, 130}}
                         << Frames{{0, 130}, {0, 130}, {0, 131}, {0, 131}, {0, 132}, {0, 132}};
    // PAUSE stays disabled during a recording, a port chosen again or not: its handler is
    // called as the program would, for the walk's hold.
    QTest::newRow("BACK") << Operation::Back << true << Frames{{0, 132}}
                          << Frames{{0, 132}, {0, 131}, {0, 131}, {0, 130}, {0, 130},
                                    {0, 129}, {0, 129}, {0, 128}, {0, 128}};
}

void TestLineWait::pauseHoldsBeforeTheNextStep()
{
    QFETCH(Operation, op);
    QFETCH(bool, byHandler);
    QFETCH(Frames, beforeCont);
    QFETCH(Frames, all);

    Scene s(op);
    const auto pause = [&](QPushButton *button) {
        if (byHandler)
            s.w.Command6_Click();
        else
            button->click();
    };

    Frames atCont;
    int holds = 0;
    s.h.port.atWait(1, [&] {
        pause(ui(s.w).Command6);
        QCOMPARE(ui(s.w).Command6->text(), QString("CONT"));
        // Runs once the operation sleeps, held, waiting for events.
        QTimer::singleShot(0, &s.w, [&] {
            ++holds;
            atCont = s.frames();
            pause(ui(s.w).Command17);
        });
    });
    s.start(op);

    QCOMPARE(holds, 1);
    QCOMPARE(atCont, beforeCont);
    QCOMPARE(s.frames(), all);
    QCOMPARE(ui(s.w).Command6->text(), QString("PAUSE"));
}

void TestLineWait::stopEndsBeforeTheNextStep_data()
{
    QTest::addColumn<Operation>("op");
    QTest::addColumn<Frames>("sent");
    QTest::addColumn<Steps>("added");

    QTest::newRow("RUN") << Operation::Run << Frames{{0, 130}, {0, 130}} << Steps{};
    QTest::newRow("BACK") << Operation::Back << Frames{{0, 132}} << Steps{};
}

void TestLineWait::stopEndsBeforeTheNextStep()
{
    QFETCH(Operation, op);
    QFETCH(Frames, sent);
    QFETCH(Steps, added);

    Scene s(op);
    ui(s.w).Text5->setText("3");
    s.h.port.atWait(1, [&] { ui(s.w).Command15->click(); });
    s.start(op);

    QCOMPARE(s.frames(), sent);
    QCOMPARE(stepsOf(s.w), s.before + added);
    QVERIFY(!s.w.session().isRecording());
    QVERIFY(ui(s.w).Command5->isEnabled());
    QVERIFY(!ui(s.w).Command4->isEnabled());
    QCOMPARE(ui(s.w).Text5->text(), QString(op == Operation::Run ? "3" : "1"));
}

void TestLineWait::homingIgnoresStopAndPause_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("STOP") << true;
    QTest::newRow("PAUSE") << false;
}

void TestLineWait::homingIgnoresStopAndPause()
{
    QFETCH(bool, stop);

    // RUN's homing walks the grip from 124; the operator acts before its second step. With the
    // homing speed 0 no event runs between the homing steps, so the timer below runs at the
    // first pass through the event loop after that.
    RobotHarness h(RobotHarness::configWith("HOMESPEED= 0\r\n"));
    robot &w = h.start();
    setSteps(h, {{0, 130}, {0, 131}});
    ui(w).HScroll2->setValueTo(124);
    h.port.clearWritten();
    qsizetype framesAtFirstEvents = -1;
    h.port.atWait(1, [&] {
        (stop ? ui(w).Command4 : ui(w).Command6)->click();
        QTimer::singleShot(0, &w, [&] {
            framesAtFirstEvents = h.port.written.size() / frame::size;
            if (!stop)
                ui(w).Command6->click();
        });
    });
    ui(w).Command5->click();

    bool ok = false;
    const Frames homing = walk(4, 125, 127);
    if (stop) {
        // Homing is not cut short, and no step is played after it.
        QCOMPARE(h.port.frames(&ok), homing);
    } else {
        // Homing went on to its end, and the first step of the pass went out, before anything
        // held.
        QCOMPARE(framesAtFirstEvents, qsizetype(3 + 2));
        QCOMPARE(h.port.frames(&ok), homing + (Frames{{0, 130}, {0, 130}, {0, 131}, {0, 131}}));
    }
    QVERIFY(ok);
    QCOMPARE(ui(w).HScroll2->Value(), 127);
    QCOMPARE(ui(w).Command6->text(), QString("PAUSE"));
}

QTEST_MAIN(TestLineWait)
#include "test_line_wait.moc"
