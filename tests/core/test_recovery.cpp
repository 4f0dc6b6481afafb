// The state folder by the XDG rules; the snapshot: back as it was written, and nothing at all
// from a file that is cut short or damaged; one snapshot per editor, offered back only when its
// editor is gone: ended in this process, or a child process killed with SIGKILL.

#include "core/edit/recovery.h"
#include "support/files.h"
#include "support/printing.h"

#include <QCoreApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>

namespace {

const recovery::Snapshot first{QStringLiteral("a.kmv"), {{0, 10}, {1, 20}}, 1, 0};
const recovery::Snapshot second{QString(), {{4, 200}, {2, 7}, {2, 8}}, 3, -1};

// What the snapshot at path holds; nothing when there is none.
recovery::Snapshot kept(const QString &path)
{
    return recovery::read(path).value_or(recovery::Snapshot{});
}

QStringList filesIn(const QString &folder)
{
    return QDir(folder).entryList(QDir::Files, QDir::Name);
}

// As a child of the test: an editor that keeps `second`, says where, and then runs until it is
// killed (or its input closes, when the test itself ends).
int keepAndWait(int argc, char **argv)
{
    QCoreApplication app(argc, argv);
    recovery::Keeper keeper(QString::fromLocal8Bit(argv[2]));
    if (!keeper.save(second).ok)
        return 1;
    std::printf("%s\n", qPrintable(keeper.snapshotPath()));
    std::fflush(stdout);
    std::getchar();
    return 0;
}

} // namespace

