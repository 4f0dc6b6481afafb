#include "core/link/serial_port.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
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
