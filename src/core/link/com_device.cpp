#include "core/link/com_device.h"

#include "core/text/numbers.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QRegularExpression>
#include <QSet>
#include <cerrno>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

namespace comdevice {

QStringList candidates(int n, const QString &configDir)
{
    if (n < 1)
        return {};
    const QString i = QString::number(n - 1);
    return {configDir + QStringLiteral("/COM") + QString::number(n),
            QStringLiteral("/dev/ttyUSB") + i, QStringLiteral("/dev/ttyACM") + i,
            QStringLiteral("/dev/ttyS") + i};
}

bool isMachinePort(const QString &canonicalPath)
{
    static const QRegularExpression name(QStringLiteral("^/dev/tty(S|USB|ACM)[0-9]+$"));
    return name.match(canonicalPath).hasMatch();
}

QString resolve(int n, const QString &configDir,
                const std::function<bool(const QString &)> &present)
{
    const auto there = present ? present : [](const QString &path) {
        const QFileInfo info(path);
        return info.exists() || info.isSymLink();
    };
    for (const QString &path : candidates(n, configDir))
        if (there(path))
            return path;
    return {};
}

namespace {

// As many links as the system follows in one path before it calls it a loop.
constexpr int maxLinks = 40;

Route::End endFor(int error)
{
    switch (error) {
    case ENOENT:
    case ENOTDIR:
        return Route::NotFound;
    case ELOOP:
        return Route::Loop;
    case EACCES:
        return Route::Forbidden;
    default:
        return Route::Failed;
    }
}

// The target of the link at native, as written in it; empty, with the route's end set, when it
// cannot be read.
std::optional<QString> linkTarget(const QByteArray &native, Route::End *end)
{
    QByteArray target(4096, '\0');
    const ssize_t n = ::readlink(native.constData(), target.data(), size_t(target.size()));
    if (n < 0 || n >= target.size()) {
        *end = n < 0 ? endFor(errno) : Route::Failed;
        return std::nullopt;
    }
    target.truncate(int(n));
    return QFile::decodeName(target);
}

// One link further, to `to`: `walked` as the system walks it, which may differ from the cleaned
// path shown when a folder on the way is itself a link and a target climbs out of it with "..".
void stepTo(Route &route, QString &walked, const QString &to)
{
    const QString folder = QFileInfo(walked).path();
    walked = QDir::isAbsolutePath(to) ? to : folder + QLatin1Char('/') + to;
    route.paths << QDir::cleanPath(QDir::isAbsolutePath(to)
                                       ? to
                                       : QFileInfo(route.paths.last()).absolutePath() +
                                             QLatin1Char('/') + to);
}

// The end of a walk that met no more links: the device the path leads to.
Route reached(Route route, const QString &path)
{
    route.device = QFileInfo(path).canonicalFilePath();
    if (route.device.isEmpty()) {
        // Changed under our feet between the walk and now.
        route.end = Route::NotFound;
        return route;
    }
    if (route.device != route.paths.last())
        route.paths << route.device;
    route.end = Route::Reached;
    return route;
}

} // namespace

Route follow(const QString &path)
{
    Route route;
    route.paths << path;
    QString walked = path;
    // A loop is a link met twice, however it was named.
    QSet<QPair<quint64, quint64>> seen;
    for (;;) {
        const QByteArray native = QFile::encodeName(walked);
        struct stat st;
        if (::lstat(native.constData(), &st) != 0) {
            route.end = endFor(errno);
            return route;
        }
        if (!S_ISLNK(st.st_mode))
            return reached(route, path);
        const QPair<quint64, quint64> link{quint64(st.st_dev), quint64(st.st_ino)};
        if (seen.size() >= maxLinks || seen.contains(link)) {
            route.end = Route::Loop;
            return route;
        }
        seen.insert(link);
        const std::optional<QString> to = linkTarget(native, &route.end);
        if (!to)
            return route;
        stepTo(route, walked, *to);
    }
}

QString Route::text() const
{
    QString out = paths.join(QStringLiteral(" -> "));
    if (end == NotFound)
        out += QStringLiteral(" (not found)");
    else if (end == Loop)
        out += QStringLiteral(" (loop)");
    return out;
}

QString portName(int n)
{
    return QStringLiteral("COMM") + numbers::messageNumber(n);
}

QString echoText(const QString &port)
{
    return QStringLiteral("A Device is attached on ") + port;
}

QString failureText(int error, int portNumber, const QString &device, const QString &note)
{
    return failureText(error, portName(portNumber), device, note);
}

QString failureText(int error, const QString &port, const QString &device, const QString &note)
{
    const QChar cr(13);
    QString text = QStringLiteral("Error Code  ") + numbers::messageNumber(error) + cr + cr;
    text += port;
    if (error == InUse)
        return text + QStringLiteral(" already open") + cr +
               QStringLiteral("Click Option to change settings");
    text += QStringLiteral(" is not available") + cr;
    text += QStringLiteral("Device: ") + (device.isEmpty() ? QStringLiteral("none") : device);
    if (error == PermissionDenied)
        text += QStringLiteral(" (permission denied: add your user to the dialout group)");
    if (!note.isEmpty())
        text += cr + note;
    return text;
}

QString staleLockNote(const QString &lockFile, qint64 pid, const QString &program,
                      const QString &owner)
{
    QString who = QStringLiteral("process ") + QString::number(pid);
    if (!owner.isEmpty())
        who += QStringLiteral(" of ") + owner;
    if (!program.isEmpty())
        who = program + QStringLiteral(" (") + who + QLatin1Char(')');
    return QStringLiteral(
               "Lock file %1 was left by %2, which no longer runs. Remove it: sudo rm %1")
        .arg(lockFile, who);
}

} // namespace comdevice