class TestRecovery : public QObject {
    Q_OBJECT
private slots:
    void stateFolder_data();
    void stateFolder();
    void roundTrip();
    void cutShortIsNothing();
    void damagedIsNothing_data();
    void damagedIsNothing();
    void eachEditorKeepsItsOwn();
    void aKilledEditorsSnapshotIsOffered();
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
    recovery::Keeper keeper(folder);
    const recovery::Snapshot s{
        QStringLiteral("/tmp/a b\nc ü%.kmv"), {{0, 0}, {4, 255}, {255, 13}, {1, 127}}, 7, -1};
    const SaveResult saved = keeper.save(s);
    QVERIFY2(saved.ok, qPrintable(saved.reason));
    QCOMPARE(QFile::permissions(folder) & QFileDevice::Permissions(0x7077),
             QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    const auto back = recovery::read(keeper.snapshotPath());
    QVERIFY(back);
    QCOMPARE(*back, s);
    keeper.discard();
    QVERIFY(!recovery::read(keeper.snapshotPath()));
}

void TestRecovery::cutShortIsNothing()
{
    QTemporaryDir dir;
    recovery::Keeper keeper(dir.path());
    QVERIFY(keeper.save({QStringLiteral("m.kmv"), {{0, 0}, {2, 100}, {2, 99}}, 2, 1}).ok);
    const QString path = keeper.snapshotPath();
    const QByteArray whole = readAll(path);
    QVERIFY(recovery::read(path));
    for (qsizetype n = 0; n < whole.size(); ++n) {
        QVERIFY(writeFile(path, whole.left(n)));
        QVERIFY2(!recovery::read(path), qPrintable(QStringLiteral("cut at %1").arg(n)));
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
    const QString path = dir.path() + QStringLiteral("/edit-0.snapshot");
    QVERIFY(writeFile(path, text));
    const bool sound = QByteArray(QTest::currentDataTag()) == "sound";
    QCOMPARE(recovery::read(path).has_value(), sound);
    // Its editor is gone: a sound one is offered, a damaged one set aside once, as it was.
    const recovery::Found found = recovery::leftBehind(dir.path());
    QCOMPARE(int(found.offered.size()), sound ? 1 : 0);
    QCOMPARE(found.setAside, sound ? 0 : 1);
    QCOMPARE(QFileInfo::exists(path), sound);
    QCOMPARE(readAll(recovery::damagedPath(dir.path())), sound ? QByteArray() : text);
    QCOMPARE(recovery::leftBehind(dir.path()).setAside, 0);
}

void TestRecovery::eachEditorKeepsItsOwn()
{
    QTemporaryDir dir;
    auto a = std::make_unique<recovery::Keeper>(dir.path());
    auto b = std::make_unique<recovery::Keeper>(dir.path());
    QVERIFY(a->save(first).ok);
    QVERIFY(b->save(second).ok);
    QVERIFY(b->save(first).ok); // rewritten in place, not beside
    QVERIFY(b->save(second).ok);
    QVERIFY(a->snapshotPath() != b->snapshotPath());
    QCOMPARE(filesIn(dir.path()).size(), 4); // two locks, two snapshots
    QCOMPARE(kept(a->snapshotPath()), first);
    QCOMPARE(kept(b->snapshotPath()), second);
    // Both editors run: neither's work is anyone else's to offer.
    QVERIFY(recovery::leftBehind(dir.path()).offered.empty());

    // A clean close removes its own snapshot only.
    a->discard();
    QVERIFY(!QFileInfo::exists(a->snapshotPath()));
    QCOMPARE(kept(b->snapshotPath()), second);

    // b ends without closing: its snapshot is left behind, locked by whoever holds it.
    const QString bPath = b->snapshotPath();
    b.reset();
    {
        std::vector<recovery::LeftBehind> left = recovery::leftBehind(dir.path()).offered;
        QCOMPARE(left.size(), size_t(1));
        QCOMPARE(left[0].snapshot(), second);
        QVERIFY(recovery::leftBehind(dir.path()).offered.empty()); // being asked about already
    } // dropped undecided: still there for a later start
    std::vector<recovery::LeftBehind> left = recovery::leftBehind(dir.path()).offered;
    QCOMPARE(left.size(), size_t(1));
    left[0].discard();
    QVERIFY(!QFileInfo::exists(bPath));
    QVERIFY(recovery::leftBehind(dir.path()).offered.empty());
    a.reset();
    QCOMPARE(filesIn(dir.path()), QStringList());
}

void TestRecovery::aKilledEditorsSnapshotIsOffered()
{
    QTemporaryDir dir;
    recovery::Keeper running(dir.path());
    QVERIFY(running.save(first).ok);

    QProcess editor;
    editor.start(QCoreApplication::applicationFilePath(),
                 {QStringLiteral("--keep-and-wait"), dir.path()});
    QVERIFY(editor.waitForStarted(10000));
    QVERIFY(QTest::qWaitFor([&] { return editor.canReadLine(); }, 10000));
    const QString killedPath = QString::fromLocal8Bit(editor.readLine().trimmed());
    QCOMPARE(kept(killedPath), second);
    // An editor at work in another process is left alone too.
    QVERIFY(recovery::leftBehind(dir.path()).offered.empty());
    const qint64 pid = editor.processId();
    editor.kill(); // SIGKILL: nothing of its own runs, its lock file stays
    QVERIFY(editor.waitForFinished(10000));
    QCOMPARE(editor.exitStatus(), QProcess::CrashExit);
    QString killedLock = killedPath;
    killedLock.replace(QLatin1String(".snapshot"), QLatin1String(".lock"));
    QVERIFY(QFileInfo::exists(killedLock));

    // Dead editors of the same kind, written by hand as QLockFile writes a lock (process id,
    // name, host; the name and host left empty): two left a damaged snapshot, which is never
    // offered and is set aside, the newer kept, one no snapshot at all, whose lock is cleared; one
    // kept `first` a minute before the kill and is offered after it.
    const QByteArray deadLock = QByteArray::number(pid) + "\n\n\n";
    for (const char *id : {"damaged", "damaged2", "lockonly", "older"})
        QVERIFY(writeFile(dir.filePath(QStringLiteral("edit-%1.lock").arg(QLatin1String(id))),
                          deadLock));
    QVERIFY(writeFile(dir.filePath(QStringLiteral("edit-damaged.snapshot")), "kestrel-edit"));
    QFile damagedOlder(dir.filePath(QStringLiteral("edit-damaged2.snapshot")));
    QVERIFY(damagedOlder.open(QIODevice::WriteOnly) && damagedOlder.write("old") &&
            damagedOlder.flush());
    QVERIFY(damagedOlder.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                                     QFileDevice::FileModificationTime));
    QVERIFY(
        QFile::copy(running.snapshotPath(), dir.filePath(QStringLiteral("edit-older.snapshot"))));
    QFile older(dir.filePath(QStringLiteral("edit-older.snapshot")));
    QVERIFY(older.open(QIODevice::ReadWrite));
    QVERIFY(older.setFileTime(QFileInfo(killedPath).lastModified().addSecs(-60),
                              QFileDevice::FileModificationTime));
    older.close();

    auto [left, setAside] = recovery::leftBehind(dir.path());
    QCOMPARE(left.size(), size_t(2));
    QCOMPARE(left[0].snapshot(), second); // newest first
    QCOMPARE(left[1].snapshot(), first);
    QVERIFY(left[0].written() > left[1].written());
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("edit-lockonly.lock"))));
    QCOMPARE(setAside, 2);
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("edit-damaged.snapshot"))));
    QVERIFY(!QFileInfo::exists(dir.filePath(QStringLiteral("edit-damaged2.snapshot"))));
    QCOMPARE(readAll(recovery::damagedPath(dir.path())), QByteArray("kestrel-edit"));
    for (recovery::LeftBehind &l : left)
        l.discard();
    QVERIFY(!QFileInfo::exists(killedPath));
    QVERIFY(!QFileInfo::exists(killedLock));
    // The running editor's snapshot was never touched.
    QCOMPARE(kept(running.snapshotPath()), first);
}

int main(int argc, char *argv[])
{
    if (argc == 3 && qstrcmp(argv[1], "--keep-and-wait") == 0)
        return keepAndWait(argc, argv);
    QCoreApplication app(argc, argv);
    TestRecovery test;
    QTEST_SET_MAIN_SOURCE_PATH
    return QTest::qExec(&test, argc, argv);
}
#include "test_recovery.moc"
