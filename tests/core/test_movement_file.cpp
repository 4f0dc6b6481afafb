// Movement files: the bytes written, what the reader accepts, and what it refuses and where.

#include "core/store/movement_file.h"
#include "support/printing.h"

#include <QFile>
#include <QRandomGenerator>
#include <QTest>
#include <memory>

using Records = std::vector<Step>;
Q_DECLARE_METATYPE(Records)

namespace {

QByteArray golden(const char *name)
{
    QFile f(QStringLiteral(KESTREL_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return f.readAll();
}

QString describe(const Records &r)
{
    QStringList parts;
    for (const Step &s : r)
        parts << QStringLiteral("(%1, %2)").arg(s.channel).arg(s.position);
    return parts.join(u' ');
}

// n records "c,p" one per line, channel and position taken from the record number.
QByteArray manyRecords(int n)
{
    QByteArray text;
    for (int i = 0; i < n; ++i)
        text += QByteArray::number(i % 5) + ',' + QByteArray::number(i % 256) + "\r\n";
    return text;
}

} // namespace

class TestMovementFile : public QObject {
    Q_OBJECT
private slots:
    void writesOneRecordAsTheseBytes();
    void writesTheGoldenFile();
    void writeRangeStaysInsideTheBuffer_data();
    void writeRangeStaysInsideTheBuffer();
    void reads_data();
    void reads();
    void rejects_data();
    void rejects();
    void writeThenReadGivesTheSameRecords();
    void readsTheMostRecordsAFileMayHold();
};

void TestMovementFile::writesOneRecordAsTheseBytes()
{
    auto b = std::make_unique<StepBuffer>();
    QVERIFY(b->put(1, {0, 127}));
    const QByteArray expected{"\x20\x30\x20\x2c\x20\x31\x32\x37\x20\x0d\x0a"};
    QCOMPARE(movement::write(*b, 1, 1), expected);
}

void TestMovementFile::writesTheGoldenFile()
{
    auto b = std::make_unique<StepBuffer>();
    // Index 1 left as it is after start-up; a negative channel and position show the sign
    // taking the leading blank's place.
    const Step steps[] = {{0, 127}, {4, 255}, {2, 9}, {-1, -300}};
    int i = 2;
    for (const Step &s : steps)
        QVERIFY(b->put(i++, s));
    QVERIFY(b->put(6, {3, 3})); // above the range written: must not appear
    QCOMPARE(movement::write(*b, 1, 5), golden("movement_example.kmv"));
    // A motion kept outside the buffer becomes the same bytes.
    const std::vector<Step> records{b->at(1), b->at(2), b->at(3), b->at(4), b->at(5)};
    QCOMPARE(movement::text(records), golden("movement_example.kmv"));
}

void TestMovementFile::writeRangeStaysInsideTheBuffer_data()
{
    QTest::addColumn<int>("from");
    QTest::addColumn<int>("to");
    QTest::addColumn<QByteArray>("expected");
    QTest::newRow("empty range") << 5 << 4 << QByteArray();
    QTest::newRow("unset count writes nothing") << 1 << 0 << QByteArray();
    QTest::newRow("past the last index") << 12009 << 12020 << QByteArray(" 1 , 9 \r\n 2 , 10 \r\n");
    QTest::newRow("below index 0") << -3 << 0 << QByteArray(" 7 , 7 \r\n");
}

void TestMovementFile::writeRangeStaysInsideTheBuffer()
{
    QFETCH(int, from);
    QFETCH(int, to);
    QFETCH(QByteArray, expected);
    auto b = std::make_unique<StepBuffer>();
    QVERIFY(b->put(0, {7, 7}));
    QVERIFY(b->put(12009, {1, 9}));
    QVERIFY(b->put(12010, {2, 10}));
    QCOMPARE(movement::write(*b, from, to), expected);
}

void TestMovementFile::reads_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Records>("records");
    QTest::newRow("as written") << QByteArray(" 0 , 0 \r\n 0 , 127 \r\n 4 , 255 \r\n")
                                << Records{{0, 0}, {0, 127}, {4, 255}};
    QTest::newRow("four fields on one line, no spaces")
        << QByteArray("0,127,1,64") << Records{{0, 127}, {1, 64}};
    QTest::newRow("one record") << QByteArray(" 3 , 9 \r\n") << Records{{3, 9}};
    QTest::newRow("LF only") << QByteArray("1,2\n3,4\n") << Records{{1, 2}, {3, 4}};
    QTest::newRow("lone CR") << QByteArray("1,2\r3,4") << Records{{1, 2}, {3, 4}};
    QTest::newRow("records across line breaks")
        << QByteArray("1\r\n2\r\n3 4\r\n") << Records{{1, 2}, {3, 4}};
    QTest::newRow("spaces alone separate") << QByteArray("1 2   3 4") << Records{{1, 2}, {3, 4}};
    QTest::newRow("comma after trailing spaces")
        << QByteArray("1   ,2\r\n3 ,   4") << Records{{1, 2}, {3, 4}};
    QTest::newRow("blank lines ignored")
        << QByteArray("\r\n\r\n1,2\r\n   \r\n\r\n3,4\r\n\r\n") << Records{{1, 2}, {3, 4}};
    QTest::newRow("tabs as blanks") << QByteArray("1\t,\t2") << Records{{1, 2}};
    QTest::newRow("comma before a line break") << QByteArray("1,\r\n2,\r\n") << Records{{1, 2}};
    QTest::newRow("comma after a line break") << QByteArray("1\r\n,2") << Records{{1, 2}};
    QTest::newRow("signs and leading zeros")
        << QByteArray("+5,-0\r\n007,0255") << Records{{5, 0}, {7, 255}};
    QTest::newRow("no final line end") << QByteArray(" 0 , 255 ") << Records{{0, 255}};
}

void TestMovementFile::reads()
{
    QFETCH(QByteArray, text);
    QFETCH(Records, records);
    const movement::ReadResult r = movement::read(text);
    QVERIFY2(r.ok(), qPrintable(QStringLiteral("line %1: %2").arg(r.line).arg(r.error)));
    QCOMPARE(describe(r.records), describe(records));
    QCOMPARE(r.records, records);
}

void TestMovementFile::rejects_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<int>("line");
    QTest::addColumn<QString>("error");
    QTest::newRow("empty file") << QByteArray() << 1 << "the file holds no record";
    QTest::newRow("blank lines only")
        << QByteArray("\r\n   \r\n\r\n") << 1 << "the file holds no record";
    QTest::newRow("letters in a field")
        << QByteArray(" 0 , 0 \r\n x1 , 5 \r\n") << 2 << "'x1' is not a whole number";
    QTest::newRow("fraction") << QByteArray("1,2\n3,2.5\n") << 2 << "'2.5' is not a whole number";
    QTest::newRow("other separator") << QByteArray("1;2\r\n") << 1 << "'1;2' is not a whole number";
    QTest::newRow("sign alone") << QByteArray("1,2\r\n-,3") << 2 << "'-' is not a whole number";
    QTest::newRow("empty field between commas")
        << QByteArray("1,2\r\n3,4\r\n5,,6\r\n") << 3 << "an empty field is not a whole number";
    QTest::newRow("blank field between commas")
        << QByteArray("1 , , 2") << 1 << "an empty field is not a whole number";
    QTest::newRow("junk bytes shown safely")
        << QByteArray("1,2\r\n\x01\x7f\xff,4") << 2 << "'?\?\?' is not a whole number";
    QTest::newRow("long field cut short") << QByteArray("1,abcdefghijklmnopqrstuvwxyz") << 1
                                          << "'abcdefghijklmnopqrst...' is not a whole number";
    QTest::newRow("channel 300") << QByteArray("0,1\r\n1,2\r\n300,5\r\n") << 3
                                 << "channel 300 is outside 0 to 255";
    QTest::newRow("channel -1") << QByteArray("-1,5") << 1 << "channel -1 is outside 0 to 255";
    QTest::newRow("position 256") << QByteArray("0,1\r\n2,256") << 2
                                  << "position 256 is outside 0 to 255";
    QTest::newRow("position too large for any integer")
        << QByteArray("0,99999999999999999999999999") << 1
        << "position 99999999999999999999... is outside 0 to 255";
    QTest::newRow("odd field count")
        << QByteArray("1,2\r\n3\r\n\r\n") << 2 << "the last record has a channel but no position";
    QTest::newRow("odd count on one line")
        << QByteArray("0,127,1") << 1 << "the last record has a channel but no position";
    QTest::newRow("line count with mixed line ends")
        << QByteArray("1,2\n3,4\r\n5,6\rx,7") << 4 << "'x' is not a whole number";
    QTest::newRow("more than 12010 records")
        << manyRecords(12011) << 12011 << "more than 12010 records";
    QTest::newRow("more than 12010 records, all on one line")
        << manyRecords(12020).replace("\r\n", ",") << 1 << "more than 12010 records";
    QTest::newRow("golden file's negative channel")
        << golden("movement_example.kmv") << 5 << "channel -1 is outside 0 to 255";
}

