// Open, Save and Save As of the File menu: what reaches the disk, what comes back, and what a
// bad file, a cancelled dialog or a failed write leave behind.

#include "support/files.h"
#include "support/printing.h"
#include "support/robot_controls.h"
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
#include <sys/stat.h>

static const QChar cr(13);

static Steps stepsOf(const robot &w, int from, int to)
{
    Steps out;
    for (int i = from; i <= to; ++i)
        out << w.session().stepBuffer().at(i);
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
    ui(w).Command3->click();
    for (int i = 0; i < count; ++i) {
        if (i % 2 == 0)
            ui(w).HScroll1->setValueTo(128 + i / 2);
        else
            ui(w).HScroll2->setValueTo(126 - i / 2);
    }
    ui(w).Command4->click();
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
    QCOMPARE(w.session().stepBuffer().stepCount(), steps < 0 ? 0 : steps + 1);
    h.dialogs.savePaths << h.dir.filePath("as.kmv");

    ui(w).Save_men->trigger();
    ui(w).Saveas_men->trigger();

    QVERIFY(!QFile::exists("robotmov.kmv"));
    QVERIFY(!QFile::exists(h.dir.filePath("as.kmv")));
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(w.session().movementFile(), QString("robotmov.kmv"));
}

void TestMovementFiles::tenStepsSaved()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 10);
    QCOMPARE(w.session().stepBuffer().stepCount(), 11);

    ui(w).Save_men->trigger();

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
    // An opened file's first record stays in the placeholder slot while another is recorded.
    h.openRecords({{3, 200}});
    const QString opened = w.session().movementFile();
    record(w, 12);
    const Steps saved = stepsOf(w, 1, 13);
    const QString path = h.dir.filePath("taught.kmv");

    ui(w).Save_men->trigger();
    h.dialogs.savePaths << path;
    ui(w).Saveas_men->trigger();

    QCOMPARE(w.session().movementFile(), path);
    const QByteArray bytes = readAll(path);
    QVERIFY(bytes.startsWith(" 3 , 200 \r\n"));
    QCOMPARE(bytes, readAll(opened));

    // Something else is taught, then the file is opened again.
    h.openRecords({{0, 0}});
    record(w, 3);
    QVERIFY(w.session().movementFile() != path);
    h.dialogs.openPaths << path;
    ui(w).Open_men->trigger();

    QCOMPARE(w.session().stepBuffer().stepCount(), 13);
    QCOMPARE(stepsOf(w, 1, 13), saved);
    QCOMPARE(w.session().movementFile(), path);
    QVERIFY(h.dialogs.shown.isEmpty());
    // Saving it again writes the same file.
    ui(w).Save_men->trigger();
    QCOMPARE(readAll(path), bytes);
}

void TestMovementFiles::openOneRecord()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("one.kmv");
    QVERIFY(writeFile(path, " 0 , 127 \r\n"));
    h.dialogs.openPaths << path;

    ui(w).Open_men->trigger();

    QCOMPARE(w.session().stepBuffer().stepCount(), 1);
    QCOMPARE(w.session().stepBuffer().at(1), (Step{0, 127}));
    h.port.clearWritten();
    ui(w).Command5->click();
    QVERIFY(h.port.written.isEmpty());
}

void TestMovementFiles::openFieldsWithoutSpaces()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("four.kmv");
    QVERIFY(writeFile(path, "0,127,1,64"));
    h.dialogs.openPaths << path;

    ui(w).Open_men->trigger();

    QCOMPARE(w.session().stepBuffer().stepCount(), 2);
    QCOMPARE(stepsOf(w, 1, 2), (Steps{{0, 127}, {1, 64}}));
    h.port.clearWritten();
    ui(w).Command5->click();
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

    // The probe is echoed: RUN and its twin are disabled, so Open's enabling of RUN shows.
    RobotHarness h;
    h.port.probeAnswer = "B";
    robot &w = h.start();
    // A longer motion leaves (4, 44) at index 9, above the count of the shorter one after it.
    h.openRecords({{0, 0}, {0, 1}, {0, 2}, {0, 3}, {0, 4}, {0, 5}, {0, 6}, {0, 7}, {4, 44}});
    setSteps(h, {{0, 10}, {1, 20}, {2, 30}});
    QCOMPARE(w.session().stepBuffer().at(9), (Step{4, 44}));
    const QString current = w.session().movementFile();
    // Those opens enabled RUN; the port chosen again is echoed again and disables it.
    ui(w).Com1->trigger();
    QVERIFY(!ui(w).Command5->isEnabled());
    QVERIFY(ui(w).Open_men->isEnabled());
    const Steps before = wholeBuffer(w);
    const QString path = h.dir.filePath("bad.kmv");
    if (line > 0)
        QVERIFY(writeFile(path, content));
    else
        QVERIFY(QDir().mkpath(path));
    h.dialogs.shown.clear();
    h.dialogs.openPaths << path;

    ui(w).Open_men->trigger();

    QCOMPARE(h.dialogs.shown.size(), 1);
    const QString text = h.dialogs.shown[0].text;
    const QString head = "Cannot open the movement file '" + path + "'" + cr;
    if (line > 0)
        QCOMPARE(text, head + "Line " + QString::number(line) + ": " + reason);
    else
        QVERIFY2(text.startsWith(head) && !text.mid(head.size()).trimmed().isEmpty(),
                 qPrintable(text));
    QCOMPARE(h.dialogs.shown[0].icon, Dialogs::Icon::Critical);
    QCOMPARE(w.session().stepBuffer().stepCount(), 4);
    QVERIFY(wholeBuffer(w) == before);
    QCOMPARE(w.session().movementFile(), current);
    QVERIFY(ui(w).Command5->isEnabled());
    QVERIFY(!ui(w).Command16->isEnabled());
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
    setSteps(h, {{0, 10}, {1, 20}});
    const QString current = w.session().movementFile();
    // That open enabled RUN; the port chosen again is echoed again and disables it.
    ui(w).Com1->trigger();
    QVERIFY(!ui(w).Command5->isEnabled());
    const Steps before = wholeBuffer(w);
    h.dialogs.shown.clear();
    h.dialogs.openPaths << chosen;

    ui(w).Open_men->trigger();

    QCOMPARE(h.dialogs.fileTitles.size(), 1);
    QVERIFY(h.dialogs.shown.isEmpty());
    QCOMPARE(w.session().stepBuffer().stepCount(), 3);
    QVERIFY(wholeBuffer(w) == before);
    QCOMPARE(w.session().movementFile(), current);
    // RUN is enabled all the same; its picture twin is not.
    QVERIFY(ui(w).Command5->isEnabled());
    QVERIFY(!ui(w).Command16->isEnabled());
}

