// kestrel-demo as a newcomer meets it: the simulated arm and Kestrel in a configuration folder of
// their own. Its first run starts with the robotini.txt that "Save Configuration" writes for the
// defaults, so Kestrel goes straight on to the arm (it takes the port, which it does only after
// the configuration step, where the missing-file message would wait for OK). A file the folder
// already has, or a link in its place, is left alone, and the user's own folder is never
// touched.

#include "core/link/serial_port.h"
#include "support/files.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>
#include <csignal>
#include <sys/types.h>

namespace {

// The process whose parent is `parent` and whose program is `program`, or 0.
pid_t childRunning(pid_t parent, const QString &program)
{
    const QString wanted = QFileInfo(program).canonicalFilePath();
    const QStringList entries = QDir(QStringLiteral("/proc")).entryList(QDir::Dirs);
    for (const QString &entry : entries) {
        bool number = false;
        const pid_t pid = pid_t(entry.toInt(&number));
        if (!number)
            continue;
        QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
        if (!stat.open(QIODevice::ReadOnly))
            continue;
        // "pid (name) state ppid ...": the name may hold blanks, so count from its end.
        const QByteArray line = stat.readAll();
        const QList<QByteArray> rest = line.mid(line.lastIndexOf(')') + 2).split(' ');
        if (rest.size() < 2 || rest[1].toInt() != parent)
            continue;
        if (QFileInfo(QStringLiteral("/proc/%1/exe").arg(pid)).canonicalFilePath() == wanted)
            return pid;
    }
    return 0;
}

// Whether the process `pid` has a handler of its own for the signal.
bool catches(pid_t pid, int signal)
{
    QFile status(QStringLiteral("/proc/%1/status").arg(pid));
    if (pid <= 0 || !status.open(QIODevice::ReadOnly))
        return false;
    for (const QByteArray &line : status.readAll().split('\n')) {
        if (!line.startsWith("SigCgt:"))
            continue;
        bool ok = false;
        const qulonglong mask = line.mid(7).trimmed().toULongLong(&ok, 16);
        return ok && (mask >> (signal - 1)) & 1;
    }
    return false;
}

// Whether the process `pid` holds the lock of the port that `link` leads to. A lock file that
// another process left for the same device, long gone, must not count.
bool holdsPort(const QString &link, pid_t pid)
{
    const QString device = QFileInfo(link).canonicalFilePath();
    if (device.isEmpty() || pid <= 0)
        return false;
    qint64 holder = 0;
    QString host, program;
    return QLockFile(SerialPort::lockFile(device)).getLockInfo(&holder, &host, &program) &&
           holder == pid;
}

// One run of kestrel-demo, with a cache folder and a user's configuration folder of its own.
class Demo {
public:
    Demo()
    {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CACHE_HOME", cache.path());
        env.insert("XDG_CONFIG_HOME", user.path());
        env.insert("QT_QPA_PLATFORM", "offscreen");
        env.insert("ASAN_OPTIONS", "detect_leaks=0");
        launcher.setProcessEnvironment(env);
        launcher.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    }
    ~Demo()
    {
        // Whatever the test did, nothing it started outlives it: with Kestrel gone the launcher
        // ends and stops the simulator, which is stopped here too should the launcher not.
        if (launcher.state() == QProcess::NotRunning)
            return;
        const pid_t sim = childRunning(pid_t(launcher.processId()), KESTREL_SIM_BINARY);
        if (kestrel > 0)
            ::kill(kestrel, SIGKILL);
        if (!launcher.waitForFinished(10000)) {
            launcher.kill();
            launcher.waitForFinished(5000);
        }
        if (sim > 0)
            ::kill(sim, SIGKILL);
    }

    QString folder() const { return cache.filePath("kestrel-demo/kestrel"); }
    QString file() const { return folder() + "/robotini.txt"; }

    bool start()
    {
        launcher.start(KESTREL_DEMO, {});
        return launcher.waitForStarted();
    }
    // Kestrel has been started by the launcher and handles the signals that the launcher
    // passes on to it.
    bool kestrelStarted()
    {
        if (kestrel <= 0)
            kestrel = childRunning(pid_t(launcher.processId()), KESTREL_BINARY);
        return catches(kestrel, SIGTERM);
    }
    // Ends the demo as a desktop session would, and gives its exit status (-1: it did not end).
    int terminate()
    {
        ::kill(pid_t(launcher.processId()), SIGTERM);
        if (!launcher.waitForFinished(30000) || launcher.exitStatus() != QProcess::NormalExit)
            return -1;
        return launcher.exitCode();
    }

    QTemporaryDir cache;
    QTemporaryDir user;
    QProcess launcher;
    pid_t kestrel = 0;
};

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::System |
                                  QDir::NoDotAndDotDot);
}

QByteArray golden()
{
    return readAll(QStringLiteral(KESTREL_TEST_DATA "/config_default.txt"));
}

} // namespace

class TestDemo : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void theFirstRunOpensOnTheArm()
    {
        QVERIFY(!golden().isEmpty());
        // The file the demo starts with is the one the build made with the program's writer.
        QCOMPARE(readAll(KESTREL_DEMO_CONFIG_FILE), golden());

        Demo demo;
        QVERIFY(demo.start());
        QTRY_VERIFY_WITH_TIMEOUT(demo.kestrelStarted(), 15000);
        // Kestrel takes the simulator's port: no message held it at the configuration step.
        QTRY_VERIFY_WITH_TIMEOUT(holdsPort(demo.folder() + "/COM1", demo.kestrel), 15000);
        QCOMPARE(readAll(demo.file()), golden());
        // The user's own configuration folder is never made, let alone written.
        QVERIFY(entries(demo.user.path()).isEmpty());
        QCOMPARE(demo.terminate(), 0);
        // Only the file is left: no temporary copy, and the simulator took its link with it.
        QCOMPARE(entries(demo.folder()), QStringList{"robotini.txt"});
    }

    void aFileOfItsOwnIsKept()
    {
        Demo demo;
        QVERIFY(QDir().mkpath(demo.folder()));
        const QByteArray own = "======== Velmora ==========\r\nMOTOR4= 60       'Grip\r\n";
        QVERIFY(writeFile(demo.file(), own));
        QVERIFY(demo.start());
        QTRY_VERIFY_WITH_TIMEOUT(demo.kestrelStarted(), 15000);
        QTRY_VERIFY_WITH_TIMEOUT(holdsPort(demo.folder() + "/COM1", demo.kestrel), 15000);
        QCOMPARE(demo.terminate(), 0);
        QCOMPARE(readAll(demo.file()), own);
    }

    void aLinkInItsPlaceIsNotWrittenThrough()
    {
        // A link that leads nowhere yet: copying onto it would make a file where it leads.
        Demo demo;
        QVERIFY(QDir().mkpath(demo.folder()));
        const QString target = demo.user.filePath("elsewhere.txt");
        QVERIFY(QFile::link(target, demo.file()));
        QVERIFY(demo.start());
        QTRY_VERIFY_WITH_TIMEOUT(demo.kestrelStarted(), 15000);
        // Kestrel finds no file and waits at the missing-file message; the signal ends it.
        QCOMPARE(demo.terminate(), 0);
        QVERIFY(QFileInfo(demo.file()).isSymLink());
        QVERIFY(!QFileInfo::exists(target));
    }
};

QTEST_GUILESS_MAIN(TestDemo)
#include "test_demo.moc"
