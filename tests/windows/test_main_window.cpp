// The main window: its layout before start-up, start-up and shut-down, the port manager's
// outcomes on the window, and the Options menu.

#include "core/text/twips.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/product/product_windows.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QApplication>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QtTest>

using Frames = QList<frame::Frame>;

class MainWindow : public QObject {
    Q_OBJECT

    static QList<QWidget *> motionGroup(robot &w)
    {
        return {ui(w).HScroll1,  ui(w).HScroll2,  ui(w).VScroll1,  ui(w).VScroll3,
                ui(w).VScroll4,  ui(w).Command2,  ui(w).Command3,  ui(w).Command4,
                ui(w).Command5,  ui(w).Command6,  ui(w).Command14, ui(w).Command15,
                ui(w).Command16, ui(w).Command17, ui(w).Command18};
    }
    static bool allEnabled(const QList<QWidget *> &list, bool enabled)
    {
        return std::all_of(list.begin(), list.end(),
                           [&](QWidget *w) { return w->isEnabled() == enabled; });
    }

private Q_SLOTS:
    void initTestCase() { look::setUpApplication(); }

    void controlsSitAtTheirPlaces_data()
    {
        QTest::addColumn<QString>("name");
        QTest::addColumn<QRect>("twipsRect");
        const auto row = [](const char *n, int l, int t, int w, int h) {
            QTest::newRow(n) << QString(n) << QRect(l, t, w, h);
        };
        row("Label8", 120, 60, 2055, 375);
        row("Frame1", 120, 420, 2055, 1095);
        row("Label2", 120, 840, 435, 195); // inside Frame1
        row("Label5", 1380, 840, 555, 195);
        row("Frame2", 120, 1560, 2055, 1095);
        row("Label7", 180, 840, 375, 195);
        row("Label6", 1440, 840, 435, 195);
        row("Frame4", 2280, 420, 2655, 2235);
        row("Frame5", 5040, 1740, 1035, 915);
        row("Frame3", 120, 2700, 5955, 1155);
        row("Label1", 5460, 540, 555, 195);
        row("Label9", 5100, 840, 1095, 255);
        row("Image1", 5040, 480, 375, 345);
        row("HScroll2", 240, 960, 1815, 315);
        row("HScroll1", 240, 2100, 1815, 315);
        row("VScroll1", 2460, 1020, 525, 1515);
        row("VScroll3", 3360, 1020, 525, 1515);
        row("VScroll4", 4260, 1020, 525, 1515);
        row("HScroll3", 5160, 2280, 795, 255);
        row("Text3", 1560, 600, 495, 285);
        row("Text1", 1560, 1740, 495, 285);
        row("Text2", 2460, 660, 495, 285);
        row("Text4", 3360, 660, 495, 285);
        row("Text6", 4260, 660, 495, 285);
        row("Text5", 5460, 1920, 495, 285);
        row("Command3", 300, 2940, 855, 255);
        row("Command4", 1260, 2940, 855, 255);
        row("Command5", 2220, 2940, 855, 255);
        row("Command6", 3180, 2940, 855, 255);
        row("Command2", 4140, 2940, 855, 255);
        row("Backbutt", 5100, 2940, 855, 255);
        row("Command14", 300, 3240, 855, 495);
        row("Command15", 1260, 3240, 855, 495);
        row("Command16", 2220, 3240, 855, 495);
        row("Command17", 3180, 3240, 855, 495);
        row("Command18", 4140, 3240, 855, 495);
        row("Command20", 5100, 3240, 855, 495);
    }
    void controlsSitAtTheirPlaces()
    {
        QFETCH(QString, name);
        QFETCH(QRect, twipsRect);
        RobotHarness h;
        robot &w = h.create();
        auto *c = w.findChild<QWidget *>(name);
        QVERIFY2(c, qPrintable(name));
        QCOMPARE(c->geometry(),
                 twips::rect(twipsRect.x(), twipsRect.y(), twipsRect.width(), twipsRect.height()));
    }

