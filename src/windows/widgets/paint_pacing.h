#pragma once
// Two ways a window paints less while it animates on its own (a replay moves a slider a
// hundred times a second), with nothing the operator could miss.

#include <QColor>
#include <QElapsedTimer>
#include <QObject>
#include <QTimer>
#include <chrono>

class QWidget;

namespace look {

// The control paints `backdrop` under itself, the colour of what lies behind it, and so covers
// every pixel of its rectangle. Qt then repaints a control that changes alone, instead of the
// window and the frames behind it too (and a frame's title laid out again each time).
void paintOpaque(QWidget *control, const QColor &backdrop);

} // namespace look

// Holds a window to at most one paint a frame while paced. Qt paints a window once for each
// pass through the event loop that finds something changed; a replay passes through it for
// every step, far more often than a screen shows. The changes are kept, not lost: they are
// painted together at the next frame, and at once when flush() is called or pacing ends.
class PaintPacer : public QObject {
    Q_OBJECT
public:
    explicit PaintPacer(QWidget *window);

    // While paced, paints are held to the screen's frame, at most 30 a second; when pacing
    // ends, what waits is painted.
    void setPaced(bool paced);
    // Paints what is waiting now: before the program sleeps with the operator looking on.
    void flush();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    void paintNow();

    QWidget *m_window;
    std::chrono::milliseconds m_frame{16};
    QTimer m_next;
    QElapsedTimer m_sincePaint;
    bool m_paced = false;
    bool m_waiting = false;
    bool m_forced = false;
};
