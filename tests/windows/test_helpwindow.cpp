// The help window: its layout, the topic options, the topic page and the scroll bar, reopening
// after the file changed, and what a missing file or picture shows.

#include "core/text/twips.h"
#include "windows/help/helpwindow.h"
#include "windows/widgets/look.h"

#include <QFile>
#include <QIcon>
#include <QImage>
#include <QImageReader>
#include <QLabel>
#include <QPointer>
#include <QRadioButton>
#include <QScreen>
#include <QScrollBar>
#include <QTemporaryDir>
#include <QTest>

class TestHelpWindow : public QObject {
    Q_OBJECT
private slots:
    void init();

    void layout_data();
    void layout();
    void looks();
    void startsWithWelcomeText();
    void optionsStepDown();
    void selectingShowsTopic();
    void scrollBarMovesPage();
    void anotherTopicReplacesPage();
    void topicWithoutTextShowsEmptyPage();
    void headingNamingATopic();
    void topicOnLineOne();
    void ampersandShownAsWritten();
    void picturesFitTheirArea_data();
    void picturesFitTheirArea();
    void reopeningRereadsTheFile();
    void missingFile();
    void emptyFile();
    void missingPictures();
    void windowFrameAndPlace();
    void shippedHelpFits();

private:
    void writeHelp(const QStringList &lines);
    void writePicture(const QString &name, QSize size);
    QRadioButton *option(QWidget *w, int j);
    static QStringList oneTopic();

    std::unique_ptr<QTemporaryDir> m_dir;
};

QStringList TestHelpWindow::oneTopic()
{
    QStringList lines{QStringLiteral("Kestrel help"), QStringLiteral("*Moving the arm"),
                      QStringLiteral("shot-main.jpg")};
    for (int i = 4; i <= 15; ++i)
        lines << QStringLiteral("text line %1").arg(i);
    lines << QStringLiteral("/");
    return lines;
}

void TestHelpWindow::init()
{
    m_dir = std::make_unique<QTemporaryDir>();
    QVERIFY(m_dir->isValid());
    writePicture(QStringLiteral("vm.jpg"), QSize(325, 173));
    writePicture(QStringLiteral("shot-main.jpg"), QSize(325, 173));
}

void TestHelpWindow::writeHelp(const QStringList &lines)
{
    QFile file(m_dir->filePath(QStringLiteral("kestrel.vmh")));
    QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    for (const QString &line : lines)
        file.write(line.toUtf8() + "\r\n");
}

void TestHelpWindow::writePicture(const QString &name, QSize size)
{
    QImage image(size, QImage::Format_RGB32);
    image.fill(Qt::darkCyan);
    QVERIFY(image.save(m_dir->filePath(name), "JPEG"));
}

QRadioButton *TestHelpWindow::option(QWidget *w, int j)
{
    return w->findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(j));
}

void TestHelpWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Option1_0") << "Option1_0" << twips::rect(120, 840, 3015, 255);
    QTest::newRow("Picture1") << "Picture1" << twips::rect(3360, 180, 4875, 2595);
    QTest::newRow("Picture2") << "Picture2" << twips::rect(3360, 3090, 4665, 2175);
    QTest::newRow("Label1") << "Label1" << twips::rect(3360, 2820, 4905, 255);
    QTest::newRow("Label2") << "Label2" << twips::rect(210, 0, 2775, 255);
    QTest::newRow("VScroll1") << "VScroll1" << twips::rect(8040, 3090, 255, 2175);
}

void TestHelpWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QRect, rect);
    writeHelp(oneTopic());
    helpwindow w(m_dir->path());
    QCOMPARE(w.size(), QSize(555, 361));
    QCOMPARE(w.minimumSize(), w.maximumSize());
    auto *control = w.findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget(), &w);
    QCOMPARE(control->geometry(), rect);
}

