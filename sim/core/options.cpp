#include "sim/core/options.h"

#include "core/program/command_line.h"

#include <QCommandLineParser>
#include <cstring>

namespace sim {

namespace {

const char *description =
    "The simulated servo controller: publishes a pseudo-terminal as COM<n> in Kestrel's\n"
    "configuration folder, reads it at the pace of a 9600-baud line, decodes the command\n"
    "frames (FF, channel, position, 0D) and shows where the arm would be.\n"
    "\n"
    "Start it before Kestrel, then choose the same port in Kestrel's Options menu.\n"
    "The link is removed when the simulator ends (Ctrl-C or SIGTERM included).";

struct Table {
    QCommandLineOption configDir;
    QCommandLineOption port;
    QCommandLineOption echo;
    QCommandLineOption headless;
    QCommandLineOption log;
    QCommandLineOption profile;
};

Table table()
{
    return {
        QCommandLineOption(
            QStringLiteral("config-dir"),
            QStringLiteral("Publishes the port in <dir> instead of Kestrel's configuration folder "
                           "($XDG_CONFIG_HOME/kestrel, by default ~/.config/kestrel). Created "
                           "when missing."),
            QStringLiteral("dir")),
        QCommandLineOption(QStringLiteral("port"),
                           QStringLiteral("Publishes the port as COM<n> (default 1)."),
                           QStringLiteral("n"), QStringLiteral("1")),
        QCommandLineOption(QStringLiteral("echo"),
                           QStringLiteral("Echoes the probe byte \"B\" like a modem, so "
                                          "that Kestrel shows its warning.")),
        QCommandLineOption(
            QStringLiteral("headless"),
            QStringLiteral("Shows no window; writes each frame and junk byte as a line with its "
                           "time in seconds since start, e.g. \"0.412 FF 04 7F 0D grip 127\".")),
        QCommandLineOption(QStringLiteral("log"),
                           QStringLiteral("With --headless, writes the lines to <file> "
                                          "instead of standard output."),
                           QStringLiteral("file")),
        QCommandLineOption(QStringLiteral("profile"),
                           QStringLiteral("Draws the arm by the profile in <file> instead of "
                                          "arm.ini in the configuration folder."),
                           QStringLiteral("file")),
    };
}

} // namespace

ParsedOptions parseOptions(const QStringList &args)
{
    QCommandLineParser parser;
    const Table t = table();
    ParsedOptions result =
        program::readOptions(parser, QStringLiteral("kestrel-sim"), description,
                             {t.configDir, t.port, t.echo, t.headless, t.log, t.profile}, args);
    if (result.outcome != ParsedOptions::Run)
        return result;
    if (!parser.positionalArguments().isEmpty())
        return program::refused(QStringLiteral("Unexpected argument '%1'.")
                                    .arg(parser.positionalArguments().constFirst()));

    Options &o = result.options;
    if (QString why = program::readWholeNumber(parser, t.port, &o.port, 1); !why.isEmpty())
        return program::refused(why);
    o.configDir = parser.value(t.configDir);
    o.echo = parser.isSet(t.echo);
    o.headless = parser.isSet(t.headless);
    o.logFile = parser.value(t.log);
    o.profile = parser.value(t.profile);
    if (parser.isSet(t.profile) && o.profile.isEmpty())
        return program::refused(QStringLiteral("--profile takes a file, e.g. arm.ini."));
    if (!o.logFile.isEmpty() && !o.headless)
        return program::refused(
            QStringLiteral("--log goes with --headless; the window shows the frames."));
    return result;
}

bool wantsNoWindow(int argc, char **argv)
{
    for (int i = 1; i < argc; ++i) {
        for (const char *flag : {"--headless", "-h", "--help", "-v", "--version"}) {
            if (std::strcmp(argv[i], flag) == 0)
                return true;
        }
    }
    // A command line that cannot be used is refused without a window too: without a display,
    // making one would end the process before it could say what was wrong.
    return program::readBesideQt(program::arguments(argc, argv), parseOptions).outcome ==
           ParsedOptions::Error;
}

} // namespace sim
