// What every program does with its command line before it starts anything: -h/--help and
// -v/--version, a whole-number option out of its range, an option nobody knows; what each
// answer prints where, and its exit status.

#include "core/program/outcome.h"
#include "core/text/program.h"

#include <QCommandLineParser>
#include <QTest>
#include <cstdio>

class TestProgramOutcome : public QObject {
    Q_OBJECT
private slots:
    void answers_data();
    void answers();
};

namespace {

struct Options {
    int port = 1;
    int loops = 1;
};

// A program as the four read their options: the shared reading first, then its own.
program::Parsed<Options> parse(const QStringList &args)
{
    QCommandLineParser parser;
    const QCommandLineOption port(QStringLiteral("port"), QStringLiteral("The port."),
                                  QStringLiteral("n"), QStringLiteral("1"));
    const QCommandLineOption loops(QStringLiteral("loops"), QStringLiteral("The passes."),
                                   QStringLiteral("n"), QStringLiteral("1"));
    program::Parsed<Options> result =
        program::readOptions(parser, QStringLiteral("kestrel-x"), "Does x.", {port, loops}, args);
    if (result.outcome != program::CommandLine::Run)
        return result;
    Options &o = result.options;
    for (const QString &why : {program::readWholeNumber(parser, port, &o.port, 1),
                               program::readWholeNumber(parser, loops, &o.loops, 0, 9)})
        if (!why.isEmpty())
            return program::refused(why);
    return result;
}

QByteArray contents(FILE *file)
{
    std::rewind(file);
    QByteArray bytes;
    char buffer[4096];
    while (const std::size_t n = std::fread(buffer, 1, sizeof buffer, file))
        bytes.append(buffer, qsizetype(n));
    return bytes;
}

// What QCommandLineParser makes of the options, the help and the version first.
QByteArray help()
{
    const QByteArray usage = "Usage: " + QCoreApplication::arguments().constFirst().toUtf8();
    return usage + " [options]\n"
                   "Does x.\n\n"
                   "Options:\n"
                   "  -h, --help     Shows these options.\n"
                   "  -v, --version  Shows the version.\n"
                   "  --port <n>     The port.\n"
                   "  --loops <n>    The passes.\n\n";
}

} // namespace

void TestProgramOutcome::answers_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");     // -1: the program runs
    QTest::addColumn<QByteArray>("out"); // for a run: "port loops"
    QTest::addColumn<QByteArray>("err");

    const QByteArray hint = "\nTry 'kestrel-x --help'.\n";
    const QByteArray version = "kestrel-x " + program::version().toUtf8() + '\n';
    QTest::newRow("nothing") << QStringList{} << -1 << QByteArray("1 1") << QByteArray();
    QTest::newRow("both numbers") << QStringList{"--port", "3", "--loops", "0"} << -1
                                  << QByteArray("3 0") << QByteArray();
    QTest::newRow("most loops") << QStringList{"--loops=9"} << -1 << QByteArray("1 9")
                                << QByteArray();
    QTest::newRow("-h") << QStringList{"-h", "--version"} << 0 << help() << QByteArray();
    QTest::newRow("--version") << QStringList{"--version"} << 0 << version << QByteArray();
    QTest::newRow("-v") << QStringList{"-v", "--port", "0"} << 0 << version << QByteArray();
    QTest::newRow("port 0") << QStringList{"--port", "0"} << 2 << QByteArray()
                            << "kestrel-x: --port takes a whole number from 1 up, not '0'." + hint;
    QTest::newRow("loops past most")
        << QStringList{"--loops", "10"} << 2 << QByteArray()
        << "kestrel-x: --loops takes a whole number from 0 to 9, not '10'." + hint;
    QTest::newRow("fraction") << QStringList{"--loops", "2.5"} << 2 << QByteArray()
                              << "kestrel-x: --loops takes a whole number from 0 to 9, not "
                                 "'2.5'." +
                                     hint;
    // A carriage return reaches a terminal as a line feed.
    QTest::newRow("carriage return")
        << QStringList{"--port", "a\rb"} << 2 << QByteArray()
        << "kestrel-x: --port takes a whole number from 1 up, not 'a\nb'." + hint;
    QTest::newRow("unknown option")
        << QStringList{"--fast"} << 2 << QByteArray() << "kestrel-x: Unknown option 'fast'." + hint;
    QTest::newRow("missing value") << QStringList{"--port"} << 2 << QByteArray()
                                   << "kestrel-x: Missing value after '--port'." + hint;
    QTest::newRow("unknown beside help") << QStringList{"--help", "--fast"} << 2 << QByteArray()
                                         << "kestrel-x: Unknown option 'fast'." + hint;
}

void TestProgramOutcome::answers()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QByteArray, out);
    QFETCH(QByteArray, err);

    const program::Parsed<Options> parsed = parse(QStringList{QStringLiteral("kestrel-x")} + args);
    if (status < 0) {
        QCOMPARE(parsed.outcome, program::CommandLine::Run);
        QCOMPARE(QByteArray::number(parsed.options.port) + ' ' +
                     QByteArray::number(parsed.options.loops),
                 out);
        return;
    }
    FILE *outFile = std::tmpfile();
    FILE *errFile = std::tmpfile();
    QVERIFY(outFile && errFile);
    QCOMPARE(program::answer(parsed, QStringLiteral("kestrel-x"), outFile, errFile), status);
    QCOMPARE(contents(outFile), out);
    QCOMPARE(contents(errFile), err);
    std::fclose(outFile);
    std::fclose(errFile);
}

QTEST_GUILESS_MAIN(TestProgramOutcome)
#include "test_program_outcome.moc"
