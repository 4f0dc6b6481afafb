#include "sim/core/pseudo_terminal.h"

#include <QFile>

#include <cerrno>
#include <cstdlib>
#include <cstring>
#include <fcntl.h>
#include <termios.h>
#include <unistd.h>

namespace sim {

namespace {
QString reason()
{
    return QString::fromLocal8Bit(std::strerror(errno));
}
} // namespace

PseudoTerminal::PseudoTerminal()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_master < 0 || ::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        m_error = QStringLiteral("Cannot create a pseudo-terminal: %1.").arg(reason());
        close();
        return;
    }
    char name[128];
    if (::ptsname_r(m_master, name, sizeof name) != 0) {
        m_error = QStringLiteral("Cannot name the pseudo-terminal: %1.").arg(reason());
        close();
        return;
    }
    m_slavePath = QFile::decodeName(name);
}

PseudoTerminal::~PseudoTerminal()
{
    close();
}

bool PseudoTerminal::holdSlave()
{
    if (m_slave >= 0)
        return true;
    m_slave = ::open(QFile::encodeName(m_slavePath).constData(),
                     O_RDWR | O_NOCTTY | O_NONBLOCK | O_CLOEXEC);
    if (m_slave < 0) {
        m_error = QStringLiteral("Cannot open %1: %2.").arg(m_slavePath, reason());
        return false;
    }
    // Raw, like a serial line: no echo (a program would take it for a modem), no line editing,
    // no character translation.
    struct termios tio;
    if (::tcgetattr(m_slave, &tio) == 0) {
        ::cfmakeraw(&tio);
        ::cfsetspeed(&tio, B9600);
        ::tcsetattr(m_slave, TCSANOW, &tio);
    }
    return true;
}

bool PseudoTerminal::writeToDevice(const QString &path, const QByteArray &bytes)
{
    const int fd = ::open(QFile::encodeName(path).constData(), O_WRONLY | O_NOCTTY | O_CLOEXEC);
    if (fd < 0)
        return false;
    // Raw for this write, whatever the line was left as: the bytes go as they are.
    struct termios tio;
    if (::tcgetattr(fd, &tio) == 0) {
        tio.c_oflag &= ~tcflag_t(OPOST);
        ::tcsetattr(fd, TCSANOW, &tio);
    }
    const bool whole = ::write(fd, bytes.constData(), size_t(bytes.size())) == bytes.size();
    ::close(fd);
    return whole;
}

bool PseudoTerminal::writeThroughHeldSlave(const QByteArray &bytes) const
{
    return m_slave >= 0 &&
           ::write(m_slave, bytes.constData(), size_t(bytes.size())) == bytes.size();
}

void PseudoTerminal::close()
{
    if (m_slave >= 0)
        ::close(m_slave);
    if (m_master >= 0)
        ::close(m_master);
    m_slave = m_master = -1;
}

} // namespace sim
