#pragma once
// What the editor's tests read and write on disk: a movement file's text as Kestrel writes it,
// spelled out here rather than taken from the writer under test, and the recovery snapshots an
// editor keeps in its state folder.

#include "core/edit/recovery.h"
#include "core/motion/step_buffer.h"

#include <QByteArray>
#include <QDir>
#include <QString>
#include <map>
#include <vector>

// " channel , position " and CR LF, a record a line.
inline QByteArray movementText(const std::vector<Step> &records)
{
    QByteArray out;
    for (const Step &s : records)
        out +=
            ' ' + QByteArray::number(s.channel) + " , " + QByteArray::number(s.position) + " \r\n";
    return out;
}

// The snapshots that can be read, by file path.
inline std::map<QString, std::vector<Step>> recoverySnapshots(const QString &folder)
{
    std::map<QString, std::vector<Step>> found;
    const QDir dir(folder);
    for (const QString &name : dir.entryList({QStringLiteral("edit-*.snapshot")}, QDir::Files))
        if (const auto s = recovery::read(dir.filePath(name)))
            found[dir.filePath(name)] = s->records;
    return found;
}

// Their motions, in the order of their paths.
inline std::vector<std::vector<Step>> keptMotions(const QString &folder)
{
    std::vector<std::vector<Step>> kept;
    for (const auto &[path, records] : recoverySnapshots(folder))
        kept.push_back(records);
    return kept;
}
