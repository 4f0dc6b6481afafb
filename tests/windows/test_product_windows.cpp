// The Welcome, About and Author windows: their layout, the clicks that leave them, and the end
// of the program when one of them is closed.

#include "core/text/twips.h"
#include "windows/product/product_windows.h"
#include "windows/widgets/look.h"

#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QTest>

namespace {

// What the windows asked the rest of the program to do, and whether they were still on screen
// when they asked.
struct Calls {
    int showMain = 0;
    int showWelcome = 0;
    int endProgram = 0;
    bool visibleWhenLeaving = false;
};

} // namespace

class TestProductWindows : public QObject {
    Q_OBJECT
private slots:
    void windows_data();
    void windows();
    void geometry_data();
    void geometry();
    void looks();
    void clicks_data();
    void clicks();
    void typingInAuthorsNameLeaves_data();
    void typingInAuthorsNameLeaves();
    void closingEndsProgram_data();
    void closingEndsProgram();
    void hidingIsNotClosing();
    void tabOrder_data();
    void tabOrder();
    void pictures_data();
    void pictures();
};

// The recorder lives as long as the test, since the windows' actions outlive the call that made
// them.
static Calls g_calls;
static QWidget *g_window = nullptr;

static std::unique_ptr<QWidget> openWindow(const QString &kind)
{
    g_calls = Calls();
    auto leaving = [](int Calls::*counter) {
        return [counter] {
            ++(g_calls.*counter);
            g_calls.visibleWhenLeaving = g_window && g_window->isVisible();
        };
    };
    auto end = [] { ++g_calls.endProgram; };
    std::unique_ptr<QWidget> w;
    if (kind == QLatin1String("Welcome"))
        w = std::make_unique<Welcome>(leaving(&Calls::showMain), end);
    else if (kind == QLatin1String("About"))
        w = std::make_unique<About>(leaving(&Calls::showWelcome), end);
    else
        w = std::make_unique<Author>(leaving(&Calls::showMain), end);
    g_window = w.get();
    return w;
}

void TestProductWindows::windows_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QSize>("client");
    QTest::newRow("Welcome") << "Welcome" << QSize(twips::px(2625), twips::px(3255));
    QTest::newRow("About") << "About" << QSize(twips::px(4410), twips::px(2820));
    QTest::newRow("Author") << "Author" << QSize(twips::px(3750), twips::px(3540));
}

void TestProductWindows::windows()
{
    QFETCH(QString, kind);
    QFETCH(QSize, client);
    auto w = openWindow(kind);
    QCOMPARE(w->objectName(), kind);
    QCOMPARE(w->windowTitle(), QStringLiteral("Kestrel"));
    QCOMPARE(w->size(), client);
    QCOMPARE(w->minimumSize(), client);
    QCOMPARE(w->maximumSize(), client);
    QVERIFY(!w->windowIcon().pixmap(32).isNull());
    QCOMPARE(w->windowIcon().pixmap(32).toImage(),
             QIcon(look::productIconPath()).pixmap(32).toImage());
    const Qt::WindowFlags flags = w->windowFlags();
    QVERIFY(flags & Qt::WindowCloseButtonHint);
    QVERIFY(!(flags & Qt::WindowMinimizeButtonHint));
    QVERIFY(!(flags & Qt::WindowMaximizeButtonHint));

    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    const QPoint centre = w->screen()->availableGeometry().center();
    QVERIFY((w->frameGeometry().center() - centre).manhattanLength() <= 2);
}

