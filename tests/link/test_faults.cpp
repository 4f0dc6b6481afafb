// The main window on a real serial port whose device misbehaves: it goes away during the probe,
// homing, a replay, the reverse walk and a pause; a second window reaches for the same device;
// the device may not be opened; the link leads to a folder or loops; another user's program
// holds or has left the lock file. The far end is a pseudo-terminal linked as COM1, so the real
// port code, its lock and its error reports are what is tried.

#include "core/link/serial_port.h"
#include "support/idle.h"
#include "support/pty.h"
#include "support/robot_controls.h"
#include "support/scripted_dialogs.h"
#include "windows/robot/robot.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QLineEdit>
#include <QLockFile>
#include <QProcess>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTextStream>
#include <QtTest>
#include <csignal>
#include <cstdio>
#include <memory>
#include <pwd.h>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace {

QByteArray configWith(const QByteArray &lines)
{
    return QByteArrayLiteral("======== Velmora ==========\r\n") + lines;
}

// The main window on a pseudo-terminal linked as COM1 in a configuration folder of its own.
struct RealArm {
    QTemporaryDir dir;
    std::unique_ptr<Pty> pty = std::make_unique<Pty>();
    Folders folders{dir.path() + QStringLiteral("/config"), dir.path() + QStringLiteral("/help")};
    SerialPort port{folders.config};
    ScriptedDialogs dialogs;
    std::unique_ptr<robot> window; // after the port, which must outlive it

    explicit RealArm(const QByteArray &config = configWith({}))
    {
        QDir().mkpath(folders.config);
        QFile f(folders.configFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(config);
        pty->linkAs(comLink());
        window = std::make_unique<robot>(Services{&port, &dialogs, folders, [] {}});
    }

    QString comLink() const { return folders.config + QStringLiteral("/COM1"); }
    // What the messages call the device: the link and where it leads.
    QString deviceName(const Pty &p) const
    {
        return comLink() + QStringLiteral(" -> ") + p.slavePath();
    }

    QList<ScriptedDialogs::Shown> shown(const QString &title) const
    {
        QList<ScriptedDialogs::Shown> out;
        for (const auto &s : dialogs.shown) {
            if (s.title == title)
                out << s;
        }
        return out;
    }

    QList<QWidget *> motionGroup() const
    {
        robot &w = *window;
        return {ui(w).HScroll1,  ui(w).HScroll2,  ui(w).VScroll1,  ui(w).VScroll3,
                ui(w).VScroll4,  ui(w).Command2,  ui(w).Command3,  ui(w).Command4,
                ui(w).Command5,  ui(w).Command6,  ui(w).Command14, ui(w).Command15,
                ui(w).Command16, ui(w).Command17, ui(w).Command18};
    }
    bool motionGroupEnabled(bool enabled) const
    {
        const auto group = motionGroup();
        return std::all_of(group.begin(), group.end(),
                           [&](QWidget *w) { return w->isEnabled() == enabled; });
    }

    // Records the base walking from 128 to 127 + n, one step per position, and stops.
    void record(int n, bool thenStop = true)
    {
        robot &w = *window;
        w.press(ui(w).Command3);
        for (int v = 128; v < 128 + n; ++v)
            ui(w).HScroll1->setValueTo(v);
        if (thenStop)
            w.press(ui(w).Command4);
    }

    std::vector<Step> steps(int from, int to) const
    {
        std::vector<Step> out;
        for (int i = from; i <= to; ++i)
            out.push_back(window->session().stepBuffer().at(i));
        return out;
    }

    // Pulls the device out the next time the slider reaches `value`.
    void unplugAt(ScrollBar *slider, int value)
    {
        QObject::connect(slider, &ScrollBar::change, slider, [this, value](int v) {
            if (v == value && pty)
                pty->closeMaster();
        });
    }
};

} // namespace

class Faults : public QObject {
    Q_OBJECT

