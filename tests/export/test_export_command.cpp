// kestrel-edit --export as a script runs it: no display (a window program would fail without
// one, so the test gives it none), the file written whole or not at all, and kestrel-play's exit
// statuses for what went wrong.

#include "core/export/exports.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "support/files.h"
#include "support/no_display.h"

#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <sys/stat.h>
#include <unistd.h>

namespace {

const QString data = QStringLiteral(KESTREL_TEST_DATA "/export/");

struct Run {
    int status = -1;
    QByteArray out, err;
};

Run exportWith(const QStringList &args)
{
    QProcess p;
    p.setProcessEnvironment(environmentWithoutDisplay());
    p.start(KESTREL_EDIT_BINARY, args);
    if (!p.waitForFinished(30000))
        return {};
    return {p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1, p.readAllStandardOutput(),
            p.readAllStandardError()};
}

} // namespace

class TestExportCommand : public QObject {
    Q_OBJECT
private slots:
    void initTestCase()
    {
        QVERIFY(QFile::copy(data + "still/motion.kmv", m_own));
        QCOMPARE(link(qPrintable(m_own), qPrintable(m_dir.filePath("hard.kmv"))), 0);
        QCOMPARE(mkfifo(qPrintable(m_dir.filePath("pipe")), 0600), 0);
        // "still" breaks it at record 7 (the shoulder to 10), "fractional" at 9 (the grip to 255).
        QVERIFY(writeFile(m_dir.filePath("arm.ini"), "[shoulder]\nmin = 11\n[grip]\nmax = 254\n"));
    }

    void writesEachFormatWithNoDisplay()
    {
        const QString dir = data + "fractional";
        const QString motion = dir + "/motion.kmv";
        const Run csv = exportWith({"--export", "csv", "--config-dir", dir, motion});
        QCOMPARE(csv.status, 0);
        QCOMPARE(csv.out, readAll(dir + "/motion.csv"));

        QTemporaryDir out;
        const Run bytes =
            exportWith({"--export", "bytes", "--loops", "2", "--config-dir", dir, "--profile",
                        m_dir.filePath("arm.ini"), "--no-limits", "-o", out.filePath("b"), motion});
        QCOMPARE(bytes.status, 0);
        QVERIFY(bytes.out.isEmpty() && bytes.err.contains("Record 9: the grip at 255"));
        QCOMPARE(readAll(out.filePath("b")), readAll(dir + "/motion-2.bin"));

        const Run sketch = exportWith({"--export", "arduino", "--loops", "0", "--config-dir", dir,
                                       "--output", out.filePath("m.ino"), motion});
        QCOMPARE(sketch.status, 0);
        const exports::Result expected =
            exports::arduinoSketch(movement::load(motion).records,
                                   config::load(dir + "/robotini.txt").settings, 0, "motion.kmv");
        QVERIFY(expected.ok());
        QCOMPARE(readAll(out.filePath("m.ino")), expected.data);
    }

    void failuresHaveTheirOwnStatus_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<int>("status");
        const QString motion = data + "still/motion.kmv";
        QTest::newRow("unknown format") << QStringList{"--export", "hex", motion} << 2;
        QTest::newRow("no file") << QStringList{"--export", "csv"} << 2;
        QTest::newRow("bytes for ever")
            << QStringList{"--export", "bytes", "--loops", "0", motion} << 2;
        QTest::newRow("a bad loop count")
            << QStringList{"--export", "bytes", "--loops", "x", motion} << 2;
        QTest::newRow("loops alone") << QStringList{"--loops", "2", motion} << 2;
        QTest::newRow("missing file") << QStringList{"--export", "csv", data + "none.kmv"} << 3;
        QTest::newRow("faulty file")
            << QStringList{"--export", "csv", data + "still/robotini.txt"} << 3;
        QTest::newRow("output in no folder")
            << QStringList{"--export", "csv", "-o", "/nonexistent/folder/m.csv", motion} << 4;
        // Not to be replaced by a plain file: a pipe, a device, the input under another name.
        QTest::newRow("output is a pipe")
            << QStringList{"--export", "csv", "-o", m_dir.filePath("pipe"), motion} << 4;
        QTest::newRow("output is a device")
            << QStringList{"--export", "csv", "-o", deviceToRefuse(m_dir.path()), motion} << 4;
        QTest::newRow("output is the input")
            << QStringList{"--export", "csv", "-o", m_dir.filePath("hard.kmv"), m_own} << 4;
        // The profile's: none is written, not even an empty file.
        QTest::newRow("breaks the profile")
            << QStringList{"--export", "bytes", "--config-dir", m_dir.path(), "-o", m_new, motion}
            << 7;
        QTest::newRow("a profile not there")
            << QStringList{"--export", "arduino", "--profile", m_new, motion} << 3;
    }

    void failuresHaveTheirOwnStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const QString out = args.contains("-o") ? args[args.indexOf("-o") + 1] : QString();
        const bool ordinary = QFileInfo(out).isFile();
        const QByteArray input = readAll(args.last());
        const Run r = exportWith(args);
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
        // OUT is named, and neither OUT nor the movement file is touched.
        QVERIFY(out.isEmpty() || status != 4 ||
                r.err.contains("cannot write '" + out.toUtf8() + "'"));
        QCOMPARE(QFileInfo(out).isFile(), ordinary);
        QCOMPARE(readAll(args.last()), input);
    }

private:
    QTemporaryDir m_dir;
    const QString m_own = m_dir.filePath("own.kmv");
    const QString m_new = m_dir.filePath("new.bin");
};

QTEST_GUILESS_MAIN(TestExportCommand)
#include "test_export_command.moc"
