#include "edit/options.h"

#include "core/arm/named_poses.h"
#include "core/export/exports.h"
#include "core/program/command_line.h"
#include "edit/help_text.h"
#include "edit/solve_options.h"

#include <QCommandLineParser>
#include <QRegularExpression>
#include <cmath>

namespace edit {

namespace {

using program::CommandLine;

struct Table {
    QCommandLineOption configDir;
    QCommandLineOption profile;
    QCommandLineOption noLimits;
    QCommandLineOption exportAs;
    QCommandLineOption loops;
    QCommandLineOption output;
    QCommandLineOption moveTo;
    QCommandLineOption seconds;
    QCommandLineOption ease;
    QCommandLineOption solve;
    QCommandLineOption from;
};

// --move-to's options.
QCommandLineOption moveToOption()
{
    return QCommandLineOption(
        QStringLiteral("move-to"),
        QStringLiteral(
            "Appends to FILE.kmv a timed move to <pose> (base,shoulder,elbow,wrist,"
            "grip, e.g. 127,127,127,127,127, or a pose's name in the arm profile) and writes "
            "the motion to -o's file, "
            "with no window."),
        QStringLiteral("pose"));
}

QCommandLineOption secondsOption()
{
    return QCommandLineOption(QStringLiteral("seconds"),
                              QStringLiteral("With --move-to: the move takes <T> seconds (default: "
                                             "as fast as the arm profile's caps allow)."),
                              QStringLiteral("T"));
}

QCommandLineOption easeOption()
{
    return QCommandLineOption(QStringLiteral("ease"),
                              QStringLiteral("With --move-to: linear, smooth (the default) or "
                                             "trapezoid."),
                              QStringLiteral("ease"));
}

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
                           QStringLiteral("Writes to <file>, whole or not at all: the export "
                                          "(instead of standard output), or the motion with "
                                          "--move-to's move."),
                           QStringLiteral("file")),
        moveToOption(),
        secondsOption(),
        easeOption(),
        solveOption(),
        fromOption(),
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

// The first of `options` that is set, refused as going only with `with`; Run when none is.
CommandLine onlyWith(const QCommandLineParser &parser, const QList<QCommandLineOption> &options,
                     const QString &with)
{
    for (const QCommandLineOption &only : options)
        if (parser.isSet(only))
            return program::refused(
                QStringLiteral("--%1 goes with %2.").arg(only.names().last(), with));
    return {};
}

// --seconds and --ease; empty when both are usable.
CommandLine readTiming(const QCommandLineParser &parser, const Table &t, Options &o)
{
    if (parser.isSet(t.seconds)) {
        bool ok = false;
        const double seconds = parser.value(t.seconds).toDouble(&ok);
        if (!ok || !std::isfinite(seconds) || seconds <= 0)
            return program::refused(QStringLiteral("--seconds takes a number of seconds above 0, "
                                                   "not '%1'.")
                                        .arg(parser.value(t.seconds)));
        o.seconds = seconds;
    }
    if (parser.isSet(t.ease)) {
        const std::optional<moves::Ease> ease = moves::easeNamed(parser.value(t.ease));
        if (!ease)
            return program::refused(QStringLiteral("--ease takes linear, smooth or trapezoid, "
                                                   "not '%1'.")
                                        .arg(parser.value(t.ease)));
        o.ease = *ease;
    }
    return {};
}

// --move-to's own options: the pose, its time and ease, and the file to write.
Parsed readMoveTo(const QCommandLineParser &parser, const Table &t, Parsed result)
{
    Options &o = result.options;
    if (parser.isSet(t.exportAs))
        return program::refused(
            QStringLiteral("--move-to and --export each write a file of their own: give one."));
    const QString pose = parser.value(t.moveTo);
    o.moveTo = arm::positionsFrom(pose);
    // A name has a letter in it, so that a mistyped list of numbers is never taken for one.
    if (!o.moveTo && arm::validPoseName(pose) && pose.contains(QRegularExpression("[A-Za-z]")))
        o.moveToName = pose;
    else if (!o.moveTo)
        return program::refused(QStringLiteral("--move-to takes five whole numbers from 0 to 255, "
                                               "base,shoulder,elbow,wrist,grip, or the name of a "
                                               "pose of the arm profile, not '%1'.")
                                    .arg(pose));
    if (CommandLine timed = readTiming(parser, t, o); timed.outcome != CommandLine::Run)
        return timed;
    if (o.file.isEmpty())
        return program::refused(QStringLiteral("--move-to needs the movement file to add to."));
    o.output = parser.value(t.output);
    if (o.output.isEmpty())
        return program::refused(
            QStringLiteral("--move-to needs -o and the movement file to write."));
    if (CommandLine only = onlyWith(parser, {t.loops, t.noLimits}, QStringLiteral("--export"));
        only.outcome != CommandLine::Run)
        return only;
    return result;
}

// --solve: the target and --from's pose, and none of the options that read or write a file.
Parsed readSolving(const QCommandLineParser &parser, const Table &t, Parsed result)
{
    for (const QCommandLineOption &other :
         {t.exportAs, t.moveTo, t.output, t.loops, t.noLimits, t.seconds, t.ease})
        if (parser.isSet(other))
            return program::refused(QStringLiteral("--%1 does not go with --solve, which only "
                                                   "prints its answer.")
                                        .arg(other.names().last()));
    if (!result.options.file.isEmpty())
        return program::refused(QStringLiteral("--solve reads no movement file: leave out '%1'.")
                                    .arg(result.options.file));
    if (CommandLine read = readSolve(parser, t.solve, t.from, result.options);
        read.outcome != CommandLine::Run)
        return read;
    return result;
}

// What the command line asks for beside the common options: a solve, a move, an export or the
// window, each with only the options that go with it.
Parsed readMode(const QCommandLineParser &parser, const Table &t, const Parsed &result)
{
    if (parser.isSet(t.solve))
        return readSolving(parser, t, result);
    if (CommandLine only = onlyWith(parser, {t.from}, QStringLiteral("--solve"));
        only.outcome != CommandLine::Run)
        return only;
    if (parser.isSet(t.moveTo))
        return readMoveTo(parser, t, result);
    if (CommandLine only = onlyWith(parser, {t.seconds, t.ease}, QStringLiteral("--move-to"));
        only.outcome != CommandLine::Run)
        return only;
    if (parser.isSet(t.exportAs))
        return readExport(parser, t, result);
    if (CommandLine only = onlyWith(parser, {t.loops, t.noLimits}, QStringLiteral("--export"));
        only.outcome != CommandLine::Run)
        return only;
    if (CommandLine only = onlyWith(parser, {t.output}, QStringLiteral("--export or --move-to"));
        only.outcome != CommandLine::Run)
        return only;
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
    Parsed result = program::readOptions(parser, QStringLiteral("kestrel-edit"), helpDescription,
                                         {t.configDir, t.profile, t.noLimits, t.exportAs, t.loops,
                                          t.output, t.moveTo, t.seconds, t.ease, t.solve, t.from},
                                         args);
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
    return readMode(parser, t, result);
}

bool answersWithoutWindow(int argc, char **argv)
{
    const Parsed parsed = program::readBesideQt(program::arguments(argc, argv), parse);
    return parsed.outcome != Parsed::Run || parsed.options.exporting() ||
           parsed.options.movingTo() || parsed.options.solving();
}

} // namespace edit
