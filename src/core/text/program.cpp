#include "core/text/program.h"

#include <QCoreApplication>

namespace program {

QString name()
{
    return QStringLiteral("kestrel");
}

QString displayName()
{
    return QStringLiteral("Kestrel");
}

QString version()
{
    return QStringLiteral(KESTREL_VERSION);
}

QString appId()
{
    return QStringLiteral(KESTREL_APP_ID);
}

QCommandLineOption helpOption()
{
    return QCommandLineOption({QStringLiteral("h"), QStringLiteral("help")},
                              QStringLiteral("Shows these options."));
}

QCommandLineOption versionOption()
{
    return QCommandLineOption({QStringLiteral("v"), QStringLiteral("version")},
                              QStringLiteral("Shows the version."));
}

void nameApplication()
{
    QCoreApplication::setApplicationName(name());
    QCoreApplication::setApplicationVersion(version());
    QCoreApplication::setOrganizationName(QString());
}

} // namespace program