void TestHelpWindow::looks()
{
    writeHelp(oneTopic());
    helpwindow w(m_dir->path());
    QCOMPARE(w.windowTitle(), QStringLiteral("Kestrel                  HELP"));
    QCOMPARE(look::backColour(&w), look::black);

    auto *label2 = w.findChild<QLabel *>(QStringLiteral("Label2"));
    QCOMPARE(label2->text(), QStringLiteral("HELP TOPICS"));
    QCOMPARE(label2->palette().color(QPalette::WindowText), look::green);
    QCOMPARE(label2->font().pointSizeF(), 9.75);
    QVERIFY(label2->font().bold());

    auto *label1 = w.findChild<QLabel *>(QStringLiteral("Label1"));
    QVERIFY(label1->text().isEmpty());
    QCOMPARE(label1->palette().color(QPalette::WindowText), look::yellow);
    QCOMPARE(look::backColour(label1), look::darkBlue);

    auto *template0 = option(&w, 0);
    QVERIFY(template0);
    QVERIFY(template0->isHidden());
    QVERIFY(template0->text().isEmpty());
    QCOMPARE(template0->palette().color(QPalette::WindowText), look::yellow);
    QCOMPARE(template0->font().pointSizeF(), 8.25);

    auto *picture2 = w.findChild<QWidget *>(QStringLiteral("Picture2"));
    QCOMPARE(look::backColour(picture2), look::black);
    QCOMPARE(picture2->font().family(), QStringLiteral("Arial"));
    QCOMPARE(picture2->font().pointSizeF(), 8.25);
}

void TestHelpWindow::startsWithWelcomeText()
{
    writeHelp(oneTopic());
    helpwindow w(m_dir->path());
    QCOMPARE(w.shownLines(), (QStringList{QStringLiteral("VELMORA Help Window"),
                                          QStringLiteral("Click on a TOPIC you want to display")}));
    // The text area exposes the same lines for anyone who finds it by name.
    QCOMPARE(w.findChild<QWidget *>(QStringLiteral("Picture2"))->property("lines").toStringList(),
             w.shownLines());
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    QVERIFY(!bar->isEnabled());
    QCOMPARE(bar->minimum(), 1);
    QCOMPARE(bar->maximum(), 10);
    QCOMPARE(bar->value(), 1);
    QVERIFY(!w.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
}

void TestHelpWindow::optionsStepDown()
{
    QStringList lines{QStringLiteral("heading")};
    for (int j = 1; j <= 20; ++j)
        lines << QStringLiteral("*Topic number %1 with a long title").arg(j)
              << QStringLiteral("p.jpg") << QStringLiteral("text") << QStringLiteral("/");
    writeHelp(lines);
    helpwindow w(m_dir->path());
    for (int j = 1; j <= 20; ++j) {
        QRadioButton *o = option(&w, j);
        QVERIFY2(o, qPrintable(QStringLiteral("option %1").arg(j)));
        QCOMPARE(o->geometry(), QRect(8, 20 * j, 201, 17));
        QVERIFY(!o->isHidden());
        QCOMPARE(o->text(), lines.at(1 + 4 * (j - 1)).left(25));
        QCOMPARE(o->palette().color(QPalette::WindowText), look::yellow);
        QCOMPARE(o->font(), option(&w, 0)->font());
    }
    QVERIFY(!option(&w, 21));
}

void TestHelpWindow::selectingShowsTopic()
{
    const QStringList lines = oneTopic();
    writeHelp(lines);
    helpwindow w(m_dir->path());
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QTest::mouseClick(option(&w, 1), Qt::LeftButton, {}, QPoint(6, 8));
    QVERIFY(option(&w, 1)->isChecked());

    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Moving the arm"));
    QStringList page;
    for (int i = 4; i <= 13; ++i)
        page << QStringLiteral("   text line %1").arg(i);
    QCOMPARE(w.shownLines(), page);
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    QVERIFY(bar->isEnabled());
    QCOMPARE(bar->minimum(), 3);
    QCOMPARE(bar->maximum(), 14);
    QCOMPARE(bar->value(), 3);
}

void TestHelpWindow::scrollBarMovesPage()
{
    writeHelp(oneTopic());
    helpwindow w(m_dir->path());
    option(&w, 1)->setChecked(true);
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));

    bar->setValue(14);
    QCOMPARE(w.shownLines(), QStringList{QStringLiteral("   text line 15")});
    bar->triggerAction(QAbstractSlider::SliderSingleStepSub);
    QCOMPARE(bar->value(), 13);
    QCOMPARE(w.shownLines(),
             (QStringList{QStringLiteral("   text line 14"), QStringLiteral("   text line 15")}));
    bar->setValue(5);
    QCOMPARE(w.shownLines().size(), 10);
    QCOMPARE(w.shownLines().constFirst(), QStringLiteral("   text line 6"));
    QCOMPARE(w.shownLines().constLast(), QStringLiteral("   text line 15"));
    // The page is all that moves: the title stays.
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Moving the arm"));
}