void TestMovementFiles::openDisabledWhileWalking()
{
    RobotHarness h;
    robot &w = h.start();
    const QString path = h.dir.filePath("other.kmv");
    QVERIFY(writeFile(path, " 0 , 0 \r\n 1 , 1 \r\n 2 , 2 \r\n"));
    setSteps(h, {{0, 130}, {0, 131}, {0, 132}});
    const Steps before = wholeBuffer(w);

    // During a run, and after STOP has been pressed in it, until the run has ended.
    QList<bool> openEnabled;
    h.port.onFrame(0, [&] {
        openEnabled << ui(w).Open_men->isEnabled();
        h.dialogs.openPaths = {path};
        ui(w).Open_men->trigger();
        QTimer::singleShot(0, &w, [&] {
            ui(w).Command4->click();
            openEnabled << ui(w).Open_men->isEnabled();
            ui(w).Open_men->trigger();
        });
    });
    ui(w).Command5->click();

    QCOMPARE(openEnabled, (QList<bool>{false, false}));
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QVERIFY(wholeBuffer(w) == before);
    QVERIFY(ui(w).Open_men->isEnabled());

    // During the reverse walk.
    ui(w).Command3->click();
    ui(w).HScroll1->setValueTo(140);
    ui(w).HScroll1->setValueTo(141);
    openEnabled.clear();
    h.port.onFrame(0, [&] {
        openEnabled << ui(w).Open_men->isEnabled();
        ui(w).Open_men->trigger();
    });
    ui(w).Backbutt->click();
    QCOMPARE(openEnabled, QList<bool>{false});
    QVERIFY(h.dialogs.fileTitles.isEmpty());
    QCOMPARE(w.session().stepBuffer().stepCount(), 4);
    QVERIFY(ui(w).Open_men->isEnabled());

    // Afterwards it opens again.
    ui(w).Open_men->trigger();
    QCOMPARE(h.dialogs.fileTitles.size(), 1);
    QCOMPARE(w.session().stepBuffer().stepCount(), 3);
    QCOMPARE(w.session().movementFile(), path);
}

void TestMovementFiles::fileDialogs()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QDir::setCurrent(h.dir.path()));
    record(w, 10);

    ui(w).Open_men->trigger();   // cancelled
    ui(w).Saveas_men->trigger(); // cancelled

    QCOMPARE(h.dialogs.fileTitles, (QStringList{"Select File to Open", "Select File to Open"}));
    QCOMPARE(h.dialogs.fileFilters, (QStringList{"kestrel (*.kmv)", "kestrel (*.kmv)"}));
    // A cancelled Save As writes nothing and keeps the current file.
    QCOMPARE(w.session().movementFile(), QString("robotmov.kmv"));
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
    QTest::newRow("Save As, name is a pipe") << true << "pipe";
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
    else if (obstacle == QLatin1String("pipe"))
        QCOMPARE(mkfifo(qPrintable(path), 0600), 0);
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
        (saveAs ? ui(w).Saveas_men : ui(w).Save_men)->trigger();
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
        // The folder or the pipe is still there, not a file in its place.
        QVERIFY(QFileInfo::exists(path) && !QFileInfo(path).isFile());
    }
    QCOMPARE(w.session().stepBuffer().stepCount(), 11);
}

QTEST_MAIN(TestMovementFiles)
#include "test_movement_files.moc"
