#include "paced_line.h"

#include "core/link/line_clock.h"

#include <QFile>

#include <cerrno>
#include <poll.h>
#include <sys/ioctl.h>
#include <unistd.h>

namespace desktop {

PacedLine::PacedLine()
{
    // The device side stays open here too: a program's close is then no hang-up at the master,
    // and the reader never has to look again for a program that has not opened it yet.
    m_ok = m_pty.ok() && m_pty.holdSlave() && ::pipe(m_stop) == 0;
    if (m_ok) {
        m_bytes.reserve(1 << 16);
        m_thread = std::thread([this] { run(); });
    }
}

PacedLine::~PacedLine()
{
    if (m_thread.joinable()) {
        const char c = 0;
        [[maybe_unused]] auto n = ::write(m_stop[1], &c, 1);
        m_thread.join();
    }
    for (int fd : m_stop)
        if (fd >= 0)
            ::close(fd);
}

bool PacedLine::linkAs(const QString &path) const
{
    return QFile::link(m_pty.slavePath(), path);
}

long long PacedLine::waiting() const
{
    int n = 0;
    return ::ioctl(m_pty.master(), FIONREAD, &n) == 0 ? n : 0;
}

void PacedLine::run()
{
    using namespace std::chrono;
    LineClock line;
    long long taken = 0;
    for (;;) {
        // Asleep until bytes show up, or until the next one on the wire is due. The times are
        // the clock's, so a late wake-up does not slow the line down.
        const auto now = Clock::now();
        const bool onTheWire = taken < line.bytesWritten();
        const int timeout =
            onTheWire ? int(ceil<milliseconds>(line.nextArrival(now) - now).count()) : -1;
        pollfd p[2] = {{m_pty.master(), short(onTheWire ? 0 : POLLIN), 0}, {m_stop[0], POLLIN, 0}};
        if (::poll(p, 2, timeout) < 0 && errno != EINTR)
            return;
        if (p[1].revents)
            return;
        const auto at = Clock::now();
        line.sawUpTo(taken + waiting(), at);
        std::vector<Byte> got;
        for (const long long due = line.bytesArrived(at); taken < due; ++taken) {
            unsigned char c = 0;
            if (::read(m_pty.master(), &c, 1) != 1)
                break;
            got.push_back(Byte{line.arrivalOf(taken), c});
        }
        const bool drained = taken == line.bytesWritten() && waiting() == 0;
        {
            std::lock_guard lock(m_mutex);
            m_bytes.insert(m_bytes.end(), got.begin(), got.end());
            m_drained = drained;
        }
        m_changed.notify_all();
    }
}

std::vector<PacedLine::Byte> PacedLine::bytes() const
{
    std::lock_guard lock(m_mutex);
    return m_bytes;
}

QByteArray PacedLine::data() const
{
    std::lock_guard lock(m_mutex);
    QByteArray out;
    out.reserve(qsizetype(m_bytes.size()));
    for (const Byte &b : m_bytes)
        out.append(char(b.value));
    return out;
}

std::size_t PacedLine::count() const
{
    std::lock_guard lock(m_mutex);
    return m_bytes.size();
}

long long PacedLine::queued() const
{
    return waiting();
}

bool PacedLine::waitForCount(std::size_t n, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_bytes.size() >= n; });
}

bool PacedLine::waitForEnd(const QByteArray &end, int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs), [&] {
        if (m_bytes.size() < std::size_t(end.size()))
            return false;
        const std::size_t from = m_bytes.size() - std::size_t(end.size());
        for (qsizetype i = 0; i < end.size(); ++i)
            if (m_bytes[from + std::size_t(i)].value != static_cast<unsigned char>(end[i]))
                return false;
        return true;
    });
}

bool PacedLine::waitForDrained(int timeoutMs) const
{
    std::unique_lock lock(m_mutex);
    // The reader's note is of its last wake-up; the terminal's queue is looked at now, since a
    // write that came meanwhile wakes the reader only when it polls again.
    return m_changed.wait_for(lock, std::chrono::milliseconds(timeoutMs),
                              [&] { return m_drained && waiting() == 0; });
}

} // namespace desktop
