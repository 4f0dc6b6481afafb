#include "core/link/serial_port.h"

#include "core/link/com_device.h"
#include "core/link/line_queue.h"

#include <QDeadlineTimer>
#include <QFileInfo>
#include <QLockFile>
#include <QStandardPaths>
#include <QSysInfo>
#include <cerrno>
#include <csignal>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

SerialPort::SerialPort(const QString &configDir, QObject *parent)
    : Port(parent), m_configDir(configDir)
{
    connect(&m_port, &QSerialPort::errorOccurred, this, &SerialPort::onError);
}

SerialPort::~SerialPort()
{
    m_port.close();
}

int SerialPort::open(int number)
{
    close();
    m_note.clear();
    const QString path = comdevice::resolve(number, m_configDir);
    if (path.isEmpty()) {
        const QStringList tried = comdevice::candidates(number, m_configDir);
        m_device = tried.isEmpty() ? QString() : tried.first();
        return comdevice::NoDevice;
    }
    return openPath(path);
}

int SerialPort::openPath(const QString &path)
{
    close();
    const comdevice::Route route = comdevice::follow(path);
    m_device = route.text();
    switch (route.end) {
    case comdevice::Route::Reached:
        return openDevice(route.device);
    case comdevice::Route::NotFound:
    case comdevice::Route::Loop:
        return comdevice::NoDevice;
    case comdevice::Route::Forbidden:
        return comdevice::PermissionDenied;
    case comdevice::Route::Failed:
        break;
    }
    return comdevice::Other;
}

namespace {

// Only a character device can be a serial line. Anything else is refused before it is opened,
// as not a serial device: a folder would otherwise fail as "any other failure", and a pipe must
// never get the probe byte. 0: worth opening.
int checkDevice(const QString &path)
{
    // The test suite runs with this set: a test whose pseudo-terminal link has gone missing
    // falls through to the machine's own ports, whose first is often its console, and must
    // never open one.
    if (qEnvironmentVariableIsSet("KESTREL_TEST_NO_MACHINE_PORTS") &&
        comdevice::isMachinePort(path))
        return comdevice::NoDevice;
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::stat(native.constData(), &st) != 0)
        return comdevice::NoDevice; // gone since its route was followed
    if (!S_ISCHR(st.st_mode))
        return comdevice::NotSerial;
    // QSerialPort reports a busy device and a forbidden one alike; ask first, so that the
    // operator gets the right hint.
    if (::access(native.constData(), R_OK | W_OK) != 0)
        return errno == EACCES || errno == EPERM ? comdevice::PermissionDenied
               : errno == ENOENT                 ? comdevice::NoDevice
                                                 : comdevice::Other;
    return 0;
}

} // namespace

int SerialPort::openDevice(const QString &path)
{
    if (const int refused = checkDevice(path))
        return refused;
    m_port.setPortName(path);
    m_port.setBaudRate(QSerialPort::Baud9600);
    m_port.setDataBits(QSerialPort::Data8);
    m_port.setParity(QSerialPort::NoParity);
    m_port.setStopBits(QSerialPort::OneStop);
    m_port.setFlowControl(QSerialPort::NoFlowControl);
    if (!m_port.open(QIODevice::ReadWrite))
        return openFailure(path);
    const int fd = static_cast<int>(m_port.handle());
    if (!::isatty(fd)) {
        m_port.close();
        return comdevice::NotSerial;
    }
    // Qt's lock file keeps out other programs that honour it, and TIOCEXCL keeps out other
    // users, but neither stops root or a second open in the same process. A lock on the open
    // file does.
    if (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
        m_port.close();
        return comdevice::InUse;
    }
    m_reportsQueue = linequeue::reports(fd);
    resetLine();
    return 0;
}

int SerialPort::openFailure(const QString &path)
{
    const auto error = m_port.error();
    m_port.clearError();
    switch (error) {
    case QSerialPort::DeviceNotFoundError:
        return comdevice::NoDevice;
    case QSerialPort::PermissionError:
        // Access was granted before, so a lock file or EBUSY refused it. A lock whose process
        // has gone is taken over by Qt when it can; when it cannot, the device is not in use,
        // and the user needs the file's name to remove it.
        m_note = staleLockNote(path);
        return m_note.isEmpty() ? comdevice::InUse : comdevice::Other;
    case QSerialPort::UnsupportedOperationError:
        return comdevice::NotSerial;
    default:
        return comdevice::Other;
    }
}

