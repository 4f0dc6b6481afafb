// Start-up centring and homing, HOME, shut-down, and the configuration file as the window reads,
// writes and shows it.

#include "core/store/config_file.h"
#include "support/files.h"
#include "support/printing.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>

using Homes = QList<double>;

static Homes homesOf(const robot &w)
{
    return Homes(w.session().configuration().home.begin(), w.session().configuration().home.end());
}

static const QChar cr(13);

class TestHomingConfig : public QObject {
    Q_OBJECT
private slots:
    void startUp_data();
    void startUp();
    void fractionalHomesStopBeforeTheyPass();
    void pacingLetsEventsRun_data();
    void pacingLetsEventsRun();
    void homeWhileRecordingRecordsEveryStep();
    void homeDoesNothingWithoutUsablePort_data();
    void homeDoesNothingWithoutUsablePort();
    void homingIsNotReentered();
    void deviceGoneEndsHoming();
    void shutDown_data();
    void shutDown();
    void saveConfiguration();
    void saveConfigurationCreatesFolder();
    void theDemosFirstConfigurationIsWhatSaveWrites();
    void saveConfigurationFails_data();
    void saveConfigurationFails();
    void showCurrentSetting_data();
    void showCurrentSetting();
    void missingFile_data();
    void missingFile();
    void unreadableFile_data();
    void unreadableFile();
};

void TestHomingConfig::startUp_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<Homes>("homes");
    QTest::addColumn<Frames>("homing");

    QTest::newRow("all at 127") << QByteArray() << Homes{127, 127, 127, 127, 127} << Frames{};
    QTest::newRow("grip 50") << QByteArray("MOTOR4= 50\r\n") << Homes{127, 127, 127, 127, 50}
                             << walk(4, 126, 50);
    QTest::newRow("grip 130") << QByteArray("MOTOR4= 130\r\n") << Homes{127, 127, 127, 127, 130}
                              << Frames{{4, 128}, {4, 129}, {4, 130}};
    QTest::newRow("elbow 99.5") << QByteArray("MOTOR2=99.5\r\n") << Homes{127, 127, 99.5, 127, 127}
                                << walk(2, 126, 100);
    // Homes the sliders cannot take are kept as read and walked to the nearer end.
    QTest::newRow("grip 300") << QByteArray("MOTOR4=300\r\n") << Homes{127, 127, 127, 127, 300}
                              << walk(4, 128, 255);
    QTest::newRow("grip -5") << QByteArray("MOTOR4=-5\r\n") << Homes{127, 127, 127, 127, -5}
                             << walk(4, 126, 0);
    QTest::newRow("every axis, in homing order")
        << QByteArray("MOTOR0= 125\r\nMOTOR1= 129\r\nMOTOR2= 126\r\nMOTOR3= 128\r\nMOTOR4= 125\r\n")
        << Homes{125, 129, 126, 128, 125}
        << Frames{{4, 126}, {4, 125}, {3, 128}, {2, 126}, {1, 128}, {1, 129}, {0, 126}, {0, 125}};
}

void TestHomingConfig::startUp()
{
    QFETCH(QByteArray, lines);
    QFETCH(Homes, homes);
    QFETCH(Frames, homing);

    RobotHarness h(RobotHarness::configWith(lines));
    robot &w = h.start();

    QCOMPARE(homesOf(w), homes);
    bool ok = false;
    const Frames sent = h.port.frames(&ok);
    QVERIFY(ok);
    QVERIFY(h.port.written.startsWith('B'));
    // Centring: grip, shoulder, elbow and wrist move to 127; the base already stands there.
    QCOMPARE(sent.mid(0, 4), (Frames{{4, 127}, {1, 127}, {2, 127}, {3, 127}}));
    QCOMPARE(sent.mid(4), homing);
    QVERIFY(h.dialogs.shown.isEmpty());
}

