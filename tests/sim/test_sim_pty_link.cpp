// The simulator's published port: a raw pseudo-terminal linked as COMn, which never replaces a
// path it did not make and takes only its own link away.

#include "sim/core/pty_link.h"

#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QTest>

#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

using sim::PtyLink;

namespace {

// Reads what is there within a short wait; the terminal hands bytes over at once.
QByteArray readSome(int fd, int waitMs = 200)
{
    QByteArray out;
    pollfd p{fd, POLLIN, 0};
    while (::poll(&p, 1, out.isEmpty() ? waitMs : 20) > 0 && (p.revents & POLLIN)) {
        char buf[256];
        const ssize_t n = ::read(fd, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, int(n));
    }
    return out;
}

bool writeAll(int fd, const QByteArray &bytes)
{
    return ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

} // namespace

class TestSimPtyLink : public QObject {
    Q_OBJECT
private slots:
    void publishesARawTerminalAndTakesItAway();
    void masterSeesNoHangUpBetweenOpens();
    void refusesAnExistingPath_data();
    void refusesAnExistingPath();
    void leavesALinkSomeoneElseRemade();
    void badFolderOrPort();
};

void TestSimPtyLink::publishesARawTerminalAndTakesItAway()
{
    QTemporaryDir tmp;
    QVERIFY(tmp.isValid());
    const QString folder = tmp.filePath(QStringLiteral("home/.config/kestrel")); // missing
    QString linkPath;
    {
        PtyLink::Opened opened = PtyLink::publish(folder, 2);
        QVERIFY2(opened.link, qPrintable(opened.error));
        linkPath = opened.link->linkPath();
        QCOMPARE(linkPath, folder + QStringLiteral("/COM2"));
        const QFileInfo info(linkPath);
        QVERIFY(info.isSymLink());
        // Through this process's descriptor of the terminal, a path that goes with the process.
        QCOMPARE(info.symLinkTarget(), opened.link->target());
        QVERIFY2(QRegularExpression(QStringLiteral("^/proc/%1/fd/[0-9]+$").arg(::getpid()))
                     .match(opened.link->target())
                     .hasMatch(),
                 qPrintable(opened.link->target()));
        QCOMPARE(info.canonicalFilePath(), opened.link->slavePath());
        QVERIFY(opened.link->slavePath().startsWith(QLatin1String("/dev/pts/")));

        const int port = ::open(QFile::encodeName(linkPath).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(port >= 0);
        QVERIFY(::isatty(port));
        // Bytes pass unchanged both ways: no CR/LF translation, and nothing the master writes
        // comes back to it, which the program would take for a modem's echo.
        const QByteArray frame("\xFF\x01\x0D\x0D\x0A", 5);
        QVERIFY(writeAll(port, frame));
        QCOMPARE(readSome(opened.link->masterFd()), frame);
        QVERIFY(writeAll(opened.link->masterFd(), QByteArray("B\r")));
        QCOMPARE(readSome(port), QByteArray("B\r"));
        QCOMPARE(readSome(opened.link->masterFd(), 50), QByteArray());
        ::close(port);
    }
    QVERIFY(!QFileInfo::exists(linkPath));
    QVERIFY(!QFileInfo(linkPath).isSymLink());
    QVERIFY(QFileInfo(folder).isDir());
}

void TestSimPtyLink::masterSeesNoHangUpBetweenOpens()
{
    QTemporaryDir tmp;
    PtyLink::Opened opened = PtyLink::publish(tmp.path(), 1);
    QVERIFY2(opened.link, qPrintable(opened.error));
    const QByteArray path = QFile::encodeName(opened.link->linkPath());
    for (int round = 0; round < 2; ++round) {
        const int port = ::open(path.constData(), O_RDWR | O_NOCTTY);
        QVERIFY(port >= 0);
        QVERIFY(writeAll(port, QByteArray("\xFF\x00\x7F\x0D", 4)));
        ::close(port);
        QCOMPARE(readSome(opened.link->masterFd()), QByteArray("\xFF\x00\x7F\x0D", 4));
        // With nobody else holding the slave, this read would fail with EIO (a hang-up).
        char c;
        QCOMPARE(::read(opened.link->masterFd(), &c, 1), ssize_t(-1));
        QCOMPARE(errno, EAGAIN);
    }
}

void TestSimPtyLink::refusesAnExistingPath_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("a file") << QStringLiteral("file");
    QTest::newRow("a link to a device") << QStringLiteral("link");
    QTest::newRow("a link to nothing") << QStringLiteral("dangling");
    QTest::newRow("a folder") << QStringLiteral("folder");
}

void TestSimPtyLink::refusesAnExistingPath()
{
    QFETCH(QString, kind);
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("COM1"));
    if (kind == QLatin1String("file")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::WriteOnly));
        f.write("mine");
    } else if (kind == QLatin1String("link")) {
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(QFile::link(tmp.filePath(QStringLiteral("gone")), path));
    } else {
        QVERIFY(QDir(tmp.path()).mkdir(QStringLiteral("COM1")));
    }

    {
        PtyLink::Opened opened = PtyLink::publish(tmp.path(), 1);
        QVERIFY(!opened.link);
        QVERIFY2(opened.error.contains(path), qPrintable(opened.error));
        QVERIFY2(opened.error.contains(QLatin1String("exists")), qPrintable(opened.error));
    }

    // Untouched, also after the failed attempt has been cleaned up.
    const QFileInfo info(path);
    if (kind == QLatin1String("file")) {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), QByteArray("mine"));
    } else if (kind == QLatin1String("link")) {
        QCOMPARE(info.symLinkTarget(), QStringLiteral("/dev/null"));
    } else if (kind == QLatin1String("dangling")) {
        QVERIFY(info.isSymLink());
        QCOMPARE(info.symLinkTarget(), tmp.filePath(QStringLiteral("gone")));
    } else {
        QVERIFY(info.isDir());
    }
}

void TestSimPtyLink::leavesALinkSomeoneElseRemade()
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("COM3"));
    {
        PtyLink::Opened opened = PtyLink::publish(tmp.path(), 3);
        QVERIFY2(opened.link, qPrintable(opened.error));
        // The user points COM3 at a real adapter while the simulator still runs.
        QVERIFY(QFile::remove(path));
        QVERIFY(QFile::link(QStringLiteral("/dev/null"), path));
    }
    QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/null"));
}

void TestSimPtyLink::badFolderOrPort()
{
    QTemporaryDir tmp;
    QFile blocker(tmp.filePath(QStringLiteral("plain")));
    QVERIFY(blocker.open(QIODevice::WriteOnly));
    blocker.close();

    PtyLink::Opened underFile =
        PtyLink::publish(blocker.fileName() + QStringLiteral("/kestrel"), 1);
    QVERIFY(!underFile.link);
    QVERIFY2(underFile.error.contains(QLatin1String("Cannot create the folder")),
             qPrintable(underFile.error));

    PtyLink::Opened portZero = PtyLink::publish(tmp.path(), 0);
    QVERIFY(!portZero.link);
    QVERIFY2(portZero.error.contains(QLatin1String("1 or more")), qPrintable(portZero.error));
    QVERIFY(!QFileInfo(tmp.filePath(QStringLiteral("COM0"))).isSymLink());
}

QTEST_GUILESS_MAIN(TestSimPtyLink)
#include "test_sim_pty_link.moc"
