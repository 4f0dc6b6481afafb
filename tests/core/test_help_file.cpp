// Reading the help file, its topic list, the topic search and the pages of the help window.

#include "core/help/help_file.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

class TestHelpFile : public QObject {
    Q_OBJECT
private slots:
    void init();

    void oneTopicExample();
    void readsLines_data();
    void readsLines();
    void readsAtMost999Lines_data();
    void readsAtMost999Lines();
    void cutsAnOverlongLine_data();
    void cutsAnOverlongLine();
    void unreadableFile_data();
    void unreadableFile();
    void listsTopicsInFileOrder();
    void captions_data();
    void captions();
    void findsTopic_data();
    void findsTopic();
    void notFound_data();
    void notFound();
    void pages_data();
    void pages();

private:
    QString write(const QStringList &lines, const QByteArray &lineEnd = "\r\n");
    QString writeBytes(const QByteArray &bytes);

    std::unique_ptr<QTemporaryDir> m_dir;
};

// A help file of one topic: a heading, the topic line, its picture, twelve text lines, the end.
static QStringList oneTopic()
{
    QStringList lines{QStringLiteral("Kestrel help"), QStringLiteral("*Moving the arm"),
                      QStringLiteral("shot-main.jpg")};
    for (int i = 4; i <= 15; ++i)
        lines << QStringLiteral("text line %1").arg(i);
    lines << QStringLiteral("/");
    return lines;
}

static QStringList indented(const QStringList &lines)
{
    QStringList out;
    for (const QString &line : lines)
        out << QStringLiteral("   ") + line;
    return out;
}

void TestHelpFile::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
}

QString TestHelpFile::writeBytes(const QByteArray &bytes)
{
    const QString path = m_dir->filePath(QStringLiteral("kestrel.vmh"));
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly) || file.write(bytes) != bytes.size())
        qFatal("cannot write the test help file");
    return path;
}

QString TestHelpFile::write(const QStringList &lines, const QByteArray &lineEnd)
{
    QByteArray bytes;
    for (const QString &line : lines)
        bytes += line.toUtf8() + lineEnd;
    return writeBytes(bytes);
}

void TestHelpFile::oneTopicExample()
{
    const QStringList lines = oneTopic();
    const help::HelpFile file = help::readHelpFile(write(lines));
    QVERIFY(file.ok());
    QCOMPARE(file.lineCount(), 16);

    const QList<help::Topic> topics = help::topics(file);
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).line, 2);
    QCOMPARE(topics.at(0).caption, QStringLiteral("*Moving the arm"));

    const help::TopicView view = help::findTopic(file, topics.at(0).caption);
    QVERIFY(view.found);
    QCOMPARE(view.topicLine, 2);
    QCOMPARE(view.title, QStringLiteral("*Moving the arm"));
    QCOMPARE(view.picture, QStringLiteral("shot-main.jpg"));
    QCOMPARE(view.scrollMin, 3);
    QCOMPARE(view.scrollMax, 14);
    QCOMPARE(view.firstTextLine, 4);
    QCOMPARE(view.endLine, 16);

    // Position p shows the page from line p + 1.
    QCOMPARE(help::page(file, view.firstTextLine), indented(lines.mid(3, 10)));
    QCOMPARE(help::page(file, view.scrollMax + 1), indented({QStringLiteral("text line 15")}));
    QCOMPARE(help::page(file, 14), indented(lines.mid(13, 2)));
}

void TestHelpFile::readsLines_data()
{
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<QStringList>("lines");
    const QStringList abc{QStringLiteral("a"), QStringLiteral("b"), QStringLiteral("c")};
    QTest::newRow("CR LF") << QByteArray("a\r\nb\r\nc\r\n") << abc;
    QTest::newRow("LF") << QByteArray("a\nb\nc\n") << abc;
    QTest::newRow("mixed") << QByteArray("a\r\nb\nc\r\n") << abc;
    QTest::newRow("last line without a line end") << QByteArray("a\r\nb\r\nc") << abc;
    QTest::newRow("blank lines count")
        << QByteArray("a\r\n\r\n\nc\r\n")
        << QStringList{QStringLiteral("a"), QString(), QString(), QStringLiteral("c")};
    QTest::newRow("spaces kept") << QByteArray(" a \r\n") << QStringList{QStringLiteral(" a ")};
    QTest::newRow("empty file") << QByteArray() << QStringList();
    QTest::newRow("UTF-8") << QByteArray("caf\xc3\xa9\r\n") << QStringList{QStringLiteral("café")};
}