    void theWindowBeforeStartUp()
    {
        RobotHarness h;
        robot &w = h.create();
        QCOMPARE(w.windowTitle(), QString("Kestrel"));
        QCOMPARE(w.centralWidget()->size(), QSize(414, 265));
        QCOMPARE(look::backColour(w.centralWidget()), look::black);
        // Positions as created: 127 for the base, the Max ends for the others, 1 loop.
        QCOMPARE(ui(w).HScroll1->Value(), 127);
        QCOMPARE(ui(w).VScroll3->Value(), 255);
        for (ScrollBar *s : {ui(w).HScroll2, ui(w).VScroll1, ui(w).VScroll4}) {
            QCOMPARE(s->Value(), 0);
            QCOMPARE(s->Min(), 255);
            QCOMPARE(s->Max(), 0);
        }
        QCOMPARE(ui(w).HScroll3->Value(), 1);
        QCOMPARE(ui(w).HScroll3->Min(), 1);
        QCOMPARE(ui(w).HScroll3->Max(), 100);
        for (QLineEdit *t :
             {ui(w).Text1, ui(w).Text2, ui(w).Text3, ui(w).Text4, ui(w).Text5, ui(w).Text6}) {
            QVERIFY(t->text().isEmpty());
            QCOMPARE(t->palette().color(QPalette::Base), look::activeBorder);
        }
        QCOMPARE(ui(w).Text5->toolTip(), QString("Do the Movement for this number of times"));
        QCOMPARE(ui(w).Text1->toolTip(), QString("Immediate Value For Horizontal"));
        QCOMPARE(ui(w).Image1->toolTip(), QString("About Velmora"));
        QVERIFY(!ui(w).Image1->pixmap().isNull());
        QCOMPARE(ui(w).Command14->iconSize(), QSize(31, 26));
        QVERIFY(!ui(w).Command18->icon().isNull());
        QStringList captions;
        for (QPushButton *b : {ui(w).Command3, ui(w).Command4, ui(w).Command5, ui(w).Command6,
                               ui(w).Command2, ui(w).Backbutt})
            captions << b->text();
        QCOMPARE(captions, (QStringList{"REC", "STOP", "RUN", "PAUSE", "HOME", "BACK"}));
        QCOMPARE(ui(w).Command3->font().family(), QString("Arial"));
        QCOMPARE(ui(w).Command3->font().pointSizeF(), 8.25);
        auto *title = w.findChild<QLabel *>("Label8");
        QCOMPARE(title->text(), QString("Kestrel ROBOT"));
        QVERIFY(title->font().bold());
        QCOMPARE(title->font().pointSizeF(), 14.25);
        QCOMPARE(title->palette().color(QPalette::WindowText), look::yellow);
        QCOMPARE(w.findChild<QGroupBox *>("Frame4")->title(), QString("SHOULDER - ELBOW - WRIST"));
        QCOMPARE(w.findChild<QLabel *>("Label1")->text() + w.findChild<QLabel *>("Label9")->text(),
                 QString("Velmora"));
        // Only BACK and its picture start disabled.
        QVERIFY(!ui(w).Backbutt->isEnabled());
        QVERIFY(!ui(w).Command20->isEnabled());
        QVERIFY(allEnabled(motionGroup(w), true));
    }

    void theMenus()
    {
        RobotHarness h;
        robot &w = h.create();
        QStringList bar;
        for (QAction *a : w.menuBar()->actions())
            bar << a->text();
        QCOMPARE(bar, (QStringList{"File", "Options", "Help"}));
        const auto captions = [](QMenu *m) {
            QStringList out;
            for (QAction *a : m->actions()) {
                out << a->text();
                if (!a->isEnabled() || a->isChecked() || !a->shortcut().isEmpty() ||
                    a->isSeparator())
                    out << "(not as created)";
            }
            return out;
        };
        QCOMPARE(captions(ui(w).File_men), (QStringList{"Open", "Save", "Save As", "Exit"}));
        QCOMPARE(captions(ui(w).PortMen),
                 (QStringList{"Comm 1", "Comm 2", "Comm 3", "Comm 4", "Show Current Setting",
                              "Save Configuration"}));
        QCOMPARE(captions(ui(w).help), (QStringList{"Help Topics", "About", "Author"}));
    }

