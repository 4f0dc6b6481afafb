// Number reading and printing shared by the value boxes, the configuration file and messages.

#include "core/text/numbers.h"

#include <QTest>
#include <cfenv>
#include <cmath>
#include <limits>

class TestNumbers : public QObject {
    Q_OBJECT
private slots:
    void roundsHalfToEven_data();
    void roundsHalfToEven();
    void roundingIgnoresTheCurrentMode();
    void wholeTextNumber_data();
    void wholeTextNumber();
    void leadingValue_data();
    void leadingValue();
    void printedAndMessageNumbers_data();
    void printedAndMessageNumbers();
    void toInt16_data();
    void toInt16();
};

void TestNumbers::roundsHalfToEven_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<double>("expected");
    QTest::newRow("2.5 to 2") << 2.5 << 2.0;
    QTest::newRow("3.5 to 4") << 3.5 << 4.0;
    QTest::newRow("-2.5 to -2") << -2.5 << -2.0;
    QTest::newRow("-3.5 to -4") << -3.5 << -4.0;
    QTest::newRow("0.5 to 0") << 0.5 << 0.0;
    QTest::newRow("1.5 to 2") << 1.5 << 2.0;
    QTest::newRow("254.5 to 254") << 254.5 << 254.0;
    QTest::newRow("255.5 to 256") << 255.5 << 256.0;
    QTest::newRow("below half") << 2.49 << 2.0;
    QTest::newRow("above half") << 2.51 << 3.0;
    QTest::newRow("negative above half") << -2.51 << -3.0;
    QTest::newRow("whole") << 127.0 << 127.0;
}

void TestNumbers::roundsHalfToEven()
{
    QFETCH(double, value);
    QFETCH(double, expected);
    QCOMPARE(numbers::roundHalfEven(value), expected);
}

void TestNumbers::roundingIgnoresTheCurrentMode()
{
    const int saved = std::fegetround();
    std::fesetround(FE_UPWARD);
    const double r = numbers::roundHalfEven(2.5);
    const int after = std::fegetround();
    std::fesetround(saved);
    QCOMPARE(r, 2.0);
    QCOMPARE(after, FE_UPWARD); // the caller's mode is given back
}

void TestNumbers::wholeTextNumber_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("isNumber");
    QTest::addColumn<double>("value");
    QTest::newRow("integer") << "12" << true << 12.0;
    QTest::newRow("blanks around") << " -3.5 " << true << -3.5;
    QTest::newRow("plus") << "+7" << true << 7.0;
    QTest::newRow("point first") << ".5" << true << 0.5;
    QTest::newRow("point last") << "5." << true << 5.0;
    QTest::newRow("exponent") << "1e2" << true << 100.0;
    QTest::newRow("empty") << "" << false << 0.0;
    QTest::newRow("blank") << "   " << false << 0.0;
    QTest::newRow("sign only") << "-" << false << 0.0;
    QTest::newRow("point only") << "." << false << 0.0;
    QTest::newRow("trailing letter") << "12a" << false << 0.0;
    QTest::newRow("blank inside") << "1 2" << false << 0.0;
    QTest::newRow("two points") << "1.2.3" << false << 0.0;
    QTest::newRow("hex") << "0x10" << false << 0.0;
    QTest::newRow("overflow") << "1e999" << false << 0.0;
    QTest::newRow("inf") << "inf" << false << 0.0;
    QTest::newRow("nan") << "nan" << false << 0.0;
    QTest::newRow("arabic-indic digits") << QString::fromUtf8("\u0661\u0662") << false << 0.0;
}

void TestNumbers::wholeTextNumber()
{
    QFETCH(QString, text);
    QFETCH(bool, isNumber);
    QFETCH(double, value);
    const std::optional<double> got = numbers::wholeTextNumber(text);
    QCOMPARE(got.has_value(), isNumber);
    if (isNumber)
        QCOMPARE(*got, value);
}

