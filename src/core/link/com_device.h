#pragma once
// "Comm n" names a device path: the user's own link <configuration folder>/COMn first, then the
// usual Linux names. COM1 is the first USB adapter when one is plugged in.

#include <QString>
#include <QStringList>
#include <functional>

namespace comdevice {

// The paths tried for port n, in order; none for n below 1.
QStringList candidates(int n, const QString &configDir);

// The first candidate that is there. A link in the configuration folder counts even when it
// dangles: the user chose that device, and falling through to another one (perhaps the system
// console on ttyS0) would send frames somewhere nobody asked for. Empty when none is there.
QString resolve(int n, const QString &configDir,
                const std::function<bool(const QString &)> &present = {});

// Error numbers of a failed open, as port_status holds them. None is 0 or 13.
enum Error {
    InUse = 8005,
    NoDevice = 8002,
    PermissionDenied = 8010,
    NotSerial = 8015,
    Other = 8099
};

// "COMM 2": how messages name port n.
QString portName(int n);

// The message shown when a port cannot be used, lines separated by carriage returns:
// "Error Code  8002", "", "COMM 2 is not available", "Device: /dev/ttyUSB1". A port opened by
// its device path rather than its number is named by that path where "COMM 2" stands.
QString failureText(int error, int portNumber, const QString &device);
QString failureText(int error, const QString &port, const QString &device);

// The probe was echoed: the port leads to a modem or a loop, not to the arm's controller.
QString echoText(const QString &port);

} // namespace comdevice
