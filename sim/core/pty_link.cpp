#include "sim/core/pty_link.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>

#include <cerrno>
#include <cstring>
#include <sys/stat.h>
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

    if (!link->m_terminal.ok() || !link->m_terminal.holdSlave())
        return {nullptr, link->m_terminal.error()};

    link->m_target =
        QStringLiteral("/proc/%1/fd/%2").arg(qint64(::getpid())).arg(link->m_terminal.heldSlave());
    // Without /proc (not on Linux, or not mounted) the terminal is linked by its own name.
    if (QFileInfo(link->m_target).canonicalFilePath() != link->slavePath())
        link->m_target = link->slavePath();
    const QByteArray target = QFile::encodeName(link->m_target);
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
}

void PtyLink::unpublish()
{
    if (m_linkPath.isEmpty() || m_target.isEmpty())
        return;
    const QByteArray path = QFile::encodeName(m_linkPath);
    char target[256];
    const ssize_t n = ::readlink(path.constData(), target, sizeof target - 1);
    if (n >= 0 && QFile::decodeName(QByteArray(target, int(n))) == m_target)
        ::unlink(path.constData());
    m_linkPath.clear();
}

} // namespace sim
