#include "core/program/command_line.h"

#include "core/text/program.h"

#include <array>

namespace program {

namespace {

struct QtOption {
    const char *name;
    bool takesValue;
};

// What QGuiApplication and QApplication take from the command line on Linux (the xcb names
// included), each also with a second leading dash. They are left in place for Qt to read.
constexpr std::array qtOptions{
    QtOption{"platform", true},
    QtOption{"platformpluginpath", true},
    QtOption{"platformtheme", true},
    QtOption{"plugin", true},
    QtOption{"qwindowgeometry", true},
    QtOption{"qwindowtitle", true},
    QtOption{"qwindowicon", true},
    QtOption{"session", true},
    QtOption{"display", true},
    QtOption{"geometry", true},
    QtOption{"title", true},
    QtOption{"icon", true},
    QtOption{"name", true},
    QtOption{"visual", true},
    QtOption{"style", true},
    QtOption{"stylesheet", true},
    QtOption{"reverse", false},
    QtOption{"widgetcount", false},
    QtOption{"nograb", false},
    QtOption{"dograb", false},
    QtOption{"sync", false},
    QtOption{"testability", false},
};
// The ones Qt also reads as -name=value.
constexpr std::array qtJoinedOptions{"style", "stylesheet", "qmljsdebugger"};

const char *helpText =
    "Usage: kestrel [--help | --version] [Qt options]\n"
    "\n"
    "Moves, teaches and replays a five-axis hobby robot arm through its serial servo\n"
    "controller, from one window. Everything is done in the window: Kestrel reads its\n"
    "configuration from $XDG_CONFIG_HOME/kestrel (by default ~/.config/kestrel), where\n"
    "COM1 to COM4 may be links to serial devices.\n"
    "\n"
    "Options:\n"
    "  -h, --help     Shows these options.\n"
    "  -v, --version  Shows the version.\n"
    "\n"
    "Qt's own options are accepted as well, for example -platform NAME, -session ID,\n"
    "-display DISPLAY, -qwindowgeometry WxH+X+Y, -reverse.\n"
    "\n"
    "With no arm attached, kestrel-demo starts Kestrel on the simulated arm.";

} // namespace

QStringList withoutQtOptions(const QStringList &args, QString *error)
{
    QStringList left;
    for (qsizetype i = 0; i < args.size(); ++i) {
        const QString &arg = args.at(i);
        if (i == 0 || !arg.startsWith(QLatin1Char('-'))) {
            left << arg;
            continue;
        }
        const QString name = arg.mid(arg.startsWith(QLatin1String("--")) ? 2 : 1);
        bool isQts = false;
        for (const char *joined : qtJoinedOptions)
            isQts = isQts || name.startsWith(QLatin1String(joined) + QLatin1Char('='));
        for (const QtOption &option : qtOptions) {
            if (isQts || name != QLatin1String(option.name))
                continue;
            isQts = true;
            if (option.takesValue && ++i >= args.size()) {
                *error = QStringLiteral("option '%1' needs a value").arg(arg);
                return left;
            }
        }
        if (!isQts)
            left << arg;
    }
    return left;
}

CommandLine readCommandLine(const QStringList &args)
{
    QString qtError;
    const QStringList own = withoutQtOptions(args, &qtError);
    if (!qtError.isEmpty())
        return refused(qtError);
    bool help = false;
    bool version = false;
    for (qsizetype i = 1; i < own.size(); ++i) {
        const QString &arg = own.at(i);
        if (arg == QLatin1String("-h") || arg == QLatin1String("--help"))
            help = true;
        else if (arg == QLatin1String("-v") || arg == QLatin1String("--version"))
            version = true;
        else if (!arg.startsWith(QLatin1Char('-')) || arg == QLatin1String("-"))
            return refused(QStringLiteral("unexpected argument '%1'").arg(arg));
        else
            return refused(QStringLiteral("unknown option '%1'").arg(arg));
    }
    if (help)
        return {CommandLine::ShowHelp, QString::fromLatin1(helpText)};
    if (version)
        return {CommandLine::ShowVersion, name() + QLatin1Char(' ') + program::version()};
    return {};
}

CommandLine readCommandLine(int argc, char **argv)
{
    return readCommandLine(arguments(argc, argv));
}

} // namespace program
