#include "core/link/com_device.h"

#include "core/text/numbers.h"

#include <QFileInfo>

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

QString portName(int n)
{
    return QStringLiteral("COMM") + numbers::messageNumber(n);
}

QString echoText(const QString &port)
{
    return QStringLiteral("A Device is attached on ") + port;
}

QString failureText(int error, int portNumber, const QString &device)
{
    return failureText(error, portName(portNumber), device);
}

QString failureText(int error, const QString &port, const QString &device)
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
    return text;
}

} // namespace comdevice
