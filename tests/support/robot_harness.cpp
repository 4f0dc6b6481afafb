#include "support/robot_harness.h"

#include <QDir>
#include <QFile>

RobotHarness::RobotHarness(const QByteArray &config)
{
    QDir().mkpath(folders().config);
    if (!config.isNull()) {
        QFile f(folders().configFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(config);
    }
}

Folders RobotHarness::folders() const
{
    return Folders{dir.path() + QStringLiteral("/config"), dir.path() + QStringLiteral("/help")};
}

robot &RobotHarness::create()
{
    window = std::make_unique<robot>(Services{&port, &dialogs, folders(), [this] { ++ended; }});
    return *window;
}

robot &RobotHarness::start()
{
    create();
    window->Form_Load();
    return *window;
}

QByteArray RobotHarness::defaultConfig()
{
    return configWith({});
}

QByteArray RobotHarness::configWith(const QByteArray &lines)
{
    return QByteArrayLiteral("======== Velmora ==========\r\n") + lines;
}