void TestHomingConfig::fractionalHomesStopBeforeTheyPass()
{
    // Four characters hold a fraction only below 100, so a file can give these two.
    RobotHarness h(RobotHarness::configWith("MOTOR2=10.5\r\nMOTOR0=99.5\r\n"));
    robot &w = h.start();
    QCOMPARE(w.session().configuration().home[axes::Elbow], 10.5);
    QCOMPARE(w.session().configuration().home[axes::Base], 99.5);

    // Start-up homes from the centre.
    QCOMPARE(ui(w).VScroll3->Value(), 11);
    QCOMPARE(ui(w).HScroll1->Value(), 100);
    bool ok = false;
    const Frames centring{{4, 127}, {1, 127}, {2, 127}, {3, 127}};
    QCOMPARE(h.port.frames(&ok), centring + walk(2, 126, 11) + walk(0, 126, 100));
    QVERIFY(ok);

    // From below the homes the walks go up and stop at the last whole position before them.
    QVERIFY(ui(w).VScroll3->setValueTo(5));
    QVERIFY(ui(w).HScroll1->setValueTo(90));
    h.port.clearWritten();
    ui(w).Command2->click();
    QCOMPARE(ui(w).VScroll3->Value(), 10);
    QCOMPARE(ui(w).HScroll1->Value(), 99);
    QCOMPARE(h.port.frames(&ok), walk(2, 6, 10) + walk(0, 91, 99));
    QVERIFY(ok);
}

void TestHomingConfig::pacingLetsEventsRun_data()
{
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("grip");
    QTest::addColumn<bool>("eventsRan");

    QTest::newRow("at home") << 5.0 << 127 << false;
    QTest::newRow("one position away") << 5.0 << 126 << true;
    QTest::newRow("speed 0") << 0.0 << 120 << false;
    QTest::newRow("speed 0.5") << 0.5 << 120 << false;
    QTest::newRow("speed 1") << 1.0 << 126 << true;
}

void TestHomingConfig::pacingLetsEventsRun()
{
    QFETCH(double, speed);
    QFETCH(int, grip);
    QFETCH(bool, eventsRan);

    RobotHarness h(RobotHarness::configWith("HOMESPEED=" + QByteArray::number(speed) + "\r\n"));
    robot &w = h.start();
    QCOMPARE(w.session().configuration().homeSpeed, speed);
    QVERIFY(ui(w).HScroll2->setValueTo(grip));
    h.port.clearWritten();
    bool ran = false;
    QTimer::singleShot(0, &w, [&] { ran = true; });

    ui(w).Command2->click();

    QCOMPARE(ran, eventsRan);
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), grip == 127 ? Frames{} : walk(4, grip + 1, 127));
    QVERIFY(ok);
    QCoreApplication::processEvents();
}

void TestHomingConfig::homeWhileRecordingRecordsEveryStep()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(ui(w).HScroll2->setValueTo(120));
    ui(w).Command3->click();
    h.port.clearWritten();

    ui(w).Command2->click();

    QList<Step> steps;
    for (int i = 2; i <= w.session().stepBuffer().stepCount(); ++i)
        steps << w.session().stepBuffer().at(i);
    QList<Step> expected;
    for (qint16 v = 121; v <= 127; ++v)
        expected << Step{4, v};
    QCOMPARE(steps, expected);
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), walk(4, 121, 127));
    QVERIFY(ok);
    QVERIFY(w.session().isRecording());
}

void TestHomingConfig::homeDoesNothingWithoutUsablePort_data()
{
    QTest::addColumn<QByteArray>("probeAnswer");
    QTest::addColumn<int>("openResult");
    QTest::addColumn<int>("status");

    QTest::newRow("echo") << QByteArray("B") << 0 << 13;
    QTest::newRow("failed open") << QByteArray() << 8002 << 8002;
}