    void tabOrderFollowsTheTabIndexes()
    {
        RobotHarness h;
        robot &w = h.create();
        w.show();
        QStringList visited;
        QWidget *at = ui(w).HScroll1;
        do {
            visited << at->objectName();
            do
                at = at->nextInFocusChain();
            while (!(at->focusPolicy() & Qt::TabFocus) || !at->isEnabled() || !at->isVisible());
        } while (at != ui(w).HScroll1 && visited.size() < 40);
        QCOMPARE(
            visited,
            (QStringList{"HScroll1",  "VScroll1",  "Text1",     "Text2",    "HScroll2", "Text3",
                         "Command2",  "Command3",  "Command4",  "Command5", "Text4",    "Text5",
                         "Command6",  "VScroll3",  "VScroll4",  "Text6",    "HScroll3", "Command14",
                         "Command15", "Command16", "Command17", "Command18"}));
    }

    void startUpCentresTheArmAndEndsIdle()
    {
        RobotHarness h;
        robot &w = h.start();
        QVERIFY(w.isVisible());
        QVERIFY(h.dialogs.shown.isEmpty());
        QCOMPARE(h.port.openedNumbers, QList<int>{1});
        QVERIFY(h.port.written.startsWith('B'));
        bool ok = false;
        QCOMPARE(h.port.frames(&ok), (Frames{{4, 127}, {1, 127}, {2, 127}, {3, 127}}));
        QVERIFY(ok);
        QCOMPARE(w.session().portStatus(), 0);
        QVERIFY(ui(w).Com1->isChecked());
        QVERIFY(!ui(w).Com2->isChecked());
        QCOMPARE(ui(w).Text5->text(), QString("1"));
        QCOMPARE(lastAcceptedLoopCount(w), QString("1"));
        QCOMPARE(w.session().movementFile(), QString("robotmov.kmv"));
        // The base never moved, so its box was never written.
        QVERIFY(ui(w).Text1->text().isEmpty());
        QCOMPARE(ui(w).Text3->text(), QString("127"));
        // STOP's idle layout.
        QVERIFY(ui(w).Save_men->isEnabled());
        QVERIFY(ui(w).Saveas_men->isEnabled());
        QVERIFY(!ui(w).Command4->isEnabled());
        QVERIFY(!ui(w).Command6->isEnabled());
        QVERIFY(ui(w).Command5->isEnabled());
        QCOMPARE(look::backColour(ui(w).Command3), look::lightGrey);
    }

