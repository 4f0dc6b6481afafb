// REC, STOP, RUN, PAUSE and BACK, their picture twins, and a device that goes away under a
// replay; the order of their changes, the full buffer's included, is test_change_order's. The
// long operations run to their end inside the click; what happens between their steps is driven
// from the fake port (a callback after so many frames) and from zero timers, which run at the
// operation's next pass through the event loop.

#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <QTest>
#include <QTimer>

// Each position twice: once from the replay, once from the value box the slider writes.
static Frames twice(const Frames &frames)
{
    Frames out;
    for (const auto &f : frames)
        out << f << f;
    return out;
}

// The buttons and menu entries the modes switch, in one line: "+" enabled, "-" disabled; a
// twin that differs from its captioned button is shown after a slash.
static QString layout(const robot &w)
{
    const auto mark = [](const QWidget *b) {
        return b->isEnabled() ? QStringLiteral("+") : QStringLiteral("-");
    };
    QStringList parts;
    const auto pair = [&](const char *name, const QPushButton *b, const QPushButton *twin) {
        QString s = QLatin1String(name) + mark(b);
        if (b->isEnabled() != twin->isEnabled())
            s += u'/' + mark(twin);
        parts << s;
    };
    pair("REC", ui(w).Command3, ui(w).Command14);
    pair("STOP", ui(w).Command4, ui(w).Command15);
    pair("RUN", ui(w).Command5, ui(w).Command16);
    pair("PAUSE", ui(w).Command6, ui(w).Command17);
    pair("HOME", ui(w).Command2, ui(w).Command18);
    pair("BACK", ui(w).Backbutt, ui(w).Command20);
    const auto entry = [](const QAction *a) {
        return a->isEnabled() ? QStringLiteral("+") : QStringLiteral("-");
    };
    parts << "Open" + entry(ui(w).Open_men) << "Save" + entry(ui(w).Save_men)
          << "SaveAs" + entry(ui(w).Saveas_men);
    return parts.join(u' ');
}

static const QString idle = "REC+ STOP- RUN+ PAUSE- HOME+ BACK- Open+ Save+ SaveAs+";
static const QString recordingLayout = "REC- STOP+ RUN- PAUSE- HOME+ BACK+ Open- Save- SaveAs-";
static const QString running = "REC- STOP+ RUN- PAUSE+ HOME- BACK- Open- Save+ SaveAs+";
static const QString ranOut = "REC+ STOP- RUN+ PAUSE+ HOME+ BACK- Open+ Save+ SaveAs+";

// Calls `what` at every frame written from now on.
static void atEveryFrame(FakePort &port, std::function<void()> what)
{
    port.onFrame(0, [&port, what] {
        what();
        atEveryFrame(port, what);
    });
}

static void verifyMotionGroupDisabled(const robot &w)
{
    for (const QWidget *c : std::initializer_list<const QWidget *>{
             ui(w).HScroll1, ui(w).HScroll2, ui(w).VScroll1, ui(w).VScroll3, ui(w).VScroll4,
             ui(w).Command2, ui(w).Command3, ui(w).Command4, ui(w).Command5, ui(w).Command6,
             ui(w).Command14, ui(w).Command15, ui(w).Command16, ui(w).Command17, ui(w).Command18})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
}

static const QChar cr(13);

class TestRecordingPlayback : public QObject {
    Q_OBJECT
private slots:
    void layouts();
    void recordingStartsAtIndexTwo();
    void loopCountThree();
    void loopCountChangedDuringRun_data();
    void loopCountChangedDuringRun();
    void loopCountHundred();
    void replayedStepWrittenTwiceOnlyWhenItMoves();
    void replayIgnoresPortStatus();
    void pauseLeftOverHoldsNextRun_data();
    void pauseLeftOverHoldsNextRun();
    void stopDuringRunHomingPlaysNoPass();
    void backWalksTheRecordingBackwards();
    void stopDuringBack_data();
    void stopDuringBack();
    void pictureRecAndRunColour();
    void pictureButtonsWithoutColour_data();
    void pictureButtonsWithoutColour();
    void disabledPictureButtonsDoNothing();
    void homePictureHomes();
    void deviceGoneDuringRun_data();
    void deviceGoneDuringRun();
    void deviceGoneDuringBack();
};