void TestProductWindows::geometry_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("rect");
    QTest::newRow("Welcome Picture1") << "Welcome"
                                      << "Picture1"
                                      << "Welcome" << twips::rect(60, 60, 2520, 2490);
    QTest::newRow("Welcome Label1") << "Welcome"
                                    << "Label1"
                                    << "Welcome" << twips::rect(60, 2580, 2535, 315);
    QTest::newRow("Welcome Command1") << "Welcome"
                                      << "Command1"
                                      << "Welcome" << twips::rect(60, 2940, 2535, 285);
    QTest::newRow("About Frame1") << "About"
                                  << "Frame1"
                                  << "About" << twips::rect(120, 120, 4200, 2610);
    QTest::newRow("About product") << "About"
                                   << "product"
                                   << "Frame1" << twips::rect(420, 120, 2235, 285);
    QTest::newRow("About Image1") << "About"
                                  << "Image1"
                                  << "Frame1" << twips::rect(240, 480, 2505, 1695);
    QTest::newRow("About Image2") << "About"
                                  << "Image2"
                                  << "Frame1" << twips::rect(2940, 900, 345, 315);
    QTest::newRow("About Label3") << "About"
                                  << "Label3"
                                  << "Frame1" << twips::rect(3360, 960, 735, 255);
    QTest::newRow("About Label4") << "About"
                                  << "Label4"
                                  << "Frame1" << twips::rect(2880, 1200, 1215, 255);
    QTest::newRow("About Version") << "About"
                                   << "Version"
                                   << "Frame1" << twips::rect(360, 2520, 615, 285);
    QTest::newRow("Author Picture1") << "Author"
                                     << "Picture1"
                                     << "Author" << twips::rect(0, 0, 3765, 3555);
    QTest::newRow("Author Text1") << "Author"
                                  << "Text1"
                                  << "Author" << twips::rect(600, 150, 2535, 330);
    QTest::newRow("Author Command1") << "Author"
                                     << "Command1"
                                     << "Author" << twips::rect(570, 2970, 2535, 375);
}

void TestProductWindows::geometry()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QString, parent);
    QFETCH(QRect, rect);
    auto w = openWindow(kind);
    auto *control = w->findChild<QWidget *>(name);
    QVERIFY(control);
    QCOMPARE(control->parentWidget()->objectName(), parent);
    QCOMPARE(control->geometry(), rect);
}

void TestProductWindows::looks()
{
    auto welcome = openWindow(QStringLiteral("Welcome"));
    auto *name = welcome->findChild<QLabel *>(QStringLiteral("Label1"));
    QCOMPARE(name->text(), QStringLiteral("VELMORA"));
    QVERIFY(name->alignment() & Qt::AlignHCenter);
    QCOMPARE(name->palette().color(QPalette::WindowText), look::yellow);
    QCOMPARE(look::backColour(name), look::black);
    QCOMPARE(name->font().pointSizeF(), 8.25);
    auto *cont = welcome->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(cont->text(), QStringLiteral("CONTINUE"));
    QCOMPARE(cont->font().pointSizeF(), 8.25);

    auto about = openWindow(QStringLiteral("About"));
    QCOMPARE(look::backColour(about->findChild<QFrame *>(QStringLiteral("Frame1"))), look::black);
    auto *product = about->findChild<QLabel *>(QStringLiteral("product"));
    QCOMPARE(product->text(), QStringLiteral("Kestrel ROBOT ARM"));
    QCOMPARE(product->palette().color(QPalette::WindowText), look::yellow);
    QCOMPARE(product->font().pointSizeF(), 12.0);
    QVERIFY(product->font().bold());
    QVERIFY(!product->autoFillBackground());
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label3"))->text() +
                 about->findChild<QLabel *>(QStringLiteral("Label4"))->text(),
             QStringLiteral("Velmora"));
    QCOMPARE(about->findChild<QLabel *>(QStringLiteral("Label4"))->font().pointSizeF(), 9.75);
    auto *version = about->findChild<QLabel *>(QStringLiteral("Version"));
    QCOMPARE(version->text(), QStringLiteral("v1.0"));
    QCOMPARE(version->font().family(), QStringLiteral("Times New Roman"));
    QVERIFY(version->font().bold());
    QVERIFY(version->alignment() & Qt::AlignRight);

    auto author = openWindow(QStringLiteral("Author"));
    auto *text = author->findChild<QLineEdit *>(QStringLiteral("Text1"));
    QCOMPARE(text->text(), QStringLiteral(" VELMORA"));
    QCOMPARE(text->palette().color(QPalette::Text), look::yellow);
    QCOMPARE(text->palette().color(QPalette::Base), look::windowFrame);
    QCOMPARE(text->font().pointSizeF(), 9.75);
    QVERIFY(text->font().bold());
    auto *button = author->findChild<QPushButton *>(QStringLiteral("Command1"));
    QCOMPARE(button->text(), QStringLiteral("CONTINUE"));
    QCOMPARE(button->font().pointSizeF(), 9.0);
    QVERIFY(button->font().bold());
}

