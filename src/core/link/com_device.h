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

// One of the machine's own serial ports, by the name the kernel gives it (/dev/ttyS0,
// /dev/ttyUSB1, /dev/ttyACM0): not a pseudo-terminal, and not a link.
bool isMachinePort(const QString &canonicalPath);

// Error numbers of a failed open, as port_status holds them. None is 0 or 13.
enum Error {
    InUse = 8005,
    NoDevice = 8002,
    PermissionDenied = 8010,
    NotSerial = 8015,
    Other = 8099
};

// Where a path leads, one symbolic link at a time, as the device line shows it: the path, then
// the target of each link on the way, made absolute, then the device itself when the system
// names it otherwise (a folder on the way that is a link). Every link is followed: a link that
// leads nowhere or loops is the user's to fix, and the line must show where it goes wrong.
struct Route {
    enum End {
        Reached,   // `device` is the canonical path of what the links lead to
        NotFound,  // the last path is not there
        Loop,      // the last path was met before, or there are more links than the system follows
        Forbidden, // a folder on the way may not be searched
        Failed     // anything else
    };
    QStringList paths;
    End end = Failed;
    QString device;

    // "/home/ann/.config/kestrel/COM1 -> /dev/serial/by-id/usb-X -> /dev/ttyUSB0", with
    // " (not found)" or " (loop)" after the last path when the route ends there.
    QString text() const;
};
Route follow(const QString &path);

// "COMM 2": how messages name port n.
QString portName(int n);

// The message shown when a port cannot be used, lines separated by carriage returns:
// "Error Code  8002", "", "COMM 2 is not available", "Device: /dev/ttyUSB1", and `note` on a
// line of its own when there is one. A port opened by its device path rather than its number
// is named by that path where "COMM 2" stands.
QString failureText(int error, int portNumber, const QString &device, const QString &note = {});
QString failureText(int error, const QString &port, const QString &device,
                    const QString &note = {});

// The probe was echoed: the port leads to a modem or a loop, not to the arm's controller.
QString echoText(const QString &port);

// The note for a lock file that a process which no longer runs has left behind, and that this
// user may not remove (the lock folder lets only a file's owner or root delete it).
QString staleLockNote(const QString &lockFile, qint64 pid, const QString &program,
                      const QString &owner);

} // namespace comdevice
