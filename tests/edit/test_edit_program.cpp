// kestrel-edit as a process: the help and the version need no display, a command line that
// cannot be used (--move-to's included) is refused with status 2 and opens no window.

#include <QProcess>
#include <QProcessEnvironment>
#include <QTest>

class TestEditProgram : public QObject {
    Q_OBJECT
private slots:
    void answersWithoutADisplay_data();
    void answersWithoutADisplay();
};

void TestEditProgram::answersWithoutADisplay_data()
{
    QTest::addColumn<QStringList>("args");
    QTest::addColumn<int>("status");
    QTest::addColumn<QString>("says");
    QTest::newRow("help") << QStringList{QStringLiteral("--help")} << 0
                          << QStringLiteral("[FILE.kmv]");
    QTest::newRow("version") << QStringList{QStringLiteral("-v")} << 0
                             << QStringLiteral("kestrel-edit 1.");
    QTest::newRow("two files") << QStringList{QStringLiteral("a.kmv"), QStringLiteral("b.kmv")} << 2
                               << QStringLiteral("'b.kmv' is one too many");
    QTest::newRow("unknown") << QStringList{QStringLiteral("--port"), QStringLiteral("1")} << 2
                             << QStringLiteral("Unknown option 'port'");
    // --move-to's refusals, one of each kind.
    const QStringList move{"--move-to", "1,2,3,4,5", "-o", "out.kmv", "a.kmv"};
    QTest::newRow("a pose not five bytes")
        << QStringList{"--move-to", "1,2,3,4,256", "-o", "out.kmv", "a.kmv"} << 2
        << QStringLiteral("--move-to takes five whole numbers from 0 to 255");
    QTest::newRow("no time") << move + QStringList{"--seconds", "0"} << 2
                             << QStringLiteral("--seconds takes a number of seconds above 0");
    QTest::newRow("an unknown ease")
        << move + QStringList{"--ease", "jerky"} << 2 << QStringLiteral("not 'jerky'");
    QTest::newRow("a move with no output") << QStringList{"--move-to", "1,2,3,4,5", "a.kmv"} << 2
                                           << QStringLiteral("--move-to needs -o");
    QTest::newRow("a move and an export")
        << move + QStringList{"--export", "csv"} << 2 << QStringLiteral("give one");
    QTest::newRow("an ease with no move") << QStringList{"--ease", "smooth", "a.kmv"} << 2
                                          << QStringLiteral("--ease goes with --move-to");
}

void TestEditProgram::answersWithoutADisplay()
{
    QFETCH(QStringList, args);
    QFETCH(int, status);
    QFETCH(QString, says);
    QProcess p;
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    // No display of any kind: a window would end the process with Qt's own error.
    for (const char *name : {"DISPLAY", "WAYLAND_DISPLAY", "QT_QPA_PLATFORM"})
        env.remove(QString::fromLatin1(name));
    p.setProcessEnvironment(env);
    p.start(QStringLiteral(KESTREL_EDIT_BINARY), args);
    QVERIFY(p.waitForFinished(20000));
    QCOMPARE(p.exitStatus(), QProcess::NormalExit);
    QCOMPARE(p.exitCode(), status);
    const QString out =
        QString::fromLocal8Bit(status == 0 ? p.readAllStandardOutput() : p.readAllStandardError());
    QVERIFY2(out.contains(says), qPrintable(out));
}

QTEST_GUILESS_MAIN(TestEditProgram)
#include "test_edit_program.moc"
