// What Save and Export write and say: a motion Kestrel could not open again is refused before
// anything is written, a file that cannot be written names itself and the system's reason, and
// what is written is the movement file's own text or the export as core makes it.

#include "core/edit/motion_files.h"
#include "support/edit_files.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

Q_DECLARE_METATYPE(exports::Format)

namespace {

std::vector<Step> motion(int n)
{
    std::vector<Step> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Step{qint16(i % 5), qint16((10 + 3 * i) % 256)});
    return r;
}

const QChar cr(13);

} // namespace

class TestMotionFiles : public QObject {
    Q_OBJECT
private slots:
    void save_data();
    void save();
    void exportPipeline_data();
    void exportPipeline();
    void suffixAndQuestion();
};

void TestMotionFiles::save_data()
{
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("reason"); // empty: written
    QTest::newRow("written") << 3 << "m.kmv" << QString();
    QTest::newRow("the most Kestrel holds") << 12010 << "m.kmv" << QString();
    QTest::newRow("one record too many")
        << 12011 << "m.kmv"
        << "The motion has 12011 records; Kestrel holds at most 12010. Delete 1 records before "
           "saving.";
    QTest::newRow("no records") << 0 << "m.kmv"
                                << "The motion has no records.";
    QTest::newRow("no such folder") << 3 << "none/m.kmv"
                                    << "*";
}

void TestMotionFiles::save()
{
    QFETCH(int, records);
    QFETCH(QString, name);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    const editfiles::Written w = editfiles::saveMotion(path, motion(records));
    QCOMPARE(w.ok, reason.isEmpty());
    if (w.ok) {
        QCOMPARE(readAll(path), movementText(motion(records)));
        QCOMPARE(w.message, QStringLiteral("Saved m.kmv: %1 records.").arg(records));
        return;
    }
    const QString head = "Cannot save the movement file '" + path + "'" + cr;
    QVERIFY2(w.message.startsWith(head), qPrintable(w.message));
    if (reason != QLatin1String("*"))
        QCOMPARE(w.message, head + reason);
    else
        QVERIFY(w.message.size() > head.size()); // the system's reason
    QVERIFY(!QFile::exists(path));
}

void TestMotionFiles::exportPipeline_data()
{
    QTest::addColumn<exports::Format>("format");
    QTest::addColumn<int>("records");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("file");   // the motion's own
    QTest::addColumn<QString>("reason"); // empty: written; "*": the system's
    QTest::newRow("table") << exports::Format::Csv << 4 << "out.csv"
                           << "/x/wave.kmv" << QString();
    QTest::newRow("bytes, a new motion")
        << exports::Format::Bytes << 4 << "out.bin" << QString() << QString();
    QTest::newRow("the format refuses")
        << exports::Format::Arduino << 0 << "out.ino" << QString() << "The motion has no records.";
    QTest::newRow("no such folder")
        << exports::Format::Csv << 4 << "none/out.csv" << QString() << "*";
    QTest::newRow("over the motion's own file") // "=": the file exported to
        << exports::Format::Csv << 4 << "wave.kmv"
        << "="
        << "it is the movement file being exported";
}

void TestMotionFiles::exportPipeline()
{
    QFETCH(exports::Format, format);
    QFETCH(int, records);
    QFETCH(QString, name);
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    const QString path = dir.filePath(name);
    if (file == "=")
        QVERIFY(writeFile(file = path, "kept"));
    const config::Settings settings;
    const editfiles::Written w =
        editfiles::exportMotion(path, format, motion(records), settings, 2, file, arm::defaults());
    QCOMPARE(w.ok, reason.isEmpty());
    const QString shown = file.isEmpty() ? QStringLiteral("(a new motion)") : "wave.kmv";
    if (w.ok) {
        QCOMPARE(
            readAll(path),
            exports::motion(format, motion(records), settings, 2, shown, arm::defaults()).data);
        QCOMPARE(w.message, "Exported " + shown + " as " + name + ".");
        return;
    }
    const QString head = "Cannot export to '" + path + "'" + cr;
    QVERIFY2(w.message.startsWith(head), qPrintable(w.message));
    if (reason != QLatin1String("*"))
        QCOMPARE(w.message, head + reason);
    else
        QVERIFY(w.message.size() > head.size());
    QVERIFY(file == path ? readAll(path) == "kept" : !QFile::exists(path));
}

void TestMotionFiles::suffixAndQuestion()
{
    QCOMPARE(editfiles::withSuffix("/a/m", "kmv"), QStringLiteral("/a/m.kmv"));
    QCOMPARE(editfiles::withSuffix("/a/m.txt", "kmv"), QStringLiteral("/a/m.txt"));
    QCOMPARE(editfiles::unsavedQuestion({}),
             QStringLiteral("The changes to the new motion are not saved. Save them?"));
    QCOMPARE(editfiles::unsavedQuestion("/a/m.kmv"),
             QStringLiteral("The changes to 'm.kmv' are not saved. Save them?"));
}

QTEST_GUILESS_MAIN(TestMotionFiles)
#include "test_motion_files.moc"