void TestHelpFile::readsLines()
{
    QFETCH(QByteArray, bytes);
    QFETCH(QStringList, lines);
    const help::HelpFile file = help::readHelpFile(writeBytes(bytes));
    QVERIFY(file.ok());
    QVERIFY(!file.cut);
    QCOMPARE(file.lines, lines);
    QCOMPARE(file.line(0), QString());
    QCOMPARE(file.line(lines.size() + 1), QString());
}

void TestHelpFile::readsAtMost999Lines_data()
{
    QTest::addColumn<int>("written");
    QTest::addColumn<int>("read");
    QTest::addColumn<bool>("cut");
    QTest::newRow("998") << 998 << 998 << false;
    QTest::newRow("999") << 999 << 999 << false;
    QTest::newRow("1000") << 1000 << 999 << true;
    QTest::newRow("5000") << 5000 << 999 << true;
}

void TestHelpFile::readsAtMost999Lines()
{
    QFETCH(int, written);
    QFETCH(int, read);
    QFETCH(bool, cut);
    QStringList lines;
    for (int i = 1; i <= written; ++i)
        lines << (i % 100 == 0 ? QStringLiteral("*Topic %1").arg(i) : QStringLiteral("%1").arg(i));
    const help::HelpFile file = help::readHelpFile(write(lines));
    QVERIFY(file.ok());
    QCOMPARE(file.lineCount(), read);
    QCOMPARE(file.cut, cut);
    QCOMPARE(file.line(read), lines.at(read - 1));
    // Topic lines past the lines read are not listed.
    const QList<help::Topic> topics = help::topics(file);
    QCOMPARE(topics.size(), read / 100);
    QVERIFY(!help::findTopic(file, QStringLiteral("*Topic 1000")).found);
}

void TestHelpFile::cutsAnOverlongLine_data()
{
    QTest::addColumn<int>("length");
    QTest::newRow("at the limit") << help::lineLimit;
    QTest::newRow("one more") << help::lineLimit + 1;
    QTest::newRow("three times") << help::lineLimit * 3;
}

void TestHelpFile::cutsAnOverlongLine()
{
    QFETCH(int, length);
    const QByteArray longLine(length, 'x');
    const help::HelpFile file =
        help::readHelpFile(writeBytes("head\r\n" + longLine + "\r\n*Next\r\n" + longLine));
    QVERIFY(file.ok());
    QCOMPARE(file.lineCount(), 4);
    const QString kept(qMin(length, help::lineLimit), QLatin1Char('x'));
    QCOMPARE(file.line(2), kept);
    QCOMPARE(file.line(3), QStringLiteral("*Next"));
    QCOMPARE(file.line(4), kept);
}

void TestHelpFile::unreadableFile_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("missing") << QStringLiteral("missing");
    QTest::newRow("a folder") << QStringLiteral("folder");
    QTest::newRow("no read permission") << QStringLiteral("unreadable");
}

void TestHelpFile::unreadableFile()
{
    QFETCH(QString, kind);
    QString path = m_dir->filePath(QStringLiteral("kestrel.vmh"));
    if (kind == QLatin1String("folder")) {
        QVERIFY(QDir(m_dir->path()).mkdir(QStringLiteral("kestrel.vmh")));
    } else if (kind == QLatin1String("unreadable")) {
        path = write(oneTopic());
        QVERIFY(QFile::setPermissions(path, QFileDevice::WriteOwner));
        if (QFile(path).open(QIODevice::ReadOnly))
            QSKIP("this user reads files without read permission (root)");
    }
    const help::HelpFile file = help::readHelpFile(path);
    QVERIFY(!file.ok());
    QVERIFY(!file.error.isEmpty());
    QCOMPARE(file.lineCount(), 0);
    QVERIFY(help::topics(file).isEmpty());
    QVERIFY(!help::findTopic(file, QStringLiteral("*")).found);
    QVERIFY(help::page(file, 1).isEmpty());
}

void TestHelpFile::listsTopicsInFileOrder()
{
    const help::HelpFile file = help::readHelpFile(write({
        QStringLiteral("*First on line one"), // a heading line that is a topic line
        QStringLiteral("a.jpg"),
        QStringLiteral("text"),
        QStringLiteral("/"),
        QStringLiteral("between topics"),
        QStringLiteral("*Second"),
        QStringLiteral("b.jpg"),
        QStringLiteral(" *not a topic: the marker must be the first character"),
        QStringLiteral("/"),
        QStringLiteral("*"),
    }));
    const QList<help::Topic> topics = help::topics(file);
    QCOMPARE(topics.size(), 3);
    QCOMPARE(topics.at(0).line, 1);
    QCOMPARE(topics.at(0).caption, QStringLiteral("*First on line one"));
    QCOMPARE(topics.at(1).line, 6);
    QCOMPARE(topics.at(1).caption, QStringLiteral("*Second"));
    QCOMPARE(topics.at(2).line, 10);
    QCOMPARE(topics.at(2).caption, QStringLiteral("*"));
}

