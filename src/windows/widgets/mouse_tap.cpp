#include "windows/widgets/mouse_tap.h"

#include <QMouseEvent>
#include <QWidget>

MouseTap::MouseTap(QWidget *widget, Handler handler)
    : QObject(widget), m_widget(widget), m_handler(std::move(handler))
{
    widget->installEventFilter(this);
}

bool MouseTap::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (watched != m_widget || !m_widget->isEnabled() ||
        (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease))
        return false;
    return m_handler(*static_cast<QMouseEvent *>(event), type == QEvent::MouseButtonPress);
}