    void startUpWithNoFileAndNoPortReportsBothBeforeShowing()
    {
        RobotHarness h(QByteArray{});
        h.port.openResult = 8002;
        robot &w = h.start();
        QCOMPARE(h.dialogs.shown.size(), 2);
        QCOMPARE(h.dialogs.shown[0].text, "'" + h.folders().configFile() + "... using default");
        QCOMPARE(h.dialogs.shown[0].title, QString());
        QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::None);
        QCOMPARE(h.dialogs.shown[1].title, QString("COMM SETTINGS"));
        QCOMPARE(h.dialogs.shown[1].icon, Dialogs::Icon::Critical);
        QVERIFY(h.dialogs.shown[1].text.startsWith(
            "Error Code   8002\r\rCOMM 1 is not available\rDevice: "));
        QVERIFY(!h.dialogs.shown[0].parentVisible);
        QVERIFY(!h.dialogs.shown[1].parentVisible);
        QVERIFY(w.isVisible());
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(w.session().portStatus(), 8002);
        // STOP was disabled, so start-up's press of it left the controls disabled.
        QVERIFY(allEnabled(motionGroup(w), false));
        QVERIFY(ui(w).HScroll3->isEnabled());
        QVERIFY(ui(w).Text1->isEnabled());
        QVERIFY(!ui(w).Com1->isChecked());
    }

    void theProbe_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::addColumn<int>("status");
        QTest::newRow("echo") << QByteArray("B") << 13;
        QTest::newRow("BB is no echo") << QByteArray("BB") << 0;
        QTest::newRow("B and more is no echo") << QByteArray("Bx") << 0;
        QTest::newRow("other bytes") << QByteArray("\x00", 1) << 0;
    }
    void theProbe()
    {
        QFETCH(QByteArray, answer);
        QFETCH(int, status);
        RobotHarness h;
        h.port.probeAnswer = answer;
        robot &w = h.start();
        QCOMPARE(w.session().portStatus(), status);
        // The probe's outcome, seen through the idle layout that start-up ends in.
        QVERIFY(allEnabled({ui(w).HScroll1, ui(w).HScroll2, ui(w).VScroll1, ui(w).VScroll3,
                            ui(w).VScroll4, ui(w).Command2, ui(w).Command3, ui(w).Command5,
                            ui(w).Command14, ui(w).Command16, ui(w).Command18},
                           status == 0));
        if (status == 13) {
            QCOMPARE(h.dialogs.titles(), QStringList{"VM Warning"});
            QCOMPARE(h.dialogs.shown[0].text, QString("A Device is attached on COMM 1"));
            // Nothing leaves but the probe, whatever moves.
            QCOMPARE(h.port.written, QByteArray("B"));
            w.Command2_Click();
            ui(w).Text1->setText("42");
            QCOMPARE(h.port.written, QByteArray("B"));
            QVERIFY(h.port.isOpen());
        }
    }

    void choosingAPortThatFailsKeepsTheCheckMark()
    {
        RobotHarness h;
        robot &w = h.start();
        h.port.openResult = 8005;
        ui(w).PortMen->actions().at(2)->trigger(); // "Comm 3"
        QCOMPARE(w.session().configuration().port, qint16(3));
        QCOMPARE(w.session().portStatus(), 8005);
        QVERIFY(ui(w).Com1->isChecked());
        QVERIFY(!ui(w).Com3->isChecked());
        QCOMPARE(
            h.dialogs.shown.last().text,
            QString("Error Code   8005\r\rCOMM 3 already open\rClick Option to change settings"));
        QVERIFY(allEnabled(motionGroup(w), false));
        // Outside the group: the loop count, the boxes and BACK keep their state.
        QVERIFY(ui(w).HScroll3->isEnabled());
        QVERIFY(ui(w).Text2->isEnabled());
        QVERIFY(!ui(w).Backbutt->isEnabled());
        // Another port that opens takes the check mark and re-enables the group.
        h.port.openResult = 0;
        ui(w).Com2->trigger();
        QVERIFY(ui(w).Com2->isChecked());
        QVERIFY(!ui(w).Com1->isChecked());
        QVERIFY(allEnabled(motionGroup(w), true));
    }

    void choosingTheCheckedPortReopensIt()
    {
        RobotHarness h;
        robot &w = h.start();
        h.port.clearWritten();
        ui(w).Com1->trigger();
        QCOMPARE(h.port.openedNumbers, (QList<int>{1, 1}));
        QCOMPARE(h.port.closes, 1);
        QVERIFY(ui(w).Com1->isChecked());
        QCOMPARE(h.port.written, QByteArray("B"));
    }

    void aPortOutsideTheMenuOpensWithoutACheckMark()
    {
        RobotHarness h(RobotHarness::configWith("PORT= 7\r\n"));
        robot &w = h.start();
        QCOMPARE(h.port.openedNumbers, QList<int>{7});
        QCOMPARE(w.session().portStatus(), 0);
        for (QAction *c : {ui(w).Com1, ui(w).Com2, ui(w).Com3, ui(w).Com4})
            QVERIFY(!c->isChecked());
    }

    void quitWithNoChangesNothing()
    {
        RobotHarness h;
        robot &w = h.start();
        ui(w).VScroll1->setValueTo(140);
        h.port.clearWritten();
        ui(w).ExitMen->trigger();
        QCOMPARE(h.dialogs.shown.last().text, QString("Do you want to quit?"));
        QCOMPARE(h.dialogs.shown.last().title, QString("Quit Kestrel Robot"));
        QCOMPARE(h.dialogs.shown.last().icon, Dialogs::Icon::Question);
        QCOMPARE(h.dialogs.shown.last().buttons, Dialogs::Buttons::YesNo);
        QVERIFY(w.isVisible());
        QCOMPARE(h.ended, 0);
        QVERIFY(h.port.isOpen());
        // The question sends nothing, and the arm keeps its pose.
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(ui(w).VScroll1->Value(), 140);
    }

    void quitWithYesCentresClosesAndEnds()
    {
        RobotHarness h(RobotHarness::configWith("MOTOR3= 125\r\n"));
        robot &w = h.start();
        h.port.clearWritten();
        h.dialogs.answers << Dialogs::Yes;
        w.close();
        bool ok = false;
        // The wrist walks back from its home of 125; the rest are at 127 already.
        QCOMPARE(h.port.frames(&ok), (Frames{{3, 126}, {3, 127}}));
        QVERIFY(ok);
        QVERIFY(!w.isVisible());
        QVERIFY(!h.port.isOpen());
        QCOMPARE(h.ended, 1);
        QCOMPARE(w.session().configuration().home[axes::Wrist], 127.0);
    }

    void quitDuringHomingStillCentresTheArm()
    {
        RobotHarness h(RobotHarness::configWith("MOTOR4= 100\r\n"));
        h.create();
        h.dialogs.answers << Dialogs::Yes;
        Frames atTheEnd;
        // Ten grip steps into start-up's homing, the operator quits.
        h.port.onFrame(4 + 10, [&] {
            h.window->close();
            atTheEnd = h.port.frames();
        });
        h.window->Form_Load();
        QCOMPARE(h.ended, 1);
        QCOMPARE(atTheEnd.size(), 4 + 11 + 11);
        QCOMPARE(atTheEnd[4 + 10], (frame::Frame{4, 116}));
        QCOMPARE(atTheEnd.last(), (frame::Frame{4, 127}));
    }

    void quitAfterAFailedOpenSendsNothing()
    {
        // The grip's home is 50: it would move if anything could.
        RobotHarness h(RobotHarness::configWith("MOTOR4= 50\r\n"));
        h.port.openResult = 8002;
        robot &w = h.start();
        h.dialogs.answers << Dialogs::Yes;
        w.close();
        QVERIFY(h.port.written.isEmpty());
        QCOMPARE(h.port.closes, 0);
        QCOMPARE(h.ended, 1);
    }

    void rightClickOnTheSurfacePopsUpOptions()
    {
        RobotHarness h;
        robot &w = h.start();
        QWidget *surface = w.centralWidget();
        QTest::mouseClick(surface, Qt::LeftButton, {}, QPoint(395, 120));
        QVERIFY(!ui(w).PortMen->isVisible());
        QTest::mouseClick(w.findChild<QWidget *>("Frame4"), Qt::RightButton, {}, QPoint(60, 100));
        QVERIFY(!ui(w).PortMen->isVisible());
        QTest::mouseClick(surface, Qt::RightButton, {}, QPoint(395, 120));
        QTRY_VERIFY(ui(w).PortMen->isVisible());
        ui(w).PortMen->close();
    }

    void aProgramPressOfADisabledButtonDoesNothing()
    {
        RobotHarness h;
        robot &w = h.start();
        w.Command3_Click(); // REC
        QVERIFY(w.session().isRecording());
        ui(w).Command4->setEnabled(false);
        w.press(ui(w).Command4);
        QVERIFY(w.session().isRecording());
        ui(w).Command4->setEnabled(true);
        w.press(ui(w).Command4);
        QVERIFY(!w.session().isRecording());
    }

    void aDeviceThatGoesAwayDisablesTheControlsAndSaysSo()
    {
        RobotHarness h;
        robot &w = h.start();
        h.port.disappear();
        QCOMPARE(w.session().portStatus(), 8002);
        QVERIFY(allEnabled(motionGroup(w), false));
        QTRY_COMPARE(h.dialogs.shown.size(), 1);
        QCOMPARE(h.dialogs.shown[0].title, QString("COMM SETTINGS"));
        QCOMPARE(h.dialogs.shown[0].text,
                 QString("Error Code   8002\r\rCOMM 1 is not available\rDevice: /dev/fake0"));
        // Choosing the port again reopens it.
        ui(w).Com1->trigger();
        QCOMPARE(w.session().portStatus(), 0);
        QVERIFY(allEnabled(motionGroup(w), true));
    }

    void productWindowsOpenOnce()
    {
        RobotHarness h;
        robot &w = h.start();
        ui(w).About_men->trigger();
        ui(w).About_men->trigger();
        ui(w).author_men->trigger();
        ui(w).author_men->trigger();
        int about = 0, author = 0;
        for (QWidget *top : QApplication::topLevelWidgets()) {
            about += qobject_cast<About *>(top) != nullptr;
            author += qobject_cast<Author *>(top) != nullptr;
        }
        QCOMPARE(about, 1);
        QCOMPARE(author, 1);
    }
};

QTEST_MAIN(MainWindow)
#include "test_main_window.moc"