void TestRecordingPlayback::layouts()
{
    RobotHarness h;
    robot &w = h.start();
    QCOMPARE(layout(w), idle);
    QCOMPARE(ui(w).Command6->text(), QString("PAUSE"));

    ui(w).Text5->setText("4");
    ui(w).Command3->click();
    QCOMPARE(layout(w), recordingLayout);
    QVERIFY(w.session().isRecording());
    QCOMPARE(w.session().stepBuffer().stepCount(), 1);
    QCOMPARE(ui(w).Text5->text(), QString("4"));

    for (int p : {128, 129, 130, 131, 132})
        ui(w).HScroll1->setValueTo(p);
    ui(w).Command4->click();
    QCOMPARE(layout(w), idle);
    QVERIFY(!w.session().isRecording());
    QCOMPARE(ui(w).Text5->text(), QString("1"));
    QCOMPARE(w.session().stepBuffer().stepCount(), 6);

    QString during;
    bool axesUsable = false;
    h.port.onFrame(0, [&] {
        during = layout(w);
        axesUsable = ui(w).HScroll1->isEnabled() && ui(w).VScroll4->isEnabled() &&
                     ui(w).Text1->isEnabled() && ui(w).Text5->isEnabled() &&
                     ui(w).HScroll3->isEnabled();
    });
    ui(w).Command5->click();
    QCOMPARE(during, running);
    QVERIFY(axesUsable);
    QCOMPARE(layout(w), ranOut);
    QCOMPARE(look::backColour(ui(w).Command3), look::lightGrey);

    // STOP during the run: PAUSE is left disabled as STOP left it.
    h.port.onFrame(6, [&] { QTimer::singleShot(0, &w, [&] { ui(w).Command4->click(); }); });
    ui(w).Command5->click();
    QCOMPARE(layout(w), idle);
}

void TestRecordingPlayback::recordingStartsAtIndexTwo()
{
    RobotHarness h;
    robot &w = h.start();
    recordBase(w, {128, 129, 130});
    ui(w).Command4->click();
    QCOMPARE(stepsOf(w, 1), (Steps{{0, 0}, {0, 128}, {0, 129}, {0, 130}}));

    // A second recording starts again at index 2; what lies above it stays.
    recordBase(w, {131});
    ui(w).Command4->click();
    QCOMPARE(w.session().stepBuffer().stepCount(), 2);
    QCOMPARE(w.session().stepBuffer().at(2), (Step{0, 131}));
    QCOMPARE(w.session().stepBuffer().at(3), (Step{0, 129}));

    // REC then STOP at once: nothing to replay.
    ui(w).Command3->click();
    ui(w).Command4->click();
    QCOMPARE(w.session().stepBuffer().stepCount(), 1);
    ui(w).HScroll1->setValueTo(127); // at home, so RUN's homing sends nothing either
    h.port.clearWritten();
    ui(w).Command5->click();
    QVERIFY(h.port.written.isEmpty());
}

void TestRecordingPlayback::loopCountThree()
{
    RobotHarness h;
    robot &w = h.start();
    recordBase(w, {128, 129, 130, 131, 132});
    ui(w).Command4->click();
    ui(w).Text5->setText("3");
    h.port.clearWritten();

    QStringList shown;
    atEveryFrame(h.port, [&] { shown << ui(w).Text5->text(); });
    ui(w).Command5->click();
    h.port.onFrame(0, {});

    const Frames pass = twice(walk(0, 128, 132));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), walk(0, 131, 127) + pass + pass + pass);
    QVERIFY(ok);
    QStringList expected;
    const std::initializer_list<std::pair<QString, int>> perPass{
        {"3", 5 + 10}, {"2", 10}, {"1", 10}};
    for (const auto &[text, n] : perPass)
        for (int i = 0; i < n; ++i)
            expected << text;
    QCOMPARE(shown, expected);
    QCOMPARE(ui(w).Text5->text(), QString("3"));
    QCOMPARE(ui(w).HScroll3->Value(), 3);
}

void TestRecordingPlayback::loopCountChangedDuringRun_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("passes");
    QTest::newRow("1 makes this pass the last") << "1" << 1;
    QTest::newRow("4 adds passes") << "4" << 4;
}

void TestRecordingPlayback::loopCountChangedDuringRun()
{
    QFETCH(QString, typed);
    QFETCH(int, passes);

    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 130}, {0, 127}});
    ui(w).Text5->setText("2");
    h.port.clearWritten();

    h.port.onFrame(0, [&] { QTimer::singleShot(0, &w, [&] { ui(w).Text5->setText(typed); }); });
    ui(w).Command5->click();

    Frames expected;
    for (int i = 0; i < passes; ++i)
        expected += twice(Frames{{0, 130}, {0, 127}});
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), expected);
    QVERIFY(ok);
    QCOMPARE(ui(w).Text5->text(), QString("2"));
}

