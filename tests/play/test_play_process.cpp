// kestrel-play as a user runs it: a real process on a real pseudo-terminal, its exit status,
// its messages, and what reaches the arm when it is stopped by a signal.

#include "core/link/frame.h"
#include "core/link/serial_port.h"
#include "support/files.h"
#include "support/pty.h"
#include "support/signal_stop.h"

#include <QFile>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>

namespace {

struct Run {
    int status = -1;
    QString err;
    QString out;
};

// A motion of `n` base steps that each move the base: two frames each.
QByteArray swings(int n)
{
    QByteArray text = "0 , 0\r\n";
    for (int i = 0; i < n; ++i)
        text += "0 , " + QByteArray::number(i % 2 ? 100 : 200) + "\r\n";
    return text;
}

} // namespace

class TestPlayProcess : public QObject {
    Q_OBJECT

    QTemporaryDir m_dir;
    int m_files = 0;

    QString config() const { return m_dir.filePath(QStringLiteral("config")); }

    // A configuration folder whose robotini.txt holds `lines`.
    void configure(const QByteArray &lines)
    {
        QVERIFY(QDir().mkpath(config()));
        QVERIFY(writeFile(config() + "/robotini.txt", "======== Velmora ==========\r\n" + lines));
    }

    QString motion(const QByteArray &text)
    {
        const QString path = m_dir.filePath(QStringLiteral("m%1.kmv").arg(++m_files));
        if (!writeFile(path, text))
            qFatal("cannot write %s", qPrintable(path));
        return path;
    }

    static QStringList withConfig(const QString &config, QStringList args)
    {
        return QStringList{"--config-dir", config} + args;
    }

    void start(QProcess &p, const QStringList &args)
    {
        p.start(KESTREL_PLAY_BINARY, withConfig(config(), args));
        QVERIFY(p.waitForStarted());
    }

    Run finish(QProcess &p)
    {
        Run r;
        if (!p.waitForFinished(30000))
            p.kill();
        p.waitForFinished(5000);
        r.status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        r.err = QString::fromUtf8(p.readAllStandardError());
        r.out = QString::fromUtf8(p.readAllStandardOutput());
        return r;
    }

    Run play(const QStringList &args)
    {
        QProcess p;
        start(p, args);
        return finish(p);
    }

