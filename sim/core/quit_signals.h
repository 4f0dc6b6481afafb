#pragma once
// Turns Ctrl-C, SIGTERM and SIGHUP into a normal end of the event loop, so that the
// simulator's link is removed on every ordinary way out. The handler only writes a byte to a
// pipe; the loop sees it and quits, and the clean-up runs on the way out of main.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

namespace sim {

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; false (and nothing installed) when the pipe cannot be made or
    // another watcher is already installed.
    [[nodiscard]] bool install();
    ~QuitSignals() override;

signals:
    void quitRequested(int signal);

private:
    void readPipe();

    std::unique_ptr<QSocketNotifier> m_notifier;
};

} // namespace sim
