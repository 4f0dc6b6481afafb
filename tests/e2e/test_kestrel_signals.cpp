// Kestrel ended by a signal: a real process, offscreen, on a pseudo-terminal, signalled in the
// middle of its start-up homing walk (long here, five axes from end to end), so that no window
// has to be driven. The walk ends within one step, no frame is cut, the port's lock is gone,
// and the next user of the port opens it at once.

#include "core/link/serial_port.h"
#include "support/files.h"
#include "support/pty.h"
#include "support/signal_stop.h"

#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <pwd.h>
#include <unistd.h>

namespace {

const QByteArray longWalk = "======== Velmora ==========\r\n"
                            "MOTOR4= 0\r\nMOTOR3= 255\r\nMOTOR2= 0\r\nMOTOR1= 255\r\nMOTOR0= 0\r\n";

// A configuration folder under `top` whose COM1 leads to the terminal.
QString configFor(const QString &top, const Pty &pty, const QByteArray &robotini)
{
    const QString config = top + QStringLiteral("/kestrel");
    if (!QDir().mkpath(config) || !pty.linkAs(config + QStringLiteral("/COM1")) ||
        !writeFile(config + QStringLiteral("/robotini.txt"), robotini))
        return {};
    return config;
}

void startKestrel(QProcess &p, const QString &top, const QStringList &before = {})
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert("XDG_CONFIG_HOME", top);
    env.insert("QT_QPA_PLATFORM", "offscreen");
    env.insert("ASAN_OPTIONS", "detect_leaks=0");
    p.setProcessEnvironment(env);
    QStringList command = before + QStringList{KESTREL_BINARY};
    p.start(command.takeFirst(), command);
}

// Kestrel started on a held terminal, with the long walk.
struct Started {
    QTemporaryDir top;
    Pty pty;
    QProcess kestrel;

    Started()
    {
        if (pty.ok() && pty.holdSlave() && !configFor(top.path(), pty, longWalk).isEmpty())
            startKestrel(kestrel, top.path());
    }
    bool ok() { return kestrel.waitForStarted(); }
};

} // namespace

class KestrelSignals : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void aSignalEndsTheWalkCleanly_data()
    {
        QTest::addColumn<int>("signal");
        QTest::addColumn<int>("status");
        QTest::newRow("SIGTERM") << int(SIGTERM) << 0;
        QTest::newRow("SIGINT") << int(SIGINT) << 130;
        QTest::newRow("SIGHUP") << int(SIGHUP) << 0;
    }

    void aSignalEndsTheWalkCleanly()
    {
        QFETCH(int, signal);
        QFETCH(int, status);

        Started k;
        QVERIFY2(k.ok(), "Kestrel did not start on its terminal");
        Pty &pty = k.pty;
        QProcess &kestrel = k.kestrel;

        // The probe, four centring frames and some 40 frames of the grip's walk.
        const SignalStop s = stopAfter(pty, kestrel, 1 + 16 + 160, {signal});
        QCOMPARE(s.status, status);
        // The walk writes one frame a step.
        QVERIFY2(s.after.size() <= 4, s.after.toHex(' ').constData());
        bool whole = false;
        const QList<frame::Frame> frames = framesAfterProbe(s.before + s.after, &whole);
        QVERIFY2(whole, (s.before + s.after).toHex(' ').constData());
        // It ended in the grip's walk: 127 frames from 127 down to 0.
        QVERIFY(frames.size() < 4 + 127);
        QCOMPARE(frames.last().channel, 4);
        const QString lock = SerialPort::lockFile(QFileInfo(pty.slavePath()).canonicalFilePath());
        QVERIFY2(!QFileInfo::exists(lock), qPrintable(lock));

        if (signal == SIGTERM)
            theNextUserOpensThePortAtOnce(pty);
    }

    void aSignalClosesAnOpenMessage()
    {
        // The port echoes the probe: the "VM Warning" message waits for OK when the signal
        // comes. Kestrel leaves it, and ends.
        Started k;
        QVERIFY2(k.ok(), "Kestrel did not start on its terminal");
        Pty &pty = k.pty;
        QProcess &kestrel = k.kestrel;
        QCOMPARE(pty.readCount(1), QByteArray("B"));
        pty.write("B");
        ::kill(kestrel.processId(), SIGTERM);
        QVERIFY(kestrel.waitForFinished(30000));
        QCOMPARE(kestrel.exitStatus(), QProcess::NormalExit);
        QCOMPARE(kestrel.exitCode(), 0);
        // After an echo nothing moves.
        QCOMPARE(lineSoFar(pty), QByteArray());
    }

private:
    // Another user, given the terminal, starts Kestrel on it: the probe arrives, so the port
    // opened, and no lock stood in the way.
    void theNextUserOpensThePortAtOnce(Pty &pty)
    {
        if (::geteuid() != 0)
            return; // only root can run a second program as another user
        if (QStandardPaths::findExecutable("setpriv").isEmpty())
            QSKIP("setpriv is not installed");
        const passwd *nobody = ::getpwnam("nobody");
        QVERIFY(nobody);
        const QByteArray slave = QFile::encodeName(pty.slavePath());
        QVERIFY(::chown(slave.constData(), nobody->pw_uid, gid_t(-1)) == 0);

        QTemporaryDir top(QDir::tempPath() + "/kestrel-signals-XXXXXX");
        const QString config = configFor(top.path(), pty, "======== Velmora ==========\r\n");
        QVERIFY(!config.isEmpty());
        for (const QString &d : {top.path(), config})
            QVERIFY(QFile::setPermissions(d, QFile::permissions(d) | QFile::ReadOther |
                                                 QFile::ExeOther));
        QProcess other;
        startKestrel(other, top.path(),
                     {"setpriv", "--reuid=nobody", "--regid=nogroup", "--clear-groups"});
        QVERIFY(other.waitForStarted());
        QCOMPARE(pty.readCount(1), QByteArray("B"));
        ::kill(other.processId(), SIGTERM);
        QVERIFY(other.waitForFinished(30000));
        QCOMPARE(other.exitCode(), 0);
    }
};

QTEST_GUILESS_MAIN(KestrelSignals)
#include "test_kestrel_signals.moc"
