#include "core/edit/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <climits>

namespace recovery {

namespace {

// The file's first line; a file written by a later format is not guessed at.
const QByteArray header = QByteArrayLiteral("kestrel-edit snapshot 1");
const QByteArray endLine = QByteArrayLiteral("end");

QString snapshotPath(const QString &folder)
{
    return folder + QStringLiteral("/edit-snapshot.txt");
}

std::optional<qint64> number(const QByteArray &text)
{
    bool ok = false;
    const qint64 n = text.toLongLong(&ok);
    // toLongLong takes blanks around the digits and a sign; only plain decimals are ours.
    if (!ok || text.isEmpty() || text.trimmed() != text || text.startsWith('+'))
        return std::nullopt;
    return n;
}

// "key value" with exactly that key.
std::optional<QByteArray> field(const QByteArray &line, const char *key)
{
    const QByteArray prefix = QByteArray(key) + ' ';
    if (!line.startsWith(prefix))
        return std::nullopt;
    return line.mid(prefix.size());
}

std::optional<qint64> numberField(const QByteArray &line, const char *key)
{
    const auto value = field(line, key);
    return value ? number(*value) : std::nullopt;
}

} // namespace

QString stateFolder()
{
    // A relative XDG_STATE_HOME is invalid and is to be ignored, as an empty one is.
    const QString set = qEnvironmentVariable("XDG_STATE_HOME");
    const QString base = !set.isEmpty() && QDir::isAbsolutePath(set)
                             ? set
                             : QDir::homePath() + QStringLiteral("/.local/state");
    return QDir::cleanPath(base + QStringLiteral("/kestrel"));
}

SaveResult save(const QString &folder, const Snapshot &s)
{
    // Private to the user, as the state folder is meant to be: it holds their work.
    if (!QFileInfo::exists(folder)) {
        if (!QDir().mkpath(folder))
            return {false, QStringLiteral("the folder %1 cannot be created").arg(folder)};
        QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    QByteArray text;
    text.reserve(64 + qsizetype(s.records.size()) * 9);
    text += header + '\n';
    // Percent-encoded, so that a name with a line break in it stays on its line.
    text += "file " + s.file.toUtf8().toPercentEncoding() + '\n';
    text += "undo " + QByteArray::number(s.undoIndex) + '\n';
    text += "clean " + QByteArray::number(s.cleanIndex) + '\n';
    text += "records " + QByteArray::number(qulonglong(s.records.size())) + '\n';
    for (const Step &step : s.records)
        text += QByteArray::number(step.channel) + ' ' + QByteArray::number(step.position) + '\n';
    // A file cut short lacks this line; the count above catches one cut between records.
    text += endLine + '\n';
    return saveWhole(snapshotPath(folder), text, false);
}

std::optional<Snapshot> load(const QString &folder)
{
    const QString path = snapshotPath(folder);
    if (!QFileInfo::exists(path))
        return std::nullopt;
    const LoadResult loaded = loadWhole(path);
    if (!loaded.ok || !loaded.bytes.endsWith('\n'))
        return std::nullopt;
    QList<QByteArray> lines = loaded.bytes.split('\n');
    lines.removeLast(); // after the last line break
    if (lines.size() < 6 || lines.first() != header || lines.last() != endLine)
        return std::nullopt;

    Snapshot s;
    const auto file = field(lines[1], "file");
    const auto undo = numberField(lines[2], "undo");
    const auto clean = numberField(lines[3], "clean");
    const auto count = numberField(lines[4], "records");
    if (!file || !undo || !clean || !count || *undo < 0 || *undo > INT_MAX || *clean < -1 ||
        *clean > INT_MAX || *count != lines.size() - 6)
        return std::nullopt;
    s.file = QString::fromUtf8(QByteArray::fromPercentEncoding(*file));
    s.undoIndex = int(*undo);
    s.cleanIndex = int(*clean);
    s.records.reserve(std::size_t(*count));
    for (qsizetype i = 5; i < lines.size() - 1; ++i) {
        const QList<QByteArray> pair = lines[i].split(' ');
        if (pair.size() != 2)
            return std::nullopt;
        const auto channel = number(pair[0]);
        const auto position = number(pair[1]);
        if (!channel || !position || *channel < 0 || *channel > 255 || *position < 0 ||
            *position > 255)
            return std::nullopt;
        s.records.push_back(Step{qint16(*channel), qint16(*position)});
    }
    return s;
}

void discard(const QString &folder)
{
    QFile::remove(snapshotPath(folder));
}

} // namespace recovery
