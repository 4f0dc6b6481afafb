// The main window without a mouse. The tab order is the window's own; beyond it, F10 or a press
// and release of Alt alone opens the menu bar's first menu (arrows then reach the others), and
// Shift+F10 or the Menu key opens the Options menu at the control that has the focus, as a
// right click opens it at the pointer. The captions carry no mnemonics: an underlined letter
// would change what the window shows.

#include "windows/robot/menu_panel.h"

#include <QApplication>
#include <QKeyEvent>
#include <QMainWindow>
#include <QMenu>
#include <QMenuBar>
#include <QShortcut>

namespace {

// Alt pressed and released with no other key between, in the window.
class AltAlone : public QObject {
public:
    AltAlone(QWidget *window, std::function<void()> action)
        : QObject(window), m_window(window), m_action(std::move(action))
    {
        qApp->installEventFilter(this);
    }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        const auto type = event->type();
        if (type != QEvent::KeyPress && type != QEvent::KeyRelease)
            return false;
        auto *widget = qobject_cast<QWidget *>(watched);
        if (!widget || widget->window() != m_window)
            return false;
        const auto *key = static_cast<QKeyEvent *>(event);
        if (type == QEvent::KeyPress) {
            m_armed = key->key() == Qt::Key_Alt && !key->isAutoRepeat();
        } else if (key->key() == Qt::Key_Alt && m_armed) {
            m_armed = false;
            m_action();
        }
        return false;
    }

private:
    QWidget *m_window;
    std::function<void()> m_action;
    bool m_armed = false;
};

} // namespace

void MenuPanel::connectKeys(QMainWindow *window, QWidget *surface)
{
    const auto openMenuBar = [window, menu = m_file] {
        window->menuBar()->setActiveAction(menu->menuAction());
    };
    connect(new QShortcut(QKeySequence(Qt::Key_F10), window), &QShortcut::activated, this,
            openMenuBar);
    new AltAlone(window, openMenuBar);

    const auto openOptions = [window, surface, menu = m_port] {
        QWidget *at = window->focusWidget() ? window->focusWidget() : surface;
        menu->popup(at->mapToGlobal(at->rect().center()));
    };
    connect(new QShortcut(QKeySequence(Qt::SHIFT | Qt::Key_F10), window), &QShortcut::activated,
            this, openOptions);
    connect(new QShortcut(QKeySequence(Qt::Key_Menu), window), &QShortcut::activated, this,
            openOptions);
}