void TestHelpWindow::anotherTopicReplacesPage()
{
    writeHelp({"heading", "*Moving the arm by sliders and arrows", "shot-main.jpg", "a1", "a2",
               "a3", "/", "*Homing", "missing.jpg", "h1", "/"});
    helpwindow w(m_dir->path());
    QCOMPARE(option(&w, 1)->text(), QStringLiteral("*Moving the arm by slider"));
    option(&w, 1)->setChecked(true);
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    bar->setValue(4);
    QCOMPARE(w.shownLines(), (QStringList{QStringLiteral("   a2"), QStringLiteral("   a3")}));
    auto *picture = w.findChild<QLabel *>(QStringLiteral("Picture1"));
    QVERIFY(!picture->pixmap().isNull());

    option(&w, 2)->setChecked(true);
    QVERIFY(!option(&w, 1)->isChecked());
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Homing"));
    QCOMPARE(w.shownLines(), QStringList{QStringLiteral("   h1")});
    QCOMPARE(bar->minimum(), 9);
    QCOMPARE(bar->maximum(), 9);
    QCOMPARE(bar->value(), 9);
    // The topic's picture is missing: the picture area is empty, the rest works.
    QVERIFY(picture->pixmap().isNull());

    // Back to the first topic: its first page again, with the whole title.
    option(&w, 1)->setChecked(true);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Moving the arm by sliders and arrows"));
    QCOMPARE(w.shownLines().size(), 3);
    QCOMPARE(bar->value(), 3);
}

void TestHelpWindow::topicWithoutTextShowsEmptyPage()
{
    // The second topic's marker stands where its picture line should be: what follows it
    // belongs to no topic and must not be shown as its text.
    writeHelp({"heading", "*Full", "shot-main.jpg", "f1", "/", "*Bare", "/", "stray 1", "stray 2",
               "/", "*NoText", "shot-main.jpg", "/"});
    helpwindow w(m_dir->path());
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    for (int j : {2, 3}) {
        option(&w, 1)->setChecked(true);
        QCOMPARE(w.shownLines(), QStringList{QStringLiteral("   f1")});
        option(&w, j)->setChecked(true);
        QVERIFY(w.shownLines().isEmpty());
        QVERIFY(bar->isEnabled());
        QCOMPARE(bar->minimum(), bar->maximum());
    }
}

// The first line is the file's heading: a heading that mentions a topic must not stand in for
// the topic's own line, with the next line taken as its picture.
void TestHelpWindow::headingNamingATopic()
{
    writePicture(QStringLiteral("homing.jpg"), QSize(100, 20));
    writeHelp({"Kestrel help, see *Homing the arm", "*Moving the arm", "shot-main.jpg", "m1", "/",
               "*Homing the arm", "homing.jpg", "h1", "h2", "/"});
    helpwindow w(m_dir->path());
    QCOMPARE(option(&w, 2)->text(), QStringLiteral("*Homing the arm"));
    option(&w, 2)->setChecked(true);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Homing the arm"));
    QCOMPARE(w.shownLines(), (QStringList{QStringLiteral("   h1"), QStringLiteral("   h2")}));
    // The topic's own picture, told apart from shot-main.jpg by its shape.
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Picture1"))
                 ->pixmap()
                 .deviceIndependentSize()
                 .toSize(),
             QSize(325, 65));
    auto *bar = w.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    QCOMPARE(bar->minimum(), 7);
    QCOMPARE(bar->maximum(), 8);
}

