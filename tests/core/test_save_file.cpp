// Whole-file saving and loading: a save either replaces the file completely or leaves the old
// one exactly as it was, and every failure comes back with a reason.

#include "core/store/save_file.h"
#include "support/files.h"

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QTest>
#include <csignal>
#include <sys/resource.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

QByteArray contents(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return "<unreadable>";
    return f.readAll();
}

bool plant(const QString &path, const QByteArray &bytes)
{
    QFile f(path);
    return f.open(QIODevice::WriteOnly) && f.write(bytes) == bytes.size();
}

// Nothing but the named entries: a failed save must not leave temporary files behind.
QStringList entries(const QString &folder)
{
    return QDir(folder).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
}

} // namespace

class TestSaveFile : public QObject {
    Q_OBJECT
private slots:
    void writesWholeAndReplaces();
    void writesAnEmptyFile();
    void createsTheFolderOnlyWhenAsked();
    void refusesWhenTheTargetIsAFolder();
    void refusesWhenAParentIsAFile_data();
    void refusesWhenAParentIsAFile();
    void aShortWriteKeepsTheOldFile_data();
    void aShortWriteKeepsTheOldFile();
    void aSaveJustInsideTheLimitSucceeds();
    void aReadOnlyFolderKeepsTheOldFile();
    void replacesOnlyAnOrdinaryFile_data();
    void replacesOnlyAnOrdinaryFile();
    void loadsWhole();
    void loadRefusals();
    void loadRefusesWhatIsNotAnOrdinaryFile();
    void loadRefusesAnUnreadableFile();
};

void TestSaveFile::writesWholeAndReplaces()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dir.filePath("robotmov.kmv");
    QVERIFY(plant(path, QByteArray(5000, 'x')));

    const QByteArray bytes(" 0 , 127 \r\n 1 , 64 \r\n");
    const SaveResult r = saveWhole(path, bytes, false);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QVERIFY(r.reason.isEmpty());
    QCOMPARE(contents(path), bytes); // nothing of the longer old file is left
    QCOMPARE(entries(dir.path()), QStringList{"robotmov.kmv"});
}

void TestSaveFile::writesAnEmptyFile()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("empty.txt");
    QVERIFY(plant(path, "old"));
    const SaveResult r = saveWhole(path, QByteArray(), false);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QVERIFY(QFile::exists(path));
    QCOMPARE(contents(path), QByteArray());
}

void TestSaveFile::createsTheFolderOnlyWhenAsked()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("config/kestrel/robotini.txt");

    const SaveResult refused = saveWhole(path, "x", false);
    QVERIFY(!refused.ok);
    QVERIFY(!refused.reason.isEmpty());
    QVERIFY(!QFileInfo::exists(dir.filePath("config")));

    const SaveResult made = saveWhole(path, "MOTOR0= 1 \r\n", true);
    QVERIFY2(made.ok, qPrintable(made.reason));
    QCOMPARE(contents(path), QByteArray("MOTOR0= 1 \r\n"));
}

void TestSaveFile::refusesWhenTheTargetIsAFolder()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("robotini.txt");
    QVERIFY(QDir().mkdir(path));
    QVERIFY(plant(path + "/inside", "keep"));
    const SaveResult r = saveWhole(path, "x", true);
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
    QVERIFY(QFileInfo(path).isDir());
    QCOMPARE(contents(path + "/inside"), QByteArray("keep"));
}

void TestSaveFile::refusesWhenAParentIsAFile_data()
{
    QTest::addColumn<bool>("createFolder");
    QTest::newRow("folder not created") << false;
    QTest::newRow("folder to be created") << true;
}

void TestSaveFile::refusesWhenAParentIsAFile()
{
    QFETCH(bool, createFolder);
    QTemporaryDir dir;
    const QString blocker = dir.filePath("kestrel");
    QVERIFY(plant(blocker, "a file, not a folder"));
    const SaveResult r = saveWhole(blocker + "/robotini.txt", "x", createFolder);
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
    QCOMPARE(contents(blocker), QByteArray("a file, not a folder"));
}

void TestSaveFile::aShortWriteKeepsTheOldFile_data()
{
    // The file-size limit is 64 KB. Sizes just past it are the treacherous ones: the first
    // write comes up short without an error, and what is left over stays in Qt's buffer until
    // the final flush.
    QTest::addColumn<int>("size");
    QTest::newRow("one byte past the limit") << 64 * 1024 + 1;
    QTest::newRow("a few KB past the limit") << 70000;
    QTest::newRow("a megabyte") << 1024 * 1024;
    QTest::newRow("three times the limit") << 200 * 1024;
}

void TestSaveFile::aShortWriteKeepsTheOldFile()
{
    QFETCH(int, size);
    QTemporaryDir dir;
    const QString path = dir.filePath("robotmov.kmv");
    const QByteArray old(" 0 , 0 \r\n 1 , 2 \r\n");
    QVERIFY(plant(path, old));
    const QByteArray bytes(size, '7');

    SaveResult r;
    {
        FileSizeLimit limit(64 * 1024);
        QVERIFY(limit.ok());
        r = saveWhole(path, bytes, false);
    }
    QVERIFY2(!r.ok, "a cut file was reported as saved");
    QVERIFY(!r.reason.isEmpty());
    QCOMPARE(contents(path), old);
    QCOMPARE(entries(dir.path()), QStringList{"robotmov.kmv"});

    // With the limit gone the same save goes through.
    const SaveResult again = saveWhole(path, bytes, false);
    QVERIFY2(again.ok, qPrintable(again.reason));
    QCOMPARE(contents(path), bytes);
}

