// The state folder by the XDG rules, and the snapshot: back as it was written, and nothing at
// all from a file that is cut short or damaged.

#include "core/edit/recovery.h"
#include "support/files.h"
#include "support/printing.h"

#include <QTemporaryDir>
#include <QTest>

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void stateFolder_data();
    void stateFolder();
    void roundTrip();
    void cutShortIsNothing();
    void damagedIsNothing_data();
    void damagedIsNothing();
};

void TestRecovery::stateFolder_data()
{
    QTest::addColumn<QByteArray>("xdg"); // "-" for unset
    QTest::addColumn<QString>("expected");
    QTest::newRow("set") << QByteArray("/var/tmp/state/") << "/var/tmp/state/kestrel";
    QTest::newRow("unset") << QByteArray("-") << "/home/ann/.local/state/kestrel";
    QTest::newRow("empty") << QByteArray("") << "/home/ann/.local/state/kestrel";
    QTest::newRow("relative") << QByteArray("state") << "/home/ann/.local/state/kestrel";
}

void TestRecovery::stateFolder()
{
    QFETCH(QByteArray, xdg);
    QFETCH(QString, expected);
    const QByteArray savedHome = qgetenv("HOME");
    const QByteArray savedXdg = qgetenv("XDG_STATE_HOME");
    const bool hadXdg = qEnvironmentVariableIsSet("XDG_STATE_HOME");
    qputenv("HOME", "/home/ann");
    if (xdg == "-")
        qunsetenv("XDG_STATE_HOME");
    else
        qputenv("XDG_STATE_HOME", xdg);
    const QString folder = recovery::stateFolder();
    qputenv("HOME", savedHome);
    if (hadXdg)
        qputenv("XDG_STATE_HOME", savedXdg);
    else
        qunsetenv("XDG_STATE_HOME");
    QCOMPARE(folder, expected);
}

void TestRecovery::roundTrip()
{
    QTemporaryDir dir;
    const QString folder = dir.path() + QStringLiteral("/state/kestrel");
    QVERIFY(!recovery::load(folder));
    const recovery::Snapshot s{
        QStringLiteral("/tmp/a b\nc ü%.kmv"), {{0, 0}, {4, 255}, {255, 13}, {1, 127}}, 7, -1};
    const SaveResult saved = recovery::save(folder, s);
    QVERIFY2(saved.ok, qPrintable(saved.reason));
    QCOMPARE(QFile::permissions(folder) & QFileDevice::Permissions(0x7077),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto back = recovery::load(folder);
    QVERIFY(back);
    QCOMPARE(*back, s);
    recovery::discard(folder);
    QVERIFY(!recovery::load(folder));
}

void TestRecovery::cutShortIsNothing()
{
    QTemporaryDir dir;
    QVERIFY(recovery::save(dir.path(), {QStringLiteral("m.kmv"), {{0, 0}, {2, 100}, {2, 99}}, 2, 1})
                .ok);
    const QString path = dir.path() + QStringLiteral("/edit-snapshot.txt");
    const QByteArray whole = readAll(path);
    QVERIFY(recovery::load(dir.path()));
    for (qsizetype n = 0; n < whole.size(); ++n) {
        QVERIFY(writeFile(path, whole.left(n)));
        QVERIFY2(!recovery::load(dir.path()), qPrintable(QStringLiteral("cut at %1").arg(n)));
    }
}

void TestRecovery::damagedIsNothing_data()
{
    QTest::addColumn<QByteArray>("text");
    const QByteArray head = "kestrel-edit snapshot 1\nfile m.kmv\nundo 1\nclean 0\n";
    QTest::newRow("sound") << head + "records 1\n0 0\nend\n"; // the control: it loads
    QTest::newRow("another format")
        << "kestrel-edit snapshot 2" + head.mid(23) + "records 1\n0 0\nend\n";
    QTest::newRow("a record too many") << head + "records 1\n0 0\n1 1\nend\n";
    QTest::newRow("position too large") << head + "records 1\n0 256\nend\n";
    QTest::newRow("negative channel") << head + "records 1\n-1 0\nend\n";
    QTest::newRow("not a number") << head + "records 1\n0 x\nend\n";
    QTest::newRow("three fields") << head + "records 1\n0 0 0\nend\n";
    QTest::newRow("undo below 0") << QByteArray(head).replace("undo 1", "undo -1") +
                                         "records 1\n0 0\nend\n";
    QTest::newRow("undo too large")
        << QByteArray(head).replace("undo 1", "undo 99999999999") + "records 1\n0 0\nend\n";
    QTest::newRow("lines swapped")
        << QByteArray(head).replace("undo 1\nclean 0", "clean 0\nundo 1") + "records 1\n0 0\nend\n";
    QTest::newRow("binary") << QByteArray("\xff\x00\x13kestrel", 10);
}

void TestRecovery::damagedIsNothing()
{
    QFETCH(QByteArray, text);
    QTemporaryDir dir;
    QVERIFY(writeFile(dir.path() + QStringLiteral("/edit-snapshot.txt"), text));
    QCOMPARE(recovery::load(dir.path()).has_value(),
             QByteArray(QTest::currentDataTag()) == "sound");
}

QTEST_GUILESS_MAIN(TestRecovery)
#include "test_recovery.moc"
