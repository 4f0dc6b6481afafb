#include "sim/core/pty_link.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {

QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}

bool pathTaken(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0;
}

QString takenMessage(const QString &path)
{
    return QStringLiteral("%1 exists already; kestrel-sim does not replace it. If it is a link "
                          "left behind by a simulator that was killed, remove it; otherwise "
                          "choose another --port or --config-dir.")
        .arg(path);
}

} // namespace

PtyLink::Opened PtyLink::publish(const QString &folder, int port)
{
    if (port < 1)
        return {nullptr, QStringLiteral("The port number must be 1 or more, not %1.").arg(port)};
    if (!QDir().mkpath(folder))
        return {nullptr, QStringLiteral("Cannot create the folder %1.").arg(folder)};

    std::unique_ptr<PtyLink> link(new PtyLink);
    link->m_linkPath = QDir(folder).absoluteFilePath(QStringLiteral("COM%1").arg(port));
    if (pathTaken(link->m_linkPath))
        return {nullptr, takenMessage(link->m_linkPath)};

    link->m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (link->m_master < 0 || ::grantpt(link->m_master) != 0 || ::unlockpt(link->m_master) != 0)
        return {nullptr, QStringLiteral("Cannot create a pseudo-terminal: %1.").arg(reason())};
    char name[128];
    if (::ptsname_r(link->m_master, name, sizeof name) != 0)
        return {nullptr, QStringLiteral("Cannot name the pseudo-terminal: %1.").arg(reason())};
    link->m_slavePath = QFile::decodeName(name);

    link->m_slave = ::open(name, O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (link->m_slave < 0)
        return {nullptr, QStringLiteral("Cannot open %1: %2.").arg(link->m_slavePath, reason())};
    // Raw, like a serial line: no echo (the program would take it for a modem), no line
    // editing, no character translation. The program sets 9600 8N1 itself when it opens.
    struct termios tio;
    if (::tcgetattr(link->m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(link->m_slave, TCSANOW, &tio);
    }

    const QByteArray target = QFile::encodeName(link->m_slavePath);
    if (::symlink(target.constData(), QFile::encodeName(link->m_linkPath).constData()) != 0) {
        if (errno == EEXIST)
            return {nullptr, takenMessage(link->m_linkPath)};
        return {nullptr,
                QStringLiteral("Cannot make the link %1: %2.").arg(link->m_linkPath, reason())};
    }
    return {std::move(link), QString()};
}

PtyLink::~PtyLink()
{
    unpublish();
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
}

void PtyLink::unpublish()
{
    if (m_linkPath.isEmpty() || m_slavePath.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_linkPath);
    char target[256];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
    if (n >= 0 && QFile::decodeName(QByteArray(target, int(n))) == m_slavePath)
        ::unlink(path.constData());
    m_linkPath.clear();
}

} // namespace sim