void TestRecordingPlayback::loopCountHundred()
{
    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{2, 100}});
    ui(w).Text5->setText("100");
    h.port.clearWritten();

    ui(w).Command5->click();

    // The first pass moves the elbow; the other 99 find it there already.
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), Frames(101, frame::Frame{2, 100}));
    QVERIFY(ok);
    QCOMPARE(ui(w).Text5->text(), QString("100"));
}

void TestRecordingPlayback::replayedStepWrittenTwiceOnlyWhenItMoves()
{
    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 127}, {0, 130}, {0, 130}, {4, 127}, {4, 100}, {5, 10}});
    h.port.clearWritten();

    ui(w).Command5->click();

    bool ok = false;
    // A channel no slider holds is written and moves nothing.
    QCOMPARE(
        h.port.frames(&ok),
        (Frames{{0, 127}, {0, 130}, {0, 130}, {0, 130}, {4, 127}, {4, 100}, {4, 100}, {5, 10}}));
    QVERIFY(ok);
    QCOMPARE(ui(w).HScroll1->Value(), 130);
    QCOMPARE(ui(w).HScroll2->Value(), 100);
}

void TestRecordingPlayback::replayIgnoresPortStatus()
{
    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 130}, {1, 100}, {0, 127}});
    // The port is chosen again and now echoes: the boxes send nothing, the replay still does.
    h.port.probeAnswer = "B";
    ui(w).Com1->trigger();
    QCOMPARE(w.session().portStatus(), 13);
    h.port.clearWritten();

    w.Command5_Click();

    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{0, 130}, {1, 100}, {0, 127}}));
    QVERIFY(ok);
    QCOMPARE(ui(w).VScroll1->Value(), 100);
}

void TestRecordingPlayback::pauseLeftOverHoldsNextRun_data()
{
    QTest::addColumn<bool>("stop");
    QTest::newRow("CONT") << false;
    QTest::newRow("STOP") << true;
}

void TestRecordingPlayback::pauseLeftOverHoldsNextRun()
{
    QFETCH(bool, stop);

    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{0, 130}, {0, 131}, {0, 132}});
    ui(w).Command5->click();
    QCOMPARE(layout(w), ranOut);
    ui(w).Command6->click();
    QCOMPARE(ui(w).Command6->text(), QString("CONT"));
    ui(w).Text5->setText("2");
    h.port.clearWritten();

    // The base homes from 132 (five frames); the first step is then written twice. Two event
    // passes later the run must still stand after that step.
    struct Seen {
        qsizetype frames;
        int index;
        QString caption;
    };
    QList<Seen> seen;
    const auto look = [&] {
        seen << Seen{h.port.written.size() / 4, w.session().replayIndex(), ui(w).Command6->text()};
    };
    h.port.onFrame(5, [&] {
        QTimer::singleShot(0, &w, [&] {
            look();
            QTimer::singleShot(0, &w, [&] {
                look();
                (stop ? ui(w).Command4 : ui(w).Command6)->click();
            });
        });
    });
    ui(w).Command5->click();

    QCOMPARE(seen.size(), 2);
    for (const Seen &s : seen) {
        QCOMPARE(s.frames, qsizetype(5 + 2));
        QCOMPARE(s.index, 2);
        QCOMPARE(s.caption, QString("CONT"));
    }
    QCOMPARE(ui(w).Command6->text(), QString("PAUSE"));
    bool ok = false;
    const Frames homing = walk(0, 131, 127);
    if (stop) {
        // STOP releases the pause and ends the run after that step; the count comes back.
        QCOMPARE(h.port.frames(&ok), homing + twice(Frames{{0, 130}}));
        QCOMPARE(layout(w), idle);
        QCOMPARE(ui(w).Text5->text(), QString("2"));
    } else {
        // Two passes; the second starts from 132, so every step moves the base again.
        QCOMPARE(h.port.frames(&ok), homing + twice(walk(0, 130, 132)) + twice(walk(0, 130, 132)));
        QCOMPARE(layout(w), ranOut);
    }
    QVERIFY(ok);
}

