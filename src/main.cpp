#include "core/link/serial_port.h"
#include "core/text/command_line.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    // Answered before the application exists: they need no display, and a command line that
    // cannot be used opens no window and no port.
    const program::CommandLine commandLine = program::readCommandLine(argc, argv);
    if (commandLine.outcome != program::CommandLine::Run)
        return program::answer(commandLine);

    QApplication app(argc, argv);
    look::setUpApplication();

    const Folders folders = Folders::standard();
    SerialPort port(folders.config);
    QtDialogs dialogs;
    robot window(Services{&port, &dialogs, folders, [&port] {
                              port.close();
                              std::fflush(nullptr);
                              ::_exit(0);
                          }});
    window.Form_Load();
    return app.exec();
}