    // What every loss of the device must leave: the port closed and reported once in the
    // words of a failed open, the motion controls off, and an event loop that sleeps.
    static void expectGoneOnce(RealArm &arm, const Pty &gone)
    {
        robot &w = *arm.window;
        QCOMPARE(w.session().portStatus(), 8002);
        QVERIFY(!arm.port.isOpen());
        QVERIFY(arm.motionGroupEnabled(false));
        QTRY_COMPARE(arm.shown(QStringLiteral("COMM SETTINGS")).size(), 1);
        const auto message = arm.shown(QStringLiteral("COMM SETTINGS")).first();
        QCOMPARE(message.text,
                 QStringLiteral("Error Code   8002\r\rCOMM 1 is not available\rDevice: ") +
                     arm.deviceName(gone));
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        QCOMPARE(message.buttons, Dialogs::Buttons::Ok);
        const double share = coreShareWhileRunningEvents();
        QVERIFY2(share < spinningShare,
                 qPrintable(QStringLiteral("the event loop spins after the device went away: "
                                           "%1 of a core")
                                .arg(share)));
        QCOMPARE(arm.shown(QStringLiteral("COMM SETTINGS")).size(), 1);
    }

private Q_SLOTS:
    void initTestCase() { look::setUpApplication(); }

    void goneDuringTheProbeIsReportedAndTheSamePortReopens()
    {
        RealArm arm;
        QVERIFY(arm.pty->ok());
        // The probe holds the event loop for a second, so the plug is pulled from outside it,
        // as soon as the probe byte has arrived: the program is then waiting for its echo.
        std::thread unplug([&arm] {
            arm.pty->readCount(1);
            arm.pty->closeMaster();
        });
        arm.window->Form_Load();
        unplug.join();
        const auto gone = std::move(arm.pty);
        expectGoneOnce(arm, *gone);
        if (QTest::currentTestFailed())
            return;
        robot &w = *arm.window;
        // Not a second report from the probe's own outcome, and no echo warning.
        QVERIFY(arm.shown(QStringLiteral("VM Warning")).isEmpty());

        // The adapter is plugged in again: choosing the port reopens it.
        Pty again;
        QVERIFY(QFile::remove(arm.comLink()));
        QVERIFY(again.linkAs(arm.comLink()));
        ui(w).Com1->trigger();
        QCOMPARE(w.session().portStatus(), 0);
        QVERIFY(arm.port.isOpen());
        QVERIFY(arm.motionGroupEnabled(true));
        QCOMPARE(again.readCount(1), QByteArray("B"));
        ui(w).HScroll1->setValueTo(140);
        QCOMPARE(again.readCount(4), QByteArray::fromHex("FF008C0D"));
    }

    void goneWhileHomingEndsTheWalk()
    {
        // A grip homed at 0 walks 127 positions from the centre.
        RealArm arm(configWith("MOTOR4= 0\r\n"));
        arm.unplugAt(ui(*arm.window).HScroll2, 100);
        arm.window->Form_Load();
        const auto gone = std::move(arm.pty);
        expectGoneOnce(arm, *gone);
        if (QTest::currentTestFailed())
            return;
        // The walk stopped where the device went away instead of running on to 0 unheard.
        const int grip = ui(*arm.window).HScroll2->Value();
        QVERIFY2(grip >= 95 && grip <= 100, qPrintable(QString::number(grip)));
        QCOMPARE(arm.window->session().configuration().home[axes::Grip], 0.0);
    }

    void goneDuringAReplayEndsTheRunAndKeepsTheSteps()
    {
        RealArm arm;
        robot &w = *arm.window;
        w.Form_Load();
        arm.record(60);
        const int count = w.session().stepBuffer().stepCount();
        QCOMPARE(count, 61);
        const auto before = arm.steps(0, count + 5);
        ui(w).Text5->setText(QStringLiteral("3"));
        // RUN homes the base back from 187 to 127 first; the device goes away in the first pass.
        bool replaying = false;
        connect(ui(w).HScroll1, &ScrollBar::change, &w, [&](int) {
            if (replaying && w.session().replayIndex() == 40)
                arm.pty->closeMaster();
        });
        replaying = true;
        w.press(ui(w).Command5);
        replaying = false;
        const auto gone = std::move(arm.pty);

        expectGoneOnce(arm, *gone);
        if (QTest::currentTestFailed())
            return;
        // The pass broke off at the step where the device went away, and no later pass ran.
        QVERIFY2(w.session().replayIndex() >= 40 && w.session().replayIndex() <= 41,
                 qPrintable(QString::number(w.session().replayIndex())));
        QCOMPARE(ui(w).Text5->text(), QStringLiteral("3"));
        QCOMPARE(w.session().stepBuffer().stepCount(), count);
        QVERIFY(arm.steps(0, count + 5) == before);
        // What was recorded can still be saved.
        QVERIFY(ui(w).Save_men->isEnabled());
        QVERIFY(ui(w).Saveas_men->isEnabled());
        QVERIFY(ui(w).Open_men->isEnabled());
    }

