// Open, Save and Save As of the File menu: what reaches the disk, what comes back, and what a
// bad file, a cancelled dialog or a failed write leave behind.

#include "support/files.h"
#include "support/printing.h"
#include "support/robot_harness.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTest>
#include <QTimer>
#include <csignal>
#include <optional>
#include <sys/resource.h>

static const QChar cr(13);

static Steps stepsOf(const robot &w, int from, int to)
{
    Steps out;
    for (int i = from; i <= to; ++i)
        out << w.step_buffer.at(i);
    return out;
}

// Every slot of the buffer, the unused ones included.
static Steps wholeBuffer(const robot &w)
{
    return stepsOf(w, 0, StepBuffer::lastIndex);
}

// Records base moves 128, 129, ... and grip moves 126, 125, ..., `count` steps in all.
static void record(robot &w, int count)
{
    w.Command3->click();
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            w.HScroll1->setValueTo(128 + i / 2);
        else
            w.HScroll2->setValueTo(126 - i / 2);
    }
    w.Command4->click();
}

class TestMovementFiles : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup();
    void tooFewStepsSaveNothing_data();
    void tooFewStepsSaveNothing();
    void tenStepsSaved();
    void saveAsThenOpenRestores();
    void openOneRecord();
    void openFieldsWithoutSpaces();
    void openRefusesBadFile_data();
    void openRefusesBadFile();
    void openWithoutFile_data();
    void openWithoutFile();
    void openDisabledWhileWalking();
    void fileDialogs();
    void saveFails_data();
    void saveFails();

private:
    QString m_startFolder;
};

void TestMovementFiles::initTestCase()
{
    m_startFolder = QDir::currentPath();
}

void TestMovementFiles::cleanup()
{
    // robotmov.kmv is taken relative to the working folder, which each test points at its own.
    QDir::setCurrent(m_startFolder);
}

void TestMovementFiles::tooFewStepsSaveNothing_data()
{
    QTest::addColumn<int>("steps"); // -1: never recorded
    QTest::newRow("never recorded") << -1;
    QTest::newRow("REC then STOP") << 0;
    QTest::newRow("5 steps") << 5;
    QTest::newRow("9 steps") << 9;
}

void TestMovementFiles::tooFewStepsSaveNothing()
{
    QFETCH(int, steps);

    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    if (steps >= 0)
        record(w, steps);
    QCOMPARE(w.step_buffer.stepCount(), steps < 0 ? 0 : steps + 1);
    h.dialogs.savePaths << h.dir.filePath("as.kmv");

    w.Save_men->trigger();
    w.Saveas_men->trigger();

    QVERIFY(!QFile::exists("robotmov.kmv"));
    QVERIFY(!QFile::exists(h.dir.filePath("as.kmv")));
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(w.movement_file, QString("robotmov.kmv"));
}

void TestMovementFiles::tenStepsSaved()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 10);
    QCOMPARE(w.step_buffer.stepCount(), 11);

    w.Save_men->trigger();

    QByteArray expected = " 0 , 0 \r\n"; // the placeholder slot, untouched since start
    for (int i = 0; i < 10; ++i)
        expected += i % 2 == 0 ? " 0 , " + QByteArray::number(128 + i / 2) + " \r\n"
                               : " 4 , " + QByteArray::number(126 - i / 2) + " \r\n";
    QCOMPARE(readAll(h.dir.filePath("robotmov.kmv")), expected);
    QVERIFY(expected.startsWith(QByteArray::fromHex("2030202c2030200d0a")));
    QCOMPARE(expected.count('\n'), 11);
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QVERIFY(h.dialogs.shown.isEmpty());
}

void TestMovementFiles::saveAsThenOpenRestores()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 12);
    w.step_buffer.put(1, Step{3, 200}); // as if the first record of an opened file
    const Steps saved = stepsOf(w, 1, 13);
    const QString path = h.dir.filePath("taught.kmv");

    w.Save_men->trigger();
    h.dialogs.savePaths << path;
    w.Saveas_men->trigger();

    QCOMPARE(w.movement_file, path);
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith(" 3 , 200 \r\n"));
    QCOMPARE(bytes, readAll(h.dir.filePath("robotmov.kmv")));

    // Something else is taught, then the file is opened again.
    record(w, 3);
    w.step_buffer.put(1, Step{});
    w.movement_file = QStringLiteral("robotmov.kmv");
    h.dialogs.openPaths << path;
    w.Open_men->trigger();

    QCOMPARE(w.step_buffer.stepCount(), 13);
    QCOMPARE(stepsOf(w, 1, 13), saved);
    QCOMPARE(w.movement_file, path);
    QVERIFY(h.dialogs.shown.isEmpty());
    // Saving it again writes the same file.
    w.Save_men->trigger();
    QCOMPARE(readAll(path), bytes);
}

