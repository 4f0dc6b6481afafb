#include "core/edit/recovery.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QLockFile>
#include <QRandomGenerator>
#include <algorithm>
#include <climits>

namespace recovery {

namespace {

// The file's first line; a file written by a later format is not guessed at.
const QByteArray header = QByteArrayLiteral("kestrel-edit snapshot 1");
const QByteArray endLine = QByteArrayLiteral("end");

// edit-<id>.lock and edit-<id>.snapshot: the id ties a snapshot to the lock of the editor that
// writes it. It is random rather than the process id, which the system hands out again.
const QString namePrefix = QStringLiteral("edit-");
const QString lockSuffix = QStringLiteral(".lock");
const QString snapshotSuffix = QStringLiteral(".snapshot");

QString pathOf(const QString &folder, const QString &id, const QString &suffix)
{
    return folder + QLatin1Char('/') + namePrefix + id + suffix;
}

std::unique_ptr<QLockFile> lockFile(const QString &path)
{
    auto lock = std::make_unique<QLockFile>(path);
    // An editor holds its lock for hours, so the lock's age says nothing: it is stale only when
    // its process is gone (or the machine was restarted since), which QLockFile tells by the
    // process id, name and boot written in it.
    lock->setStaleLockTime(0);
    return lock;
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

QByteArray snapshotText(const Snapshot &s)
{
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
    return text;
}

// Oldest first, each replacing the one before: the newest is the one left to look into. A
// snapshot that cannot be moved is removed, so that it is not read again at the next start.
int setAside(const QString &folder,
             std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> damaged)
{
    const auto written = [](const auto &d) { return QFileInfo(d.first).lastModified(); };
    std::sort(damaged.begin(), damaged.end(),
              [&](const auto &a, const auto &b) { return written(a) < written(b); });
    const QString target = damagedPath(folder);
    int moved = 0;
    for (const auto &[path, lock] : damaged) {
        QFile::remove(target);
        if (QFile::rename(path, target) || QFile::remove(path))
            ++moved;
    }
    return moved; // their locks go with `damaged`
}

// A dead editor that never kept a snapshot leaves only its lock.
void clearLoneLocks(const QDir &dir)
{
    for (const QString &name :
         dir.entryList({namePrefix + QLatin1Char('*') + lockSuffix}, QDir::Files)) {
        const QString id =
            name.mid(namePrefix.size(), name.size() - namePrefix.size() - lockSuffix.size());
        if (QFileInfo::exists(pathOf(dir.path(), id, snapshotSuffix)))
            continue;
        auto lock = lockFile(dir.filePath(name));
        if (lock->tryLock(0))
            lock->unlock(); // which removes the file
    }
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

std::optional<Snapshot> read(const QString &path)
{
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

Keeper::Keeper(QString folder) : m_folder(std::move(folder)) {}

Keeper::~Keeper() = default;

QString Keeper::snapshotPath() const
{
    return m_id.isEmpty() ? QString() : pathOf(m_folder, m_id, snapshotSuffix);
}

SaveResult Keeper::save(const Snapshot &s)
{
    // Private to the user, as the state folder is meant to be: it holds their work.
    if (!QFileInfo::exists(m_folder)) {
        if (!QDir().mkpath(m_folder))
            return {false, QStringLiteral("the folder %1 cannot be created").arg(m_folder)};
        QFile::setPermissions(m_folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    }
    // The lock comes before the first snapshot, so no other editor ever sees this one's
    // snapshot without its live lock. An id another editor holds is not ours: take another.
    for (int tries = 0; !m_lock && tries < 4; ++tries) {
        const QString id =
            QString::number(QRandomGenerator::system()->generate64(), 16).rightJustified(16, u'0');
        auto lock = lockFile(pathOf(m_folder, id, lockSuffix));
        if (lock->tryLock(0)) {
            m_id = id;
            m_lock = std::move(lock);
        } else if (lock->error() != QLockFile::LockFailedError) {
            return {false, QStringLiteral("the lock file in %1 cannot be created").arg(m_folder)};
        }
    }
    if (!m_lock)
        return {false, QStringLiteral("no lock file in %1 can be taken").arg(m_folder)};
    return saveWhole(snapshotPath(), snapshotText(s), false);
}

void Keeper::discard()
{
    if (!m_id.isEmpty())
        QFile::remove(snapshotPath());
}

LeftBehind::LeftBehind(std::unique_ptr<QLockFile> lock, QString path, Snapshot s, QDateTime written)
    : m_lock(std::move(lock)), m_path(std::move(path)), m_snapshot(std::move(s)),
      m_written(std::move(written))
{
}

LeftBehind::LeftBehind(LeftBehind &&) noexcept = default;
LeftBehind &LeftBehind::operator=(LeftBehind &&) noexcept = default;
LeftBehind::~LeftBehind() = default;

void LeftBehind::discard()
{
    // The snapshot goes while its lock is still held: no one else can be offered it meanwhile.
    if (m_lock)
        QFile::remove(m_path);
    m_lock.reset();
}

QString damagedPath(const QString &folder)
{
    return folder + QStringLiteral("/damaged.snapshot");
}

Found leftBehind(const QString &folder)
{
    Found found;
    const QDir dir(folder);
    if (!dir.exists())
        return found;
    // Locked while they are moved, so that an editor starting beside this one leaves them be.
    std::vector<std::pair<QString, std::unique_ptr<QLockFile>>> damaged;
    for (const QString &name :
         dir.entryList({namePrefix + QLatin1Char('*') + snapshotSuffix}, QDir::Files)) {
        const QString id =
            name.mid(namePrefix.size(), name.size() - namePrefix.size() - snapshotSuffix.size());
        // Taken only when its editor is gone; a live editor's lock refuses at once.
        auto lock = lockFile(pathOf(folder, id, lockSuffix));
        if (!lock->tryLock(0))
            continue;
        const QString path = dir.filePath(name);
        if (std::optional<Snapshot> s = read(path))
            found.offered.emplace_back(std::move(lock), path, std::move(*s),
                                       QFileInfo(path).lastModified());
        else
            damaged.emplace_back(path, std::move(lock));
    }
    std::sort(found.offered.begin(), found.offered.end(),
              [](const LeftBehind &a, const LeftBehind &b) { return a.written() > b.written(); });
    found.setAside = setAside(folder, std::move(damaged));
    clearLoneLocks(dir);
    return found;
}

} // namespace recovery
