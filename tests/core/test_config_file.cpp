// robotini.txt: its field reader, what a read takes from it, the nine lines written, and the
// "Show Current Setting" text.

#include "core/store/config_file.h"

#include <QFile>
#include <QTest>

namespace {

QByteArray golden(const char *name)
{
    QFile f(QStringLiteral(KESTREL_TEST_DATA "/") + QLatin1String(name));
    if (!f.open(QIODevice::ReadOnly))
        qFatal("missing golden file %s", name);
    return f.readAll();
}

// Shows the bytes with CR and LF visible when a golden comparison fails.
QByteArray visible(QByteArray b)
{
    return b.replace("\r", "<CR>").replace("\n", "<LF>\n");
}

using Homes = QList<double>;

Homes homesOf(const config::Settings &s)
{
    return Homes(s.home.begin(), s.home.end());
}

const Homes defaultHomes{127, 127, 127, 127, 127};

} // namespace

class TestConfigFile : public QObject {
    Q_OBJECT
private slots:
    void fields_data();
    void fields();
    void read_data();
    void read();
    void writesTheDefaultFile();
    void writesTheExampleFile();
    void writesFractionsAndLargeValues();
    void everyPositionSurvivesWriteAndRead();
    void aWrittenFileReadsBack();
    void currentSettingsText_data();
    void currentSettingsText();
};

void TestConfigFile::fields_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<QStringList>("expected");
    QTest::newRow("empty") << QByteArray() << QStringList{};
    QTest::newRow("comma and CR LF") << QByteArray("a,b\r\nc\r\n") << QStringList{"a", "b", "c"};
    QTest::newRow("LF only") << QByteArray("a\nb\n") << QStringList{"a", "b"};
    QTest::newRow("lone CR") << QByteArray("a\rb") << QStringList{"a", "b"};
    QTest::newRow("no final line end") << QByteArray("a\r\nb") << QStringList{"a", "b"};
    QTest::newRow("leading blanks skipped") << QByteArray("   x,  \ty") << QStringList{"x", "y"};
    QTest::newRow("blank line is an empty field")
        << QByteArray("a\r\n\r\nb") << QStringList{"a", "", "b"};
    QTest::newRow("quoted keeps its comma") << QByteArray("\"a,b\",c") << QStringList{"a,b", "c"};
    QTest::newRow("quoted after blanks") << QByteArray("  \"q\"\r\nr") << QStringList{"q", "r"};
    QTest::newRow("text after closing quote dropped")
        << QByteArray("\"ab\"cd,e") << QStringList{"ab", "e"};
    QTest::newRow("quoted runs over a line end")
        << QByteArray("\"a\r\nb\"\r\nc") << QStringList{"a\r\nb", "c"};
    QTest::newRow("unclosed quote runs to the end")
        << QByteArray("x\r\n\"abc,d\r\ne") << QStringList{"x", "abc,d\r\ne"};
    QTest::newRow("comment comma splits line 8")
        << QByteArray("HOMESPEED= 5     'Speed, greater is slower \r\n")
        << QStringList{"HOMESPEED= 5     'Speed", "greater is slower "};
    QTest::newRow("high bytes kept one for one")
        << QByteArray("\xe9\xff,z") << QStringList{QString::fromLatin1("\xe9\xff"), "z"};
}

void TestConfigFile::fields()
{
    QFETCH(QByteArray, text);
    QFETCH(QStringList, expected);
    QCOMPARE(config::fields(text), expected);
}