void TestNumbers::leadingValue_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("value");
    // The four characters after "=" in the configuration file.
    QTest::newRow("four chars of 1000") << " 100" << 100.0;
    QTest::newRow("four chars of 127") << " 127" << 127.0;
    QTest::newRow("four chars with comment") << " 5  " << 5.0;
    QTest::newRow("four chars of -12") << " -12" << -12.0;
    QTest::newRow("fraction") << "2.5" << 2.5;
    QTest::newRow("sign then blank") << "- 3" << -3.0;
    QTest::newRow("blanks inside") << " 1 2 7" << 127.0;
    QTest::newRow("blanks around point") << "- 1 .5" << -1.5;
    QTest::newRow("stops at letter") << "  12abc" << 12.0;
    QTest::newRow("stops at second point") << "1.2.3" << 1.2;
    QTest::newRow("stops at second sign") << "5-3" << 5.0;
    QTest::newRow("plus sign") << "+8" << 8.0;
    QTest::newRow("point first") << ".75" << 0.75;
    QTest::newRow("letters") << "abc" << 0.0;
    QTest::newRow("empty") << "" << 0.0;
    QTest::newRow("sign only") << "-" << 0.0;
    QTest::newRow("point only") << "." << 0.0;
    QTest::newRow("double sign") << "--3" << 0.0;
    QTest::newRow("comment quote") << "'Base" << 0.0;
    QTest::newRow("tab skipped") << "\t42" << 42.0;
    QTest::newRow("huge gives 0, not infinity") << QString(400, u'9') << 0.0;
}

void TestNumbers::leadingValue()
{
    QFETCH(QString, text);
    QFETCH(double, value);
    QCOMPARE(numbers::leadingValue(text), value);
}

void TestNumbers::printedAndMessageNumbers_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<QString>("printed");
    QTest::addColumn<QString>("message");
    QTest::newRow("zero") << 0.0 << " 0 "
                          << " 0";
    QTest::newRow("127") << 127.0 << " 127 "
                         << " 127";
    QTest::newRow("half") << 0.5 << " .5 "
                          << " .5";
    QTest::newRow("negative half") << -0.5 << "-.5 "
                                   << "-.5";
    QTest::newRow("negative") << -3.0 << "-3 "
                              << "-3";
    QTest::newRow("fraction above one") << 2.25 << " 2.25 "
                                        << " 2.25";
    QTest::newRow("1000") << 1000.0 << " 1000 "
                          << " 1000";
    QTest::newRow("tenth prints short") << 0.1 << " .1 "
                                        << " .1";
    QTest::newRow("sum prints short") << 0.1 + 0.2 << " .3 "
                                      << " .3";
    QTest::newRow("-32768") << -32768.0 << "-32768 "
                            << "-32768";
}

void TestNumbers::printedAndMessageNumbers()
{
    QFETCH(double, value);
    QFETCH(QString, printed);
    QFETCH(QString, message);
    QCOMPARE(numbers::printedNumber(value), printed);
    QCOMPARE(numbers::messageNumber(value), message);
}

void TestNumbers::toInt16_data()
{
    QTest::addColumn<double>("value");
    QTest::addColumn<bool>("fits");
    QTest::addColumn<int>("expected");
    QTest::newRow("2.5") << 2.5 << true << 2;
    QTest::newRow("3.5") << 3.5 << true << 4;
    QTest::newRow("-2.5") << -2.5 << true << -2;
    QTest::newRow("254.5") << 254.5 << true << 254;
    QTest::newRow("255.5") << 255.5 << true << 256;
    QTest::newRow("max") << 32767.0 << true << 32767;
    QTest::newRow("max plus a bit rounds down") << 32767.4 << true << 32767;
    QTest::newRow("rounds past max") << 32767.5 << false << 0;
    QTest::newRow("min") << -32768.0 << true << -32768;
    QTest::newRow("min minus half rounds to even min") << -32768.5 << true << -32768;
    QTest::newRow("below min") << -32769.0 << false << 0;
    QTest::newRow("nan") << std::numeric_limits<double>::quiet_NaN() << false << 0;
    QTest::newRow("infinity") << std::numeric_limits<double>::infinity() << false << 0;
}

void TestNumbers::toInt16()
{
    QFETCH(double, value);
    QFETCH(bool, fits);
    QFETCH(int, expected);
    const std::optional<qint16> got = numbers::toInt16(value);
    QCOMPARE(got.has_value(), fits);
    if (fits)
        QCOMPARE(int(*got), expected);
}

QTEST_GUILESS_MAIN(TestNumbers)
#include "test_numbers.moc"
