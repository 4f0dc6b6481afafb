#include "windows/widgets/look.h"

#include "core/text/program.h"

#include <QApplication>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QScreen>
#include <QStyleFactory>
#include <QWidget>

namespace look {

QFont font(const QString &family, double points, bool bold)
{
    QFont f(family);
    f.setPointSizeF(points);
    f.setBold(bold);
    return f;
}

void setBackColour(QWidget *w, const QColor &c)
{
    // Each kind of control fills its background from its own role (Button for buttons, Base for
    // text boxes, Window for the rest). Only that role is set, so the colour does not spread to
    // the controls drawn inside.
    QPalette p = w->palette();
    p.setColor(w->backgroundRole(), c);
    w->setPalette(p);
    if (!qobject_cast<QPushButton *>(w) && !qobject_cast<QLineEdit *>(w))
        w->setAutoFillBackground(true);
}

void useDesktopColours(QWidget *w)
{
    w->setPalette(QGuiApplication::palette());
}

QColor backColour(const QWidget *w)
{
    return w->palette().color(w->backgroundRole());
}

void fitCaption(QLabel *label)
{
    // A caption a little wider than its label is narrowed rather than cut off: the family, the
    // size and the label's place stay as designed.
    QFont f = label->font();
    const int wanted = QFontMetrics(f).horizontalAdvance(label->text());
    const int room = label->width() - 1;
    if (wanted > room && wanted > 0) {
        f.setStretch(std::max(60, 100 * room / wanted));
        label->setFont(f);
    }
}

void setTextColour(QWidget *w, const QColor &c)
{
    QPalette p = w->palette();
    p.setColor(QPalette::WindowText, c);
    p.setColor(QPalette::ButtonText, c);
    p.setColor(QPalette::Text, c);
    w->setPalette(p);
}

void setUpApplication()
{
    program::nameApplication();
    // No application display name: on X11 Qt appends it to every window title that does not
    // already end with it ("Quit Kestrel Robot — Kestrel"), and the titles are the program's own
    // texts. A message box without a title of its own is given the name where it is made.
    // So that the desktop (on Wayland, by the window's app id) finds the menu entry and icon.
    QGuiApplication::setDesktopFileName(program::appId());
    QApplication::setStyle(QStyleFactory::create(QStringLiteral("Fusion")));
}

void centreOnScreen(QWidget *w)
{
    QScreen *screen = w->screen() ? w->screen() : QGuiApplication::primaryScreen();
    if (!screen)
        return;
    QRect frame = w->frameGeometry();
    frame.moveCenter(screen->availableGeometry().center());
    w->move(frame.topLeft());
}

QString appIconPath()
{
    return QStringLiteral(":/pictures/kestrel.ico");
}
QString productIconPath()
{
    return QStringLiteral(":/pictures/velmora.ico");
}

} // namespace look
