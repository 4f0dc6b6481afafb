#include "edit/options.h"

#include "core/export/exports.h"
#include "core/program/command_line.h"

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
    "  csv      the first replay pass as a table, with each step's angle and the tool point\n"
    "           after it by the arm profile:\n"
    "           step,time_s,channel,axis,position,angle_deg,x_mm,y_mm,z_mm,pitch_deg\n"
    "  bytes    exactly the bytes kestrel-play --loops N sends, less the probe: the start-up\n"
    "           centring, the homing walk, then N passes (N at least 1)\n"
    "  arduino  a sketch for an Arduino Uno that sends those bytes from its TX pin at 9600\n"
    "           baud, 8N1, two seconds after power-up; with --loops 0 again and again\n"
    "The homes come from robotini.txt in the configuration folder, as in kestrel-play, and\n"
    "the arm profile from arm.ini there or --profile. The bytes and the sketch are refused\n"
    "for a motion that breaks the profile, as kestrel-play refuses to play it.\n"
    "\n"
    "Exit status of an export: 0 done; 2 a bad command line; 3 the movement file or the arm\n"
    "profile is missing, unreadable or faulty, or the motion cannot be exported; 4 OUT cannot\n"
    "be written; 7 the motion breaks the arm profile (nothing was written).";

struct Table {
    QCommandLineOption configDir;
    QCommandLineOption profile;
    QCommandLineOption noLimits;
    QCommandLineOption exportAs;
    QCommandLineOption loops;
    QCommandLineOption output;
};

Table table()
{
    return {
        QCommandLineOption(
            QStringLiteral("config-dir"),
            QStringLiteral("Reads the homes of robotini.txt and the arm profile arm.ini in <dir> "
                           "instead of Kestrel's configuration folder ($XDG_CONFIG_HOME/kestrel, "
                           "by default ~/.config/kestrel)."),
            QStringLiteral("dir")),
        QCommandLineOption(
            QStringLiteral("profile"),
            QStringLiteral("Reads the arm profile from <file> instead of arm.ini in the "
                           "configuration folder; the file must exist."),
            QStringLiteral("file")),
        QCommandLineOption(
            QStringLiteral("no-limits"),
            QStringLiteral("With --export: writes the bytes or the sketch of a motion that breaks "
                           "the arm profile, with a warning, instead of refusing it.")),
        QCommandLineOption(
            QStringLiteral("export"),
            QStringLiteral("Writes FILE.kmv as <format> (csv, bytes or arduino) and ends, with no "
                           "window."),
            QStringLiteral("format")),
        QCommandLineOption(
            QStringLiteral("loops"),
            QStringLiteral("With --export: the passes, as RUN's loop count (default 1; 0 for an "
                           "arduino sketch that plays until the board is switched off)."),
            QStringLiteral("N")),
        QCommandLineOption(QStringList{QStringLiteral("o"), QStringLiteral("output")},
                           QStringLiteral("With --export: writes to <file>, whole or "
                                          "not at all, instead of standard output."),
                           QStringLiteral("file")),
    };
}

// --export's own options: the format, the passes and where to write.
Parsed readExport(const QCommandLineParser &parser, const Table &t, Parsed result)
{
    Options &o = result.options;
    o.exportFormat = parser.value(t.exportAs);
    const auto format = exports::formatNamed(o.exportFormat);
    if (!format)
        return program::refused(
            QStringLiteral("--export takes csv, bytes or arduino, not '%1'.").arg(o.exportFormat));
    if (o.file.isEmpty())
        return program::refused(QStringLiteral("--export needs the movement file to export."));
    if (parser.isSet(t.loops)) {
        if (QString why = program::readWholeNumber(parser, t.loops, &o.loops, 0); !why.isEmpty())
            return program::refused(why);
        if (o.loops == 0 && *format == exports::Format::Bytes)
            return program::refused(
                QStringLiteral("--loops 0 plays for ever; the bytes of a play need an "
                               "end: give 1 or more."));
    }
    o.output = parser.value(t.output);
    if (parser.isSet(t.output) && o.output.isEmpty())
        return program::refused(QStringLiteral("--output takes a file."));
    return result;
}

} // namespace

Parsed parse(const QStringList &args)
{
    QCommandLineParser parser;
    parser.addPositionalArgument(QStringLiteral("FILE.kmv"),
                                 QStringLiteral("The movement file to open (optional)."),
                                 QStringLiteral("[FILE.kmv]"));
    const Table t = table();
    Parsed result = program::readOptions(
        parser, QStringLiteral("kestrel-edit"), description,
        {t.configDir, t.profile, t.noLimits, t.exportAs, t.loops, t.output}, args);
    if (result.outcome != Parsed::Run)
        return result;
    const QStringList files = parser.positionalArguments();
    if (files.size() > 1)
        return program::refused(
            QStringLiteral("One movement file at a time; '%1' is one too many.").arg(files.at(1)));
    if (!files.isEmpty())
        result.options.file = files.constFirst();
    result.options.configDir = parser.value(t.configDir);
    if (parser.isSet(t.configDir) && result.options.configDir.isEmpty())
        return program::refused(QStringLiteral("--config-dir takes a folder."));
    result.options.profile = parser.value(t.profile);
    if (parser.isSet(t.profile) && result.options.profile.isEmpty())
        return program::refused(QStringLiteral("--profile takes a file, e.g. arm.ini."));
    result.options.noLimits = parser.isSet(t.noLimits);
    if (parser.isSet(t.exportAs))
        return readExport(parser, t, result);
    for (const QCommandLineOption &only : {t.loops, t.output, t.noLimits})
        if (parser.isSet(only))
            return program::refused(
                QStringLiteral("--%1 goes with --export.").arg(only.names().last()));
    return result;
}

bool answersWithoutWindow(int argc, char **argv)
{
    const Parsed parsed = program::readBesideQt(program::arguments(argc, argv), parse);
    return parsed.outcome != Parsed::Run || parsed.options.exporting();
}

} // namespace edit
