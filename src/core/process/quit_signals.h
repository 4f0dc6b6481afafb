#pragma once
// Turns Ctrl-C, SIGTERM and SIGHUP into an event, so that a program ends the way it ends any
// other time: a long operation stops after its step in progress, the port is closed and its
// lock released, a published link is removed. The handler only writes the signal's number to a
// pipe; the event loop (or a sequencer's line wait, which runs it) reads it and emits
// quitRequested. Nothing else happens inside the handler.
//
// The handler stays installed: a second Ctrl-C while the program is ending is one more request,
// not a kill.

#include <QObject>
#include <QSocketNotifier>
#include <memory>

class QuitSignals : public QObject {
    Q_OBJECT
public:
    // Installs the handlers; false (and nothing installed) when the pipe cannot be made or
    // another watcher is already installed.
    [[nodiscard]] bool install();
    ~QuitSignals() override;

Q_SIGNALS:
    void quitRequested(int signal);

private:
    void readPipe();

    std::unique_ptr<QSocketNotifier> m_notifier;
};