void TestMovementFiles::openOneRecord()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("one.kmv");
    QVERIFY(writeFile(path, " 0 , 127 \r\n"));
    h.dialogs.openPaths << path;

    w.Open_men->trigger();

    QCOMPARE(w.step_buffer.stepCount(), 1);
    QCOMPARE(w.step_buffer.at(1), (Step{0, 127}));
    h.port.clearWritten();
    w.Command5->click();
    QVERIFY(h.port.written.isEmpty());
}

void TestMovementFiles::openFieldsWithoutSpaces()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("four.kmv");
    QVERIFY(writeFile(path, "0,127,1,64"));
    h.dialogs.openPaths << path;

    w.Open_men->trigger();

    QCOMPARE(w.step_buffer.stepCount(), 2);
    QCOMPARE(stepsOf(w, 1, 2), (Steps{{0, 127}, {1, 64}}));
    h.port.clearWritten();
    w.Command5->click();
    bool ok = false;
    QCOMPARE(h.port.frames(&ok), (Frames{{1, 64}, {1, 64}}));
    QVERIFY(ok);
}

void TestMovementFiles::openRefusesBadFile_data()
{
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("reason");

    QTest::newRow("empty") << QByteArray() << 1 << "the file holds no record";
    QTest::newRow("letters") << QByteArray(" 0 , 127 \r\n abc , 5 \r\n") << 2
                             << "'abc' is not a whole number";
    QTest::newRow("fraction") << QByteArray(" 0 , 1.5 \r\n") << 1 << "'1.5' is not a whole number";
    QTest::newRow("empty field") << QByteArray("0,,127\r\n") << 1
                                 << "an empty field is not a whole number";
    QTest::newRow("position above 255")
        << QByteArray(" 0 , 127 \r\n 0 , 300 \r\n") << 2 << "position 300 is outside 0 to 255";
    QTest::newRow("negative channel")
        << QByteArray(" 0 , 0 \n 0 , 1 \n-1 , 5 \n") << 3 << "channel -1 is outside 0 to 255";
    QTest::newRow("beyond 16 bits")
        << QByteArray(" 0 , 99999 \r\n") << 1 << "position 99999 is outside 0 to 255";
    QTest::newRow("position missing") << QByteArray(" 0 , 127 \r\n 1 \r\n") << 2
                                      << "the last record has a channel but no position";
    QByteArray tooMany;
    for (int i = 0; i <= StepBuffer::lastIndex; ++i)
        tooMany += " 0 , 127 \r\n";
    QTest::newRow("too many records")
        << tooMany << StepBuffer::lastIndex + 1 << "more than 12010 records";
    // Not a file at all: there is no line to name, only the reason.
    QTest::newRow("a folder") << QByteArray() << 0 << QString();
}

void TestMovementFiles::openRefusesBadFile()
{
    QFETCH(QByteArray, content);
    QFETCH(int, line);
    QFETCH(QString, reason);

    // The probe was echoed: RUN and its twin are disabled, so Open's enabling of RUN shows.
    RobotHarness h;
    h.port.probeAnswer = "B";
    robot &w = h.start();
    QVERIFY(!w.Command5->isEnabled());
    QVERIFY(w.Open_men->isEnabled());
    setSteps(w, {{0, 10}, {1, 20}, {2, 30}});
    w.step_buffer.put(9, Step{4, 44}); // left over above the count
    const Steps before = wholeBuffer(w);
    const QString path = h.dir.filePath("bad.kmv");
    if (line > 0)
        QVERIFY(writeFile(path, content));
    else
        QVERIFY(QDir().mkpath(path));
    h.dialogs.shown.clear();
    h.dialogs.openPaths << path;

    w.Open_men->trigger();

    QCOMPARE(h.dialogs.shown.size(), 1);
    const QString text = h.dialogs.shown[0].text;
    const QString head = "Cannot open the movement file '" + path + "'" + cr;
    if (line > 0)
        QCOMPARE(text, head + "Line " + QString::number(line) + ": " + reason);
    else
        QVERIFY2(text.startsWith(head) && !text.mid(head.size()).trimmed().isEmpty(),
                 qPrintable(text));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(w.step_buffer.stepCount(), 4);
    QVERIFY(wholeBuffer(w) == before);
    QCOMPARE(w.movement_file, QString("robotmov.kmv"));
    QVERIFY(w.Command5->isEnabled());
    QVERIFY(!w.Command16->isEnabled());
}

void TestMovementFiles::openWithoutFile_data()
{
    QTest::addColumn<QString>("chosen");
    QTest::newRow("cancelled") << QString();
    QTest::newRow("no such file") << QStringLiteral("missing.kmv");
}

void TestMovementFiles::openWithoutFile()
{
    QFETCH(QString, chosen);

    RobotHarness h;
    h.port.probeAnswer = "B";
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    setSteps(w, {{0, 10}, {1, 20}});
    const Steps before = wholeBuffer(w);
    h.dialogs.shown.clear();
    h.dialogs.openPaths << chosen;

    w.Open_men->trigger();

    QCOMPARE(h.dialogs.fileTitles.size(), 1);
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(w.step_buffer.stepCount(), 3);
    QVERIFY(wholeBuffer(w) == before);
    QCOMPARE(w.movement_file, QString("robotmov.kmv"));
    // RUN is enabled all the same; its picture twin is not.
    QVERIFY(w.Command5->isEnabled());
    QVERIFY(!w.Command16->isEnabled());
}