void TestHomingConfig::homeDoesNothingWithoutUsablePort()
{
    QFETCH(QByteArray, probeAnswer);
    QFETCH(int, openResult);
    QFETCH(int, status);

    RobotHarness h(RobotHarness::configWith("MOTOR4= 50\r\n"));
    h.port.probeAnswer = probeAnswer;
    h.port.openResult = openResult;
    robot &w = h.start();
    QCOMPARE(w.session().portStatus(), status);
    QVERIFY(!ui(w).Command2->isEnabled());
    QVERIFY(!ui(w).Command18->isEnabled());
    QVERIFY(ui(w).HScroll2->setValueTo(100));
    const QByteArray before = h.port.written;

    w.Command2_Click();
    w.Command18_Click();

    QCOMPARE(ui(w).HScroll2->Value(), 100);
    QCOMPARE(h.port.written, before);
    bool ok = false;
    QVERIFY(h.port.frames(&ok).isEmpty());
    QVERIFY(ok);
}

void TestHomingConfig::homingIsNotReentered()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(ui(w).HScroll2->setValueTo(110));
    h.port.clearWritten();

    // HOME and its picture twin pressed again between two steps of the walk, when the pacing
    // lets events run.
    int presses = 0;
    qsizetype writtenByPresses = -1;
    h.port.onFrame(3, [&] {
        QTimer::singleShot(0, &w, [&] {
            const qsizetype before = h.port.written.size();
            ui(w).Command2->click();
            ui(w).Command18->click();
            writtenByPresses = h.port.written.size() - before;
            ++presses;
        });
    });
    ui(w).Command2->click();

    QCOMPARE(presses, 1);
    QCOMPARE(writtenByPresses, 0);
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), walk(4, 111, 127));
    QVERIFY(ok);
    QCOMPARE(ui(w).HScroll2->Value(), 127);

    // Once the pass is over, HOME works again.
    QVERIFY(ui(w).HScroll2->setValueTo(125));
    h.port.clearWritten();
    ui(w).Command18->click();
    QCOMPARE(h.port.frames(&ok), walk(4, 126, 127));
    QVERIFY(ok);
}

void TestHomingConfig::deviceGoneEndsHoming()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(ui(w).HScroll2->setValueTo(100));
    h.port.clearWritten();
    h.port.onFrame(4, [&] { h.port.disappear(); });

    ui(w).Command2->click();

    // The walk ends at its next step: the grip stays where the last frame put it and no other
    // axis has its turn.
    QCOMPARE(ui(w).HScroll2->Value(), 105);
    QCOMPARE(w.session().portStatus(), 8002);
    for (QWidget *c : std::initializer_list<QWidget *>{
             ui(w).HScroll1, ui(w).HScroll2, ui(w).VScroll1, ui(w).VScroll3, ui(w).VScroll4,
             ui(w).Command2, ui(w).Command3, ui(w).Command4, ui(w).Command5, ui(w).Command6,
             ui(w).Command14, ui(w).Command15, ui(w).Command16, ui(w).Command17, ui(w).Command18})
        QVERIFY2(!c->isEnabled(), qPrintable(c->objectName()));
    QCoreApplication::processEvents();
    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].title, QString("COMM SETTINGS"));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(h.dialogs.shown[0].text, QString("Error Code   8002") + cr + cr +
                                          "COMM 1 is not available" + cr + "Device: /dev/fake0");
}

void TestHomingConfig::shutDown_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

