#include "play/options.h"

#include "core/program/outcome.h"

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
    "Before it opens the port, every frame of the play is checked against the arm profile\n"
    "(arm.ini in the configuration folder, or --profile): each axis within its min and max,\n"
    "no frame moving an axis more than its max_step, the tool point and the wrist not below\n"
    "the table. A motion that breaks it is not played.\n"
    "\n"
    "Exit status:\n"
    "  0    the motion was played to its end\n"
    "  1    the program could not start\n"
    "  2    a bad command line\n"
    "  3    the movement file is missing, unreadable or faulty, or so is the arm profile\n"
    "       (nothing was sent)\n"
    "  4    the port cannot be opened (nothing was sent)\n"
    "  5    the device echoes the probe: a modem or a loop, not the arm\n"
    "  6    the device went away while playing\n"
    "  7    the motion breaks the arm profile (nothing was sent)\n"
    "  128+n  stopped by signal n: 130 for Ctrl-C, 143 for SIGTERM, 129 for SIGHUP";

// The most passes a count may ask for; more is "until stopped", which is --loops 0.
constexpr int mostLoops = 1000000;

struct Table {
    QCommandLineOption port;
    QCommandLineOption device;
    QCommandLineOption loops;
    QCommandLineOption configDir;
    QCommandLineOption profile;
    QCommandLineOption noLimits;
    QCommandLineOption dryRun;
    QCommandLineOption quiet;
};

// The arm profile's two options, which the check before anything is opened reads.
QCommandLineOption profileOption()
{
    return QCommandLineOption(
        QStringLiteral("profile"),
        QStringLiteral("Checks the motion against the arm profile in <file> instead of arm.ini "
                       "in the configuration folder; the file must exist."),
        QStringLiteral("file"));
}

QCommandLineOption noLimitsOption()
{
    return QCommandLineOption(
        QStringLiteral("no-limits"),
        QStringLiteral("Plays a motion that breaks the arm profile, with a warning, instead of "
                       "refusing it."));
}

Table table()
{
    return {
        QCommandLineOption(
            QStringLiteral("port"),
            QStringLiteral("Plays on COM<n>, found as Kestrel finds it (the link COM<n> in the "
                           "configuration folder, then the usual device names). Default: the "
                           "PORT= of robotini.txt."),
            QStringLiteral("n")),
        QCommandLineOption(
            QStringLiteral("device"),
            QStringLiteral("Plays on the serial device at <path> instead of a COM port."),
            QStringLiteral("path")),
        QCommandLineOption(
            QStringLiteral("loops"),
            QStringLiteral("Plays the motion <n> times (default 1, at most %1); 0 plays it until "
                           "stopped.")
                .arg(mostLoops),
            QStringLiteral("n"), QStringLiteral("1")),
        QCommandLineOption(
            QStringLiteral("config-dir"),
            QStringLiteral("Reads robotini.txt, arm.ini and the COM<n> links in <dir> instead of "
                           "Kestrel's configuration folder ($XDG_CONFIG_HOME/kestrel, by default "
                           "~/.config/kestrel)."),
            QStringLiteral("dir")),
        profileOption(),
        noLimitsOption(),
        QCommandLineOption(
            QStringLiteral("dry-run"),
            QStringLiteral("Opens no port: prints each byte that would be sent, as the simulator "
                           "logs it without its time column (\"FF 04 7F 0D grip 127\", and "
                           "\"probe 42\" for the probe), one a line, at once.")),
        QCommandLineOption(
            QStringLiteral("quiet"),
            QStringLiteral("Shows no progress line and no notes; errors are still shown.")),
    };
}

// The one movement file the command line names.
Parsed readFile(const QStringList &files)
{
    if (files.isEmpty())
        return program::refused(
            QStringLiteral("Which movement file? Name one, e.g. kestrel-play motion.kmv."));
    if (files.size() > 1)
        return program::refused(
            QStringLiteral("One movement file at a time; '%1' is one too many.").arg(files.at(1)));
    Parsed result;
    result.options.file = files.constFirst();
    return result;
}

// Where to play: a COM port's number or a device path, not both.
Parsed readLine(const QCommandLineParser &parser, const Table &t, Parsed result)
{
    Options &o = result.options;
    if (parser.isSet(t.port))
        if (QString why = program::readWholeNumber(parser, t.port, &o.port, 1); !why.isEmpty())
            return program::refused(why);
    o.device = parser.value(t.device);
    if (parser.isSet(t.device) && o.device.isEmpty())
        return program::refused(QStringLiteral("--device takes a device path, e.g. /dev/ttyUSB0."));
    if (parser.isSet(t.port) && parser.isSet(t.device))
        return program::refused(
            QStringLiteral("--port and --device both name the line; give one."));
    return result;
}

} // namespace

Parsed parse(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.kmv"),
                                 QStringLiteral("The movement file to play."));
    const Table t = table();
    const program::CommandLine read = program::readOptions(
        parser, QStringLiteral("kestrel-play"), description,
        {t.port, t.device, t.loops, t.configDir, t.profile, t.noLimits, t.dryRun, t.quiet}, args);
    if (read.outcome != program::CommandLine::Run)
        return read;

    Parsed result = readFile(parser.positionalArguments());
    if (result.outcome == Parsed::Run)
        result = readLine(parser, t, result);
    if (result.outcome != Parsed::Run)
        return result;
    Options &o = result.options;
    if (QString why = program::readWholeNumber(parser, t.loops, &o.loops, 0, mostLoops);
        !why.isEmpty())
        return program::refused(why);
    o.configDir = parser.value(t.configDir);
    o.profile = parser.value(t.profile);
    if (parser.isSet(t.profile) && o.profile.isEmpty())
        return program::refused(QStringLiteral("--profile takes a file, e.g. arm.ini."));
    o.noLimits = parser.isSet(t.noLimits);
    o.dryRun = parser.isSet(t.dryRun);
    o.quiet = parser.isSet(t.quiet);
    return result;
}

} // namespace play