void TestConfigFile::read_data()
{
    QTest::addColumn<QByteArray>("text");
    QTest::addColumn<Homes>("homes");
    QTest::addColumn<double>("speed");
    QTest::addColumn<int>("port");

    QByteArray lfOnly = golden("config_example.txt");
    lfOnly.replace("\r\n", "\n");
    QByteArray changed = golden("config_default.txt");
    changed.replace("HOMESPEED= 5 ", "HOMESPEED= 9 ").replace("PORT= 1 ", "PORT= 3 ");

    QTest::newRow("empty file keeps defaults") << QByteArray() << defaultHomes << 5.0 << 1;
    QTest::newRow("default file") << golden("config_default.txt") << defaultHomes << 5.0 << 1;
    QTest::newRow("example file") << golden("config_example.txt") << Homes{10, 200, 30, 40, 50}
                                  << 5.0 << 1;
    QTest::newRow("speed and port read") << changed << defaultHomes << 9.0 << 3;
    QTest::newRow("LF-only file") << lfOnly << Homes{10, 200, 30, 40, 50} << 5.0 << 1;
    QTest::newRow("lower-case key")
        << QByteArray("x\r\nmotor2=100\r\n") << Homes{127, 127, 100, 127, 127} << 5.0 << 1;
    QTest::newRow("key inside a field")
        << QByteArray("x\r\nXMOTOR0=5\r\n") << Homes{5, 127, 127, 127, 127} << 5.0 << 1;
    QTest::newRow("two keys share the first value")
        << QByteArray("x\r\nMOTOR0=50 MOTOR1=60\r\n") << Homes{50, 50, 127, 127, 127} << 5.0 << 1;
    QTest::newRow("value after the first equals sign")
        << QByteArray("x\r\nA=1 MOTOR3=7\r\n") << Homes{127, 127, 127, 1, 127} << 5.0 << 1;
    QTest::newRow("four characters only")
        << QByteArray("x\r\nMOTOR0= 1000\r\n") << Homes{100, 127, 127, 127, 127} << 5.0 << 1;
    QTest::newRow("speed of 1000 reads as 100")
        << QByteArray("x\r\nHOMESPEED= 1000     'Speed, greater is slower \r\n") << defaultHomes
        << 100.0 << 1;
    QTest::newRow("fractions kept") << QByteArray("x\r\nMOTOR4=12.5\r\nHOMESPEED=2.25\r\n")
                                    << Homes{127, 127, 127, 127, 12.5} << 2.25 << 1;
    QTest::newRow("PORT= 2.5 gives 2")
        << QByteArray("x\r\nPORT= 2.5\r\n") << defaultHomes << 5.0 << 2;
    QTest::newRow("PORT= 3.5 gives 4")
        << QByteArray("x\r\nPORT= 3.5\r\n") << defaultHomes << 5.0 << 4;
    QTest::newRow("PORT=-2.5 gives -2")
        << QByteArray("x\r\nPORT=-2.5\r\n") << defaultHomes << 5.0 << -2;
    QTest::newRow("first field never examined")
        << QByteArray("PORT=3\r\nMOTOR1=9\r\n") << Homes{127, 9, 127, 127, 127} << 5.0 << 1;
    QTest::newRow("first field ends at its comma")
        << QByteArray("PORT=3,PORT=2\r\n") << defaultHomes << 5.0 << 2;
    QTest::newRow("last one wins") << QByteArray("x\r\nMOTOR1=10\r\nMOTOR1=20\r\n")
                                   << Homes{127, 20, 127, 127, 127} << 5.0 << 1;
    QTest::newRow("not a number stores 0")
        << QByteArray("x\r\nMOTOR4=abc\r\nPORT=\r\n") << Homes{127, 127, 127, 127, 0} << 5.0 << 0;
    QTest::newRow("quoted field keeps its comma")
        << QByteArray("x\r\n\"MOTOR3=4,5\"\r\n") << Homes{127, 127, 127, 4, 127} << 5.0 << 1;
    QTest::newRow("key split from its value by a comma")
        << QByteArray("x\r\nMOTOR2=,77\r\n") << Homes{127, 127, 0, 127, 127} << 5.0 << 1;
    QTest::newRow("values outside the slider range stored as read")
        << QByteArray("x\r\nMOTOR0=-40\r\nMOTOR1=9999\r\n") << Homes{-40, 9999, 127, 127, 127}
        << 5.0 << 1;
    QTest::newRow("only one field") << QByteArray("MOTOR0=1") << defaultHomes << 5.0 << 1;
}

void TestConfigFile::read()
{
    QFETCH(QByteArray, text);
    QFETCH(Homes, homes);
    QFETCH(double, speed);
    QFETCH(int, port);
    const config::Settings s = config::read(text);
    QCOMPARE(homesOf(s), homes);
    QCOMPARE(s.homeSpeed, speed);
    QCOMPARE(int(s.port), port);
}

