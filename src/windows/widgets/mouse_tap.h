#pragma once
// Hands a widget's mouse presses and releases to a function, as a control's MouseDown and
// MouseUp handlers receive them. A disabled widget raises nothing.

#include <QObject>
#include <functional>

class QMouseEvent;
class QWidget;

class MouseTap : public QObject {
public:
    // `down` is true for a press, false for a release. The handler returns true when it has
    // taken the event, which the widget then does not see.
    using Handler = std::function<bool(const QMouseEvent &event, bool down)>;

    // The tap belongs to the widget and goes with it.
    MouseTap(QWidget *widget, Handler handler);

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    QWidget *m_widget;
    Handler m_handler;
};
