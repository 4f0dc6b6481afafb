// The order in which the main window's controls change, one list per operation: STOP, REC, RUN
// from its start to its end, the motion group switched with the port's messages, the full
// buffer and the quit question. Then File, "Open" while something still plays or records, and
// how start-up ends whatever the operator pressed during its homing walk.

#include "support/change_recorder.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>

using Act = std::function<void(RobotHarness &)>;
Q_DECLARE_METATYPE(Act)

namespace {

using L = QStringList;

// Each of `names` going to `state`, in that order.
QStringList set(const QString &names, const QString &state)
{
    QStringList out;
    for (const QString &name : names.split(u' '))
        out << name + u' ' + state;
    return out;
}

const QString motionGroup = "HScroll1 HScroll2 VScroll1 VScroll3 VScroll4 Command2 Command3 "
                            "Command4 Command5 Command6 Command14 Command15 Command16 Command17 "
                            "Command18";

// A control set to the state it has shows no change. So that every step of the list is seen,
// each control starts in the other state from the first one the list gives it.
void startOpposite(robot &w, const QStringList &expected)
{
    QSet<QString> arranged;
    for (const QString &line : expected) {
        const QString name = line.section(u' ', 0, 0);
        const QString state = line.section(u' ', 1);
        auto *control = w.findChild<QObject *>(name);
        auto *button = qobject_cast<QPushButton *>(control);
        const QString facet = name + (state.startsWith(u'\'') ? u'\'' : state.front());
        if (!control || arranged.contains(facet))
            continue;
        arranged << facet;
        if (state == QLatin1String("on") || state == QLatin1String("off")) {
            const bool on = state == QLatin1String("off");
            if (auto *entry = qobject_cast<QAction *>(control))
                entry->setEnabled(on);
            else
                static_cast<QWidget *>(control)->setEnabled(on);
        } else if (button && state == QLatin1String("light grey")) {
            look::setBackColour(button, look::red);
        } else if (button && state == QLatin1String("'PAUSE'")) {
            button->setText(QStringLiteral("CONT"));
        }
    }
}

// What the operator does at the first pass through the event loop after `frames` more frames.
void afterFrames(RobotHarness &h, int frames, const std::function<void()> &what)
{
    h.port.onFrame(frames, [&h, what] { QTimer::singleShot(0, h.window.get(), what); });
}

} // namespace

class TestChangeOrder : public QObject {
    Q_OBJECT
private slots:
    void changes_data();
    void changes();
    void openWaitsForTheLastReplay_data();
    void openWaitsForTheLastReplay();
    void startUpEndsWithSaveEnabled_data();
    void startUpEndsWithSaveEnabled();
    void aPortChosenAgainKeepsTheLayout_data();
    void aPortChosenAgainKeepsTheLayout();
};

