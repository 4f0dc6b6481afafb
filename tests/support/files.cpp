#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <csignal>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

QByteArray readAll(const QString &path)
{
    QFile f(path);
    return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
}

bool writeFile(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

QString deviceToRefuse(const QString &folder)
{
    if (geteuid() != 0)
        return QStringLiteral("/dev/null");
    const QString node = QDir(folder).filePath(QStringLiteral("null-device"));
    if (mknod(qPrintable(node), S_IFCHR | 0666, makedev(1, 3)) != 0 && !QFileInfo(node).exists())
        qFatal("cannot make a device node in %s", qPrintable(folder));
    return node;
}

FileSizeLimit::FileSizeLimit(rlim_t bytes)
{
    getrlimit(RLIMIT_FSIZE, &m_saved);
    // Past the limit the kernel sends SIGXFSZ, which would end the test; ignored, the write
    // comes up short instead.
    m_savedHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = m_saved;
    limit.rlim_cur = bytes;
    m_ok = setrlimit(RLIMIT_FSIZE, &limit) == 0;
}

FileSizeLimit::~FileSizeLimit()
{
    setrlimit(RLIMIT_FSIZE, &m_saved);
    std::signal(SIGXFSZ, m_savedHandler);
}
