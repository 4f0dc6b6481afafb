#include "core/program/outcome.h"

#include "core/program/terminal.h"
#include "core/text/program.h"

#include <QCommandLineParser>

namespace program {

CommandLine refused(const QString &text)
{
    return {CommandLine::Error, text};
}

CommandLine readOptions(QCommandLineParser &parser, const QString &programName,
                        const char *description, const QList<QCommandLineOption> &options,
                        const QStringList &args)
{
    parser.setApplicationDescription(QString::fromLatin1(description));
    const QCommandLineOption help = helpOption();
    const QCommandLineOption versionAsked = versionOption();
    parser.addOptions({help, versionAsked});
    parser.addOptions(options);
    if (!parser.parse(args))
        return refused(parser.errorText());
    if (parser.isSet(help))
        return {CommandLine::ShowHelp, parser.helpText()};
    if (parser.isSet(versionAsked))
        return {CommandLine::ShowVersion, programName + QLatin1Char(' ') + version()};
    return {};
}

QString readWholeNumber(const QCommandLineParser &parser, const QCommandLineOption &option,
                        int *value, int least, int most)
{
    bool ok = false;
    const QString given = parser.value(option);
    const int number = given.toInt(&ok);
    if (ok && number >= least && number <= most) {
        *value = number;
        return {};
    }
    const QString range = most == std::numeric_limits<int>::max()
                              ? QStringLiteral("%1 up").arg(least)
                              : QStringLiteral("%1 to %2").arg(least).arg(most);
    return QStringLiteral("--%1 takes a whole number from %2, not '%3'.")
        .arg(option.names().constLast(), range, given);
}

QStringList arguments(int argc, char **argv)
{
    QStringList args;
    for (int i = 0; i < argc; ++i)
        args << QString::fromLocal8Bit(argv[i]);
    return args;
}

int answer(const CommandLine &commandLine, const QString &programName, FILE *out, FILE *err)
{
    if (commandLine.outcome == CommandLine::Error) {
        say(err, programName + QStringLiteral(": ") + commandLine.text + QStringLiteral("\nTry '") +
                     programName + QStringLiteral(" --help'."));
        return 2;
    }
    say(out, commandLine.text);
    return 0;
}

} // namespace program
