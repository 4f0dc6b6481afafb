#pragma once
// Whole-file reads and writes for the files the program keeps, with a reason on failure.

#include <QByteArray>
#include <QString>

struct SaveResult {
    bool ok = false;
    QString reason; // plain English, empty on success
};

// Replaces the file at path with bytes, all or nothing: the bytes go to a temporary file that
// takes the old file's place only once every byte is on disk, so a full disk or a size limit
// leaves the old file exactly as it was. With createFolder, a missing parent folder is made.
// Only an ordinary file is replaced: a folder, a device or a pipe at path (or at the end of the
// symbolic link path names) is refused with a reason and left as it is.
[[nodiscard]] SaveResult saveWhole(const QString &path, const QByteArray &bytes, bool createFolder);

// Whether both paths name one file on disk (the same device and inode), however each reaches
// it: another spelling, a hard link, a symbolic link. False when either does not exist.
[[nodiscard]] bool sameFile(const QString &a, const QString &b);

struct LoadResult {
    bool ok = false;
    QByteArray bytes;
    QString reason; // plain English, empty on success
};

// Files this program reads are small; anything larger than this was chosen by mistake.
inline constexpr qint64 loadLimit = 16 * 1024 * 1024;

// Reads the whole file. Only ordinary files are read: a folder, a device or a pipe (which could
// block or never end) is refused with a reason, and so is a file larger than maxBytes.
[[nodiscard]] LoadResult loadWhole(const QString &path, qint64 maxBytes = loadLimit);