    void goneDuringTheReverseWalkKeepsWhatItRecorded()
    {
        RealArm arm;
        robot &w = *arm.window;
        w.Form_Load();
        arm.record(60, false); // BACK is pressed while recording
        const int from = w.session().stepBuffer().stepCount();
        QCOMPARE(from, 61);
        const auto taught = arm.steps(2, from);
        arm.unplugAt(ui(w).HScroll1, 160);
        w.press(ui(w).Backbutt);
        const auto gone = std::move(arm.pty);

        expectGoneOnce(arm, *gone);
        if (QTest::currentTestFailed())
            return;
        QVERIFY(!w.session().isRecording());
        // The taught steps are as they were, and every step the walk recorded before the device
        // went away is there: the reverse of the taught ones, from the second-last down.
        QVERIFY(arm.steps(2, from) == taught);
        const int added = w.session().stepBuffer().stepCount() - from;
        QVERIFY2(added >= 27 && added <= 28, qPrintable(QString::number(added)));
        for (int j = 0; j < added; ++j)
            QCOMPARE(w.session().stepBuffer().at(from + 1 + j), w.session().stepBuffer().at(from - 1 - j));
        // The File menu stays open so that the recording can be saved.
        QVERIFY(ui(w).Save_men->isEnabled());
        QVERIFY(ui(w).Saveas_men->isEnabled());
    }

    void goneWhilePausedEndsTheRun()
    {
        RealArm arm;
        robot &w = *arm.window;
        w.Form_Load();
        arm.record(30);
        const int count = w.session().stepBuffer().stepCount();
        const auto before = arm.steps(0, count + 5);
        ui(w).Text5->setText(QStringLiteral("2"));
        bool replaying = false;
        connect(ui(w).HScroll1, &ScrollBar::change, &w, [&](int) {
            if (replaying && w.session().replayIndex() == 20 &&
                ui(w).Command6->text() == QStringLiteral("PAUSE")) {
                w.press(ui(w).Command6);
                QTimer::singleShot(300, &w, [&arm] {
                    if (arm.pty)
                        arm.pty->closeMaster();
                });
            }
        });
        // Should the loss go unnoticed, CONT lets the run go on, and the checks below fail
        // instead of the test hanging.
        QTimer::singleShot(20000, &w, [&w] {
            if (ui(w).Command6->text() == QStringLiteral("CONT"))
                w.Command6_Click();
        });
        replaying = true;
        w.press(ui(w).Command5);
        replaying = false;
        const auto gone = std::move(arm.pty);

        expectGoneOnce(arm, *gone);
        if (QTest::currentTestFailed())
            return;
        QCOMPARE(w.session().replayIndex(), 20);
        QCOMPARE(ui(w).Text5->text(), QStringLiteral("2"));
        QCOMPARE(w.session().stepBuffer().stepCount(), count);
        QVERIFY(arm.steps(0, count + 5) == before);
    }

    void aSecondWindowOnTheSameDeviceIsToldItIsInUse()
    {
        RealArm first;
        robot &a = *first.window;
        a.Form_Load();
        QCOMPARE(a.session().portStatus(), 0);
        // The probe, then the centring of the four axes that stood elsewhere.
        QCOMPARE(first.pty->readCount(17),
                 QByteArray("B") + QByteArray::fromHex("FF047F0DFF017F0DFF027F0DFF037F0D"));

        // A second program on the same configuration folder, so the same COM1.
        SerialPort otherPort(first.folders.config);
        ScriptedDialogs otherDialogs;
        robot b(Services{&otherPort, &otherDialogs, first.folders, [] {}});
        b.Form_Load();
        QCOMPARE(b.session().portStatus(), 8005);
        QVERIFY(!otherPort.isOpen());
        QCOMPARE(otherDialogs.shown.size(), 1);
        const auto message = otherDialogs.shown.first();
        QCOMPARE(message.title, QStringLiteral("COMM SETTINGS"));
        QCOMPARE(message.text,
                 QStringLiteral(
                     "Error Code   8005\r\rCOMM 1 already open\rClick Option to change settings"));
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        for (QWidget *c :
             std::initializer_list<QWidget *>{ui(b).HScroll1, ui(b).Command2, ui(b).Command5})
            QVERIFY(!c->isEnabled());
        // The first keeps working, and its next frame is the first thing on the line since its
        // own start-up: the second one's start-up sent nothing.
        ui(a).HScroll1->setValueTo(200);
        QCOMPARE(first.pty->readUntil(QByteArray::fromHex("FF00C80D")),
                 QByteArray::fromHex("FF00C80D"));
        QCOMPARE(a.session().portStatus(), 0);
        QVERIFY(first.shown(QStringLiteral("COMM SETTINGS")).isEmpty());
    }

