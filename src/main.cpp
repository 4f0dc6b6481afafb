#include "core/link/serial_port.h"
#include "core/pad/game_pads.h"
#include "core/process/quit_signals.h"
#include "core/program/command_line.h"
#include "core/text/program.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace {

// What is on its way goes out whole before the port closes: at most a step's frames.
int closeAfterSignal(SerialPort &port, int status)
{
    port.waitForLine(0);
    port.close();
    return status;
}

// The first of SIGINT, SIGTERM and SIGHUP is the one the program ends by.
void endOnSignals(QuitSignals &quitSignals, robot &window, int &signalled)
{
    if (!quitSignals.install())
        return;
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &window, [&](int signal) {
        if (signalled == 0)
            signalled = signal;
        window.endBySignal();
    });
}

} // namespace

int main(int argc, char *argv[])
{
    // Answered before the application exists: they need no display, and a command line that
    // cannot be used opens no window and no port.
    const program::CommandLine commandLine = program::readCommandLine(argc, argv);
    if (commandLine.outcome != program::CommandLine::Run)
        return program::answer(commandLine, program::name());

    QApplication app(argc, argv);
    look::setUpApplication();

    // Ctrl-C, SIGTERM and SIGHUP end the program as cleanly as the quit does, without its
    // question: the arm stops after its step, and the port is closed and its lock released. A
    // shell sees Ctrl-C as 130; a service manager or a desktop logging out sees a clean end.
    QuitSignals quitSignals;
    int signalled = 0;
    const auto status = [&signalled] { return signalled == SIGINT ? 128 + SIGINT : 0; };

    GamePads pads;
    const Folders folders = Folders::standard();
    SerialPort port(folders.config);
    QtDialogs dialogs;
    robot window(Services{&port, &dialogs, folders,
                          [&port, &status] {
                              port.close();
                              std::fflush(nullptr);
                              ::_exit(status());
                          },
                          pads.startFor(program::name())});
    endOnSignals(quitSignals, window, signalled);
    window.Form_Load();
    // A signal during start-up has ended it already; the main loop is not begun.
    if (signalled == 0)
        return app.exec();
    return closeAfterSignal(port, status());
}