void TestHomingConfig::shutDown()
{
    QFETCH(bool, yes);

    RobotHarness h(RobotHarness::configWith(
        "MOTOR0= 120\r\nMOTOR1= 130\r\nMOTOR2= 125\r\nMOTOR3= 129\r\nMOTOR4= 124\r\n"));
    robot &w = h.start();
    const QByteArray file = readAll(h.folders().configFile());
    const Homes homes{120, 130, 125, 129, 124};
    QCOMPARE(homesOf(w), homes);
    h.port.clearWritten();
    h.dialogs.answers << (yes ? Dialogs::Yes : Dialogs::No);

    w.close();

    QCOMPARE(h.dialogs.shown.size(), 1);
    const auto &question = h.dialogs.shown[0];
    QCOMPARE(question.text, QString("Do you want to quit?"));
    QCOMPARE(question.title, QString("Quit Kestrel Robot"));
    QCOMPARE(question.icon, Dialogs::Icon::Question);
    QCOMPARE(question.buttons, Dialogs::Buttons::YesNo);
    bool ok = false;
    const Frames sent = h.port.frames(&ok);
    QVERIFY(ok);
    if (yes) {
        QCOMPARE(sent, walk(4, 125, 127) + walk(3, 128, 127) + walk(2, 126, 127) +
                           walk(1, 129, 127) + walk(0, 121, 127));
        QCOMPARE(homesOf(w), (Homes{127, 127, 127, 127, 127}));
        QVERIFY(!h.port.isOpen());
        QCOMPARE(h.port.closes, 1);
        QVERIFY(!w.isVisible());
        QCOMPARE(h.ended, 1);
    } else {
        QVERIFY(sent.isEmpty());
        QCOMPARE(homesOf(w), homes);
        QVERIFY(h.port.isOpen());
        QVERIFY(w.isVisible());
        QCOMPARE(h.ended, 0);
    }
    // The homes that shut-down sets are never written.
    QCOMPARE(readAll(h.folders().configFile()), file);
}

void TestHomingConfig::saveConfiguration()
{
    QByteArray golden = readAll(QStringLiteral(KESTREL_TEST_DATA "/config_example.txt"));
    QVERIFY(!golden.isEmpty());

    RobotHarness h;
    robot &w = h.start();
    const std::initializer_list<std::pair<ScrollBar *, int>> pose{{ui(w).HScroll1, 10},
                                                                  {ui(w).VScroll1, 200},
                                                                  {ui(w).VScroll3, 30},
                                                                  {ui(w).VScroll4, 40},
                                                                  {ui(w).HScroll2, 50}};
    for (auto [s, v] : pose)
        QVERIFY(s->setValueTo(v));

    ui(w).SaveCon->trigger();

    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(readAll(h.folders().configFile()), golden);
    QCOMPARE(homesOf(w), (Homes{10, 200, 30, 40, 50}));
    QCOMPARE(w.session().configuration().homeSpeed, 5.0);
    QCOMPARE(w.session().configuration().port, qint16(1));
    // The arm now stands at its home: HOME moves nothing.
    h.port.clearWritten();
    ui(w).Command2->click();
    QVERIFY(h.port.written.isEmpty());

    // A later start homes to what was saved.
    RobotHarness later(golden);
    robot &w2 = later.start();
    QCOMPARE(homesOf(w2), (Homes{10, 200, 30, 40, 50}));
    QCOMPARE(ui(w2).HScroll1->Value(), 10);
    QCOMPARE(ui(w2).VScroll1->Value(), 200);
    QCOMPARE(ui(w2).HScroll2->Value(), 50);
}

void TestHomingConfig::saveConfigurationCreatesFolder()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir(h.folders().config).removeRecursively());

    ui(w).SaveCon->trigger();

    QVERIFY(h.dialogs.shown.isEmpty());
    QByteArray expected = config::write({127, 127, 127, 127, 127}, 5, 1);
    QCOMPARE(readAll(h.folders().configFile()), expected);
}

// kestrel-demo starts a folder of its own with the file the build wrote for it: byte for byte
// what "Save Configuration" writes right after a first start, and with it a start opens on the
// arm with no message.
void TestHomingConfig::theDemosFirstConfigurationIsWhatSaveWrites()
{
    const QByteArray first = readAll(QStringLiteral(KESTREL_DEMO_CONFIG_FILE));
    QVERIFY(!first.isEmpty());
    QCOMPARE(first, readAll(QStringLiteral(KESTREL_TEST_DATA "/config_default.txt")));

    RobotHarness none{QByteArray()};
    robot &w = none.start();
    QCOMPARE(none.dialogs.shown.size(), 1); // the missing-file message
    ui(w).SaveCon->trigger();
    QCOMPARE(none.dialogs.shown.size(), 1);
    QCOMPARE(readAll(none.folders().configFile()), first);

    RobotHarness withIt{first};
    robot &w2 = withIt.start();
    QVERIFY(withIt.dialogs.shown.isEmpty());
    QVERIFY(w2.isVisible());
    QCOMPARE(w2.session().portStatus(), 0);
    QCOMPARE(homesOf(w2), (Homes{127, 127, 127, 127, 127}));
    QCOMPARE(w2.session().configuration().homeSpeed, 5.0);
    QCOMPARE(w2.session().configuration().port, qint16(1));
}