void TestMovementFile::rejects()
{
    QFETCH(QByteArray, text);
    QFETCH(int, line);
    QFETCH(QString, error);
    const movement::ReadResult r = movement::read(text);
    QVERIFY(!r.ok());
    QCOMPARE(r.error, error);
    QCOMPARE(r.line, line);
    QVERIFY(r.records.empty()); // nothing half-read is handed on
}

void TestMovementFile::writeThenReadGivesTheSameRecords()
{
    auto b = std::make_unique<StepBuffer>();
    const int n = 500;
    QRandomGenerator rng(20240607);
    Records expected;
    for (int i = 1; i <= n; ++i) {
        const Step s{qint16(rng.bounded(5)), qint16(rng.bounded(256))};
        QVERIFY(b->put(i, s));
        expected.push_back(s);
    }
    const movement::ReadResult r = movement::read(movement::write(*b, 1, n));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(r.records, expected);
}

void TestMovementFile::readsTheMostRecordsAFileMayHold()
{
    const movement::ReadResult r = movement::read(manyRecords(12010));
    QVERIFY2(r.ok(), qPrintable(r.error));
    QCOMPARE(int(r.records.size()), 12010);
    QCOMPARE(r.records.back(), (Step{12009 % 5, 12009 % 256}));
}

QTEST_GUILESS_MAIN(TestMovementFile)
#include "test_movement_file.moc"