void TestHelpFile::captions_data()
{
    QTest::addColumn<QString>("topicLine");
    QTest::addColumn<QString>("caption");
    QTest::newRow("short, taken whole") << QStringLiteral("*Homing") << QStringLiteral("*Homing");
    QTest::newRow("exactly 25") << QStringLiteral("*Moving the arm by slider")
                                << QStringLiteral("*Moving the arm by slider");
    QTest::newRow("26, cut") << QStringLiteral("*Moving the arm by sliders")
                             << QStringLiteral("*Moving the arm by slider");
    QTest::newRow("long, cut") << QStringLiteral("*Connecting an arm on Linux, step by step")
                               << QStringLiteral("*Connecting an arm on Lin");
}

void TestHelpFile::captions()
{
    QFETCH(QString, topicLine);
    QFETCH(QString, caption);
    const help::HelpFile file =
        help::readHelpFile(write({QStringLiteral("heading"), topicLine, QStringLiteral("p.jpg"),
                                  QStringLiteral("text"), QStringLiteral("/")}));
    const QList<help::Topic> topics = help::topics(file);
    QCOMPARE(topics.size(), 1);
    QCOMPARE(topics.at(0).caption, caption);
    QCOMPARE(topics.at(0).caption.size(), qMin(topicLine.size(), help::captionLength));
    // The search is by substring, so the cut caption still finds the whole line.
    const help::TopicView view = help::findTopic(file, caption);
    QVERIFY(view.found);
    QCOMPARE(view.topicLine, 2);
    QCOMPARE(view.title, topicLine);
}

void TestHelpFile::findsTopic_data()
{
    QTest::addColumn<QStringList>("lines");
    QTest::addColumn<QString>("caption");
    QTest::addColumn<int>("topicLine");
    QTest::addColumn<QString>("picture");
    QTest::addColumn<int>("scrollMin");
    QTest::addColumn<int>("scrollMax");
    QTest::addColumn<QStringList>("text"); // the topic's text lines, as the first page shows them

    const QString same = QStringLiteral("*Connecting an arm on Lin");
    QTest::newRow("two topics with the same first 25 characters: the first")
        << QStringList{"head",  same + "ux", "a.jpg", "first", "/", same + "ux again",
                       "b.jpg", "second",    "/"}
        << same << 2 << "a.jpg" << 3 << 3 << QStringList{"   first"};
    QTest::newRow("a text line holding the caption ahead of the topic line is taken")
        << QStringList{"head",  "*Intro",    "i.jpg", "see *Homing below", "/", "*Homing",
                       "h.jpg", "home text", "/"}
        << "*Homing" << 4 << "" << 5 << 5 << QStringList{};
    QTest::newRow("one text line")
        << QStringList{"head", "*One", "o.jpg", "only line", "/", "after"} << "*One" << 2 << "o.jpg"
        << 3 << 3 << QStringList{"   only line"};
    QTest::newRow("topic on line 1") << QStringList{"*First", "f.jpg", "t1", "t2", "/"} << "*First"
                                     << 1 << "f.jpg" << 2 << 3 << QStringList{"   t1", "   t2"};
    QTest::newRow("a heading that names a topic is not its topic line")
        << QStringList{"Kestrel help, see *Homing the arm",
                       "*Moving",
                       "m.jpg",
                       "m1",
                       "/",
                       "*Homing the arm",
                       "h.jpg",
                       "h1",
                       "h2",
                       "/"}
        << "*Homing the arm" << 6 << "h.jpg" << 7 << 8 << QStringList{"   h1", "   h2"};
    QTest::newRow("a topic on line 1 whose caption a later line holds: the later line")
        << QStringList{"*First", "f.jpg", "f1", "/", "*Second", "see *First", "s1", "/"} << "*First"
        << 6 << "s1" << 7 << 7 << QStringList{};
    QTest::newRow("no text line: one position")
        << QStringList{"head", "*Empty", "e.jpg", "/", "*Next", "n.jpg", "x", "/"} << "*Empty" << 2
        << "e.jpg" << 3 << 3 << QStringList{};
    QTest::newRow("no end marker: the text runs to the last line read")
        << QStringList{"head", "*Open", "o.jpg", "a", "b", "c"} << "*Open" << 2 << "o.jpg" << 3 << 5
        << QStringList{"   a", "   b", "   c"};
    QTest::newRow("no end marker, the next topic's text runs on")
        << QStringList{"head", "*A", "a.jpg", "a text", "*B", "b.jpg", "b text", "/"} << "*A" << 2
        << "a.jpg" << 3 << 6 << QStringList{"   a text", "   *B", "   b.jpg", "   b text"};
    QTest::newRow("topic line is the last line")
        << QStringList{"head", "*Last"} << "*Last" << 2 << "" << 3 << 3 << QStringList{};
    QTest::newRow("end marker in place of the picture line")
        << QStringList{"head", "*Bare", "/", "more"} << "*Bare" << 2 << "" << 3 << 3
        << QStringList{};
    QTest::newRow("case matters") << QStringList{"head",    "*homing", "x.jpg", "lower", "/",
                                                 "*Homing", "y.jpg",   "upper", "/"}
                                  << "*Homing" << 6 << "y.jpg" << 7 << 7 << QStringList{"   upper"};
}

