#include "live_watch.h"

#include "core/play/player.h"
#include "core/process/event_wait.h"

#include <pthread.h>

namespace kpy {

QuitWatch::QuitWatch(play::Player &player)
{
    for (std::size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], nullptr, &m_python[i]);
    m_signals = std::make_unique<QuitSignals>();
    m_watching = m_signals->install();
    QObject::connect(m_signals.get(), &QuitSignals::quitRequested, &player,
                     [this, &player](int signal) {
                         // The first signal decides what the call raises; more change nothing.
                         if (m_signalled == 0)
                             m_signalled = signal;
                         player.interrupt();
                     });
}

QuitWatch::~QuitWatch()
{
    // Between the core's handlers going and Python's coming back, a signal would meet the
    // default action and end the process with the port still open: it waits, blocked, for
    // Python's handler instead.
    sigset_t blocked;
    sigset_t before;
    sigemptyset(&blocked);
    for (int signal : handled)
        sigaddset(&blocked, signal);
    ::pthread_sigmask(SIG_BLOCK, &blocked, &before);
    m_signals.reset();
    for (std::size_t i = 0; i < handled.size(); ++i)
        ::sigaction(handled[i], &m_python[i], nullptr);
    ::pthread_sigmask(SIG_SETMASK, &before, nullptr);
}

int QuitWatch::signalled()
{
    events::runPending();
    return m_signalled;
}

} // namespace kpy