void TestChangeOrder::changes_data()
{
    QTest::addColumn<QByteArray>("config");
    QTest::addColumn<Act>("arrange");
    QTest::addColumn<Act>("act");
    QTest::addColumn<QStringList>("expected");
    const QByteArray plain = RobotHarness::defaultConfig();
    const Act nothing = [](RobotHarness &) {};
    const auto click = [](const char *name) {
        return Act([name](RobotHarness &h) { h.window->findChild<QPushButton *>(name)->click(); });
    };

    QTest::newRow("STOP") << plain
                          << Act([](RobotHarness &h) { ui(*h.window).Text5->setText("4"); })
                          << click("Command4")
                          << set("Command2 Command18 Command3 Command14", "on") +
                                 set("Command4 Command15", "off") +
                                 set("Command5 Command16", "on") +
                                 set("Command6 Command17", "off") + L{"Command6 'PAUSE'"} +
                                 set("Open_men Save_men Saveas_men", "on") +
                                 set("Backbutt Command20", "off") +
                                 L{"Command3 light grey", "Text5 '1'", "HScroll3 1"};
    QTest::newRow("REC") << plain << nothing << click("Command3")
                         << set("Command3 Command14", "off") + set("Command4 Command15", "on") +
                                set("Command5 Command16 Command6 Command17", "off") +
                                set("Open_men Save_men Saveas_men", "off") +
                                set("Backbutt Command20", "on");
    // The base stands at its step, so each pass writes the step once and moves nothing.
    const L pass{"frame 0 127"};
    QTest::newRow("RUN, three passes")
        << plain << Act([](RobotHarness &h) {
               setSteps(h, {{0, 127}});
               ui(*h.window).Text5->setText("3");
           })
        << click("Command5")
        << set("Command2 Command18 Command3 Command14", "off") + set("Command4 Command15", "on") +
               L{"Command5 off"} + set("Command6 Command17", "on") +
               L{"Command16 off", "Open_men off"} + pass + L{"Text5 '2'", "HScroll3 2"} + pass +
               L{"Text5 '1'", "HScroll3 1"} + pass + L{"Text5 '3'", "HScroll3 3", "Open_men on"} +
               set("Command2 Command18 Command3 Command14 Command5 Command16", "on") +
               set("Command4 Command15", "off") + L{"Command3 light grey"};
    QTest::newRow("disable_all after COMM SETTINGS")
        << plain << Act([](RobotHarness &h) { h.port.openResult = 8002; })
        << Act([](RobotHarness &h) { ui(*h.window).Com1->trigger(); })
        << L{"message COMM SETTINGS"} + set(motionGroup, "off");
    QTest::newRow("disable_all before VM Warning")
        << plain << Act([](RobotHarness &h) { h.port.probeAnswer = "B"; })
        << Act([](RobotHarness &h) { ui(*h.window).Com1->trigger(); })
        << L{"byte 66"} + set(motionGroup, "off") + L{"message VM Warning"};
    QTest::newRow("enable_all") << plain << nothing
                                << Act([](RobotHarness &h) { ui(*h.window).Com1->trigger(); })
                                << L{"byte 66"} + set(motionGroup, "on");
    // One step short of the capacity; the next move is the 12000th step.
    QTest::newRow("full buffer") << plain << Act([](RobotHarness &h) {
        ui(*h.window).Command3->click();
        for (int i = 2; i <= StepBuffer::capacity; ++i)
            ui(*h.window).HScroll1->setValueTo(i % 2 == 0 ? 128 : 127);
    }) << Act([](RobotHarness &h) {
        ui(*h.window).HScroll1->setValueTo(129);
    }) << QStringList{"HScroll1 129", "Text1 '129'",   "message Buffer Full!!!",
                      "Command2 off", "Command18 off", "frame 0 129"};
    QTest::newRow("quit") << RobotHarness::configWith("MOTOR3= 125\r\n") << nothing
                          << Act([](RobotHarness &h) {
                                 h.dialogs.answers << Dialogs::Yes;
                                 h.window->close();
                             })
                          << QStringList{"message Quit Kestrel Robot",
                                         "VScroll4 126",
                                         "Text6 '126'",
                                         "frame 3 126",
                                         "VScroll4 127",
                                         "Text6 '127'",
                                         "frame 3 127"};
}

void TestChangeOrder::changes()
{
    QFETCH(QByteArray, config);
    QFETCH(Act, arrange);
    QFETCH(Act, act);
    QFETCH(QStringList, expected);

    RobotHarness h(config);
    robot &w = h.start();
    arrange(h);
    startOpposite(w, expected);
    ChangeRecorder recorder(&w, &h.port);
    h.dialogs.whileShown = [&recorder](const ScriptedDialogs::Shown &s) {
        recorder.note("message " + (s.title.isEmpty() ? s.text : s.title));
    };
    act(h);
    QCOMPARE(recorder.changes(), expected);
}

void TestChangeOrder::openWaitsForTheLastReplay_data()
{
    QTest::addColumn<bool>("back");
    QTest::addColumn<Act>("during");
    QTest::addColumn<bool>("openAtTheEnd");
    // Pressed from the program: the operation's layout keeps both buttons off, also after a
    // port chosen again.
    const auto then = [](void (robot::*press)()) {
        return Act([press](RobotHarness &h) { (h.window.get()->*press)(); });
    };
    QTest::newRow("REC during RUN") << false << then(&robot::Command3_Click) << false;
    QTest::newRow("RUN during RUN") << false << then(&robot::Command5_Click) << true;
    QTest::newRow("RUN during BACK") << true << then(&robot::Command5_Click) << true;
}

void TestChangeOrder::openWaitsForTheLastReplay()
{
    QFETCH(bool, back);
    QFETCH(Act, during);
    QFETCH(bool, openAtTheEnd);

    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 130}, {0, 128}});
    if (back)
        recordBase(w, {129, 131});
    QAction *open = ui(w).Open_men;
    int openedTooSoon = 0;
    connect(open, &QAction::changed, &w, [&] {
        if (open->isEnabled() && w.session().replaying())
            ++openedTooSoon;
    });
    int done = 0;
    afterFrames(h, 0, [&] {
        during(h);
        ++done;
    });
    (back ? ui(w).Backbutt : ui(w).Command5)->click();
    QCOMPARE(done, 1);
    QCOMPARE(openedTooSoon, 0);
    QCOMPARE(open->isEnabled(), openAtTheEnd);
}