// A topic line on line 1 that no later line holds is shown from line 1.
void TestHelpWindow::topicOnLineOne()
{
    writeHelp({"*First topic", "shot-main.jpg", "f1", "/", "*Second", "shot-main.jpg", "s1", "/"});
    helpwindow w(m_dir->path());
    QCOMPARE(option(&w, 1)->text(), QStringLiteral("*First topic"));
    option(&w, 1)->setChecked(true);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *First topic"));
    QCOMPARE(w.shownLines(), QStringList{QStringLiteral("   f1")});
    QVERIFY(!w.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
}

void TestHelpWindow::ampersandShownAsWritten()
{
    writeHelp({"heading", "*Open & Save", "shot-main.jpg", "files", "/"});
    helpwindow w(m_dir->path());
    QRadioButton *o = option(&w, 1);
    QCOMPARE(o->text(), QStringLiteral("*Open && Save")); // shown as "&", not as a shortcut
    o->setChecked(true);
    QCOMPARE(w.findChild<QLabel *>(QStringLiteral("Label1"))->text(),
             QStringLiteral("Topic : *Open & Save"));
    QCOMPARE(w.shownLines(), QStringList{QStringLiteral("   files")});
}

void TestHelpWindow::picturesFitTheirArea_data()
{
    QTest::addColumn<QSize>("picture");
    QTest::addColumn<QSize>("shown");
    QTest::newRow("the area's own size") << QSize(325, 173) << QSize(325, 173);
    QTest::newRow("wide and small, scaled up") << QSize(100, 20) << QSize(325, 65);
    QTest::newRow("tall") << QSize(200, 400) << QSize(86, 173);
    QTest::newRow("large, scaled down") << QSize(1300, 692) << QSize(325, 173);
}

void TestHelpWindow::picturesFitTheirArea()
{
    QFETCH(QSize, picture);
    QFETCH(QSize, shown);
    writePicture(QStringLiteral("odd.jpg"), picture);
    writeHelp({"heading", "*Odd picture", "odd.jpg", "text", "/"});
    helpwindow w(m_dir->path());
    option(&w, 1)->setChecked(true);
    auto *area = w.findChild<QLabel *>(QStringLiteral("Picture1"));
    QCOMPARE(area->pixmap().deviceIndependentSize().toSize(), shown);
    QVERIFY(area->alignment() & Qt::AlignHCenter);
    QVERIFY(area->alignment() & Qt::AlignVCenter);
}

void TestHelpWindow::reopeningRereadsTheFile()
{
    writeHelp(oneTopic());
    QPointer<helpwindow> first = new helpwindow(m_dir->path());
    first->show();
    QVERIFY(QTest::qWaitForWindowExposed(first));
    option(first, 1)->setChecked(true);
    QVERIFY(first->close());
    QTRY_VERIFY(first.isNull()); // closing discards the window

    writeHelp({"new heading", "*Teaching", "shot-main.jpg", "t1", "/", "*Replaying",
               "shot-main.jpg", "r1", "/"});
    helpwindow second(m_dir->path());
    QCOMPARE(option(&second, 1)->text(), QStringLiteral("*Teaching"));
    QCOMPARE(option(&second, 2)->text(), QStringLiteral("*Replaying"));
    QVERIFY(!option(&second, 3));
    QVERIFY(!option(&second, 1)->isChecked());
    QVERIFY(!second.findChild<QScrollBar *>(QStringLiteral("VScroll1"))->isEnabled());
    QCOMPARE(second.shownLines().constFirst(), QStringLiteral("VELMORA Help Window"));
}

void TestHelpWindow::missingFile()
{
    const QString path = m_dir->filePath(QStringLiteral("kestrel.vmh"));
    helpwindow w(m_dir->path());
    QVERIFY(!option(&w, 1));
    const QString shown = w.shownLines().join(QString());
    QVERIFY2(shown.contains(path), qPrintable(shown));
    QVERIFY(w.shownLines().constFirst().contains(QStringLiteral("cannot be read")));
    // No banner either: the picture area is empty.
    QVERIFY(w.findChild<QLabel *>(QStringLiteral("Picture1"))->pixmap().isNull());
    QVERIFY(!w.findChild<QScrollBar *>(QStringLiteral("VScroll1"))->isEnabled());
    // The message fits the text area: a long path is broken over lines.
    auto *area = w.findChild<QWidget *>(QStringLiteral("Picture2"));
    const QFontMetrics fm(area->font());
    for (const QString &line : w.shownLines())
        QVERIFY2(fm.horizontalAdvance(line) <= area->width(), qPrintable(line));
}

void TestHelpWindow::emptyFile()
{
    writeHelp({});
    helpwindow w(m_dir->path());
    QVERIFY(!option(&w, 1));
    QVERIFY(w.shownLines().join(QString()).contains(QStringLiteral("no topics")));
    QVERIFY(!w.findChild<QScrollBar *>(QStringLiteral("VScroll1"))->isEnabled());
}

void TestHelpWindow::missingPictures()
{
    QVERIFY(QFile::remove(m_dir->filePath(QStringLiteral("vm.jpg"))));
    // A picture file that holds no picture is as good as a missing one.
    QFile broken(m_dir->filePath(QStringLiteral("shot-main.jpg")));
    QVERIFY(broken.open(QIODevice::WriteOnly | QIODevice::Truncate));
    broken.write("not a picture");
    broken.close();
    writeHelp(oneTopic());

    helpwindow w(m_dir->path());
    auto *picture = w.findChild<QLabel *>(QStringLiteral("Picture1"));
    QVERIFY(picture->pixmap().isNull());
    QCOMPARE(w.shownLines().size(), 2);
    QVERIFY(option(&w, 1));
    option(&w, 1)->setChecked(true);
    QVERIFY(picture->pixmap().isNull());
    QCOMPARE(w.shownLines().size(), 10);
}

void TestHelpWindow::windowFrameAndPlace()
{
    writeHelp(oneTopic());
    helpwindow w(m_dir->path());
    const Qt::WindowFlags flags = w.windowFlags();
    QVERIFY(flags & Qt::Window);
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));
    QVERIFY(w.testAttribute(Qt::WA_DeleteOnClose));
    QVERIFY(!w.windowIcon().pixmap(32).isNull());
    QCOMPARE(w.windowIcon().pixmap(32).toImage(), QIcon(look::appIconPath()).pixmap(32).toImage());

    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const QPoint centre = w.screen()->availableGeometry().center();
    QVERIFY((w.frameGeometry().center() - centre).manhattanLength() <= 2);
    // Placed only the first time: a window the user moved stays where it is.
    w.hide();
    w.move(10, 20);
    w.show();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    QCOMPARE(w.pos(), QPoint(10, 20));
}

