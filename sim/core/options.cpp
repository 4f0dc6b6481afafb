#include "sim/core/options.h"

#include "core/text/command_line.h"
#include "core/text/program.h"

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

} // namespace

ParsedOptions parseOptions(const QStringList &args)
{
    QCommandLineParser parser;
    parser.setApplicationDescription(QString::fromLatin1(description));
    const QCommandLineOption help = program::helpOption();
    const QCommandLineOption version = program::versionOption();
    const QCommandLineOption configDir(
        QStringLiteral("config-dir"),
        QStringLiteral("Publishes the port in <dir> instead of Kestrel's configuration folder "
                       "($XDG_CONFIG_HOME/kestrel, by default ~/.config/kestrel). Created "
                       "when missing."),
        QStringLiteral("dir"));
    const QCommandLineOption port(QStringLiteral("port"),
                                  QStringLiteral("Publishes the port as COM<n> (default 1)."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption echo(QStringLiteral("echo"),
                                  QStringLiteral("Echoes the probe byte \"B\" like a modem, so "
                                                 "that Kestrel shows its warning."));
    const QCommandLineOption headless(
        QStringLiteral("headless"),
        QStringLiteral("Shows no window; writes each frame and junk byte as a line with its "
                       "time in seconds since start, e.g. \"0.412 FF 04 7F 0D grip 127\"."));
    const QCommandLineOption log(QStringLiteral("log"),
                                 QStringLiteral("With --headless, writes the lines to <file> "
                                                "instead of standard output."),
                                 QStringLiteral("file"));
    parser.addOptions({help, version, configDir, port, echo, headless, log});

    ParsedOptions result;
    if (!parser.parse(args)) {
        result.outcome = ParsedOptions::Error;
        result.text = parser.errorText();
        return result;
    }
    if (parser.isSet(help)) {
        result.outcome = ParsedOptions::ShowHelp;
        result.text = parser.helpText();
        return result;
    }
    if (parser.isSet(version)) {
        result.outcome = ParsedOptions::ShowVersion;
        result.text = QStringLiteral("kestrel-sim ") + program::version();
        return result;
    }
    if (!parser.positionalArguments().isEmpty()) {
        result.outcome = ParsedOptions::Error;
        result.text = QStringLiteral("Unexpected argument '%1'.")
                          .arg(parser.positionalArguments().constFirst());
        return result;
    }

    Options &o = result.options;
    bool ok = false;
    o.port = parser.value(port).toInt(&ok);
    if (!ok || o.port < 1) {
        result.outcome = ParsedOptions::Error;
        result.text = QStringLiteral("--port takes a whole number from 1 up, not '%1'.")
                          .arg(parser.value(port));
        return result;
    }
    o.configDir = parser.value(configDir);
    o.echo = parser.isSet(echo);
    o.headless = parser.isSet(headless);
    o.logFile = parser.value(log);
    if (!o.logFile.isEmpty() && !o.headless) {
        result.outcome = ParsedOptions::Error;
        result.text = QStringLiteral("--log goes with --headless; the window shows the frames.");
    }
    return result;
}

bool wantsNoWindow(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i) {
        for (const char *flag : {"--headless", "-h", "--help", "-v", "--version"}) {
            if (i > 0 && std::strcmp(argv[i], flag) == 0)
                return true;
        }
        args << QString::fromLocal8Bit(argv[i]);
    }
    // A command line that cannot be used is refused without a window too: without a display,
    // making one would end the process before it could say what was wrong.
    QString qtError;
    const QStringList own = program::withoutQtOptions(args, &qtError);
    return !qtError.isEmpty() || parseOptions(own).outcome == ParsedOptions::Error;
}

} // namespace sim
