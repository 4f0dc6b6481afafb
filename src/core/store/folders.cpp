#include "core/store/folders.h"

#include "core/text/program.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileInfo>
#include <QStandardPaths>

bool folderListsExactly(const QString &path)
{
    const QFileInfo info(path);
    const QString name = info.fileName();
    if (name.isEmpty())
        return false;
    // The folder's own listing, not a lookup by name: only the listing tells the letter case.
    const QStringList listed = info.dir().entryList(
        QDir::AllEntries | QDir::System | QDir::Hidden | QDir::NoDotAndDotDot, QDir::NoSort);
    if (!listed.contains(name, Qt::CaseSensitive))
        return false;
    return info.exists() && !info.isDir();
}

Folders Folders::standard()
{
    // The application name decides the folder names.
    program::nameApplication();
    Folders f;
    f.config = QStandardPaths::writableLocation(QStandardPaths::AppConfigLocation);
    f.help = firstHelpFolder(helpCandidates());
    return f;
}

QStringList Folders::helpCandidates()
{
    // The application name decides the folder names.
    program::nameApplication();
    QStringList list = QStandardPaths::standardLocations(QStandardPaths::AppDataLocation);
    const QString exeDir = QCoreApplication::applicationDirPath();
    if (!exeDir.isEmpty())
        list << QDir::cleanPath(exeDir + QStringLiteral("/../share/kestrel"));
    list << QStringLiteral(KESTREL_SOURCE_HELP_DIR);
    return list;
}

QString Folders::firstHelpFolder(const QStringList &candidates)
{
    for (const QString &dir : candidates)
        if (QFileInfo(dir + QStringLiteral("/kestrel.vmh")).isFile())
            return QDir::cleanPath(dir);
    return candidates.isEmpty() ? QString() : QDir::cleanPath(candidates.first());
}
