// Draws the README's before-and-after picture of timed moves: a taught motion's positions over
// time as it was taught (typed axes jump) and with each jump made a smooth timed move of 0.8 s
// by the core's planner, the steps timed as the first replay pass puts them on the line.
//
// Usage: kestrel-plots OUT.png     (make.sh beside this file runs it into docs/)

#include "position_plot.h"

#include "core/arm/profile.h"
#include "core/store/config_file.h"

#include <QGuiApplication>
#include <QStringList>
#include <cstdio>

int main(int argc, char *argv[])
{
    QGuiApplication app(argc, argv);
    const QStringList args = QGuiApplication::arguments();
    if (args.size() != 2) {
        std::fprintf(stderr, "Usage: kestrel-plots OUT.png\n");
        return 2;
    }
    // The stock arm, homed at the default homes: a fresh start's pass, as kestrel-play makes it.
    const timing::Pose start = timing::passStartPose(config::Settings{});
    const std::vector<plots::Gesture> gestures = plots::taughtGestures(start);
    const plots::Retaught after =
        plots::withTimedMoves(gestures, start, arm::defaults(), moves::Ease::Smooth, 0.8);
    if (!after.error.isEmpty()) {
        std::fprintf(stderr, "kestrel-plots: %s\n", qPrintable(after.error));
        return 3;
    }
    const QImage image = plots::positionsOverTime(
        {{QStringLiteral("As taught: the typed axes jump"), plots::asTaught(gestures, start)},
         {QStringLiteral("Each jump a timed move: smooth, 0.8 s, every axis arriving together"),
          after.motion}},
        start);
    if (!image.save(args[1], "PNG")) {
        std::fprintf(stderr, "kestrel-plots: cannot write %s\n", qPrintable(args[1]));
        return 4;
    }
    return 0;
}
