// Each program's command line as a user meets it: --help and --version are answered, and an
// unknown option is refused, with no display at all. The platform is forced to X11 with no
// X server, so a program that made its application object for a window would be ended by Qt
// (an abort, not exit status 2) before it could answer.

#include "support/no_display.h"

#include <QProcess>
#include <QTest>

namespace {

struct Program {
    QString name;
    QString binary;
    QStringList options; // what its help must name
    bool takesQtOptions; // a program with a window leaves Qt's options to Qt
};

QList<Program> programs()
{
    QList<Program> list{
        {QStringLiteral("kestrel"), QStringLiteral(KESTREL_BINARY), {"--help", "--version"}, true},
        {QStringLiteral("kestrel-sim"),
         QStringLiteral(KESTREL_SIM_BINARY),
         {"--help", "--version", "--config-dir", "--port", "--echo", "--headless", "--log"},
         true},
        {QStringLiteral("kestrel-play"),
         QStringLiteral(KESTREL_PLAY_BINARY),
         {"--help", "--version", "--port", "--device", "--loops", "--config-dir", "--dry-run",
          "--quiet"},
         false},
    };
    return list;
}

struct Run {
    bool finished = false;
    QProcess::ExitStatus how = QProcess::CrashExit;
    int status = -1;
    QString out;
    QString err;
};

Run run(const QString &binary, const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(environmentWithoutDisplay());
    p.start(binary, args);
    Run r;
    r.finished = p.waitForFinished(10000);
    if (!r.finished) {
        p.kill();
        p.waitForFinished(5000);
    }
    r.how = p.exitStatus();
    r.status = p.exitCode();
    r.out = QString::fromLocal8Bit(p.readAllStandardOutput());
    r.err = QString::fromLocal8Bit(p.readAllStandardError());
    return r;
}

} // namespace

class TestCommandLines : public QObject {
    Q_OBJECT
private slots:
    void versionIsTheProjectVersion();
    void helpNamesEveryOption();
    void unknownOptionIsRefusedWithoutAWindow();
};

void TestCommandLines::versionIsTheProjectVersion()
{
    for (const Program &program : programs()) {
        const Run r = run(program.binary, {QStringLiteral("--version")});
        QVERIFY2(r.finished && r.how == QProcess::NormalExit, qPrintable(program.name + r.err));
        QCOMPARE(r.status, 0);
        // One line: the program's name, then the version CMake gives the project.
        QVERIFY2(r.out.endsWith(QStringLiteral(" " KESTREL_PROJECT_VERSION "\n")),
                 qPrintable(r.out));
        QCOMPARE(r.out.count(QLatin1Char('\n')), 1);
        QVERIFY2(r.out.startsWith(QLatin1String("kestrel")), qPrintable(r.out));
    }
}

void TestCommandLines::helpNamesEveryOption()
{
    for (const Program &program : programs()) {
        const Run r = run(program.binary, {QStringLiteral("--help")});
        QVERIFY2(r.finished && r.how == QProcess::NormalExit, qPrintable(program.name + r.err));
        QCOMPARE(r.status, 0);
        for (const QString &option : program.options)
            QVERIFY2(r.out.contains(option), qPrintable(program.name + QLatin1Char(' ') + option));
    }
}

void TestCommandLines::unknownOptionIsRefusedWithoutAWindow()
{
    for (const Program &program : programs()) {
        QList<QStringList> commandLines{{QStringLiteral("--bogus")}};
        if (program.takesQtOptions)
            commandLines.append({QStringLiteral("-platform"), QStringLiteral("offscreen"),
                                 QStringLiteral("--bogus")});
        for (const QStringList &args : commandLines) {
            const Run r = run(program.binary, args);
            const QString what = program.name + QLatin1Char(' ') + args.join(QLatin1Char(' '));
            QVERIFY2(r.finished && r.how == QProcess::NormalExit, qPrintable(what + r.err));
            QCOMPARE(r.status, 2);
            QVERIFY2(r.err.contains(QLatin1String("bogus")), qPrintable(what + r.err));
            QVERIFY2(r.err.count(QLatin1Char('\n')) <= 3, qPrintable(what + r.err)); // short
            QVERIFY2(r.out.isEmpty(), qPrintable(what + r.out));
        }
    }
}

QTEST_GUILESS_MAIN(TestCommandLines)
#include "test_command_lines.moc"
