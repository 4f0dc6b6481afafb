// Saving the configuration and movement files where the file system says no: a folder that
// cannot be written, a file that cannot be replaced, a disk that fills part-way through. The
// tests run as root in CI, and permission bits do not stop root, so the obstacles are ones that
// do: the immutable attribute and a small memory disk mounted for the test.

#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QApplication>
#include <QDir>
#include <QPushButton>
#include <QtTest>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <linux/fs.h>
#include <sched.h>
#include <sys/ioctl.h>
#include <sys/mount.h>
#include <sys/statvfs.h>
#include <unistd.h>

namespace {

// Whether this process has mounts of its own (set up in main); only then does a test mount.
bool privateMounts = false;

const QChar cr(13);

QByteArray contents(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArrayLiteral("<unreadable>");
}

QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

bool setImmutable(const QString &path, bool on)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return false;
    int flags = 0;
    bool ok = ::ioctl(fd, FS_IOC_GETFLAGS, &flags) == 0;
    if (ok) {
        flags = on ? flags | FS_IMMUTABLE_FL : flags & ~FS_IMMUTABLE_FL;
        ok = ::ioctl(fd, FS_IOC_SETFLAGS, &flags) == 0;
    }
    ::close(fd);
    return ok;
}

qint64 freeBytes(const QString &folder)
{
    struct statvfs s {};
    if (::statvfs(QFile::encodeName(folder).constData(), &s) != 0)
        return -1;
    return qint64(s.f_bavail) * qint64(s.f_frsize);
}

// One obstacle on a path, taken away again when the test ends however it ends.
class Obstacle {
public:
    enum Kind { ReadOnlyFolder, FixedFile, FullDisk };

    ~Obstacle() { remove(); }

    // Makes nothing in the folder creatable, renamable or removable, even for root.
    QString makeImmutable(const QString &path)
    {
        if (!setImmutable(path, true))
            return QStringLiteral("the immutable attribute cannot be set on %1 (%2)")
                .arg(path, QString::fromLocal8Bit(strerror(errno)));
        m_immutable = path;
        return {};
    }

    // A small memory disk on the (empty) folder.
    QString mountSmallDisk(const QString &folder)
    {
        if (!privateMounts)
            return QStringLiteral(
                "this process cannot mount a file system of its own (not root, or "
                "no mount namespace)");
        if (::mount("tmpfs", QFile::encodeName(folder).constData(), "tmpfs", MS_NOSUID | MS_NODEV,
                    "size=64k,mode=0755") != 0)
            return QStringLiteral("a small disk cannot be mounted here (%1)")
                .arg(QString::fromLocal8Bit(strerror(errno)));
        m_mount = folder;
        return {};
    }

    // Fills the disk until `keep` bytes are free.
    bool fill(qint64 keep)
    {
        m_filler = m_mount + QStringLiteral("/filler");
        QFile f(m_filler);
        const qint64 n = freeBytes(m_mount) - keep;
        return n >= 0 && f.open(QIODevice::WriteOnly) && f.write(QByteArray(n, 'x')) == n &&
               f.flush() && freeBytes(m_mount) == keep;
    }

    void remove()
    {
        if (!m_immutable.isEmpty())
            setImmutable(m_immutable, false);
        m_immutable.clear();
        if (!m_filler.isEmpty())
            QFile::remove(m_filler);
        m_filler.clear();
    }

    void unmount()
    {
        if (!m_mount.isEmpty())
            ::umount2(QFile::encodeName(m_mount).constData(), MNT_DETACH);
        m_mount.clear();
    }

private:
    QString m_immutable;
    QString m_mount;
    QString m_filler;
};

struct Mounted {
    Obstacle &o;
    ~Mounted() { o.unmount(); }
};

void record(robot &w, int steps)
{
    w.press(ui(w).Command3);
    for (int i = 0; i < steps; ++i)
        ui(w).HScroll1->setValueTo(20 + i % 200);
    w.press(ui(w).Command4);
}

} // namespace