void TestProductWindows::clicks_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("target");
    QTest::addColumn<QPoint>("at"); // in the target; a null point clicks its centre
    QTest::addColumn<bool>("leaves");

    QTest::newRow("Welcome CONTINUE") << "Welcome"
                                      << "Command1" << QPoint() << true;
    QTest::newRow("Welcome picture") << "Welcome"
                                     << "Picture1" << QPoint() << true;
    QTest::newRow("Welcome name") << "Welcome"
                                  << "Label1" << QPoint() << false;
    QTest::newRow("About large picture") << "About"
                                         << "Image1" << QPoint() << true;
    QTest::newRow("About frame") << "About"
                                 << "Frame1" << QPoint(250, 150) << true;
    QTest::newRow("About small picture") << "About"
                                         << "Image2" << QPoint() << false;
    QTest::newRow("About first name label") << "About"
                                            << "Label3" << QPoint(5, 8) << false;
    QTest::newRow("About second name label") << "About"
                                             << "Label4" << QPoint(5, 8) << false;
    QTest::newRow("About product label") << "About"
                                         << "product" << QPoint() << false;
    QTest::newRow("Author CONTINUE") << "Author"
                                     << "Command1" << QPoint() << true;
    QTest::newRow("Author picture") << "Author"
                                    << "Picture1" << QPoint(10, 120) << true;
}

void TestProductWindows::clicks()
{
    QFETCH(QString, kind);
    QFETCH(QString, target);
    QFETCH(QPoint, at);
    QFETCH(bool, leaves);
    auto w = openWindow(kind);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto *control = w->findChild<QWidget *>(target);
    QVERIFY(control);

    // Only the left button clicks.
    QTest::mouseClick(control, Qt::RightButton, {}, at);
    QCOMPARE(g_calls.showMain + g_calls.showWelcome, 0);

    QTest::mouseClick(control, Qt::LeftButton, {}, at);
    const int expectedCalls = leaves ? 1 : 0;
    if (kind == QLatin1String("About")) {
        QCOMPARE(g_calls.showWelcome, expectedCalls);
        QCOMPARE(g_calls.showMain, 0);
    } else {
        QCOMPARE(g_calls.showMain, expectedCalls);
        QCOMPARE(g_calls.showWelcome, 0);
    }
    QCOMPARE(w->isVisible(), !leaves);
    if (leaves)
        QVERIFY(g_calls.visibleWhenLeaving); // the next window is shown before this one hides
    QCOMPARE(g_calls.endProgram, 0);
}

void TestProductWindows::typingInAuthorsNameLeaves_data()
{
    QTest::addColumn<bool>("typed");
    QTest::newRow("typed") << true;
    QTest::newRow("set by the program") << false;
}

void TestProductWindows::typingInAuthorsNameLeaves()
{
    QFETCH(bool, typed);
    auto w = openWindow(QStringLiteral("Author"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    auto *text = w->findChild<QLineEdit *>(QStringLiteral("Text1"));
    if (typed)
        QTest::keyClick(text, Qt::Key_X);
    else
        text->setText(QStringLiteral("someone"));
    QCOMPARE(g_calls.showMain, 1);
    QVERIFY(!w->isVisible());
    QCOMPARE(g_calls.endProgram, 0);

    // A key that changes nothing is no change.
    w->show();
    g_calls = Calls();
    text->setCursorPosition(0);
    QTest::keyClick(text, Qt::Key_Left);
    QCOMPARE(g_calls.showMain, 0);
    QVERIFY(w->isVisible());
}

void TestProductWindows::closingEndsProgram_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("Welcome") << "Welcome";
    QTest::newRow("About") << "About";
    QTest::newRow("Author") << "Author";
}

void TestProductWindows::closingEndsProgram()
{
    QFETCH(QString, kind);
    auto w = openWindow(kind);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QVERIFY(w->close());
    QCOMPARE(g_calls.endProgram, 1);
    QCOMPARE(g_calls.showMain + g_calls.showWelcome, 0);
}

void TestProductWindows::hidingIsNotClosing()
{
    auto w = openWindow(QStringLiteral("Welcome"));
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QTest::mouseClick(w->findChild<QPushButton *>(QStringLiteral("Command1")), Qt::LeftButton);
    QVERIFY(!w->isVisible());
    // Shown again, the same window: nothing was rebuilt and the program goes on.
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    QCOMPARE(g_calls.endProgram, 0);
    QCOMPARE(w->findChild<QLabel *>(QStringLiteral("Label1"))->text(), QStringLiteral("VELMORA"));
}

void TestProductWindows::tabOrder_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QStringList>("order");
    QTest::newRow("Welcome") << "Welcome" << QStringList{"Picture1", "Command1"};
    QTest::newRow("Author") << "Author" << QStringList{"Picture1", "Text1", "Command1"};
}

