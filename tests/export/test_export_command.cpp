// kestrel-edit --export as a script runs it: no display (a window program would fail without
// one, so the test gives it none), the file written whole or not at all, and kestrel-play's exit
// statuses for what went wrong.

#include "core/export/exports.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "support/files.h"
#include "support/no_display.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

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
    void writesEachFormatWithNoDisplay()
    {
        const QString dir = data + "fractional";
        const QString motion = dir + "/motion.kmv";
        const Run csv = exportWith({"--export", "csv", "--config-dir", dir, motion});
        QCOMPARE(csv.status, 0);
        QCOMPARE(csv.out, readAll(dir + "/motion.csv"));

        QTemporaryDir out;
        const Run bytes = exportWith({"--export", "bytes", "--loops", "2", "--config-dir", dir,
                                      "-o", out.filePath("b"), motion});
        QCOMPARE(bytes.status, 0);
        QVERIFY(bytes.out.isEmpty());
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
    }

    void failuresHaveTheirOwnStatus()
    {
        QFETCH(QStringList, args);
        QFETCH(int, status);
        const Run r = exportWith(args);
        QCOMPARE(r.status, status);
        QVERIFY(r.out.isEmpty());
        QVERIFY(!r.err.isEmpty());
    }
};

QTEST_GUILESS_MAIN(TestExportCommand)
#include "test_export_command.moc"