class FileFaults : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase() { look::setUpApplication(); }

    void aSaveThatCannotBeWrittenKeepsTheOldFile_data()
    {
        QTest::addColumn<QString>("file");
        QTest::addColumn<int>("obstacle");
        QTest::newRow("configuration, folder cannot be written")
            << "config" << int(Obstacle::ReadOnlyFolder);
        QTest::newRow("configuration, file cannot be replaced")
            << "config" << int(Obstacle::FixedFile);
        QTest::newRow("configuration, disk full") << "config" << int(Obstacle::FullDisk);
        QTest::newRow("movement, folder cannot be written")
            << "movement" << int(Obstacle::ReadOnlyFolder);
        QTest::newRow("movement, file cannot be replaced")
            << "movement" << int(Obstacle::FixedFile);
        QTest::newRow("movement, disk fills part-way") << "movement" << int(Obstacle::FullDisk);
    }
    void aSaveThatCannotBeWrittenKeepsTheOldFile()
    {
        QFETCH(QString, file);
        QFETCH(int, obstacle);
        const bool config = file == QLatin1String("config");

        RobotHarness h;
        const QString folder =
            config ? h.folders().config : h.dir.filePath(QStringLiteral("motions"));
        QVERIFY(QDir().mkpath(folder));
        const QString path =
            config ? h.folders().configFile() : folder + QStringLiteral("/arm.kmv");
        Obstacle o;
        Mounted mounted{o};
        if (obstacle == Obstacle::FullDisk) {
            const QString why = o.mountSmallDisk(folder);
            if (!why.isEmpty())
                QSKIP(qPrintable(why));
            if (config) {
                QFile f(path);
                QVERIFY(f.open(QIODevice::WriteOnly));
                f.write(RobotHarness::defaultConfig());
            }
        }
        robot &w = h.start();

        // A save that works first, so the old file is one this program wrote.
        const auto save = [&] {
            if (config)
                ui(w).SaveCon->trigger();
            else
                ui(w).Save_men->trigger();
        };
        if (config) {
            QVERIFY(ui(w).HScroll2->setValueTo(50));
        } else {
            record(w, 10);
            h.dialogs.savePaths << path;
            ui(w).Saveas_men->trigger();
        }
        save();
        QVERIFY2(h.dialogs.shown.isEmpty(), qPrintable(h.dialogs.shown.value(0).text));
        const QByteArray old = contents(path);
        QVERIFY(old.size() > 100);
        const QStringList oldEntries = entries(folder);

        // Then a change, and the same save when the file system refuses it. The movement grows
        // to about 12 KB, more than the disk has left after the old file and one page.
        QString why;
        if (obstacle == Obstacle::ReadOnlyFolder)
            why = o.makeImmutable(folder);
        else if (obstacle == Obstacle::FixedFile)
            why = o.makeImmutable(path);
        else
            QVERIFY(o.fill(config ? 0 : 4096));
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        if (config)
            QVERIFY(ui(w).VScroll1->setValueTo(200));
        else
            record(w, 1000);
        const auto homes = w.session().configuration().home;
        save();

        QCOMPARE(h.dialogs.shown.size(), 1);
        const auto message = h.dialogs.shown.first();
        const QStringList lines = message.text.split(cr);
        QVERIFY2(lines.size() >= 2 &&
                     lines[0].contains(QLatin1Char('\'') + path + QLatin1Char('\'')) &&
                     !lines[1].trimmed().isEmpty(),
                 qPrintable(message.text));
        QCOMPARE(message.icon, Dialogs::Icon::Critical);
        // The old file is as it was, and nothing half-written is left beside it.
        QCOMPARE(contents(path), old);
        o.remove();
        QCOMPARE(entries(folder), oldEntries);
        // The homes only follow a configuration that was saved.
        if (config) {
            QVERIFY(w.session().configuration().home == homes);
            QCOMPARE(w.session().configuration().home[axes::Shoulder], 127.0);
        }

        // Once the obstacle is gone, the same save goes through.
        save();
        QCOMPARE(h.dialogs.shown.size(), 1);
        const QByteArray now = contents(path);
        QVERIFY(now != old);
        if (config)
            QVERIFY(now.contains("MOTOR1= 200 "));
        else
            QCOMPARE(now.count("\r\n"), w.session().stepBuffer().stepCount());
    }

    void saveAsIntoAFolderThatCannotBeWritten()
    {
        RobotHarness h;
        robot &w = h.start();
        const QString folder = h.dir.filePath(QStringLiteral("motions"));
        QVERIFY(QDir().mkpath(folder));
        Obstacle o;
        const QString why = o.makeImmutable(folder);
        if (!why.isEmpty())
            QSKIP(qPrintable(why));
        record(w, 10);
        const QString path = folder + QStringLiteral("/new.kmv");
        h.dialogs.savePaths << path;
        ui(w).Saveas_men->trigger();
        QCOMPARE(h.dialogs.shown.size(), 1);
        QVERIFY2(h.dialogs.shown[0].text.startsWith(
                     QStringLiteral("Cannot save the movement file '") + path + "'"),
                 qPrintable(h.dialogs.shown[0].text));
        QVERIFY(entries(folder).isEmpty());
        // The steps are still there to be saved elsewhere.
        QCOMPARE(w.session().stepBuffer().stepCount(), 11);
        QVERIFY(ui(w).Saveas_men->isEnabled());
    }
};

int main(int argc, char *argv[])
{
    // Mounts of this process's own, made while it still has one thread: a disk a test mounts
    // is seen by no other program and goes away with this process, however it ends.
    privateMounts = ::unshare(CLONE_NEWNS) == 0 &&
                    ::mount(nullptr, "/", nullptr, MS_REC | MS_PRIVATE, nullptr) == 0;
    QApplication app(argc, argv);
    FileFaults test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}

#include "test_faults_files.moc"