    void verifyPortFree(Pty &pty)
    {
        SerialPort again(config());
        QCOMPARE(again.openPath(pty.slavePath()), 0);
    }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY(m_dir.isValid());
        configure("");
    }

    void failuresHaveTheirOwnStatus()
    {
        Pty pty;
        QVERIFY(pty.ok() && pty.holdSlave());
        const QString good = motion("0 , 0\r\n0 , 130\r\n");

        Run r = play({"--loops", "many", good});
        QCOMPARE(r.status, 2);
        QVERIFY2(r.err.contains("Try 'kestrel-play --help'."), qPrintable(r.err));

        // A fault on the last line: the message names the file and the line, and nothing was
        // sent, not even the probe.
        const QString bad = motion("0 , 0\r\n0 , 130\r\n0 , 256\r\n");
        r = play({"--device", pty.slavePath(), bad});
        QCOMPARE(r.status, 3);
        QVERIFY2(r.err.startsWith("Cannot open the movement file '" + bad + "'\nLine 3: "),
                 qPrintable(r.err));
        r = play({"--device", pty.slavePath(), m_dir.filePath("none.kmv")});
        QCOMPARE(r.status, 3);
        QCOMPARE(lineSoFar(pty), QByteArray());

        const QString nowhere = m_dir.filePath("no-device");
        r = play({"--device", nowhere, good});
        QCOMPARE(r.status, 4);
        QCOMPARE(r.err, "Error Code   8002\n\n" + nowhere + " is not available\nDevice: " + nowhere +
                            " (not found)\n");

        // A bad profile, and a motion that breaks arm.ini (the base to 130): nothing sent or
        // printed.
        QCOMPARE(play({"--device", pty.slavePath(), "--profile", "none.ini", good}).status, 3);
        QVERIFY(writeFile(config() + "/arm.ini", "[base]\nmax = 129\n"));
        r = play({"--device", pty.slavePath(), good});
        QCOMPARE(r.status, 7);
        QVERIFY2(r.err.contains("Record 2: the base at 130"), qPrintable(r.err));
        QCOMPARE(play({"--dry-run", good}).out, QString());
        QCOMPARE(lineSoFar(pty), QByteArray());

        // A port by its number, through the link in the configuration folder; --no-limits plays
        // the motion that breaks arm.ini, after a warning.
        QVERIFY(pty.linkAs(config() + "/COM4"));
        r = play({"--port", "4", "--quiet", "--no-limits", good});
        QCOMPARE(r.status, 0);
        QVERIFY2(r.err.startsWith("Warning: the motion breaks the arm profile"), qPrintable(r.err));
        QFile::remove(config() + "/arm.ini");
        bool whole = false;
        QCOMPARE(framesAfterProbe(lineSoFar(pty), &whole).size(), 4 + 2);
        QVERIFY(whole);
        QFile::remove(config() + "/COM4");
    }

    void anEchoRefusesToPlay()
    {
        Pty pty;
        QVERIFY(pty.ok() && pty.holdSlave());
        QProcess p;
        start(p, {"--device", pty.slavePath(), motion("0 , 0\r\n0 , 130\r\n")});
        QCOMPARE(pty.readCount(1), QByteArray("B"));
        pty.write("B");
        const Run r = finish(p);
        QCOMPARE(r.status, 5);
        QCOMPARE(r.err, "A Device is attached on " + pty.slavePath() + "\n");
        QCOMPARE(lineSoFar(pty), QByteArray());
    }

    void aLostDeviceEndsThePlay()
    {
        Pty pty;
        QVERIFY(pty.ok() && pty.holdSlave());
        QProcess p;
        start(p, {"--device", pty.slavePath(), motion(swings(500))});
        QVERIFY(pty.readCount(200).size() >= 200);
        pty.closeMaster();
        const Run r = finish(p);
        QCOMPARE(r.status, 6);
        QVERIFY2(r.err.startsWith("Error Code   8002\n\n" + pty.slavePath() + " is not available\n"),
                 qPrintable(r.err));
    }

    void theLockNamesThePlayer()
    {
        // Qt takes a lock whose process runs under another name for one left behind by a dead
        // process whose number was reused: a lock in Kestrel's name would be removed.
        Pty pty;
        QVERIFY(pty.ok() && pty.holdSlave());
        QProcess p;
        start(p, {"--device", pty.slavePath(), motion(swings(300))});
        QVERIFY(pty.readCount(100).size() >= 100);
        const QString lock = SerialPort::lockFile(QFileInfo(pty.slavePath()).canonicalFilePath());
        qint64 pid = 0;
        QString host, app;
        QVERIFY(QLockFile(lock).getLockInfo(&pid, &host, &app));
        QCOMPARE(pid, p.processId());
        QCOMPARE(app, QStringLiteral("kestrel-play"));
        SerialPort other(config());
        QCOMPARE(other.openPath(pty.slavePath()), 8005);
        QVERIFY(QFile::exists(lock));

        ::kill(p.processId(), SIGTERM);
        QCOMPARE(finish(p).status, 143);
        QVERIFY(!QFile::exists(lock));
    }

    void signalsStopTheArm_data()
    {
        QTest::addColumn<QByteArray>("homes");
        QTest::addColumn<int>("loops");
        QTest::addColumn<int>("readFirst");
        QTest::addColumn<QList<int>>("kills");
        QTest::addColumn<int>("status");

        // The grip's home is 0: the start-up walk is 127 frames, half a second of line.
        QTest::newRow("Ctrl-C while homing")
            << QByteArray("MOTOR4= 0\r\n") << 1 << 1 + 16 + 40 << QList<int>{SIGINT} << 130;
        // A second Ctrl-C changes nothing.
        QTest::newRow("Ctrl-C twice in a pass")
            << QByteArray() << 1 << 400 << QList<int>{SIGINT, SIGINT} << 130;
        QTest::newRow("SIGTERM, played until stopped")
            << QByteArray() << 0 << 1200 << QList<int>{SIGTERM} << 143;
        QTest::newRow("SIGHUP") << QByteArray() << 2 << 400 << QList<int>{SIGHUP} << 129;
    }

    void signalsStopTheArm()
    {
        QFETCH(QByteArray, homes);
        QFETCH(int, loops);
        QFETCH(int, readFirst);
        QFETCH(QList<int>, kills);
        QFETCH(int, status);

        QTemporaryDir own;
        const QString folder = own.filePath("config");
        QVERIFY(QDir().mkpath(folder));
        QVERIFY(writeFile(folder + "/robotini.txt", "======== Velmora ==========\r\n" + homes));
        Pty pty;
        QVERIFY(pty.ok() && pty.holdSlave());
        QProcess p;
        p.start(KESTREL_PLAY_BINARY,
                withConfig(folder, {"--device", pty.slavePath(), "--loops", QString::number(loops),
                                    motion(swings(100))}));
        QVERIFY(p.waitForStarted());

        const SignalStop s = stopAfter(pty, p, readFirst, kills);
        QCOMPARE(s.status, status);
        QVERIFY2(s.after.size() <= 16, qPrintable(QString::number(s.after.size())));
        bool whole = false;
        const QList<frame::Frame> frames = framesAfterProbe(s.before + s.after, &whole);
        QVERIFY2(whole, s.after.toHex(' ').constData());
        if (!homes.isEmpty()) {
            // Stopped in the walk: no step of the motion was played.
            for (const auto &f : frames)
                QVERIFY(f.channel != 0);
        }
        verifyPortFree(pty);
    }

    void dryRunPrintsEveryByte()
    {
        QTemporaryDir own;
        QVERIFY(writeFile(own.filePath("robotini.txt"),
                          "======== Velmora ==========\r\nMOTOR4= 125\r\nMOTOR0= 128\r\n"));
        QProcess p;
        p.start(KESTREL_PLAY_BINARY,
                {"--config-dir", own.path(), "--dry-run", "--loops", "2",
                 motion("0 , 0\r\n0 , 130\r\n4 , 125\r\n2 , 40\r\n")});
        QVERIFY(p.waitForStarted());
        const Run r = finish(p);
        QCOMPARE(r.status, 0);
        QCOMPARE(r.err, QString());
        QCOMPARE(r.out, QStringLiteral("probe 42\n"
                                       "FF 04 7F 0D grip 127\n"
                                       "FF 01 7F 0D shoulder 127\n"
                                       "FF 02 7F 0D elbow 127\n"
                                       "FF 03 7F 0D wrist 127\n"
                                       "FF 04 7E 0D grip 126\n"
                                       "FF 04 7D 0D grip 125\n"
                                       "FF 00 80 0D base 128\n"
                                       "FF 00 82 0D base 130\n"
                                       "FF 00 82 0D base 130\n"
                                       "FF 04 7D 0D grip 125\n"
                                       "FF 02 28 0D elbow 40\n"
                                       "FF 02 28 0D elbow 40\n"
                                       "FF 00 82 0D base 130\n"
                                       "FF 04 7D 0D grip 125\n"
                                       "FF 02 28 0D elbow 40\n"));

        // Played until stopped, into a reader that goes away: it ends as a program does that
        // writes into a closed pipe.
        QProcess endless;
        endless.start("bash", {"-c", "\"$0\" \"$@\" | head -n 3 >/dev/null; echo ${PIPESTATUS[0]}",
                               KESTREL_PLAY_BINARY, "--config-dir", own.path(), "--dry-run",
                               "--loops", "0", motion("0 , 0\r\n0 , 130\r\n0 , 131\r\n")});
        QVERIFY(endless.waitForFinished(30000));
        QCOMPARE(endless.readAllStandardOutput().trimmed(), QByteArray::number(128 + SIGPIPE));
    }
};

QTEST_GUILESS_MAIN(TestPlayProcess)
#include "test_play_process.moc"
