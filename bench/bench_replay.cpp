// Replay on a real serial line, on the platforms operators run. Each measurement drives the
// real SerialPort on a pseudo-terminal whose far end is read no faster than a 9600-baud 8N1 line
// carries bytes (960 a second), the way the servo controller takes them, and prints what the
// operator feels: how close a replay comes to the line's 240 frames a second, how far the arm
// runs on after STOP, what a paused replay costs, how soon CONT goes on, and how long the
// largest movement file takes to open and save.
//
// Two columns: the main window in this process, pressed by the program (offscreen unless
// QT_QPA_PLATFORM says otherwise), and the real kestrel on an X server of its own, clicked
// through it as a person clicks (left out with --no-desktop; $KESTREL_DESKTOP_BINARY names
// another build to measure).
//
// A report, not a test: it exits 0 whatever the figures are, and only a broken set-up exits 1.

#include "replay_figures.h"

#include "support/kestrel_desktop.h"
#include "windows/widgets/look.h"

#include <QApplication>

#include <cstring>

int main(int argc, char *argv[])
{
    bool desktop = true;
    for (int i = 1; i < argc; ++i)
        desktop = desktop && std::strcmp(argv[i], "--no-desktop") != 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    look::setUpApplication();

    std::vector<bench::ReplayFigures> columns{bench::measureInProcess()};
    if (desktop)
        columns.push_back(
            bench::measureOnDesktop(desktop::kestrelBinary(QStringLiteral(KESTREL_BINARY))));
    bench::printReport(columns);
    for (const bench::ReplayFigures &c : columns)
        if (!c.error.isEmpty() && !c.passIntact)
            return 1;
    return 0;
}