void TestHomingConfig::saveConfigurationFails_data()
{
    QTest::addColumn<QString>("obstacle");
    QTest::newRow("folder is a file") << "folder is a file";
    QTest::newRow("file name is a folder") << "file name is a folder";
    QTest::newRow("disk full") << "disk full";
}

void TestHomingConfig::saveConfigurationFails()
{
    QFETCH(QString, obstacle);

    RobotHarness h;
    robot &w = h.start();
    const QString path = h.folders().configFile();
    QString kept; // the path whose bytes must not change
    if (obstacle == QLatin1String("folder is a file")) {
        QVERIFY(QDir(h.folders().config).removeRecursively());
        QVERIFY(writeFile(h.folders().config, "not a folder"));
        kept = h.folders().config;
    } else if (obstacle == QLatin1String("file name is a folder")) {
        QVERIFY(QFile::remove(path));
        QVERIFY(QDir().mkpath(path));
    } else {
        kept = path;
    }
    const QByteArray before = kept.isEmpty() ? QByteArray() : readAll(kept);
    QVERIFY(ui(w).HScroll2->setValueTo(50));

    if (obstacle == QLatin1String("disk full")) {
        FileSizeLimit limit(100);
        QVERIFY(limit.ok());
        ui(w).SaveCon->trigger();
    } else {
        ui(w).SaveCon->trigger();
    }

    QCOMPARE(h.dialogs.shown.size(), 1);
    const QString text = h.dialogs.shown[0].text;
    QVERIFY2(text.contains(path), qPrintable(text));
    // Line 1 names the file, the next line says why.
    const QStringList lines = text.split(cr);
    QVERIFY2(lines.size() >= 2 && !lines[1].trimmed().isEmpty(), qPrintable(text));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    if (!kept.isEmpty())
        QCOMPARE(readAll(kept), before);
    // Nothing was saved, so the homes stay as they were.
    QCOMPARE(homesOf(w), (Homes{127, 127, 127, 127, 127}));
    if (obstacle == QLatin1String("disk full"))
        QCOMPARE(QDir(h.folders().config).entryList(QDir::Files | QDir::Hidden),
                 QStringList{"robotini.txt"});
}

void TestHomingConfig::showCurrentSetting_data()
{
    QTest::addColumn<QByteArray>("lines");
    QTest::addColumn<int>("openResult");
    QTest::addColumn<QString>("text");
    QTest::addColumn<Dialogs::Icon>("icon");
    QTest::addColumn<Dialogs::Buttons>("buttons");

    const QString lines127 = QString("BASE at  127") + cr + "SHOULDER at 127" + cr +
                             "ELBOW at 127" + cr + "WRIST at 127" + cr + "GRIP at 127" + cr;
    QTest::newRow("port usable") << QByteArray() << 0
                                 << QString("COMM PORT 1 Okay !") + cr + cr + lines127
                                 << Dialogs::Icon::None << Dialogs::Buttons::OkCancel;
    QTest::newRow("port failed") << QByteArray() << 8002
                                 << QString("COMM PORT 1 Error !") + cr + cr + lines127
                                 << Dialogs::Icon::Critical << Dialogs::Buttons::Ok;
    QTest::newRow("homes as read")
        << QByteArray("MOTOR0=99.5\r\nMOTOR3=-5\r\nMOTOR4=300\r\nPORT= 2\r\n") << 0
        << QString("COMM PORT 2 Okay !") + cr + cr + "BASE at  99.5" + cr + "SHOULDER at 127" + cr +
               "ELBOW at 127" + cr + "WRIST at-5" + cr + "GRIP at 300" + cr
        << Dialogs::Icon::None << Dialogs::Buttons::OkCancel;
}