void TestRecordingPlayback::stopDuringRunHomingPlaysNoPass()
{
    RobotHarness h;
    robot &w = h.start();
    setSteps(h, {{1, 130}, {1, 131}});
    ui(w).HScroll1->setValueTo(140);
    ui(w).Text5->setText("2");
    h.port.clearWritten();

    int stops = 0;
    h.port.onFrame(3, [&] {
        QTimer::singleShot(0, &w, [&] {
            ui(w).Command4->click();
            ++stops;
        });
    });
    ui(w).Command5->click();

    QCOMPARE(stops, 1);
    // Homing is not cut short, but no step is played after it.
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), walk(0, 139, 127));
    QVERIFY(ok);
    QCOMPARE(ui(w).VScroll1->Value(), 127);
    QCOMPARE(layout(w), idle);
}

void TestRecordingPlayback::backWalksTheRecordingBackwards()
{
    RobotHarness h;
    robot &w = h.start();
    recordBase(w, {128, 129, 130});
    QCOMPARE(w.session().stepBuffer().stepCount(), 4);
    h.port.clearWritten();

    ui(w).Backbutt->click();

    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{0, 130}, {0, 129}, {0, 129}, {0, 128}, {0, 128}}));
    QVERIFY(ok);
    QCOMPARE(w.session().stepBuffer().stepCount(), 6);
    QCOMPARE(stepsOf(w), (Steps{{0, 128}, {0, 129}, {0, 130}, {0, 129}, {0, 128}}));
    QVERIFY(!w.session().isRecording());
    QCOMPARE(layout(w), idle);
    QCOMPARE(ui(w).HScroll1->Value(), 128);
}

void TestRecordingPlayback::stopDuringBack_data()
{
    QTest::addColumn<bool>("leftOverCont");
    QTest::newRow("walking") << false;
    QTest::newRow("held by a CONT left over") << true;
}

void TestRecordingPlayback::stopDuringBack()
{
    QFETCH(bool, leftOverCont);

    RobotHarness h;
    robot &w = h.start();
    if (leftOverCont) {
        // PAUSE stays enabled after a run that ended by itself; it is disabled while recording,
        // so only STOP can release the walk that the caption holds.
        setSteps(h, {{0, 130}});
        ui(w).Command5->click();
        ui(w).Command6->click();
        QCOMPARE(ui(w).Command6->text(), QString("CONT"));
    }
    recordBase(w, {128, 129, 130, 131, 132});
    QVERIFY(!ui(w).Command6->isEnabled());
    h.port.clearWritten();

    QList<int> heldAt;
    if (leftOverCont) {
        h.port.onFrame(0, [&] {
            QTimer::singleShot(0, &w, [&] {
                heldAt << w.session().replayIndex();
                QTimer::singleShot(0, &w, [&] {
                    heldAt << w.session().replayIndex();
                    ui(w).Command15->click();
                });
            });
        });
    } else {
        // STOP pressed while the walk stands after the step back to 131.
        h.port.onFrame(1, [&] { QTimer::singleShot(0, &w, [&] { ui(w).Command15->click(); }); });
    }
    ui(w).Command20->click();

    bool ok = false;
    const Frames sent = h.port.frames(&ok);
    QVERIFY(ok);
    if (leftOverCont) {
        QCOMPARE(heldAt, (QList<int>{6, 6}));
        QCOMPARE(sent, (Frames{{0, 132}}));
        QCOMPARE(w.session().stepBuffer().stepCount(), 6);
        QCOMPARE(ui(w).HScroll1->Value(), 132);
    } else {
        QCOMPARE(sent, (Frames{{0, 132}, {0, 131}, {0, 131}}));
        QCOMPARE(w.session().stepBuffer().stepCount(), 7);
        QCOMPARE(w.session().stepBuffer().at(7), (Step{0, 131}));
        QCOMPARE(ui(w).HScroll1->Value(), 131);
    }
    QVERIFY(!w.session().isRecording());
    QCOMPARE(layout(w), idle);
    QCOMPARE(ui(w).Command6->text(), QString("PAUSE"));
}

