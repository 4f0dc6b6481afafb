#include "windows/product/product_windows.h"

#include "core/text/twips.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QLineEdit>
#include <QMouseEvent>
#include <QPushButton>

namespace {

// Raises an action for a left click on a widget's own surface: pressed and released on it, not
// on one of its children. A label lets clicks through to the widget beneath it, and a click on
// the About window's name labels must not count as a click on their frame.
class ClickWatch : public QObject {
public:
    ClickWatch(QWidget *target, std::function<void()> action)
        : QObject(target), m_target(target), m_action(std::move(action))
    {
        target->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const QEvent::Type type = event->type();
        if (watched != m_target ||
            (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease))
            return false;
        const auto *mouse = static_cast<QMouseEvent *>(event);
        if (mouse->button() != Qt::LeftButton)
            return false;
        const QPoint at = mouse->position().toPoint();
        const bool own = m_target->rect().contains(at) && !m_target->childAt(at);
        if (type == QEvent::MouseButtonPress) {
            m_pressed = own;
            return false;
        }
        const bool click = m_pressed && own;
        m_pressed = false;
        if (click)
            m_action();
        return click;
    }

private:
    QWidget *m_target;
    std::function<void()> m_action;
    bool m_pressed = false;
};

// A picture of the program scaled to fit the label's area with its proportions kept, centred.
void showFitted(QLabel *label, const QString &resource)
{
    label->setAlignment(Qt::AlignCenter);
    const QImage image = QImageReader(resource).read();
    if (image.isNull())
        return;
    const qreal ratio = label->devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(image.scaled(
        label->contentsRect().size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    label->setPixmap(pixmap);
}

// A picture of the program stretched to the label's whole area, as an image box shows it.
void showStretched(QLabel *label, const QString &resource)
{
    label->setScaledContents(true);
    label->setPixmap(QPixmap(resource));
}

void describe(QWidget *w, const QString &name, const QString &description)
{
    w->setAccessibleName(name);
    w->setAccessibleDescription(description);
}

QLabel *label(QWidget *parent, const char *name, const QString &text, const QRect &rect,
              const QFont &font)
{
    auto *l = new QLabel(text, parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setTextFormat(Qt::PlainText);
    l->setGeometry(rect);
    l->setFont(font);
    return l;
}

QLabel *picture(QWidget *parent, const char *name, const QRect &rect)
{
    auto *l = new QLabel(parent);
    l->setObjectName(QString::fromLatin1(name));
    l->setGeometry(rect);
    return l;
}

QPushButton *button(QWidget *parent, const char *name, const QString &caption, const QRect &rect,
                    const QFont &font)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QString::fromLatin1(name));
    b->setGeometry(rect);
    b->setFont(font);
    return b;
}

} // namespace

ProductWindow::ProductWindow(const char *name, QSize clientSize, std::function<void()> endProgram,
                             QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_endProgram(std::move(endProgram))
{
    setObjectName(QString::fromLatin1(name));
    setWindowTitle(QStringLiteral("Kestrel"));
    setWindowIcon(QIcon(look::productIconPath()));
    setFixedSize(clientSize);
}

void ProductWindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        look::centreOnScreen(this);
    }
}

// Leaving the window the way it offers hides it; any other close ends the program.
void ProductWindow::closeEvent(QCloseEvent *event)
{
    event->accept();
    if (m_endProgram)
        m_endProgram();
}

Welcome::Welcome(std::function<void()> showMain, std::function<void()> endProgram, QWidget *parent)
    : ProductWindow("Welcome", QSize(twips::px(2625), twips::px(3255)), std::move(endProgram),
                    parent),
      m_showMain(std::move(showMain))
{
    look::setBackColour(this, QApplication::palette("QMenu").color(QPalette::Window));

    Picture1 = picture(this, "Picture1", twips::rect(60, 60, 2520, 2490));
    Picture1->setFrameStyle(QFrame::WinPanel | QFrame::Sunken);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    showFitted(Picture1, QStringLiteral(":/pictures/splash.jpg"));

    Label1 = label(this, "Label1", QStringLiteral("VELMORA"), twips::rect(60, 2580, 2535, 315),
                   look::arial(8.25));
    Label1->setAlignment(Qt::AlignCenter);
    look::setBackColour(Label1, look::black);
    look::setTextColour(Label1, look::yellow);

    Command1 = button(this, "Command1", QStringLiteral("CONTINUE"),
                      twips::rect(60, 2940, 2535, 285), look::arial(8.25));

    setTabOrder(Picture1, Command1);
    describe(Picture1, QStringLiteral("Kestrel picture"),
             QStringLiteral("A click continues to the main window"));
    Command1->setAccessibleDescription(QStringLiteral("Continues to the main window"));
    connect(Command1, &QPushButton::clicked, this, &Welcome::Command1_Click);
    new ClickWatch(Picture1, [this] { Command1_Click(); });
}