void TestHomingConfig::showCurrentSetting()
{
    QFETCH(QByteArray, lines);
    QFETCH(int, openResult);
    QFETCH(QString, text);
    QFETCH(Dialogs::Icon, icon);
    QFETCH(Dialogs::Buttons, buttons);

    RobotHarness h(RobotHarness::configWith(lines));
    h.port.openResult = openResult;
    robot &w = h.start();
    h.dialogs.shown.clear();

    ui(w).Show_men->trigger();

    QCOMPARE(h.dialogs.shown.size(), 1);
    QCOMPARE(h.dialogs.shown[0].text, text);
    QCOMPARE(h.dialogs.shown[0].title, QString("CURRENT SETTINGS"));
    QCOMPARE(h.dialogs.shown[0].icon, icon);
    QCOMPARE(h.dialogs.shown[0].buttons, buttons);
}

void TestHomingConfig::missingFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("no file") << "none";
    // The folder's lookup must report the name exactly; these are as good as no file.
    QTest::newRow("a folder of that name") << "folder";
    QTest::newRow("upper case") << "ROBOTINI.TXT";
    QTest::newRow("mixed case") << "Robotini.txt";
}

void TestHomingConfig::missingFile()
{
    QFETCH(QString, kind);
    RobotHarness h{QByteArray()};
    const QString path = h.folders().configFile();
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir().mkpath(path));
        // What it holds is not looked at either.
        QVERIFY(writeFile(path + "/robotini.txt", RobotHarness::configWith("PORT= 3\r\n")));
    } else if (kind != QLatin1String("none")) {
        QVERIFY(writeFile(h.folders().config + "/" + kind,
                          RobotHarness::configWith("MOTOR0= 10\r\nPORT= 3\r\n")));
    }
    robot &w = h.start();

    QVERIFY(!h.dialogs.shown.isEmpty());
    const auto &m = h.dialogs.shown[0];
    QCOMPARE(m.text, "'" + path + "... using default");
    QCOMPARE(m.title, QString());
    QCOMPARE(m.icon, Dialogs::Icon::None);
    QCOMPARE(m.buttons, Dialogs::Buttons::Ok);
    QVERIFY(!m.parentVisible);
    QCOMPARE(homesOf(w), (Homes{127, 127, 127, 127, 127}));
    QCOMPARE(w.session().configuration().homeSpeed, 5.0);
    QCOMPARE(w.session().configuration().port, qint16(1));
}

void TestHomingConfig::unreadableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a pipe") << "pipe";
    QTest::newRow("no read permission") << "unreadable";
}

void TestHomingConfig::unreadableFile()
{
    QFETCH(QString, kind);

    RobotHarness h{QByteArray()};
    const QString path = h.folders().configFile();
    if (kind == QLatin1String("pipe")) {
        QCOMPARE(::mkfifo(QFile::encodeName(path).constData(), 0600), 0);
    } else {
        QVERIFY(writeFile(path, RobotHarness::configWith("PORT= 3\r\n")));
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission (root)");
    }
    robot &w = h.start();

    QVERIFY(!h.dialogs.shown.isEmpty());
    const QString text = h.dialogs.shown[0].text;
    QVERIFY2(text.contains(path), qPrintable(text));
    QVERIFY2(!text.endsWith(QLatin1String("... using default")), qPrintable(text));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(homesOf(w), (Homes{127, 127, 127, 127, 127}));
    QCOMPARE(w.session().configuration().homeSpeed, 5.0);
    QCOMPARE(w.session().configuration().port, qint16(1));
}

QTEST_MAIN(TestHomingConfig)
#include "test_homing_config.moc"
