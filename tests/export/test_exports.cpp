// The three exports of a motion. The table and the bytes against golden files and against the
// frames kestrel-play --dry-run prints for the same file and configuration; the Arduino sketch
// compiled for the host over a stand-in for the board, whose output must be the bytes; the
// sketch of the largest motion built for the Uno, within its flash.

#include "core/export/exports.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "support/files.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

namespace {

const QString data = QStringLiteral(KESTREL_TEST_DATA "/export/");

struct Motion {
    std::vector<Step> records;
    config::Settings settings;
};

Motion motionIn(const QString &name)
{
    const movement::Loaded file = movement::load(data + name + "/motion.kmv");
    if (!file.ok())
        qFatal("%s", qPrintable(file.message));
    return {file.records, config::load(data + name + "/robotini.txt").settings};
}

// The frames kestrel-play --dry-run prints after its probe, as the bytes they stand for.
QByteArray dryRun(const QString &configDir, const QString &file, int loops)
{
    QProcess p;
    p.start(KESTREL_PLAY_BINARY,
            {"--config-dir", configDir, "--dry-run", "--loops", QString::number(loops), file});
    if (!p.waitForFinished(30000) || p.exitCode() != 0)
        return "(kestrel-play failed)";
    QList<QByteArray> lines = p.readAllStandardOutput().split('\n');
    if (lines.takeFirst() != "probe 42")
        return "(no probe first)";
    QByteArray bytes;
    for (const QByteArray &line : lines)
        for (const QByteArray &hex : line.split(' ').mid(0, line.isEmpty() ? 0 : 4))
            bytes += char(hex.toInt(nullptr, 16));
    return bytes;
}

// Runs a program; its standard output, and its standard error in `err`.
QByteArray run(const QString &program, const QStringList &args, int *status, QByteArray *err)
{
    QProcess p;
    p.start(program, args);
    if (!p.waitForFinished(60000))
        p.kill();
    p.waitForFinished();
    *status = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
    *err = p.readAllStandardError();
    return p.readAllStandardOutput();
}

} // namespace

class TestExports : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void againstGoldenFilesAndThePlayer_data();
    void againstGoldenFilesAndThePlayer();
    void sketchOnTheHostSendsTheBytes_data();
    void sketchOnTheHostSendsTheBytes();
    void largestMotionFitsTheUno();
    void refused_data();
    void refused();
    void refusedPastTheMost();
    void tableByTheModel_data();
    void tableByTheModel();
};

void TestExports::againstGoldenFilesAndThePlayer_data()
{
    QTest::addColumn<QString>("name");
    QTest::newRow("steps that do not move their axis") << "still";
    QTest::newRow("fractional homes") << "fractional";
    QTest::newRow("channels above 4") << "channels";
}

void TestExports::againstGoldenFilesAndThePlayer()
{
    QFETCH(QString, name);
    const Motion m = motionIn(name);
    const QString dir = data + name;
    const QString file = dir + "/motion.kmv";

    const exports::Result table = exports::csv(m.records, m.settings, arm::defaults());
    const exports::Result bytes = exports::lineBytes(m.records, m.settings, 2);
    QVERIFY2(table.ok() && bytes.ok(), qPrintable(table.error + bytes.error));
    QCOMPARE(table.data, readAll(dir + "/motion.csv"));
    QCOMPARE(bytes.data, readAll(dir + "/motion-2.bin"));
    QCOMPARE(bytes.data, dryRun(dir, file, 2));

    // Each row's step is the frame the player writes at the row's time into its first pass,
    // once or twice, up to the next row's time; the last row's frames end the play.
    QTemporaryDir scratch;
    const QString firstOnly = scratch.filePath("first.kmv");
    QVERIFY(writeFile(firstOnly, "0 , 0\r\n"));
    const qsizetype passFrom = dryRun(dir, firstOnly, 1).size();
    const QByteArray played = dryRun(dir, file, 1);
    QList<QByteArray> rows = table.data.split('\n');
    QCOMPARE(rows.takeFirst(),
             "step,time_s,channel,axis,position,angle_deg,x_mm,y_mm,z_mm,pitch_deg\r");
    QCOMPARE(rows.takeLast(), QByteArray());
    QCOMPARE(rows.size(), qsizetype(m.records.size()) - 1);
    for (qsizetype r = 0; r < rows.size(); ++r) {
        const QList<QByteArray> f = rows[r].split(',');
        const auto at = [&](qsizetype row) {
            return row == rows.size() ? played.size()
                                      : passFrom + qRound(rows[row].split(',')[1].toDouble() * 960);
        };
        const qsizetype from = at(r), to = at(r + 1);
        QCOMPARE(f[0].toInt(), int(r) + 2);
        QVERIFY2(to - from == 4 || to - from == 8, rows[r].constData());
        const QByteArray frame{"\xFF" + QByteArray(1, char(f[2].toInt())) +
                               QByteArray(1, char(f[4].toInt())) + "\r"};
        QCOMPARE(played.mid(from, to - from), frame.repeated((to - from) / 4));
    }
}

