// The window program's command line, read before any application object exists: what it
// answers, what it leaves to Qt, and what it refuses.

#include "core/program/command_line.h"
#include "core/text/program.h"

#include <QTest>

using program::CommandLine;

class TestCommandLine : public QObject {
    Q_OBJECT
private slots:
    void nothingGivenRunsTheWindow();
    void qtOptionsAreLeftToQt_data();
    void qtOptionsAreLeftToQt();
    void helpNamesEveryOption();
    void versionIsTheProjectVersion();
    void refusals_data();
    void refusals();
};

namespace {

CommandLine read(const QStringList &args)
{
    return program::readCommandLine(QStringList{QStringLiteral("kestrel")} + args);
}

} // namespace

void TestCommandLine::nothingGivenRunsTheWindow()
{
    const CommandLine c = read({});
    QCOMPARE(c.outcome, CommandLine::Run);
    QVERIFY(c.text.isEmpty());

    char prog[] = "/usr/bin/kestrel";
    char *argv[] = {prog};
    QCOMPARE(program::readCommandLine(1, argv).outcome, CommandLine::Run);
}

void TestCommandLine::qtOptionsAreLeftToQt_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::newRow("-platform") << QStringList{"-platform", "offscreen"};
    QTest::newRow("--platform") << QStringList{"--platform", "xcb"};
    QTest::newRow("-session") << QStringList{"-session", "1234_5678"};
    QTest::newRow("-display and -geometry") << QStringList{"-display", ":1", "-geometry", "+0+0"};
    QTest::newRow("-style=") << QStringList{"-style=fusion"};
    QTest::newRow("-style") << QStringList{"-style", "fusion"};
    QTest::newRow("-reverse") << QStringList{"-reverse"};
    QTest::newRow("several") << QStringList{"-platform", "offscreen", "-reverse", "-qwindowtitle",
                                            "Arm", "-qmljsdebugger=port:1234"};
    // A value is Qt's whatever it looks like, as Qt reads it.
    QTest::newRow("value like an option") << QStringList{"-qwindowtitle", "--help"};
}

void TestCommandLine::qtOptionsAreLeftToQt()
{
    QFETCH(QStringList, args);
    const CommandLine c = read(args);
    QCOMPARE(c.outcome, CommandLine::Run);
}

void TestCommandLine::helpNamesEveryOption()
{
    for (const QStringList &args :
         {QStringList{"--help"}, QStringList{"-h"}, QStringList{"-platform", "xcb", "--help"}}) {
        const CommandLine c = read(args);
        QCOMPARE(c.outcome, CommandLine::ShowHelp);
        for (const char *option : {"--help", "-h,", "--version", "-v,", "-platform", "-session"})
            QVERIFY2(c.text.contains(QLatin1String(option)), option);
        QVERIFY(c.text.startsWith(QLatin1String("Usage: kestrel ")));
    }
}

void TestCommandLine::versionIsTheProjectVersion()
{
    for (const QStringList &args : {QStringList{"--version"}, QStringList{"-v"}}) {
        const CommandLine c = read(args);
        QCOMPARE(c.outcome, CommandLine::ShowVersion);
        QCOMPARE(c.text, QStringLiteral("kestrel " KESTREL_PROJECT_VERSION));
    }
    // Asked for both, the help wins, as it lists the version option too.
    QCOMPARE(read({"--version", "--help"}).outcome, CommandLine::ShowHelp);
}

void TestCommandLine::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("unknown long option") << QStringList{"--port=2"} << "'--port=2'";
    QTest::newRow("unknown short option") << QStringList{"-x"} << "'-x'";
    QTest::newRow("a file") << QStringList{"robotmov.kmv"} << "'robotmov.kmv'";
    QTest::newRow("a lone dash") << QStringList{"-"} << "'-'";
    QTest::newRow("a double dash") << QStringList{"--"} << "'--'";
    QTest::newRow("Qt option without its value") << QStringList{"-platform"} << "'-platform'";
    QTest::newRow("value form Qt does not read") << QStringList{"-platform=xcb"} << "'-platform=xcb'";
    QTest::newRow("unknown beside help") << QStringList{"--help", "--bogus"} << "'--bogus'";
    QTest::newRow("unknown beside version") << QStringList{"--bogus", "--version"} << "'--bogus'";
}

void TestCommandLine::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);
    const CommandLine c = read(args);
    QCOMPARE(c.outcome, CommandLine::Error);
    QVERIFY2(c.text.contains(mentions), qPrintable(c.text));
    QVERIFY(!c.text.contains(QLatin1Char('\n'))); // short: one line, the hint is added on output
}

QTEST_GUILESS_MAIN(TestCommandLine)
#include "test_command_line.moc"
