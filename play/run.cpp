#include "play/run.h"

#include "core/arm/limit_check.h"
#include "core/arm/profile_file.h"
#include "core/link/com_device.h"
#include "core/link/serial_port.h"
#include "core/play/player.h"
#include "core/play/progress.h"
#include "core/process/event_wait.h"
#include "core/process/quit_signals.h"
#include "core/program/terminal.h"
#include "core/store/config_file.h"
#include "core/store/folders.h"
#include "core/store/movement_file.h"
#include "core/text/program.h"
#include "play/options.h"
#include "play/printing_port.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <csignal>
#include <cstdio>
#include <functional>
#include <memory>
#include <optional>
#include <unistd.h>

namespace play {

namespace {

using program::say;

// The port a run plays on, how messages name it ("COMM 2", or the device path given), and how
// it is opened.
struct Line {
    std::unique_ptr<Port> port;
    QString name;
    int number = 1;
    std::function<int()> open;
};

Line makeLine(const Options &o, const QString &configDir, int configuredPort)
{
    Line line;
    if (o.dryRun) {
        line.port = std::make_unique<PrintingPort>(stdout);
        line.name = QStringLiteral("(dry run)");
        line.open = [port = line.port.get()] { return port->open(1); };
        return line;
    }
    auto serial = std::make_unique<SerialPort>(configDir);
    line.number = o.port > 0 ? o.port : configuredPort;
    if (!o.device.isEmpty()) {
        line.name = o.device;
        line.open = [port = serial.get(), path = o.device] { return port->openPath(path); };
    } else {
        line.name = comdevice::portName(line.number);
        line.open = [port = serial.get(), n = line.number] { return port->open(n); };
    }
    line.port = std::move(serial);
    return line;
}

// How a run ends when the device went away.
int lost(const Options &o, const Line &line)
{
    // A dry run whose reader has gone ends as a program does that writes into a closed
    // pipe: without a word, with the status of SIGPIPE.
    if (o.dryRun)
        return BySignal + SIGPIPE;
    say(stderr, comdevice::failureText(comdevice::NoDevice, line.name, line.port->device()));
    return DeviceLost;
}

// Opens the line and probes it; the exit status when it cannot be played on.
std::optional<int> openLine(ArmSession &session, const Line &line, const Options &o)
{
    Port &port = *line.port;
    const ArmSession::PortOutcome opened = session.choosePort(line.number, line.open);
    if (opened == ArmSession::PortOutcome::Failed) {
        say(stderr,
            comdevice::failureText(session.portStatus(), line.name, port.device(), port.note()));
        return PortUnusable;
    }
    if (opened == ArmSession::PortOutcome::Lost || !port.isOpen())
        return lost(o, line);
    if (opened == ArmSession::PortOutcome::Echoed) {
        say(stderr, comdevice::echoText(line.name));
        return DeviceEchoes;
    }
    return std::nullopt;
}

// The start-up and the passes, with the progress line on a terminal; the port is closed after.
Sequencer::End playPasses(Player &player, Port &port, const Options &o, bool stopped)
{
    const bool showProgress = !o.quiet && !o.dryRun && ::isatty(STDERR_FILENO);
    StatusLine status(stderr);
    if (showProgress)
        status.show(QStringLiteral("Homing the arm"), true);

    Sequencer::End end = stopped ? Sequencer::End::Stopped : player.startUp();
    if (end == Sequencer::End::Done) {
        const Progress progress(player.session().stepBuffer(), player.positions(), o.loops);
        QElapsedTimer played;
        played.start();
        if (showProgress)
            player.onStep([&] {
                if (player.homing())
                    return;
                status.show(progress.text(player.pass(), player.replayIndex(),
                                          port.line().busyFor(LineClock::Clock::now()),
                                          std::chrono::milliseconds(played.elapsed())));
            });
        end = player.run();
    }
    status.finish();
    // Closing a serial port may throw away what is still in its output buffer, and with it part
    // of a frame. What was written goes out whole first: at most a few frames.
    port.waitForLine(0);
    port.close();
    return end;
}

// The configuration, with its notice unless quiet.
config::Loaded loadConfiguration(const Folders &folders, const Options &o)
{
    const config::Loaded configuration = config::load(folders.configFile());
    if (configuration.trouble != config::Loaded::Trouble::None && !o.quiet)
        say(stderr, configuration.notice);
    return configuration;
}

// The movement file played on the line, from the probe to the end of the passes or a signal.
int playMotion(const Options &o, const config::Loaded &configuration, const Folders &folders,
               const std::vector<Step> &records, QuitSignals &quitSignals)
{
    int signalled = 0; // the first signal's number
    Line line = makeLine(o, folders.config, configuration.settings.port);
    Player player(*line.port, configuration.settings, o.loops);
    player.session().openMovement(o.file, records);
    if (const std::optional<int> refused = openLine(player.session(), line, o))
        return *refused;

    QObject::connect(&quitSignals, &QuitSignals::quitRequested, &player, [&](int signal) {
        // The first signal decides the status; more of them change nothing.
        if (signalled == 0)
            signalled = signal;
        player.interrupt();
    });
    // A signal that came during the probe's second, when no events ran, is seen here.
    events::runPending();

    switch (playPasses(player, *line.port, o, signalled != 0)) {
    case Sequencer::End::Done:
        return Done;
    case Sequencer::End::Lost:
        return lost(o, line);
    case Sequencer::End::Stopped:
        break;
    }
    return BySignal + signalled;
}

// Whether the motion keeps the arm within its profile, checked on the frames the player will
// write before the port is opened: a motion that would leave it sends nothing at all. With
// --no-limits it is played anyway, after a warning. The exit status when it is not played.
std::optional<int> refusedByProfile(const Options &o, const QString &profileFile,
                                    const arm::Profile &profile, const std::vector<Step> &records,
                                    const config::Settings &settings)
{
    const arm::MotionCheck checked = arm::checkMotion(profile, records, settings, o.loops);
    if (!checked.error.isEmpty()) {
        say(stderr, QStringLiteral("kestrel-play: %1").arg(checked.error));
        return BadMovementFile;
    }
    if (!checked.breach)
        return std::nullopt;
    const QString breach = checked.breach->text();
    if (o.noLimits) {
        say(stderr, QStringLiteral("Warning: the motion breaks the arm profile '%1'; playing it "
                                   "anyway (--no-limits).\r%2")
                        .arg(profileFile, breach));
        return std::nullopt;
    }
    say(stderr, QStringLiteral("The motion breaks the arm profile '%1'; nothing was sent "
                               "(--no-limits plays it anyway).\r%2")
                    .arg(profileFile, breach));
    return BreaksProfile;
}

// Reads the configuration, the arm profile and the movement file, then plays it.
int openAndPlay(const Options &o)
{
    // Watched from the start: a signal before the arm moves ends the run before it does.
    QuitSignals quitSignals;
    if (!quitSignals.install()) {
        say(stderr, QStringLiteral("kestrel-play: cannot watch for Ctrl-C; not playing."));
        return Failed;
    }
    const Folders folders{o.configDir.isEmpty() ? Folders::standard().config : o.configDir, {}};
    // Found under Kestrel's name; from here on the program goes by its own. The port's lock file
    // records the name, and Qt takes the lock of a running process whose name differs for one
    // left behind by a dead process (its number reused), and removes it.
    QCoreApplication::setApplicationName(QStringLiteral("kestrel-play"));
    const config::Loaded configuration = loadConfiguration(folders, o);
    // --profile's file must exist; arm.ini in the configuration folder may be missing. One that
    // cannot be used is never used in part, nor replaced by the defaults: the limits it was
    // written to keep would be lost.
    const QString profileFile = o.profile.isEmpty() ? arm::profilePath(folders.config) : o.profile;
    const arm::ProfileRead profile = arm::load(profileFile, o.profile.isEmpty());
    if (!profile.ok()) {
        say(stderr, profile.error);
        return BadMovementFile;
    }

    // The whole file is checked before the port is opened: a fault on its last line sends
    // nothing at all.
    const movement::Loaded file = movement::load(o.file);
    if (!file.ok()) {
        say(stderr, file.message);
        return BadMovementFile;
    }
    if (const std::optional<int> refused =
            refusedByProfile(o, profileFile, profile.profile, file.records, configuration.settings))
        return *refused;
    return playMotion(o, configuration, folders, file.records, quitSignals);
}

} // namespace

int run(int argc, char **argv)
{
    // A dry run printed into a pipe that closes (| head) must still stop the arm cleanly.
    std::signal(SIGPIPE, SIG_IGN);
    QCoreApplication app(argc, argv);
    program::nameApplication();

    const Parsed parsed = parse(QCoreApplication::arguments());
    if (parsed.outcome != Parsed::Run)
        return program::answer(parsed, QStringLiteral("kestrel-play"));
    return openAndPlay(parsed.options);
}

} // namespace play
