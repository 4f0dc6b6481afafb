#include "app/robot.h"
#include "link/serial_port.h"
#include "ui/dialogs.h"

#include <QApplication>
#include <QStyleFactory>
#include <cstdio>
#include <unistd.h>

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    QApplication::setApplicationName(QStringLiteral("kestrel"));
    QApplication::setApplicationDisplayName(QStringLiteral("Kestrel"));
    // Fusion paints buttons in their palette colour, which REC and RUN use to show their state.
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));

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