void TestRecordingPlayback::pictureRecAndRunColour()
{
    RobotHarness h;
    robot &w = h.start();
    QCOMPARE(look::backColour(ui(w).Command3), look::lightGrey);

    // REC's twin: red at the press, the recording starts at the release, and the red stays.
    QTest::mousePress(ui(w).Command14, Qt::RightButton);
    QCOMPARE(look::backColour(ui(w).Command3), look::red);
    QVERIFY(!w.session().isRecording());
    // The press is the button's own: it does not reach the window's surface and its menu.
    QVERIFY(!ui(w).PortMen->isVisible());
    QTest::mouseRelease(ui(w).Command14, Qt::RightButton);
    QVERIFY(!w.session().isRecording()); // only the left button clicks
    QTest::mousePress(ui(w).Command14, Qt::LeftButton);
    QTest::mouseRelease(ui(w).Command14, Qt::LeftButton);
    QVERIFY(w.session().isRecording());
    QCOMPARE(look::backColour(ui(w).Command3), look::red);
    QCOMPARE(look::backColour(ui(w).Command14), look::backColour(ui(w).Command15));
    ui(w).Command4->click();
    QCOMPARE(look::backColour(ui(w).Command3), look::lightGrey);
    // The captioned REC colours itself the same way.
    QTest::mousePress(ui(w).Command3, Qt::LeftButton);
    QCOMPARE(look::backColour(ui(w).Command3), look::red);
    QTest::mouseRelease(ui(w).Command3, Qt::LeftButton);
    QVERIFY(w.session().isRecording());
    ui(w).Command4->click();

    // RUN's twin: green while held, grey again when released, and only then the replay.
    setSteps(h, {{0, 130}});
    h.port.clearWritten();
    QTest::mousePress(ui(w).Command16, Qt::LeftButton);
    QCOMPARE(look::backColour(ui(w).Command5), look::green);
    QVERIFY(h.port.written.isEmpty());
    QColor duringReplay;
    h.port.onFrame(0, [&] { duringReplay = look::backColour(ui(w).Command5); });
    QTest::mouseRelease(ui(w).Command16, Qt::LeftButton);
    QCOMPARE(duringReplay, QColor(192, 192, 192));
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{0, 130}, {0, 130}}));
    QVERIFY(ok);

    // The captioned RUN colours itself the same way.
    QTest::mousePress(ui(w).Command5, Qt::LeftButton);
    QCOMPARE(look::backColour(ui(w).Command5), look::green);
    QTest::mouseRelease(ui(w).Command5, Qt::LeftButton, {}, QPoint(-5, -5));
    QCOMPARE(look::backColour(ui(w).Command5), look::lightGrey);
}

void TestRecordingPlayback::pictureButtonsWithoutColour_data()
{
    QTest::addColumn<QString>("button");
    for (const char *name : {"Command15", "Command17", "Command18", "Command20"})
        QTest::newRow(name) << QString(name);
}

void TestRecordingPlayback::pictureButtonsWithoutColour()
{
    QFETCH(QString, button);

    RobotHarness h;
    robot &w = h.start();
    auto *b = w.findChild<QPushButton *>(button);
    QVERIFY(b);
    b->setEnabled(true);
    const QList<QPushButton *> all = w.findChildren<QPushButton *>();
    QList<QColor> before;
    for (QPushButton *p : all)
        before << look::backColour(p);

    QTest::mousePress(b, Qt::LeftButton);
    QList<QColor> pressed;
    for (QPushButton *p : all)
        pressed << look::backColour(p);
    // Released away from the button, so that nothing is clicked.
    QTest::mouseRelease(b, Qt::LeftButton, {}, QPoint(-5, -5));
    QList<QColor> released;
    for (QPushButton *p : all)
        released << look::backColour(p);

    QCOMPARE(pressed, before);
    QCOMPARE(released, before);
}

void TestRecordingPlayback::disabledPictureButtonsDoNothing()
{
    RobotHarness h;
    robot &w = h.start();
    ui(w).Text5->setText("5");
    QVERIFY(!ui(w).Command15->isEnabled());
    QVERIFY(!ui(w).Command20->isEnabled());
    QVERIFY(!ui(w).Command17->isEnabled());
    QTest::mouseClick(ui(w).Command15, Qt::LeftButton); // STOP would write 1 into the loop count
    QTest::mouseClick(ui(w).Command17, Qt::LeftButton);
    QTest::mouseClick(ui(w).Command20, Qt::LeftButton);
    QCOMPARE(ui(w).Text5->text(), QString("5"));
    QCOMPARE(ui(w).Command6->text(), QString("PAUSE"));
    QVERIFY(!w.session().isRecording());

    ui(w).Command3->click();
    ui(w).HScroll1->setValueTo(128);
    h.port.clearWritten();
    QVERIFY(!ui(w).Command14->isEnabled());
    QVERIFY(!ui(w).Command16->isEnabled());
    QTest::mouseClick(ui(w).Command14, Qt::LeftButton); // REC again would empty the buffer
    QTest::mouseClick(ui(w).Command16, Qt::LeftButton);
    QCOMPARE(w.session().stepBuffer().stepCount(), 2);
    QCOMPARE(look::backColour(ui(w).Command3), look::lightGrey);
    QVERIFY(look::backColour(ui(w).Command5) != look::green);
    QVERIFY(h.port.written.isEmpty());
    QCOMPARE(layout(w), recordingLayout);
}