    // The route a link takes is on the device line; what is at its end decides the number.
    void aLinkToAFolderOrALoopIsReportedWithItsRoute_data()
    {
        QTest::addColumn<bool>("loop");
        QTest::newRow("a folder") << false;
        QTest::newRow("a loop") << true;
    }
    void aLinkToAFolderOrALoopIsReportedWithItsRoute()
    {
        QFETCH(bool, loop);
        RealArm arm;
        robot &w = *arm.window;
        QVERIFY(QFile::remove(arm.comLink()));
        const QString other = arm.folders.config + QStringLiteral("/other");
        // COM1 is remade at once: without it, COM1 would be the machine's own first port.
        QVERIFY(QFile::link(other, arm.comLink()));
        QString route = arm.comLink() + QStringLiteral(" -> ") + other;
        if (loop) {
            QVERIFY(QFile::link(arm.comLink(), other));
            route += QStringLiteral(" -> ") + arm.comLink() + QStringLiteral(" (loop)");
        } else {
            QVERIFY(QDir().mkdir(other));
        }
        const QString expected =
            QStringLiteral("Error Code   %1\r\rCOMM 1 is not available\rDevice: ")
                .arg(loop ? 8002 : 8015) +
            route;
        w.Form_Load();
        QCOMPARE(w.session().portStatus(), loop ? 8002 : 8015);
        QVERIFY(arm.motionGroupEnabled(false));
        const auto shown = arm.shown(QStringLiteral("COMM SETTINGS"));
        QCOMPARE(shown.size(), 1);
        QCOMPARE(shown.first().text, expected);
        QVERIFY(arm.shown(QStringLiteral("VM Warning")).isEmpty());
    }

    void aDeviceThatMayNotBeOpenedGivesThePermissionHint()
    {
        // Root may open any device, so the open is tried by this program run again as an
        // ordinary user; an ordinary user can run it directly on a device it has locked itself
        // out of.
        Pty pty;
        QVERIFY(pty.ok());
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kestrel-faults-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(makeConfig(config, pty));
        const QByteArray slave = QFile::encodeName(pty.slavePath());
        if (::geteuid() == 0) {
            QVERIFY(::chown(slave.constData(), 0, 0) == 0);
            QVERIFY(::chmod(slave.constData(), 0600) == 0);
        } else {
            QVERIFY(::chmod(slave.constData(), 0) == 0);
        }
        const ChildRun child = startAsOrdinaryUser(dir.path(), config);
        if (!child.skip.isEmpty())
            QSKIP(qPrintable(child.skip));
        QCOMPARE(child.exitCode, 0);

        QVERIFY2(child.out.contains(QStringLiteral("status 8010\n")),
                 qPrintable(child.out + child.err));
        const QString expected =
            QStringLiteral("Error Code   8010\r\rCOMM 1 is not available\rDevice: ") + config +
            QStringLiteral("/COM1 -> ") + pty.slavePath() +
            QStringLiteral(" (permission denied: add your user to the dialout group)");
        QVERIFY2(child.out.contains(shownLine(expected)), qPrintable(child.out));
        QVERIFY2(child.out.contains(QStringLiteral("disabled\n")), qPrintable(child.out));
        // Nothing reached the device: the child has ended, and a marker written after it is the
        // first thing on the line.
        QVERIFY(::chmod(slave.constData(), 0600) == 0);
        const QByteArray marker = QByteArray::fromHex("FF002A0D");
        QVERIFY(pty.writeAsDevice(marker));
        QCOMPARE(pty.readUntil(marker), marker);
    }

