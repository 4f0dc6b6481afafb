#include "core/store/save_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <algorithm>
#include <sys/stat.h>

namespace {

QString orFallback(const QString &reason, const char *fallback)
{
    return reason.isEmpty() ? QString::fromLatin1(fallback) : reason;
}

SaveResult saveFailure(const QString &reason)
{
    return {false, reason};
}

LoadResult loadFailure(const QString &reason)
{
    return {false, {}, reason};
}

// What stands in the way of a save at path before a byte is written; empty when nothing does.
QString obstacle(const QString &path, bool createFolder)
{
    const QFileInfo info(path);
    if (info.isDir())
        return QStringLiteral("a folder of that name is in the way");
    // The save writes a new file and renames it over the old one, which would put a plain file
    // where a pipe or a device (a serial adapter, /dev/null) was. A symbolic link is followed
    // here, as QSaveFile follows it: a link to an ordinary file is written through, a link to
    // anything else is refused, and a dangling one names the file the save creates.
    if (info.exists() && !info.isFile())
        return QStringLiteral("it is not an ordinary file");
    if (createFolder && !QDir().mkpath(info.absolutePath()))
        return QStringLiteral("the folder %1 cannot be created").arg(info.absolutePath());
    return {};
}

} // namespace

SaveResult saveWhole(const QString &path, const QByteArray &bytes, bool createFolder)
{
    if (const QString reason = obstacle(path, createFolder); !reason.isEmpty())
        return saveFailure(reason);

    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return saveFailure(orFallback(file.errorString(), "the file cannot be created"));

    // write() may accept fewer bytes than given (a full disk, a file-size limit); a cut file
    // must never replace a whole one.
    qint64 done = 0;
    while (done < bytes.size()) {
        const qint64 n = file.write(bytes.constData() + done, bytes.size() - done);
        if (n <= 0) {
            const QString reason =
                orFallback(file.errorString(), "the disk is full or the file is too large");
            file.cancelWriting();
            return saveFailure(reason);
        }
        done += n;
    }
    // The tail of the data may still sit in Qt's buffer. commit() flushes it too, but does not
    // report a failure of that flush (Qt 6.4 returns true and renames the cut file into
    // place), so flush here, where a short write is seen.
    if (!file.flush()) {
        const QString reason =
            orFallback(file.errorString(), "the disk is full or the file is too large");
        file.cancelWriting();
        return saveFailure(reason);
    }
    if (!file.commit())
        return saveFailure(
            orFallback(file.errorString(), "the disk is full or the file is too large"));
    return {true, {}};
}

bool sameFile(const QString &a, const QString &b)
{
    struct stat first {};
    struct stat second {};
    return ::stat(QFile::encodeName(a).constData(), &first) == 0 &&
           ::stat(QFile::encodeName(b).constData(), &second) == 0 &&
           first.st_dev == second.st_dev && first.st_ino == second.st_ino;
}

LoadResult loadWhole(const QString &path, qint64 maxBytes)
{
    const QFileInfo info(path);
    if (info.isDir())
        return loadFailure(QStringLiteral("it is a folder, not a file"));
    if (info.exists() && !info.isFile())
        return loadFailure(QStringLiteral("it is not an ordinary file"));
    if (info.exists() && info.size() > maxBytes)
        return loadFailure(QStringLiteral("the file is too large"));

    QFile file(path);
    if (!file.open(QIODevice::ReadOnly))
        return loadFailure(orFallback(file.errorString(), "the file cannot be opened"));
    // Read one byte past the expected size, so a file that grew after the size check is still
    // caught.
    QByteArray bytes = file.read(std::min(maxBytes, file.size()) + 1);
    if (file.error() != QFileDevice::NoError)
        return loadFailure(orFallback(file.errorString(), "the file cannot be read"));
    if (bytes.size() > maxBytes)
        return loadFailure(QStringLiteral("the file is too large"));
    return {true, bytes, {}};
}