void Welcome::Command1_Click()
{
    if (m_showMain)
        m_showMain();
    hide();
}

About::About(std::function<void()> showWelcome, std::function<void()> endProgram, QWidget *parent)
    : ProductWindow("About", QSize(twips::px(4410), twips::px(2820)), std::move(endProgram),
                    parent),
      m_showWelcome(std::move(showWelcome))
{
    Frame1 = new QFrame(this);
    Frame1->setObjectName(QStringLiteral("Frame1"));
    Frame1->setGeometry(twips::rect(120, 120, 4200, 2610));
    Frame1->setFrameStyle(QFrame::Box | QFrame::Sunken);
    look::setBackColour(Frame1, look::black);

    // Everything else stands in the frame, placed relative to it, on its black background.
    product = label(Frame1, "product", QStringLiteral("Kestrel ROBOT ARM"),
                    twips::rect(420, 120, 2235, 285), look::arial(12, true));
    product->setAlignment(Qt::AlignCenter);
    look::setTextColour(product, look::yellow);
    look::fitCaption(product);

    Image1 = picture(Frame1, "Image1", twips::rect(240, 480, 2505, 1695));
    showStretched(Image1, QStringLiteral(":/pictures/about.jpg"));
    Image2 = picture(Frame1, "Image2", twips::rect(2940, 900, 345, 315));
    showStretched(Image2, QStringLiteral(":/pictures/splash.jpg"));
    describe(Frame1, QStringLiteral("About Kestrel"),
             QStringLiteral("A click shows the welcome window"));
    describe(Image1, QStringLiteral("Kestrel robot arm picture"),
             QStringLiteral("A click shows the welcome window"));
    describe(Image2, QStringLiteral("Small Kestrel picture"), QString());

    placeMakerAndVersion();

    new ClickWatch(Frame1, [this] { Frame1_Click(); });
    new ClickWatch(Image1, [this] { Frame1_Click(); });
}

void About::placeMakerAndVersion()
{
    // The maker's name is set in two labels: one beside the small picture and one beneath it.
    Label3 = label(Frame1, "Label3", QStringLiteral("Vel"), twips::rect(3360, 960, 735, 255),
                   look::arial(9.75));
    look::setTextColour(Label3, look::yellow);
    Label4 = label(Frame1, "Label4", QStringLiteral("mora"), twips::rect(2880, 1200, 1215, 255),
                   look::arial(9.75));
    look::setTextColour(Label4, look::yellow);

    Version = label(Frame1, "Version", QStringLiteral("v1.0"), twips::rect(360, 2520, 615, 285),
                    look::font(QStringLiteral("Times New Roman"), 12, true));
    Version->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
}

void About::Frame1_Click()
{
    if (m_showWelcome)
        m_showWelcome();
    hide();
}

Author::Author(std::function<void()> showMain, std::function<void()> endProgram, QWidget *parent)
    : ProductWindow("Author", QSize(twips::px(3750), twips::px(3540)), std::move(endProgram),
                    parent),
      m_showMain(std::move(showMain))
{
    // The picture covers the window; the name and the button lie over it.
    Picture1 = picture(this, "Picture1", twips::rect(0, 0, 3765, 3555));
    Picture1->setFocusPolicy(Qt::StrongFocus);
    look::setBackColour(Picture1, look::black);
    showStretched(Picture1, QStringLiteral(":/pictures/author.jpg"));
    describe(Picture1, QStringLiteral("Author picture"),
             QStringLiteral("A click continues to the main window"));

    Text1 = new QLineEdit(QStringLiteral(" VELMORA"), this);
    Text1->setObjectName(QStringLiteral("Text1"));
    Text1->setGeometry(twips::rect(600, 150, 2535, 330));
    Text1->setFont(look::arial(9.75, true));
    look::setBackColour(Text1, look::windowFrame);
    look::setTextColour(Text1, look::yellow);

    Command1 = button(this, "Command1", QStringLiteral("CONTINUE"),
                      twips::rect(570, 2970, 2535, 375), look::arial(9, true));

    setTabOrder(Picture1, Text1);
    setTabOrder(Text1, Command1);
    describe(Text1, QStringLiteral("Maker's name"),
             QStringLiteral("Any change continues to the main window"));
    Command1->setAccessibleDescription(QStringLiteral("Continues to the main window"));
    connect(Command1, &QPushButton::clicked, this, &Author::Command1_Click);
    // Any change of the name, typed or not, leaves the window as CONTINUE does.
    connect(Text1, &QLineEdit::textChanged, this, &Author::Command1_Click);
    new ClickWatch(Picture1, [this] { Command1_Click(); });
}

void Author::Command1_Click()
{
    if (m_showMain)
        m_showMain();
    hide();
}