    // A lock file in the lock folder that another user's program left: the folder lets only its
    // owner (or root) remove it. While that program runs, the device is in use; once it has
    // gone, the message names the file and the process, and the user who may remove the file
    // takes the lock over.
    void aLockFileOfAnotherUser_data()
    {
        QTest::addColumn<bool>("holderRuns");
        QTest::newRow("its process runs") << true;
        QTest::newRow("its process was killed") << false;
    }
    void aLockFileOfAnotherUser()
    {
        QFETCH(bool, holderRuns);
        if (::geteuid() != 0)
            QSKIP("only root can leave a lock file that the test's user may not remove");
        Pty pty;
        QVERIFY(pty.ok());
        QTemporaryDir dir(QDir::tempPath() + QStringLiteral("/kestrel-faults-XXXXXX"));
        QVERIFY(dir.isValid());
        const QString config = dir.filePath(QStringLiteral("config"));
        QVERIFY(makeConfig(config, pty));
        // The device itself is the ordinary user's to open: only the lock stands in the way.
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(nobody);
        const QByteArray slave = QFile::encodeName(pty.slavePath());
        QVERIFY(::chown(slave.constData(), nobody->pw_uid, gid_t(-1)) == 0);
        QVERIFY(::chmod(slave.constData(), 0600) == 0);

        const QString lock = SerialPort::lockFile(pty.slavePath());
        QVERIFY(!lock.isEmpty());
        QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock));
        struct RemoveLock {
            QString file;
            ~RemoveLock()
            {
                QFile::remove(file);
                QFile::remove(file + QStringLiteral(".rmlock"));
            }
        } removeLock{lock};

        // Another program takes the lock as QSerialPort would, and holds it until its input
        // closes, or is killed outright with the lock file left behind.
        QProcess holder;
        holder.start(QCoreApplication::applicationFilePath(),
                     {QStringLiteral("--hold-lock"), lock});
        QVERIFY(holder.waitForStarted(10000));
        QVERIFY(QTest::qWaitFor([&] { return holder.canReadLine(); }, 10000));
        QCOMPARE(holder.readLine(), QByteArray("locked\n"));
        const qint64 pid = holder.processId();
        QVERIFY(pid > 0);
        if (!holderRuns) {
            holder.kill();
            QVERIFY(holder.waitForFinished(10000));
            QVERIFY(QFileInfo::exists(lock));
            QVERIFY(::kill(pid_t(pid), 0) != 0);
        }

        const ChildRun child = startAsOrdinaryUser(dir.path(), config);
        if (!child.skip.isEmpty())
            QSKIP(qPrintable(child.skip));
        QCOMPARE(child.exitCode, 0);
        QString expected;
        if (holderRuns) {
            QVERIFY2(child.out.contains(QStringLiteral("status 8005\n")),
                     qPrintable(child.out + child.err));
            expected = QStringLiteral(
                "Error Code   8005\r\rCOMM 1 already open\rClick Option to change settings");
        } else {
            QVERIFY2(child.out.contains(QStringLiteral("status 8099\n")),
                     qPrintable(child.out + child.err));
            expected = QStringLiteral("Error Code   8099\r\rCOMM 1 is not available\rDevice: %1 "
                                      "-> %2\rLock file %3 was left by test_faults (process %4 "
                                      "of root), which no longer runs. Remove it: sudo rm %3")
                           .arg(config + QStringLiteral("/COM1"), pty.slavePath(), lock)
                           .arg(pid);
        }
        QVERIFY2(child.out.contains(shownLine(expected)), qPrintable(child.out));
        QVERIFY2(child.out.contains(QStringLiteral("disabled\n")), qPrintable(child.out));
        // The ordinary user could not remove the file, and wrote nothing to the device.
        QVERIFY(QFileInfo::exists(lock));
        const QByteArray marker = QByteArray::fromHex("FF002A0D");
        QVERIFY(pty.writeAsDevice(marker));
        QCOMPARE(pty.readUntil(marker), marker);

        // Root may remove any file in the lock folder: a lock whose process has gone is taken
        // over, and one whose process runs is not.
        SerialPort port(config);
        if (holderRuns) {
            QCOMPARE(port.open(1), 8005);
            holder.closeWriteChannel();
            QVERIFY(holder.waitForFinished(10000));
            QCOMPARE(holder.exitCode(), 0);
            QVERIFY(!QFileInfo::exists(lock));
        } else {
            QCOMPARE(port.open(1), 0);
            qint64 owner = 0;
            QString host, program;
            QVERIFY(QLockFile(lock).getLockInfo(&owner, &host, &program));
            QCOMPARE(owner, QCoreApplication::applicationPid());
            port.close();
            QVERIFY(!QFileInfo::exists(lock));
        }
    }