void TestProductWindows::tabOrder()
{
    QFETCH(QString, kind);
    QFETCH(QStringList, order);
    auto w = openWindow(kind);
    w->show();
    QVERIFY(QTest::qWaitForWindowExposed(w.get()));
    w->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(w.get()));
    w->findChild<QWidget *>(order.constFirst())->setFocus();
    for (qsizetype i = 0; i < order.size(); ++i) {
        QCOMPARE(QApplication::focusWidget()->objectName(), order.at(i));
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Tab);
    }
    QCOMPARE(QApplication::focusWidget()->objectName(), order.constFirst());
    QCOMPARE(g_calls.showMain, 0); // Tab changes nothing in the name box
}

void TestProductWindows::pictures_data()
{
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("name");
    QTest::addColumn<QSize>("area");
    QTest::addColumn<QString>("resource"); // empty: fitted, with its proportions kept
    // The welcome picture fills the area inside its border at its own size, 164 by 162.
    QTest::newRow("Welcome") << "Welcome"
                             << "Picture1" << QSize(164, 162) << QString();
    // About's pictures are stretched to their image boxes; Author's covers the whole window.
    QTest::newRow("About large") << "About"
                                 << "Image1" << QSize(167, 113) << ":/pictures/about.jpg";
    QTest::newRow("About small") << "About"
                                 << "Image2" << QSize(23, 21) << ":/pictures/splash.jpg";
    QTest::newRow("Author") << "Author"
                            << "Picture1" << QSize(251, 237) << ":/pictures/author.jpg";
}

void TestProductWindows::pictures()
{
    QFETCH(QString, kind);
    QFETCH(QString, name);
    QFETCH(QSize, area);
    QFETCH(QString, resource);
    auto w = openWindow(kind);
    auto *label = w->findChild<QLabel *>(name);
    QCOMPARE(label->contentsRect().size(), area);
    if (resource.isEmpty()) {
        const QSize shown = label->pixmap().deviceIndependentSize().toSize();
        QVERIFY(!shown.isEmpty());
        // Fitted: as large as the area allows in one direction, within it in the other.
        QVERIFY(shown.width() <= area.width() && shown.height() <= area.height());
        QVERIFY(shown.width() == area.width() || shown.height() == area.height());
        QCOMPARE(label->alignment(), Qt::AlignCenter);
        return;
    }
    if (kind == "Author")
        QCOMPARE(label->geometry(), QRect(QPoint(0, 0), w->size()) | label->geometry());
    // Stretched: what the label shows is the whole picture drawn over its whole area, so its
    // corners and middle are the picture's, with no band of background anywhere.
    const QImage shown = label->grab(label->contentsRect()).toImage();
    const QImage expected =
        QImage(resource).scaled(area, Qt::IgnoreAspectRatio, Qt::SmoothTransformation);
    QCOMPARE(shown.size(), area);
    for (const QPoint p :
         {QPoint(0, 0), QPoint(area.width() - 1, 0), QPoint(0, area.height() - 1),
          QPoint(area.width() - 1, area.height() - 1), QPoint(area.width() / 2, area.height() / 2)})
        QCOMPARE(shown.pixelColor(p).name(), expected.pixelColor(p).name());
}

QTEST_MAIN(TestProductWindows)
#include "test_product_windows.moc"
