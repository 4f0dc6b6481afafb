#include "play/options.h"

#include "core/text/program.h"

#include <QCommandLineParser>

namespace play {

namespace {

const char *description =
    "Plays a movement file (.kmv) taught in Kestrel on the arm, without a window: the same\n"
    "bytes as Kestrel writes when it starts, opens the file and presses RUN with the same\n"
    "loop count. That is the probe, the start-up centring and the homing walk to the homes\n"
    "of robotini.txt, then the passes. The arm is left where the motion ends.\n"
    "\n"
    "The pace is the line's (9600 baud): the homing speed of robotini.txt does not apply.\n"
    "Ctrl-C, SIGTERM and SIGHUP stop the arm after the step in progress, as STOP does,\n"
    "also during the homing walk; the port and its lock are released.\n"
    "\n"
    "Exit status:\n"
    "  0    the motion was played to its end\n"
    "  1    the program could not start\n"
    "  2    a bad command line\n"
    "  3    the movement file is missing, unreadable or faulty (nothing was sent)\n"
    "  4    the port cannot be opened (nothing was sent)\n"
    "  5    the device echoes the probe: a modem or a loop, not the arm\n"
    "  6    the device went away while playing\n"
    "  128+n  stopped by signal n: 130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP";

// The most passes a count may ask for; more is "until stopped", which is --loops 0.
constexpr int mostLoops = 1000000;

Parsed failed(const QString &text)
{
    Parsed p;
    p.outcome = Parsed::Error;
    p.text = text;
    return p;
}

} // namespace

Parsed parse(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(description));
    parser.addPositionalArgument(QStringLiteral("FILE.kmv"),
                                 QStringLiteral("The movement file to play."));
    const QCommandLineOption help = program::helpOption();
    const QCommandLineOption version = program::versionOption();
    const QCommandLineOption port(
        QStringLiteral("port"),
        QStringLiteral("Plays on COM<n>, found as Kestrel finds it (the link COM<n> in the "
                       "configuration folder, then the usual device names). Default: the "
                       "PORT= of robotini.txt."),
        QStringLiteral("n"));
    const QCommandLineOption device(
        QStringLiteral("device"),
        QStringLiteral("Plays on the serial device at <path> instead of a COM port."),
        QStringLiteral("path"));
    const QCommandLineOption loops(
        QStringLiteral("loops"),
        QStringLiteral("Plays the motion <n> times (default 1, at most %1); 0 plays it until "
                       "stopped.")
            .arg(mostLoops),
        QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption configDir(
        QStringLiteral("config-dir"),
        QStringLiteral("Reads robotini.txt and the COM<n> links in <dir> instead of Kestrel's "
                       "configuration folder ($XDG_CONFIG_HOME/kestrel, by default "
                       "~/.config/kestrel)."),
        QStringLiteral("dir"));
    const QCommandLineOption dryRun(
        QStringLiteral("dry-run"),
        QStringLiteral("Opens no port: prints each byte that would be sent, as the simulator "
                       "logs it without its time column (\"FF 04 7F 0D grip 127\", and "
                       "\"probe 42\" for the probe), one a line, at once."));
    const QCommandLineOption quiet(
        QStringLiteral("quiet"),
        QStringLiteral("Shows no progress line and no notes; errors are still shown."));
    parser.addOptions({help, version, port, device, loops, configDir, dryRun, quiet});

    if (!parser.parse(args))
        return failed(parser.errorText());
    if (parser.isSet(help)) {
        Parsed p;
        p.outcome = Parsed::ShowHelp;
        p.text = parser.helpText();
        return p;
    }
    if (parser.isSet(version)) {
        Parsed p;
        p.outcome = Parsed::ShowVersion;
        p.text = QStringLiteral("kestrel-play ") + program::version();
        return p;
    }

    const QStringList files = parser.positionalArguments();
    if (files.isEmpty())
        return failed(QStringLiteral("Which movement file? Name one, e.g. kestrel-play motion.kmv."));
    if (files.size() > 1)
        return failed(QStringLiteral("One movement file at a time; '%1' is one too many.")
                          .arg(files.at(1)));

    Parsed result;
    Options &o = result.options;
    o.file = files.constFirst();
    bool ok = true;
    if (parser.isSet(port)) {
        o.port = parser.value(port).toInt(&ok);
        if (!ok || o.port < 1)
            return failed(QStringLiteral("--port takes a whole number from 1 up, not '%1'.")
                              .arg(parser.value(port)));
    }
    o.device = parser.value(device);
    if (parser.isSet(device) && o.device.isEmpty())
        return failed(QStringLiteral("--device takes a device path, e.g. /dev/ttyUSB0."));
    if (parser.isSet(port) && parser.isSet(device))
        return failed(QStringLiteral("--port and --device both name the line; give one."));
    o.loops = parser.value(loops).toInt(&ok);
    if (!ok || o.loops < 0 || o.loops > mostLoops)
        return failed(QStringLiteral("--loops takes a whole number from 0 to %1, not '%2'.")
                          .arg(mostLoops)
                          .arg(parser.value(loops)));
    o.configDir = parser.value(configDir);
    o.dryRun = parser.isSet(dryRun);
    o.quiet = parser.isSet(quiet);
    return result;
}

} // namespace play
