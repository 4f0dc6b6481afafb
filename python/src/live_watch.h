#pragma once
// Ctrl-C, SIGTERM and SIGHUP while a call moves the arm. For the call's length they are the
// core's quit signals, as in kestrel-play: the operation under way ends after its step in
// progress, and the call says which signal came once the arm has stopped. Python's own handlers
// are saved first and put back after (the core's watcher leaves the defaults behind it), so that
// outside the calls a script gets its KeyboardInterrupt, and its own handlers, as it always does.
#include "core/process/quit_signals.h"

#include <array>
#include <csignal>
#include <memory>

namespace play {
class Player;
}

namespace kpy {

class QuitWatch {
public:
    // Watches for the call, interrupting `player` at the first signal.
    explicit QuitWatch(play::Player &player);
    ~QuitWatch();
    QuitWatch(const QuitWatch &) = delete;
    QuitWatch &operator=(const QuitWatch &) = delete;

    // False when the handlers could not be installed; nothing is watched then.
    bool watching() const { return m_watching; }
    // The first signal that came, 0 for none. A signal that came with the last step has only
    // written its byte: the pending events are run first, so that it counts.
    [[nodiscard]] int signalled();

private:
    static constexpr std::array<int, 3> handled{SIGINT, SIGTERM, SIGHUP};
    std::array<struct sigaction, handled.size()> m_python{};
    std::unique_ptr<QuitSignals> m_signals;
    bool m_watching = false;
    int m_signalled = 0;
};

} // namespace kpy