void TestSaveFile::aSaveJustInsideTheLimitSucceeds()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("robotmov.kmv");
    const QByteArray bytes(64 * 1024, '5');
    SaveResult r;
    {
        FileSizeLimit limit(64 * 1024);
        QVERIFY(limit.ok());
        r = saveWhole(path, bytes, false);
    }
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(contents(path), bytes);
}

void TestSaveFile::aReadOnlyFolderKeepsTheOldFile()
{
    if (geteuid() == 0)
        QSKIP("running as root: permissions do not stop root, so a read-only folder proves "
              "nothing; the short-write, folder and parent-file tests cover the failure path");
    QTemporaryDir dir;
    const QString folder = dir.filePath("ro");
    QVERIFY(QDir().mkdir(folder));
    const QString path = folder + "/robotini.txt";
    const QByteArray old("MOTOR0= 1 \r\n");
    QVERIFY(plant(path, old));
    QVERIFY(QFile::setPermissions(folder, QFile::ReadOwner | QFile::ExeOwner));

    const SaveResult r = saveWhole(path, "MOTOR0= 2 \r\n", false);
    QFile::setPermissions(folder, QFile::ReadOwner | QFile::WriteOwner | QFile::ExeOwner);
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
    QCOMPARE(contents(path), old);
}

void TestSaveFile::replacesOnlyAnOrdinaryFile_data()
{
    // What is at the target, reached through a symbolic link when linked.
    QTest::addColumn<QString>("target");
    QTest::addColumn<bool>("linked");
    QTest::addColumn<bool>("written");
    QTest::newRow("a pipe") << "pipe" << false << false;
    QTest::newRow("a link to a pipe") << "pipe" << true << false;
    QTest::newRow("a device") << "device" << false << false;
    QTest::newRow("a link to an ordinary file") << "file" << true << true;
    QTest::newRow("a dangling link") << "none" << true << true;
}

void TestSaveFile::replacesOnlyAnOrdinaryFile()
{
    QFETCH(QString, target);
    QFETCH(bool, linked);
    QFETCH(bool, written);
    QTemporaryDir dir;
    const QString real = target == QLatin1String("device") ? deviceToRefuse(dir.path())
                                                           : QDir(dir.path()).filePath(target);
    const QString path = dir.filePath("link");
    QVERIFY(mkfifo(qPrintable(dir.filePath("pipe")), 0600) == 0 && plant(dir.filePath("file"), ""));
    QVERIFY(!linked || QFile::link(real, path));
    const SaveResult r = saveWhole(linked ? path : real, "new", false);
    QCOMPARE(r.reason, written ? QString() : QStringLiteral("it is not an ordinary file"));
    // A refused pipe or device is still there, with no file in its place; the link stays a link.
    QCOMPARE(QFileInfo(real).isFile(), written);
    QVERIFY(written ? contents(real) == "new" : QFileInfo::exists(real));
    QCOMPARE(QFileInfo(path).isSymLink(), linked);
}

void TestSaveFile::loadsWhole()
{
    QTemporaryDir dir;
    const QString path = dir.filePath("a.kmv");
    QByteArray bytes(" 0 , 127 \r\n");
    bytes.append('\0').append("\xff\r\n");
    QVERIFY(plant(path, bytes));
    const LoadResult r = loadWhole(path);
    QVERIFY2(r.ok, qPrintable(r.reason));
    QCOMPARE(r.bytes, bytes);

    QVERIFY(plant(dir.filePath("empty"), QByteArray()));
    const LoadResult empty = loadWhole(dir.filePath("empty"));
    QVERIFY(empty.ok);
    QVERIFY(empty.bytes.isEmpty());

    const LoadResult atLimit = loadWhole(path, bytes.size());
    QVERIFY(atLimit.ok);
    QCOMPARE(atLimit.bytes, bytes);
}

void TestSaveFile::loadRefusals()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("a.kmv");
    QVERIFY(plant(file, "0123456789"));

    const LoadResult missing = loadWhole(dir.filePath("missing.kmv"));
    QVERIFY(!missing.ok);
    QVERIFY(!missing.reason.isEmpty());

    const LoadResult folder = loadWhole(dir.path());
    QVERIFY(!folder.ok);
    QCOMPARE(folder.reason, QStringLiteral("it is a folder, not a file"));

    const LoadResult large = loadWhole(file, 9);
    QVERIFY(!large.ok);
    QCOMPARE(large.reason, QStringLiteral("the file is too large"));
    QVERIFY(large.bytes.isEmpty());
}

void TestSaveFile::loadRefusesWhatIsNotAnOrdinaryFile()
{
    // A pipe with no writer would block the open for ever, and a device such as /dev/zero
    // would never end: neither may be read.
    QTemporaryDir dir;
    const QString fifo = dir.filePath("pipe.kmv");
    QCOMPARE(mkfifo(QFile::encodeName(fifo).constData(), 0600), 0);
    const LoadResult pipe = loadWhole(fifo);
    QVERIFY(!pipe.ok);
    QCOMPARE(pipe.reason, QStringLiteral("it is not an ordinary file"));

    const LoadResult zero = loadWhole(QStringLiteral("/dev/zero"));
    QVERIFY(!zero.ok);
    QCOMPARE(zero.reason, QStringLiteral("it is not an ordinary file"));
}

void TestSaveFile::loadRefusesAnUnreadableFile()
{
    if (geteuid() == 0)
        QSKIP("running as root: root reads a file whatever its permissions");
    QTemporaryDir dir;
    const QString path = dir.filePath("secret.kmv");
    QVERIFY(plant(path, "1,2"));
    QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
    const LoadResult r = loadWhole(path);
    QVERIFY(!r.ok);
    QVERIFY(!r.reason.isEmpty());
}

QTEST_GUILESS_MAIN(TestSaveFile)
#include "test_save_file.moc"
