#include "edit/options.h"

#include "core/export/exports.h"
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
    "~/.local/state/kestrel); after a crash the next start offers to recover it.\n"
    "\n"
    "With --export it opens no window and needs no display: it writes FILE.kmv in FORMAT to\n"
    "OUT or to standard output, and ends. The formats:\n"
    "  csv      the first replay pass as a table: step,time_s,channel,axis,position,angle_deg\n"
    "  bytes    exactly the bytes kestrel-play --loops N sends, less the probe: the start-up\n"
    "           centring, the homing walk, then N passes (N at least 1)\n"
    "  arduino  a sketch for an Arduino Uno that sends those bytes from its TX pin at 9600\n"
    "           baud, 8N1, two seconds after power-up; with --loops 0 again and again\n"
    "The homes come from robotini.txt in the configuration folder, as in kestrel-play.\n"
    "\n"
    "Exit status of an export: 0 done; 2 a bad command line; 3 the movement file is missing,\n"
    "unreadable or faulty, or the motion cannot be exported; 4 OUT cannot be written.";

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
    const QCommandLineOption exportAs(
        QStringLiteral("export"),
        QStringLiteral("Writes FILE.kmv as <format> (csv, bytes or arduino) and ends, with no "
                       "window."),
        QStringLiteral("format"));
    const QCommandLineOption loops(
        QStringLiteral("loops"),
        QStringLiteral("With --export: the passes, as RUN's loop count (default 1; 0 for an "
                       "arduino sketch that plays until the board is switched off)."),
        QStringLiteral("N"));
    const QCommandLineOption output(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                                    QStringLiteral("With --export: writes to <file>, whole or "
                                                   "not at all, instead of standard output."),
                                    QStringLiteral("file"));
    parser.addOptions({help, version, configDir, exportAs, loops, output});

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
    if (!parser.isSet(exportAs)) {
        for (const QCommandLineOption &only : {loops, output})
            if (parser.isSet(only))
                return failed(QStringLiteral("--%1 goes with --export.").arg(only.names().last()));
        return result;
    }

    Options &o = result.options;
    result.outcome = Parsed::Export;
    o.exportFormat = parser.value(exportAs);
    const auto format = exports::formatNamed(o.exportFormat);
    if (!format)
        return failed(
            QStringLiteral("--export takes csv, bytes or arduino, not '%1'.").arg(o.exportFormat));
    if (o.file.isEmpty())
        return failed(QStringLiteral("--export needs the movement file to export."));
    if (parser.isSet(loops)) {
        bool ok = false;
        o.loops = parser.value(loops).toInt(&ok);
        if (!ok || o.loops < 0)
            return failed(QStringLiteral("--loops takes a whole number from 0 up, not '%1'.")
                              .arg(parser.value(loops)));
        if (o.loops == 0 && *format == exports::Format::Bytes)
            return failed(QStringLiteral("--loops 0 plays for ever; the bytes of a play need an "
                                         "end: give 1 or more."));
    }
    o.output = parser.value(output);
    if (parser.isSet(output) && o.output.isEmpty())
        return failed(QStringLiteral("--output takes a file."));
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