void TestConfigFile::writesTheDefaultFile()
{
    const QByteArray written = config::write({127, 127, 127, 127, 127}, 5, 1);
    QCOMPARE(visible(written), visible(golden("config_default.txt")));
}

void TestConfigFile::writesTheExampleFile()
{
    const QByteArray written = config::write({10, 200, 30, 40, 50}, 5, 1);
    QCOMPARE(visible(written), visible(golden("config_example.txt")));
}

void TestConfigFile::writesFractionsAndLargeValues()
{
    const QByteArray written = config::write({0, 255, 127, 127, 127}, 1000, -2);
    const QList<QByteArray> lines = written.split('\n');
    QCOMPARE(lines.size(), 10); // nine lines, each ended, and nothing after the last
    QCOMPARE(lines[2], QByteArray("MOTOR0= 0      'Base\r"));
    QCOMPARE(lines[3], QByteArray("MOTOR1= 255       'Shoulder\r"));
    QCOMPARE(lines[7], QByteArray("HOMESPEED= 1000     'Speed, greater is slower \r"));
    QCOMPARE(lines[8], QByteArray("PORT=-2      'Port Number\r"));
    QVERIFY(lines[9].isEmpty());

    const QByteArray half = config::write({127, 127, 127, 127, 127}, 0.5, 1);
    QVERIFY(half.contains("\r\nHOMESPEED= .5     'Speed"));
}

void TestConfigFile::everyPositionSurvivesWriteAndRead()
{
    for (int p = 0; p <= 255; ++p) {
        const std::array<int, 5> positions{p, 255 - p, (p * 7) % 256, (p + 128) % 256, p / 2};
        const config::Settings s = config::read(config::write(positions, 5, 1));
        for (std::size_t c = 0; c < 5; ++c) {
            if (s.home[c] != positions[c])
                QFAIL(qPrintable(QStringLiteral("channel %1 wrote %2 and read %3")
                                     .arg(c)
                                     .arg(positions[c])
                                     .arg(s.home[c])));
        }
    }
}

void TestConfigFile::aWrittenFileReadsBack()
{
    const config::Settings s = config::read(config::write({10, 200, 30, 40, 50}, 7.5, 4));
    QCOMPARE(homesOf(s), (Homes{10, 200, 30, 40, 50}));
    QCOMPARE(s.homeSpeed, 7.5);
    QCOMPARE(int(s.port), 4);
}

void TestConfigFile::currentSettingsText_data()
{
    QTest::addColumn<Homes>("homes");
    QTest::addColumn<int>("port");
    QTest::addColumn<bool>("okay");
    QTest::addColumn<QString>("expected");
    QTest::newRow("defaults, port okay")
        << defaultHomes << 1 << true
        << "COMM PORT 1 Okay !\r\rBASE at  127\rSHOULDER at 127\rELBOW at 127\rWRIST at 127\r"
           "GRIP at 127\r";
    QTest::newRow("error form")
        << Homes{10, 200, 30, 40, 50} << 3 << false
        << "COMM PORT 3 Error !\r\rBASE at  10\rSHOULDER at 200\rELBOW at 30\rWRIST at 40\r"
           "GRIP at 50\r";
    QTest::newRow("fractions and negatives")
        << Homes{0.5, -3, 12.25, 0, 255} << 2 << true
        << "COMM PORT 2 Okay !\r\rBASE at  .5\rSHOULDER at-3\rELBOW at 12.25\rWRIST at 0\r"
           "GRIP at 255\r";
}

void TestConfigFile::currentSettingsText()
{
    QFETCH(Homes, homes);
    QFETCH(int, port);
    QFETCH(bool, okay);
    QFETCH(QString, expected);
    config::Settings s;
    std::copy(homes.begin(), homes.end(), s.home.begin());
    s.port = qint16(port);
    QCOMPARE(config::currentSettingsText(s, okay), expected);
}

QTEST_GUILESS_MAIN(TestConfigFile)
#include "test_config_file.moc"
