#include "support/pty.h"

#include <QFile>
#include <cerrno>
#include <fcntl.h>
#include <poll.h>
#include <stdlib.h>
#include <termios.h>
#include <unistd.h>

Pty::Pty()
{
    m_master = ::posix_openpt(O_RDWR | O_NOCTTY);
    if (m_master < 0)
        return;
    if (::grantpt(m_master) != 0 || ::unlockpt(m_master) != 0) {
        closeMaster();
        return;
    }
    // The line settings are left as a new terminal has them (cooked, 38400 baud): the program
    // under test must set its own.
    m_slave = QString::fromLocal8Bit(::ptsname(m_master));
}

Pty::~Pty()
{
    closeMaster();
}

bool Pty::linkAs(const QString &linkPath) const
{
    return QFile::link(m_slave, linkPath);
}

bool Pty::lineSettings(termios *t) const
{
    return m_master >= 0 && ::tcgetattr(m_master, t) == 0;
}

QByteArray Pty::read(int firstMs, int ms)
{
    QByteArray out;
    int wait = firstMs;
    while (m_master >= 0) {
        pollfd p{m_master, POLLIN, 0};
        if (::poll(&p, 1, wait) <= 0 || !(p.revents & POLLIN))
            break;
        char buf[4096];
        const ssize_t n = ::read(m_master, buf, sizeof buf);
        if (n <= 0)
            break;
        out.append(buf, n);
        wait = ms;
    }
    return out;
}

void Pty::write(const QByteArray &bytes)
{
    if (m_master >= 0) [[maybe_unused]]
        auto n = ::write(m_master, bytes.constData(), bytes.size());
}

void Pty::closeMaster()
{
    if (m_master >= 0)
        ::close(m_master);
    m_master = -1;
}