void SerialPort::close()
{
    if (m_port.isOpen())
        m_port.close();
    m_port.clearError();
    m_reportsQueue = false;
    resetLine();
}

bool SerialPort::isOpen() const
{
    return m_port.isOpen();
}

void SerialPort::send(const QByteArray &bytes)
{
    m_port.write(bytes);
    // QSerialPort queues writes until the event loop runs; push them out now, so a frame leaves
    // when its move is made, also inside loops that let no events run.
    m_port.flush();
}

std::optional<int> SerialPort::bytesQueued() const
{
    if (!m_reportsQueue || !m_port.isOpen())
        return std::nullopt;
    const std::optional<int> held = linequeue::held(static_cast<int>(m_port.handle()));
    if (!held)
        return std::nullopt;
    // Bytes Qt could not hand to the driver yet are on their way too.
    return *held + static_cast<int>(m_port.bytesToWrite());
}

QByteArray SerialPort::readAfter(int ms)
{
    // The wait blocks in poll(): no window events run and the CPU sleeps. The strict "more than"
    // is kept by waiting one millisecond past the mark.
    QDeadlineTimer deadline(ms + 1, Qt::PreciseTimer);
    while (m_port.isOpen() && !deadline.hasExpired()) {
        if (!m_port.waitForReadyRead(
                static_cast<int>(std::max<qint64>(1, deadline.remainingTime())))) {
            if (m_port.error() == QSerialPort::TimeoutError) {
                m_port.clearError();
                continue;
            }
            break; // the device failed; onError has closed it
        }
    }
    return m_port.isOpen() ? m_port.readAll() : QByteArray();
}

void SerialPort::onError(QSerialPort::SerialPortError error)
{
    switch (error) {
    case QSerialPort::ResourceError:
    case QSerialPort::ReadError:
    case QSerialPort::WriteError:
        // Closed on the first error: an unplugged device otherwise keeps the read notifier
        // firing, and Qt reports the error hundreds of thousands of times a second.
        if (m_port.isOpen()) {
            m_port.close();
            resetLine();
            Q_EMIT lost();
        }
        break;
    default:
        break;
    }
}

QString SerialPort::lockFile(const QString &device)
{
    // Qt 6's folders, in its order: the first that can be read and either holds the file or can
    // be written.
    static const QStringList folders{
        QStringLiteral("/var/lock"),
        QStringLiteral("/etc/locks"),
        QStringLiteral("/var/spool/locks"),
        QStringLiteral("/var/spool/uucp"),
        QStringLiteral("/tmp"),
        QStringLiteral("/var/tmp"),
        QStringLiteral("/var/lock/lockdev"),
        QStringLiteral("/run/lock"),
        QStandardPaths::writableLocation(QStandardPaths::TempLocation)};
    QString name = device.startsWith(QLatin1String("/dev/")) ? device.mid(5) : device;
    name.replace(QLatin1Char('/'), QLatin1Char('_'));
    for (const QString &folder : folders) {
        const QString file = folder + QStringLiteral("/LCK..") + name;
        const QFileInfo info(folder);
        if (info.isReadable() && (QFile::exists(file) || info.isWritable()))
            return file;
    }
    return {};
}

QString SerialPort::staleLockNote(const QString &device)
{
    const QString file = lockFile(device);
    if (file.isEmpty())
        return {};
    qint64 pid = 0;
    QString host, program;
    if (!QLockFile(file).getLockInfo(&pid, &host, &program) || pid <= 0)
        return {};
    // A lock taken on another machine (a shared lock folder) says nothing about our processes;
    // a process we may not signal still runs.
    if (!host.isEmpty() && host != QSysInfo::machineHostName())
        return {};
    if (::kill(pid_t(pid), 0) == 0 || errno != ESRCH)
        return {};
    return comdevice::staleLockNote(file, pid, program, QFileInfo(file).owner());
}