void TestExports::sketchOnTheHostSendsTheBytes_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("loops");
    QTest::newRow("still, one pass") << "still" << 1;
    QTest::newRow("still, for ever") << "still" << 0;
    QTest::newRow("still, three passes") << "still" << 3;
    QTest::newRow("fractional homes, three passes") << "fractional" << 3;
    QTest::newRow("channels above 4, three passes") << "channels" << 3;
}

void TestExports::sketchOnTheHostSendsTheBytes()
{
    QFETCH(QString, name);
    QFETCH(int, loops);
    const Motion m = motionIn(name);
    const exports::Result sketch = exports::arduinoSketch(m.records, m.settings, loops, "m.kmv");
    // For ever is cut off after three passes.
    const exports::Result bytes = exports::lineBytes(m.records, m.settings, loops ? loops : 3);
    QVERIFY2(sketch.ok() && bytes.ok(), qPrintable(sketch.error + bytes.error));

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("m.ino"), sketch.data));
    int status = 0;
    QByteArray err;
    run(KESTREL_HOST_CXX,
        {"-std=gnu++11", "-I" KESTREL_ARDUINO_STUB, "-x", "c++", dir.filePath("m.ino"), "-x",
         "none", KESTREL_ARDUINO_STUB "/main.cpp", "-o", dir.filePath("board")},
        &status, &err);
    QVERIFY2(status == 0, err.constData());
    // A sketch with a fixed count gets room for one byte too many and calls to spare.
    const QString most = QString::number(bytes.data.size() + (loops ? 1 : 0));
    const QByteArray out = run(dir.filePath("board"),
                               {most, QString::number(loops ? loops + 2 : 1000000)}, &status, &err);
    QCOMPARE(status, 0);
    QCOMPARE(err, "begin 9600 6\ndelay 2000 after 0 bytes\n"); // 8N1, then the pause
    QCOMPARE(out, bytes.data);
}

void TestExports::largestMotionFitsTheUno()
{
    // The most records a file holds, every step moving its axis, and homes at the ends of their
    // travel, for the longest start-up walk.
    Motion m;
    m.settings.home = {0, 255, 0, 255, 0};
    for (int i = 0; i < movement::maxRecords; ++i)
        m.records.push_back({qint16(i % 5), qint16(i % 2 ? 40 : 210)});
    const exports::Result sketch = exports::arduinoSketch(m.records, m.settings, 0, "big.kmv");
    QVERIFY2(sketch.ok(), qPrintable(sketch.error));

    QTemporaryDir dir;
    QVERIFY(writeFile(dir.filePath("big.ino"), sketch.data));
    int status = 0;
    QByteArray err;
    const QByteArray size =
        run(KESTREL_BUILD_UNO, {dir.filePath("big.ino"), dir.filePath("uno")}, &status, &err);
    // No toolchain is a failure: scripts/deps installs it, and a skip would hide the check.
    QVERIFY2(status == 0, err.constData());
    const QList<QByteArray> f = size.simplified().split(' ');
    QVERIFY2(f.size() >= 2, size.constData());
    const int flash = f[0].toInt() + f[1].toInt(); // text + data
    qInfo("flash for %d records: %d of 32,256 bytes", movement::maxRecords, flash);
    QVERIFY(flash > movement::maxRecords * 2); // the steps are in it
    QVERIFY(flash <= 32256);
}