void TestMovementFiles::openDisabledWhileWalking()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("other.kmv");
    QVERIFY(writeFile(path, " 0 , 0 \r\n 1 , 1 \r\n 2 , 2 \r\n"));
    setSteps(w, {{0, 130}, {0, 131}, {0, 132}});
    const Steps before = wholeBuffer(w);

    // During a run, and after STOP has been pressed in it, until the run has ended.
    QList<bool> openEnabled;
    h.port.onFrame(0, [&] {
        openEnabled << w.Open_men->isEnabled();
        h.dialogs.openPaths = {path};
        w.Open_men->trigger();
        QTimer::singleShot(0, &w, [&] {
            w.Command4->click();
            openEnabled << w.Open_men->isEnabled();
            w.Open_men->trigger();
        });
    });
    w.Command5->click();

    QCOMPARE(openEnabled, (QList<bool>{false, false}));
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QVERIFY(wholeBuffer(w) == before);
    QVERIFY(w.Open_men->isEnabled());

    // During the reverse walk.
    w.Command3->click();
    w.HScroll1->setValueTo(140);
    w.HScroll1->setValueTo(141);
    openEnabled.clear();
    h.port.onFrame(0, [&] {
        openEnabled << w.Open_men->isEnabled();
        w.Open_men->trigger();
    });
    w.Backbutt->click();
    QCOMPARE(openEnabled, QList<bool>{false});
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QCOMPARE(w.step_buffer.stepCount(), 4);
    QVERIFY(w.Open_men->isEnabled());

    // Afterwards it opens again.
    w.Open_men->trigger();
    QCOMPARE(h.dialogs.fileTitles.size(), 1);
    QCOMPARE(w.step_buffer.stepCount(), 3);
    QCOMPARE(w.movement_file, path);
}

void TestMovementFiles::fileDialogs()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 10);

    w.Open_men->trigger();   // cancelled
    w.Saveas_men->trigger(); // cancelled

    QCOMPARE(h.dialogs.fileTitles, (QStringList{"Select File to Open", "Select File to Open"}));
    QCOMPARE(h.dialogs.fileFilters, (QStringList{"kestrel (*.kmv)", "kestrel (*.kmv)"}));
    // A cancelled Save As writes nothing and keeps the current file.
    QCOMPARE(w.movement_file, QString("robotmov.kmv"));
    QVERIFY(QDir(h.dir.path()).entryList({"*.kmv"}).isEmpty());
}

void TestMovementFiles::saveFails_data()
{
    QTest::addColumn<bool>("saveAs");
    QTest::addColumn<QString>("obstacle");

    QTest::newRow("Save, disk full") << false << "disk full";
    QTest::newRow("Save As, disk full") << true << "disk full";
    QTest::newRow("Save As, no such folder") << true << "no such folder";
    QTest::newRow("Save As, name is a folder") << true << "name is a folder";
}

void TestMovementFiles::saveFails()
{
    QFETCH(bool, saveAs);
    QFETCH(QString, obstacle);

    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 10);
    QString path = saveAs ? h.dir.filePath("target.kmv") : QStringLiteral("robotmov.kmv");
    const QByteArray old = " 0 , 0 \r\n 0 , 127 \r\n";
    if (obstacle == QLatin1String("disk full"))
        QVERIFY(writeFile(path, old));
    else if (obstacle == QLatin1String("no such folder"))
        path = h.dir.filePath("nowhere/target.kmv");
    else
        QVERIFY(QDir().mkpath(path));
    if (saveAs)
        h.dialogs.savePaths << path;

    {
        std::optional<FileSizeLimit> limit;
        if (obstacle == QLatin1String("disk full")) {
            limit.emplace(50);
            QVERIFY(limit->ok());
        }
        (saveAs ? w.Saveas_men : w.Save_men)->trigger();
    }

    QCOMPARE(h.dialogs.shown.size(), 1);
    const QString text = h.dialogs.shown[0].text;
    QVERIFY2(text.startsWith("Cannot save the movement file '" + path + "'" + cr),
             qPrintable(text));
    QVERIFY2(!text.section(cr, 1).trimmed().isEmpty(), qPrintable(text));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    if (obstacle == QLatin1String("disk full")) {
        QCOMPARE(readAll(path), old);
        // Nothing half-written is left lying beside it either.
        QCOMPARE(QDir(h.dir.path()).entryList({"*.kmv*"}, QDir::Files | QDir::Hidden),
                 QStringList{QFileInfo(path).fileName()});
    } else if (obstacle == QLatin1String("no such folder")) {
        QVERIFY(!QFileInfo::exists(h.dir.filePath("nowhere")));
    } else {
        QVERIFY(QFileInfo(path).isDir());
    }
    QCOMPARE(w.step_buffer.stepCount(), 11);
}

QTEST_MAIN(TestMovementFiles)
#include "test_movement_files.moc"
