#include "support/pty.h"

#include <QDeadlineTimer>
#include <QFile>
#include <poll.h>
#include <termios.h>
#include <unistd.h>

bool Pty::linkAs(const QString &linkPath) const
{
    return QFile::link(slavePath(), linkPath);
}

bool Pty::lineSettings(termios *t) const
{
    return master() >= 0 && ::tcgetattr(master(), t) == 0;
}

template <class Done> QByteArray Pty::readWhile(Done done, int deadline)
{
    QByteArray out;
    QDeadlineTimer timer(deadline);
    while (master() >= 0 && !done(out) && !timer.hasExpired()) {
        pollfd p{master(), POLLIN, 0};
        if (::poll(&p, 1, int(std::max<qint64>(1, timer.remainingTime()))) <= 0)
            continue;
        if (!(p.revents & POLLIN)) {
            // A hang-up: no program holds the device. It may not have opened it yet, so look
            // again shortly; the deadline ends a wait for a program that never comes.
            ::usleep(2000);
            continue;
        }
        char buf[4096];
        const ssize_t n = ::read(master(), buf, sizeof buf);
        if (n > 0)
            out.append(buf, n);
    }
    return out;
}

QByteArray Pty::readCount(int count, int deadline)
{
    return readWhile([count](const QByteArray &got) { return got.size() >= count; }, deadline);
}

QByteArray Pty::readUntil(const QByteArray &end, int deadline)
{
    return readWhile([&end](const QByteArray &got) { return got.endsWith(end); }, deadline);
}

void Pty::write(const QByteArray &bytes)
{
    if (master() >= 0) [[maybe_unused]]
        auto n = ::write(master(), bytes.constData(), size_t(bytes.size()));
}