void TestExports::refused_data()
{
    QTest::addColumn<int>("format");
    QTest::addColumn<std::vector<Step>>("records");
    QTest::addColumn<int>("loops");
    const std::vector<Step> fine{{0, 0}, {0, 10}};
    const auto all = {int(exports::Format::Csv), int(exports::Format::Bytes),
                      int(exports::Format::Arduino)};
    for (int f : all) {
        const QByteArray name = exports::info(exports::Format(f)).name;
        QTest::newRow(name + ", no records") << f << std::vector<Step>{} << 1;
        QTest::newRow(name + ", channel 256") << f << std::vector<Step>{{0, 0}, {256, 1}} << 1;
        QTest::newRow(name + ", position -1") << f << std::vector<Step>{{0, -1}} << 1;
        QTest::newRow(name + ", 12011 records")
            << f << std::vector<Step>(movement::maxRecords + 1, Step{0, 1}) << 1;
    }
    QTest::newRow("bytes for ever") << int(exports::Format::Bytes) << fine << 0;
    QTest::newRow("arduino, -1 passes") << int(exports::Format::Arduino) << fine << -1;
    QTest::newRow("bytes past the most, known before playing")
        << int(exports::Format::Bytes) << fine << int(exports::mostLineBytes / 4 + 1);
}

void TestExports::refused()
{
    QFETCH(int, format);
    QFETCH(std::vector<Step>, records);
    QFETCH(int, loops);
    const exports::Result r =
        exports::motion(exports::Format(format), records, config::Settings{}, loops, "m.kmv", {});
    QVERIFY(!r.ok());
    QVERIFY(r.data.isEmpty());
}

void TestExports::refusedPastTheMost()
{
    // Start-up centres four axes, 16 bytes; each pass moves the base twice, 16 more. Three
    // passes come to 64, though their steps' single frames alone (24) would fit: the play
    // itself finds it out.
    const std::vector<Step> swing{{0, 0}, {0, 10}, {0, 20}};
    const config::Settings homes;
    QCOMPARE(exports::lineBytes(swing, homes, 2, 50).data.size(), 48);
    const exports::Result over = exports::lineBytes(swing, homes, 3, 50);
    QVERIFY(!over.ok());
    QVERIFY(over.data.isEmpty());
}

void TestExports::tableByTheModel_data()
{
    // Joints of a degree a position: the base at 90 - p (90 along +y), the others at p - 90, the
    // grip at p / 4 (a tie at 1). From the homes the upper arm stands upright, forearm and hand
    // level: the tool point at r 55.5 + 21.1, z 33.3 + 70.7. Record 1 is never played.
    QTest::addColumn<std::vector<Step>>("steps");
    QTest::addColumn<QByteArray>("lastLine");
    const auto row = [](const char *name, const std::vector<Step> &steps, const char *line) {
        QTest::newRow(name) << steps << QByteArray(line);
    };
    row("grip tie", {{0, 0}, {4, 1}}, "2,0.0000,4,grip,1,0.2,76.60,0.00,104.00,0.00");
    row("base at 45", {{0, 0}, {0, 45}}, "2,0.0000,0,base,45,45.0,54.16,54.16,104.00,0.00");
    // f2 = f3 = 255: r = 76.6 cos 255 = -19.826, z = 104 + 76.6 sin 255 = 30.009
    row("elbow folded over", {{0, 0}, {2, 255}},
        "2,0.0000,2,elbow,255,165.0,-19.83,0.00,30.01,-105.00");
    row("hand still down", {{0, 0}, {3, 0}, {7, 9}}, "3,0.0083,7,,9,,55.50,0.00,82.90,-90.00");
}

void TestExports::tableByTheModel()
{
    QFETCH(std::vector<Step>, steps);
    QFETCH(QByteArray, lastLine);
    arm::Profile odd{{33.3, 70.7, 55.5, 21.1, 200.0}, {}, {}};
    odd.joints.fill({-90, 165, 0, 255, 255, {}, {}});
    odd.joints[axes::Base] = {90, -165, 0, 255, 255, {}, {}};
    odd.joints[axes::Grip] = {0, 63.75, 10, 255, 255, {}, {}};
    config::Settings settings;
    settings.home = {90, 180, 0, 90, 127};
    // The motion breaks the table height and the grip's min: the table is made all the same.
    const exports::Result t = exports::motion(exports::Format::Csv, steps, settings, 1, "m", odd);
    QCOMPARE(t.data.split('\n').value(qsizetype(steps.size()) - 1), lastLine + '\r');
}

QTEST_GUILESS_MAIN(TestExports)
#include "test_exports.moc"