void TestChangeOrder::startUpEndsWithSaveEnabled_data()
{
    QTest::addColumn<int>("openResult");
    QTest::addColumn<QByteArray>("probeAnswer");
    QTest::addColumn<QString>("pressed"); // during the homing walk
    QTest::addColumn<bool>("usable");
    QTest::newRow("STOP pressed while homing") << 0 << QByteArray() << "Command4" << true;
    QTest::newRow("RUN pressed while homing") << 0 << QByteArray() << "Command5" << true;
    QTest::newRow("no port") << 8002 << QByteArray() << QString() << false;
    QTest::newRow("echo") << 0 << QByteArray("B") << QString() << false;
}

void TestChangeOrder::startUpEndsWithSaveEnabled()
{
    QFETCH(int, openResult);
    QFETCH(QByteArray, probeAnswer);
    QFETCH(QString, pressed);
    QFETCH(bool, usable);

    // The base walks home to 130 once the four centring frames are out.
    RobotHarness h(RobotHarness::configWith("MOTOR0= 130\r\n"));
    h.port.openResult = openResult;
    h.port.probeAnswer = probeAnswer;
    robot &w = h.create();
    int presses = 0;
    if (!pressed.isEmpty()) {
        afterFrames(h, 4, [&] {
            w.findChild<QPushButton *>(pressed)->click();
            ++presses;
        });
    }
    w.Form_Load();

    QCOMPARE(presses, pressed.isEmpty() ? 0 : 1);
    QVERIFY(ui(w).Save_men->isEnabled());
    QVERIFY(ui(w).Saveas_men->isEnabled());
    QVERIFY(!ui(w).Command4->isEnabled());
    // STOP's idle layout where the link can be used; elsewhere nothing offers a move.
    for (QWidget *c : {ui(w).Command2, ui(w).Command3, ui(w).Command5, ui(w).Command16})
        QCOMPARE(c->isEnabled(), usable);
    QVERIFY(!w.session().isRecording());
    QCOMPARE(ui(w).HScroll1->Value(), usable ? 130 : 127);
}

void TestChangeOrder::aPortChosenAgainKeepsTheLayout_data()
{
    QTest::addColumn<QString>("operation");
    QTest::addColumn<QString>("on"); // the motion buttons on once "Comm 1" has been probed
    QTest::newRow("RUN, held by PAUSE") << "Command5"
                                        << "Command4 Command6 Command15 Command17";
    QTest::newRow("REC") << "Command3"
                         << "Command2 Command4 Command15 Command18";
    QTest::newRow("BACK") << "Backbutt"
                          << "Command2 Command4 Command15 Command18";
}

void TestChangeOrder::aPortChosenAgainKeepsTheLayout()
{
    QFETCH(QString, operation);
    QFETCH(QString, on);

    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 130}, {0, 128}, {0, 131}});
    if (operation == QLatin1String("Backbutt"))
        recordBase(w, {129, 131});
    const bool run = operation == QLatin1String("Command5");
    QStringList enabled;
    qsizetype sentBeforeCont = -1;
    const auto chooseAgain = [&] {
        ui(w).Com1->trigger();
        for (const QString &name : motionGroup.split(u' ').mid(5))
            if (w.findChild<QPushButton *>(name)->isEnabled())
                enabled << name;
        if (run) {
            QCOMPARE(ui(w).Command6->text(), QString("CONT"));
            sentBeforeCont = h.port.written.size();
            ui(w).Command6->click();
        }
    };
    if (operation == QLatin1String("Command3")) {
        ui(w).Command3->click();
        chooseAgain();
    } else {
        afterFrames(h, 0, [&] {
            if (run)
                ui(w).Command6->click();
            QTimer::singleShot(0, &w, chooseAgain);
        });
        w.findChild<QPushButton *>(operation)->click();
    }
    QCOMPARE(enabled.join(u' '), on);
    if (run) // CONT lets the replay go on to its last step
        QVERIFY(h.port.written.mid(sentBeforeCont).endsWith(QByteArray("\xff\x00\x83\x0d", 4)));
}

QTEST_MAIN(TestChangeOrder)
#include "test_change_order.moc"