void TestHelpFile::findsTopic()
{
    QFETCH(QStringList, lines);
    QFETCH(QString, caption);
    QFETCH(int, topicLine);
    QFETCH(QString, picture);
    QFETCH(int, scrollMin);
    QFETCH(int, scrollMax);
    QFETCH(QStringList, text);

    const help::HelpFile file = help::readHelpFile(write(lines));
    const help::TopicView view = help::findTopic(file, caption);
    QVERIFY(view.found);
    QCOMPARE(view.topicLine, topicLine);
    QCOMPARE(view.title, lines.at(topicLine - 1));
    QCOMPARE(view.picture, picture);
    QCOMPARE(view.scrollMin, scrollMin);
    QCOMPARE(view.scrollMax, scrollMax);
    QCOMPARE(view.firstTextLine, topicLine + 2);
    QCOMPARE(view.textLineCount(), text.size());
    if (text.isEmpty())
        return;
    // Position p shows the page from line p + 1: the first position the first page, the last
    // position the last text line alone.
    QCOMPARE(help::page(file, view.firstTextLine), text);
    QCOMPARE(help::page(file, view.scrollMin + 1), text);
    QCOMPARE(help::page(file, view.scrollMax + 1), QStringList{text.constLast()});
}

void TestHelpFile::notFound_data()
{
    QTest::addColumn<QString>("caption");
    QTest::newRow("empty") << QString();
    QTest::newRow("in no line") << QStringLiteral("*Nowhere");
}

void TestHelpFile::notFound()
{
    QFETCH(QString, caption);
    const help::HelpFile file = help::readHelpFile(write(oneTopic()));
    QVERIFY(!help::findTopic(file, caption).found);
}

void TestHelpFile::pages_data()
{
    QTest::addColumn<int>("first");
    QTest::addColumn<QStringList>("expected");
    // Lines: 1 head, 2 *T, 3 t.jpg, 4..18 "n4".."n18", 19 "/", 20 after, 21 "/".
    QTest::newRow("ten lines at most")
        << 4 << QStringList{"   n4", "   n5",  "   n6",  "   n7",  "   n8",
                            "   n9", "   n10", "   n11", "   n12", "   n13"};
    QTest::newRow("stops before the end marker")
        << 15 << QStringList{"   n15", "   n16", "   n17", "   n18"};
    QTest::newRow("the end marker is never shown") << 19 << QStringList{};
    QTest::newRow("past the marker, to the next marker") << 20 << QStringList{"   after"};
    QTest::newRow("the last line") << 21 << QStringList{};
    QTest::newRow("past the last line") << 22 << QStringList{};
    QTest::newRow("line 0") << 0 << QStringList{};
    QTest::newRow("negative") << -5 << QStringList{};
    QTest::newRow("far past the end") << std::numeric_limits<int>::max() << QStringList{};
}

void TestHelpFile::pages()
{
    QFETCH(int, first);
    QFETCH(QStringList, expected);
    QStringList lines{QStringLiteral("head"), QStringLiteral("*T"), QStringLiteral("t.jpg")};
    for (int i = 4; i <= 18; ++i)
        lines << QStringLiteral("n%1").arg(i);
    lines << QStringLiteral("/") << QStringLiteral("after") << QStringLiteral("/");
    const help::HelpFile file = help::readHelpFile(write(lines));
    QCOMPARE(help::page(file, first), expected);
}

QTEST_GUILESS_MAIN(TestHelpFile)
#include "test_help_file.moc"
