#include "core/process/quit_signals.h"

#include <cerrno>
#include <csignal>
#include <fcntl.h>
#include <unistd.h>

namespace {

int pipeFds[2] = {-1, -1};

void onSignal(int signal)
{
    const int saved = errno;
    const unsigned char byte = static_cast<unsigned char>(signal);
    [[maybe_unused]] const ssize_t n = ::write(pipeFds[1], &byte, 1);
    errno = saved;
}

constexpr int handled[] = {SIGINT, SIGTERM, SIGHUP};

} // namespace

bool QuitSignals::install()
{
    if (pipeFds[0] >= 0)
        return false; // one watcher per process: signal handlers are process-wide
    if (::pipe2(pipeFds, O_NONBLOCK | O_CLOEXEC) != 0)
        return false;
    m_notifier = std::make_unique<QSocketNotifier>(pipeFds[0], QSocketNotifier::Read);
    connect(m_notifier.get(), &QSocketNotifier::activated, this, &QuitSignals::readPipe);

    struct sigaction sa = {};
    sa.sa_handler = onSignal;
    sigemptyset(&sa.sa_mask);
    sa.sa_flags = SA_RESTART;
    for (int s : handled)
        ::sigaction(s, &sa, nullptr);
    return true;
}

QuitSignals::~QuitSignals()
{
    if (!m_notifier)
        return;
    for (int s : handled)
        ::signal(s, SIG_DFL);
    m_notifier.reset();
    ::close(pipeFds[0]);
    ::close(pipeFds[1]);
    pipeFds[0] = pipeFds[1] = -1;
}

void QuitSignals::readPipe()
{
    unsigned char byte = 0;
    if (::read(pipeFds[0], &byte, 1) == 1)
        Q_EMIT quitRequested(byte);
}