void TestRecordingPlayback::homePictureHomes()
{
    Frames byButton[2];
    for (int i = 0; i < 2; ++i) {
        RobotHarness h(RobotHarness::configWith("MOTOR1= 120\r\n"));
        robot &w = h.start();
        ui(w).HScroll2->setValueTo(124);
        ui(w).VScroll1->setValueTo(125);
        h.port.clearWritten();
        QTest::mouseClick(i == 0 ? ui(w).Command2 : ui(w).Command18, Qt::LeftButton);
        bool ok = false;
        byButton[i] = h.port.frames(&ok);
        QVERIFY(ok);
    }
    QCOMPARE(byButton[0], walk(4, 125, 127) + walk(1, 124, 120));
    QCOMPARE(byButton[1], byButton[0]);
}

void TestRecordingPlayback::deviceGoneDuringRun_data()
{
    QTest::addColumn<bool>("paused");
    QTest::newRow("while writing") << false;
    QTest::newRow("while paused") << true;
}

void TestRecordingPlayback::deviceGoneDuringRun()
{
    QFETCH(bool, paused);

    RobotHarness h;
    robot &w = h.start();
    const Steps steps{{0, 130}, {0, 131}, {0, 132}, {0, 133}};
    setSteps(h, steps);
    if (paused) {
        ui(w).Command5->click();
        ui(w).Command6->click();
        ui(w).HScroll1->setValueTo(127);
    }
    ui(w).Text5->setText("3");
    h.port.clearWritten();

    if (paused) {
        // Gone while the run stands after its first step.
        h.port.onFrame(1, [&] {
            QTimer::singleShot(0, &w,
                               [&] { QTimer::singleShot(0, &w, [&] { h.port.disappear(); }); });
        });
    } else {
        // Gone as the replay writes the second step.
        h.port.onFrame(2, [&] { h.port.disappear(); });
    }
    ui(w).Command5->click();
    QCoreApplication::processEvents();

    QCOMPARE(w.session().portStatus(), 8002);
    QCOMPARE(w.session().replayIndex(), paused ? 2 : 3);
    QCOMPARE(ui(w).HScroll1->Value(), paused ? 130 : 131);
    QCOMPARE(stepsOf(w), steps);
    QCOMPARE(ui(w).Text5->text(), QString("3"));
    verifyMotionGroupDisabled(w);
    QVERIFY(ui(w).Open_men->isEnabled());
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].title, QString("COMM SETTINGS"));
    QCOMPARE(h.dialogs.shown[0].text, QString("Error Code   8002") + cr + cr +
                                          "COMM 1 is not available" + cr + "Device: /dev/fake0");
}

void TestRecordingPlayback::deviceGoneDuringBack()
{
    RobotHarness h;
    robot &w = h.start();
    recordBase(w, {128, 129, 130, 131, 132});
    h.port.clearWritten();

    h.port.onFrame(1, [&] { h.port.disappear(); });
    ui(w).Backbutt->click();
    QCoreApplication::processEvents();

    QCOMPARE(w.session().portStatus(), 8002);
    QCOMPARE(ui(w).HScroll1->Value(), 131);
    // What was recorded, the step back to 131 included, is all there and can be saved.
    QCOMPARE(stepsOf(w), (Steps{{0, 128}, {0, 129}, {0, 130}, {0, 131}, {0, 132}, {0, 131}}));
    QVERIFY(!w.session().isRecording());
    verifyMotionGroupDisabled(w);
    QVERIFY(!ui(w).Backbutt->isEnabled());
    QVERIFY(!ui(w).Command20->isEnabled());
    QVERIFY(ui(w).Save_men->isEnabled());
    QVERIFY(ui(w).Saveas_men->isEnabled());
    QVERIFY(ui(w).Open_men->isEnabled());
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].text, QString("Error Code   8002") + cr + cr +
                                          "COMM 1 is not available" + cr + "Device: /dev/fake0");
}

QTEST_MAIN(TestRecordingPlayback)
#include "test_recording_playback.moc"