// The help file that ships with the program: every topic can be found from its option, has its
// text and its picture, and every line fits where the window shows it.
void TestHelpWindow::shippedHelpFits()
{
    const QString folder = QStringLiteral(KESTREL_SOURCE_HELP_DIR);
    const help::HelpFile file = help::readHelpFile(folder + QStringLiteral("/kestrel.vmh"));
    QVERIFY2(file.ok(), qPrintable(file.error));
    QVERIFY(!file.cut);
    QVERIFY(!QImageReader(folder + QStringLiteral("/vm.jpg")).read().isNull());

    helpwindow w(folder);
    const auto *text = w.findChild<QWidget *>(QStringLiteral("Picture2"));
    const auto *title = w.findChild<QLabel *>(QStringLiteral("Label1"));
    const QFontMetrics textMetrics(text->font());
    const QFontMetrics titleMetrics(title->font());

    const QList<help::Topic> topics = help::topics(file);
    QVERIFY(!topics.isEmpty());
    // Options below the window's lower edge could not be chosen.
    QVERIFY(300 * topics.size() + 255 <= 5415);
    for (const help::Topic &topic : topics) {
        const char *name = qPrintable(topic.caption);
        QVERIFY2(option(&w, int(&topic - topics.data()) + 1)->text() == topic.caption, name);
        const help::TopicView view = help::findTopic(file, topic.caption);
        QVERIFY2(view.topicLine == topic.line, name); // no earlier line holds its caption
        QVERIFY2(view.endLine <= file.lineCount(), name);
        QVERIFY2(view.textLineCount() > 0, name);
        QVERIFY2(!QImageReader(folder + QLatin1Char('/') + view.picture).read().isNull(), name);
        QVERIFY2(titleMetrics.horizontalAdvance(QStringLiteral("Topic : ") + view.title) <=
                     title->width(),
                 name);
        for (int i = view.firstTextLine; i < view.endLine; ++i) {
            const QString line = help::page(file, i).constFirst();
            QVERIFY2(textMetrics.horizontalAdvance(line) <= text->width(), qPrintable(line));
        }
    }
}

QTEST_MAIN(TestHelpWindow)
#include "test_helpwindow.moc"
