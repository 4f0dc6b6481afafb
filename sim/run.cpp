#include "sim/run.h"

#include "core/arm/profile_file.h"
#include "core/process/quit_signals.h"
#include "core/program/command_line.h"
#include "core/program/terminal.h"
#include "core/store/folders.h"
#include "sim/core/headless_log.h"
#include "sim/core/options.h"
#include "sim/core/pty_link.h"
#include "sim/core/simulator.h"
#include "sim/window/arm_window.h"

#include <QApplication>
#include <csignal>
#include <memory>

namespace sim {

namespace {

using program::say;

// The simulator with its views: the log of a headless run, or the window.
int simulate(QCoreApplication &app, const Options &o, PtyLink &link, HeadlessLog &log,
             const arm::Profile &profile)
{
    const QString portName = QStringLiteral("COM%1").arg(o.port);
    say(stderr, QStringLiteral("%1 -> %2").arg(portName, link.slavePath()));

    Simulator simulator(link.masterFd(), o.echo, nullptr);
    std::unique_ptr<ArmWindow> window;
    if (o.headless) {
        QObject::connect(&simulator, &Simulator::happened, &log, &HeadlessLog::write);
    } else {
        window =
            std::make_unique<ArmWindow>(simulator, portName, link.slavePath(), o.echo, profile);
        window->show();
    }
    const int status = app.exec();
    link.unpublish();
    return status;
}

// The arm to draw: the file --profile names, or arm.ini in the folder if there is one.
arm::ProfileRead readProfile(const Options &o, const QString &folder)
{
    return o.profile.isEmpty() ? arm::load(arm::profilePath(folder), true)
                               : arm::load(o.profile, false);
}

// Reads the arm's profile, opens the log and publishes the link, then simulates until a quit or
// a signal.
int publishAndSimulate(QCoreApplication &app, const Options &o)
{
    // The program's own folder rule, so that the two always agree on where COMn lives.
    const QString folder = o.configDir.isEmpty() ? Folders::standard().config : o.configDir;
    // Before anything is published or written: a profile that cannot be used stops the
    // simulator as it stops the other programs, and nobody sees a port come and go.
    const arm::ProfileRead profile = readProfile(o, folder);
    if (!profile.ok()) {
        say(stderr, QStringLiteral("kestrel-sim: ") + profile.error);
        return 3;
    }

    HeadlessLog log(nullptr);
    QString error;
    if (o.headless && !log.open(o.logFile, &error)) {
        say(stderr, QStringLiteral("kestrel-sim: ") + error);
        return 1;
    }

    // Watched before the link is published: whoever sees the link may stop us at once, and a
    // Ctrl-C that came in between would end the process with the link left behind.
    QuitSignals quitSignals;
    if (!quitSignals.install()) {
        say(stderr, QStringLiteral("kestrel-sim: cannot watch for Ctrl-C; stopping."));
        return 1;
    }
    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &app, &QCoreApplication::quit);

    PtyLink::Opened opened = PtyLink::publish(folder, o.port);
    if (!opened.link) {
        say(stderr, QStringLiteral("kestrel-sim: ") + opened.error);
        return 1;
    }
    return simulate(app, o, *opened.link, log, profile.profile);
}

} // namespace

int run(int argc, char **argv)
{
    // A reader of the headless log that goes away must not kill the simulator before it has
    // removed its link.
    std::signal(SIGPIPE, SIG_IGN);

    std::unique_ptr<QCoreApplication> app;
    if (wantsNoWindow(argc, argv))
        app = std::make_unique<QCoreApplication>(argc, argv);
    else
        app = std::make_unique<QApplication>(argc, argv);

    // Without a window, Qt's own options are still in the arguments; they are no error.
    const ParsedOptions parsed = program::readBesideQt(QCoreApplication::arguments(), parseOptions);
    if (parsed.outcome != ParsedOptions::Run)
        return program::answer(parsed, QStringLiteral("kestrel-sim"));
    return publishAndSimulate(*app, parsed.options);
}

} // namespace sim
