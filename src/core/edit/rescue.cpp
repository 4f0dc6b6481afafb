#include "core/edit/rescue.h"

#include "core/program/cannot.h"
#include "core/store/movement_file.h"

#include <QLocale>

namespace recovery {

QString offerText(const LeftBehind &left)
{
    const Snapshot &snapshot = left.snapshot();
    const QString name = snapshot.file.isEmpty()
                             ? QStringLiteral("a new motion")
                             : QLatin1Char('\'') + snapshot.file + QLatin1Char('\'');
    return QStringLiteral("Kestrel Edit ended without saving the changes to %1 (%2 records), "
                          "last kept %3.")
               .arg(name)
               .arg(snapshot.records.size())
               .arg(QLocale().toString(left.written(), QLocale::ShortFormat)) +
           QChar(13) + QStringLiteral("Recover them?");
}

std::vector<Step> savedState(const Snapshot &snapshot)
{
    if (snapshot.file.isEmpty())
        return {};
    movement::Loaded file = movement::load(snapshot.file);
    return file.ok() ? std::move(file.records) : std::vector<Step>{};
}

QString setAsideText(int count, const QString &folder)
{
    if (count <= 0)
        return {};
    const QString kept = damagedPath(folder);
    if (count == 1)
        return QStringLiteral("A damaged recovery snapshot could not be offered: it was set aside "
                              "as '%1'.")
            .arg(kept);
    return QStringLiteral("%1 damaged recovery snapshots could not be offered: the newest was set "
                          "aside as '%2', the others removed.")
        .arg(count)
        .arg(kept);
}

Offered offer(const QString &folder, const std::function<bool(const LeftBehind &)> &accept,
              const std::function<bool(const Snapshot &)> &take)
{
    // Only editors that are gone: a running one holds its lock, and its snapshot is not listed.
    Found found = leftBehind(folder);
    Offered offered{false, setAsideText(found.setAside, folder)};
    for (LeftBehind &left : found.offered) {
        if (!accept(left)) {
            left.discard();
            continue;
        }
        if (take(left.snapshot()))
            left.discard();
        offered.taken = true;
        break;
    }
    return offered;
}

Rescue::Rescue(const QString &folder) : m_folder(folder), m_keeper(folder) {}

Kept Rescue::keep(const Snapshot &now, bool asSaved)
{
    if (asSaved) {
        m_keeper.discard();
        return {true, {}};
    }
    const SaveResult kept = m_keeper.save(now);
    if (kept.ok || m_troubleSaid)
        return {kept.ok, {}};
    // Said once: the editor goes on, only the rescue after a crash is lost.
    m_troubleSaid = true;
    return {false,
            program::cannot(QStringLiteral("Cannot keep a copy of the motion for recovery in"),
                            m_folder, kept.reason)};
}

} // namespace recovery
