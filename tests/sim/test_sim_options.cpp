// What the simulator's command line means, and the clear refusals of the ones it cannot use.

#include "sim/core/options.h"

#include <QTest>

using sim::ParsedOptions;

class TestSimOptions : public QObject {
    Q_OBJECT
private slots:
    void defaults();
    void everythingSet();
    void refusals_data();
    void refusals();
    void helpNamesEveryOption();
    void noWindowDecidedOnRawArguments();
};

void TestSimOptions::defaults()
{
    const ParsedOptions p = sim::parseOptions({QStringLiteral("kestrel-sim")});
    QCOMPARE(p.outcome, ParsedOptions::Run);
    QCOMPARE(p.options.port, 1);
    QVERIFY(p.options.configDir.isEmpty()); // the program's own folder, found at run time
    QVERIFY(!p.options.echo);
    QVERIFY(!p.options.headless);
    QVERIFY(p.options.logFile.isEmpty());
}

void TestSimOptions::everythingSet()
{
    const ParsedOptions p = sim::parseOptions(
        {QStringLiteral("kestrel-sim"), QStringLiteral("--port"), QStringLiteral("3"),
         QStringLiteral("--config-dir=/tmp/k"), QStringLiteral("--echo"),
         QStringLiteral("--headless"), QStringLiteral("--log"), QStringLiteral("/tmp/k.log")});
    QCOMPARE(p.outcome, ParsedOptions::Run);
    QCOMPARE(p.options.port, 3);
    QCOMPARE(p.options.configDir, QStringLiteral("/tmp/k"));
    QVERIFY(p.options.echo);
    QVERIFY(p.options.headless);
    QCOMPARE(p.options.logFile, QStringLiteral("/tmp/k.log"));
}

void TestSimOptions::refusals_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<QString>("mentions");
    QTest::newRow("port 0") << QStringList{QStringLiteral("--port"), QStringLiteral("0")}
                            << QStringLiteral("'0'");
    QTest::newRow("port not a number")
        << QStringList{QStringLiteral("--port"), QStringLiteral("two")} << QStringLiteral("'two'");
    QTest::newRow("port missing its value")
        << QStringList{QStringLiteral("--port")} << QStringLiteral("port");
    QTest::newRow("log with a window")
        << QStringList{QStringLiteral("--log"), QStringLiteral("x.log")}
        << QStringLiteral("--headless");
    QTest::newRow("unknown option")
        << QStringList{QStringLiteral("--baud=19200")} << QStringLiteral("baud");
    QTest::newRow("stray argument")
        << QStringList{QStringLiteral("COM1")} << QStringLiteral("COM1");
}

void TestSimOptions::refusals()
{
    QFETCH(QStringList, args);
    QFETCH(QString, mentions);
    const ParsedOptions p = sim::parseOptions(QStringList{QStringLiteral("kestrel-sim")} + args);
    QCOMPARE(p.outcome, ParsedOptions::Error);
    QVERIFY2(p.text.contains(mentions), qPrintable(p.text));
}

void TestSimOptions::helpNamesEveryOption()
{
    const ParsedOptions p =
        sim::parseOptions({QStringLiteral("kestrel-sim"), QStringLiteral("--help")});
    QCOMPARE(p.outcome, ParsedOptions::ShowHelp);
    for (const char *option :
         {"--config-dir", "--port", "--echo", "--headless", "--log", "--profile"})
        QVERIFY2(p.text.contains(QLatin1String(option)), option);
}

void TestSimOptions::noWindowDecidedOnRawArguments()
{
    char prog[] = "kestrel-sim", headless[] = "--headless", port[] = "--port", one[] = "1",
         help[] = "-h";
    char *withHeadless[] = {prog, port, one, headless};
    char *withHelp[] = {prog, help};
    char *plain[] = {prog, port, one};
    QVERIFY(sim::wantsNoWindow(4, withHeadless));
    QVERIFY(sim::wantsNoWindow(2, withHelp));
    QVERIFY(!sim::wantsNoWindow(3, plain));

    // Qt's own options keep the window; a command line that cannot be used needs none, so its
    // error is given even without a display.
    char platform[] = "-platform", offscreen[] = "offscreen", bogus[] = "--bogus", zero[] = "0";
    char *withQtOption[] = {prog, platform, offscreen, port, one};
    char *withUnknown[] = {prog, platform, offscreen, bogus};
    char *withBadValue[] = {prog, port, zero};
    char *qtOptionWithoutValue[] = {prog, platform};
    QVERIFY(!sim::wantsNoWindow(5, withQtOption));
    QVERIFY(sim::wantsNoWindow(4, withUnknown));
    QVERIFY(sim::wantsNoWindow(3, withBadValue));
    QVERIFY(sim::wantsNoWindow(2, qtOptionWithoutValue));
}

QTEST_GUILESS_MAIN(TestSimOptions)
#include "test_sim_options.moc"
