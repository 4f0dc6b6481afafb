#include "edit/options.h"

#include "core/text/command_line.h"
#include "core/text/program.h"

#include <QCommandLineParser>

namespace edit {

namespace {

const char *description =
    "Shows a movement file (.kmv) taught in Kestrel on a timeline and edits it: delete, cut,\n"
    "copy, paste, duplicate or reverse a range of steps; set, offset or scale one axis's\n"
    "positions; insert holds and moves to a pose; slow a range down; smooth its jumps. Every\n"
    "edit can be undone. A preview plays the motion on a drawn arm at the line's pace.\n"
    "\n"
    "Times are those of the first replay pass, from the pose RUN's homing leaves the arm in\n"
    "(the homes of robotini.txt); later passes start where the one before ended and can take\n"
    "a different time. kestrel-edit never opens a serial port.\n"
    "\n"
    "After each edit the motion is kept in $XDG_STATE_HOME/kestrel (by default\n"
    "~/.local/state/kestrel); after a crash the next start offers to recover it.";

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
                                 QStringLiteral("The movement file to open (optional)."),
                                 QStringLiteral("[FILE.kmv]"));
    const QCommandLineOption help = program::helpOption();
    const QCommandLineOption version = program::versionOption();
    const QCommandLineOption configDir(
        QStringLiteral("config-dir"),
        QStringLiteral("Reads the homes of robotini.txt in <dir> instead of Kestrel's "
                       "configuration folder ($XDG_CONFIG_HOME/kestrel, by default "
                       "~/.config/kestrel)."),
        QStringLiteral("dir"));
    parser.addOptions({help, version, configDir});

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
        p.text = QStringLiteral("kestrel-edit ") + program::version();
        return p;
    }
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return failed(
            QStringLiteral("One movement file at a time; '%1' is one too many.").arg(files.at(1)));
    Parsed result;
    if (!files.isEmpty())
        result.options.file = files.constFirst();
    result.options.configDir = parser.value(configDir);
    if (parser.isSet(configDir) && result.options.configDir.isEmpty())
        return failed(QStringLiteral("--config-dir takes a folder."));
    return result;
}

bool answersWithoutWindow(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    QString qtError;
    const QStringList own = program::withoutQtOptions(args, &qtError);
    return !qtError.isEmpty() || parse(own).outcome != Parsed::Run;
}

} // namespace edit
