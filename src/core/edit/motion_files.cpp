#include "core/edit/motion_files.h"

#include "core/program/cannot.h"
#include "core/store/movement_file.h"
#include "core/store/save_file.h"

#include <QFileInfo>

namespace editfiles {

namespace {

// Why a motion of n records may not be saved; empty when it may.
QString saveRefusal(int n)
{
    if (n > movement::maxRecords)
        return QStringLiteral("The motion has %1 records; Kestrel holds at most %2. "
                              "Delete %3 records before saving.")
            .arg(n)
            .arg(movement::maxRecords)
            .arg(n - movement::maxRecords);
    // Kestrel's reader refuses a file with no record; writing one would make a file that cannot
    // be opened again.
    if (n == 0)
        return QStringLiteral("The motion has no records.");
    return {};
}

} // namespace

QString withSuffix(const QString &path, const QString &suffix)
{
    return QFileInfo(path).suffix().isEmpty() ? path + QLatin1Char('.') + suffix : path;
}

Written saveMotion(const QString &path, const std::vector<Step> &records)
{
    const int n = int(records.size());
    const QString what = QStringLiteral("Cannot save the movement file");
    if (const QString refused = saveRefusal(n); !refused.isEmpty())
        return {false, program::cannot(what, path, refused)};
    const SaveResult saved = saveWhole(path, movement::text(records), false);
    if (!saved.ok)
        return {false, program::cannot(what, path, saved.reason)};
    return {true, QStringLiteral("Saved %1: %2 records.").arg(QFileInfo(path).fileName()).arg(n)};
}

Written exportMotion(const QString &path, exports::Format format, const std::vector<Step> &records,
                     const config::Settings &settings, int loops, const QString &file,
                     const arm::Profile &profile)
{
    const QString name =
        file.isEmpty() ? QStringLiteral("(a new motion)") : QFileInfo(file).fileName();
    const QString what = QStringLiteral("Cannot export to");
    const exports::Result made = exports::motion(format, records, settings, loops, name, profile);
    if (!made.ok())
        return {false, program::cannot(what, path, made.error)};
    const SaveResult saved = exports::write(path, made.data, file);
    if (!saved.ok)
        return {false, program::cannot(what, path, saved.reason)};
    return {true, QStringLiteral("Exported %1 as %2.").arg(name, QFileInfo(path).fileName())};
}

QString unsavedQuestion(const QString &file)
{
    const QString name = file.isEmpty()
                             ? QStringLiteral("the new motion")
                             : QLatin1Char('\'') + QFileInfo(file).fileName() + QLatin1Char('\'');
    return QStringLiteral("The changes to %1 are not saved. Save them?").arg(name);
}

} // namespace editfiles