private:
    // A configuration folder whose COM1 is linked to the terminal.
    static bool makeConfig(const QString &config, const Pty &pty)
    {
        if (!QDir().mkpath(config) || !pty.linkAs(config + QStringLiteral("/COM1")))
            return false;
        QFile f(config + QStringLiteral("/robotini.txt"));
        return f.open(QIODevice::WriteOnly) && f.write(configWith({})) > 0;
    }

    // How the child prints a message that was shown.
    static QString shownLine(const QString &text)
    {
        return QStringLiteral("COMM SETTINGS|") +
               QString::fromLatin1(text.toUtf8().toPercentEncoding());
    }

    struct ChildRun {
        QString skip; // why it could not be run as an ordinary user; empty when it ran
        int exitCode = -1;
        QString out, err;
    };

    // Runs this program again on the configuration folder as an ordinary user: as nobody when
    // the tests run as root (the folders from `top` down are opened to others for it), as the
    // test's own user otherwise.
    static ChildRun startAsOrdinaryUser(const QString &top, const QString &config)
    {
        ChildRun run;
        QStringList command;
        if (::geteuid() == 0) {
            if (QStandardPaths::findExecutable(QStringLiteral("setpriv")).isEmpty()) {
                run.skip = QStringLiteral(
                    "setpriv is not installed, so the open cannot be tried as an ordinary user");
                return run;
            }
            for (const QString &d : {top, config})
                QFile::setPermissions(d, QFile::permissions(d) | QFile::ReadOther |
                                             QFile::ExeOther | QFile::ReadGroup | QFile::ExeGroup);
            command << QStringLiteral("setpriv") << QStringLiteral("--reuid=nobody")
                    << QStringLiteral("--regid=nogroup") << QStringLiteral("--clear-groups");
        }
        command << QCoreApplication::applicationFilePath() << QStringLiteral("--start-as-this-user")
                << config;

        QProcess child;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        // Leak checks belong to the tests proper; the suppressions file may not be readable here.
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        env.remove(QStringLiteral("LSAN_OPTIONS"));
        child.setProcessEnvironment(env);
        child.start(command.takeFirst(), command);
        if (!child.waitForFinished(60000)) {
            child.kill();
            child.waitForFinished(10000);
            run.err = QStringLiteral("the child did not finish");
            return run;
        }
        run.exitCode = child.exitCode();
        run.out = QString::fromUtf8(child.readAllStandardOutput());
        run.err = QString::fromUtf8(child.readAllStandardError());
        if (run.exitCode == 126 || run.exitCode == 127 ||
            (run.err.contains(QStringLiteral("Permission denied")) &&
             !run.out.contains(QStringLiteral("status "))))
            run.skip = QStringLiteral("this program cannot be run as an ordinary user here: ") +
                       run.err.trimmed();
        return run;
    }
};

// Run again as an ordinary user: start the main window on the folder given and tell what came
// of the open (each message percent-encoded on a line of its own).
static int startAsThisUser(int argc, char *argv[])
{
    QApplication app(argc, argv);
    const Folders folders{QString::fromLocal8Bit(argv[2]), QString::fromLocal8Bit(argv[2])};
    SerialPort port(folders.config);
    ScriptedDialogs dialogs;
    robot w(Services{&port, &dialogs, folders, [] {}});
    w.Form_Load();
    QTextStream out(stdout);
    out << "status " << w.session().portStatus() << '\n';
    for (const auto &s : dialogs.shown)
        out << s.title << '|' << QString::fromLatin1(s.text.toUtf8().toPercentEncoding()) << '\n';
    out << (ui(w).HScroll1->isEnabled() || ui(w).Command5->isEnabled() ? "enabled\n"
                                                                       : "disabled\n");
    return 0;
}

// Run again as another program that takes the lock file given, as QSerialPort would, says so,
// and holds it until its input closes.
static int holdLock(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    QLockFile lock(QString::fromLocal8Bit(argv[2]));
    if (!lock.tryLock(0))
        return 1;
    std::fputs("locked\n", stdout);
    std::fflush(stdout);
    while (std::getchar() != EOF) {
    }
    return 0;
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--start-as-this-user") == 0)
        return startAsThisUser(argc, argv);
    if (argc == 3 && qstrcmp(argv[1], "--hold-lock") == 0)
        return holdLock(argc, argv);
    QApplication app(argc, argv);
    Faults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults.moc"
