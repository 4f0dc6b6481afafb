// The step buffer's index rules and its capacity.

#include "core/motion/step_buffer.h"
#include "support/printing.h"

#include <QTest>
#include <limits>
#include <memory>

class TestStepBuffer : public QObject {
    Q_OBJECT
private slots:
    void startsZeroFilledAndUnset();
    void indexValidation_data();
    void indexValidation();
    void firstAppendAfterRecLandsAtTwo();
    void appendWhileUnsetCountsFromZero();
    void stepsCounting_data();
    void stepsCounting();
    void fillsAtTheTwelveThousandthStep();
    void appendRefusesPastTheLastIndex();
    void setStepCountStaysInsideTheBuffer_data();
    void setStepCountStaysInsideTheBuffer();
    void secondRecordingKeepsOlderEntriesAbove();
};

// The buffer is 48 KB; keep it off the test's stack.
static std::unique_ptr<StepBuffer> fresh()
{
    return std::make_unique<StepBuffer>();
}

void TestStepBuffer::startsZeroFilledAndUnset()
{
    const auto b = fresh();
    QVERIFY(!b->stepCountSet());
    QCOMPARE(b->stepCount(), 0);
    QCOMPARE(b->steps(), 0);
    QVERIFY(!b->full());
    for (int i = 0; i <= StepBuffer::lastIndex; ++i) {
        if (b->at(i) != Step{})
            QFAIL(qPrintable(QStringLiteral("index %1 is not zero").arg(i)));
    }
}

void TestStepBuffer::indexValidation_data()
{
    QTest::addColumn<int>("index");
    QTest::addColumn<bool>("valid");
    QTest::newRow("0") << 0 << true;
    QTest::newRow("1") << 1 << true;
    QTest::newRow("12010") << 12010 << true;
    QTest::newRow("-1") << -1 << false;
    QTest::newRow("12011") << 12011 << false;
    QTest::newRow("int min") << std::numeric_limits<int>::min() << false;
    QTest::newRow("int max") << std::numeric_limits<int>::max() << false;
}

void TestStepBuffer::indexValidation()
{
    QFETCH(int, index);
    QFETCH(bool, valid);
    const auto b = fresh();
    const Step s{3, 200};
    QCOMPARE(b->put(index, s), valid);
    QCOMPARE(b->at(index), valid ? s : Step{});
    // A refused write leaves every slot as it was.
    if (!valid) {
        QCOMPARE(b->at(0), Step{});
        QCOMPARE(b->at(StepBuffer::lastIndex), Step{});
    }
}

void TestStepBuffer::firstAppendAfterRecLandsAtTwo()
{
    const auto b = fresh();
    QVERIFY(b->put(1, {4, 99})); // what an opened file left in the placeholder slot
    b->setStepCount(1);          // REC
    QVERIFY(b->stepCountSet());
    QCOMPARE(b->steps(), 0);
    QVERIFY(b->append({0, 1}));
    QVERIFY(b->append({0, 12}));
    QVERIFY(b->append({0, 127}));
    QCOMPARE(b->stepCount(), 4);
    QCOMPARE(b->steps(), 3);
    QCOMPARE(b->at(1), (Step{4, 99}));
    QCOMPARE(b->at(2), (Step{0, 1}));
    QCOMPARE(b->at(3), (Step{0, 12}));
    QCOMPARE(b->at(4), (Step{0, 127}));
}

void TestStepBuffer::appendWhileUnsetCountsFromZero()
{
    const auto b = fresh();
    QVERIFY(b->append({2, 50}));
    QVERIFY(b->stepCountSet());
    QCOMPARE(b->stepCount(), 1);
    QCOMPARE(b->at(1), (Step{2, 50}));
}

void TestStepBuffer::stepsCounting_data()
{
    QTest::addColumn<int>("count");
    QTest::addColumn<int>("steps");
    QTest::newRow("0") << 0 << 0;
    QTest::newRow("1 is empty") << 1 << 0;
    QTest::newRow("6") << 6 << 5;
    QTest::newRow("11") << 11 << 10;
    QTest::newRow("12010") << 12010 << 12009;
}

void TestStepBuffer::stepsCounting()
{
    QFETCH(int, count);
    QFETCH(int, steps);
    const auto b = fresh();
    b->setStepCount(count);
    QCOMPARE(b->stepCount(), count);
    QCOMPARE(b->steps(), steps);
}

void TestStepBuffer::fillsAtTheTwelveThousandthStep()
{
    const auto b = fresh();
    b->setStepCount(1);
    for (int n = 1; n < StepBuffer::capacity; ++n) {
        QVERIFY(b->append({qint16(n % 5), qint16(n % 256)}));
        if (b->full())
            QFAIL(qPrintable(QStringLiteral("full after only %1 steps").arg(n)));
    }
    QCOMPARE(b->stepCount(), 12000);
    QVERIFY(!b->full());
    QVERIFY(b->append({1, 77}));
    QCOMPARE(b->stepCount(), 12001);
    QCOMPARE(b->at(12001), (Step{1, 77}));
    QCOMPARE(b->steps(), StepBuffer::capacity);
    QVERIFY(b->full());
}

void TestStepBuffer::appendRefusesPastTheLastIndex()
{
    const auto b = fresh();
    b->setStepCount(12009);
    QVERIFY(b->append({4, 4}));
    QCOMPARE(b->stepCount(), 12010);
    QCOMPARE(b->at(12010), (Step{4, 4}));
    QVERIFY(!b->append({3, 3}));
    QCOMPARE(b->stepCount(), 12010);
    QCOMPARE(b->at(12010), (Step{4, 4}));
}

void TestStepBuffer::setStepCountStaysInsideTheBuffer_data()
{
    QTest::addColumn<int>("requested");
    QTest::addColumn<int>("kept");
    QTest::newRow("negative") << -5 << 0;
    QTest::newRow("past the end") << 20000 << 12010;
    QTest::newRow("inside") << 500 << 500;
}

void TestStepBuffer::setStepCountStaysInsideTheBuffer()
{
    QFETCH(int, requested);
    QFETCH(int, kept);
    const auto b = fresh();
    b->setStepCount(requested);
    QCOMPARE(b->stepCount(), kept);
}

void TestStepBuffer::secondRecordingKeepsOlderEntriesAbove()
{
    const auto b = fresh();
    b->setStepCount(1);
    for (qint16 p : {10, 20, 30, 40})
        QVERIFY(b->append({0, p}));
    b->setStepCount(1); // a second REC
    QVERIFY(b->append({1, 99}));
    QCOMPARE(b->stepCount(), 2);
    QCOMPARE(b->at(2), (Step{1, 99}));
    QCOMPARE(b->at(3), (Step{0, 20}));
    QCOMPARE(b->at(5), (Step{0, 40}));
}

QTEST_GUILESS_MAIN(TestStepBuffer)
#include "test_step_buffer.moc"
