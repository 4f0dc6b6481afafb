#include "windows/widgets/paint_pacing.h"

#include <QCoreApplication>
#include <QEvent>
#include <QPaintEvent>
#include <QPainter>
#include <QScreen>
#include <QWidget>
#include <algorithm>
#include <cmath>

namespace look {

namespace {
class Backdrop : public QObject {
public:
    Backdrop(QWidget *control, const QColor &colour) : QObject(control), m_colour(colour) {}

protected:
    bool eventFilter(QObject *watched, QEvent *event) override
    {
        // The control's own painting follows, over this.
        if (event->type() == QEvent::Paint) {
            auto *control = static_cast<QWidget *>(watched);
            // A style that polishes the control (Fusion does, as it is first shown) takes the
            // promise back; it is given again here, and holds from the next paint on.
            if (!control->testAttribute(Qt::WA_OpaquePaintEvent))
                control->setAttribute(Qt::WA_OpaquePaintEvent);
            QPainter p(control);
            p.fillRect(static_cast<QPaintEvent *>(event)->rect(), m_colour);
        }
        return false;
    }

private:
    QColor m_colour;
};
} // namespace

void paintOpaque(QWidget *control, const QColor &backdrop)
{
    control->installEventFilter(new Backdrop(control, backdrop));
    control->setAttribute(Qt::WA_OpaquePaintEvent);
}

} // namespace look

PaintPacer::PaintPacer(QWidget *window) : QObject(window), m_window(window)
{
    m_next.setSingleShot(true);
    m_next.setTimerType(Qt::PreciseTimer);
    connect(&m_next, &QTimer::timeout, this, &PaintPacer::flush);
    m_sincePaint.start();
    m_window->installEventFilter(this);
}

void PaintPacer::setPaced(bool paced)
{
    m_paced = paced;
    if (paced) {
        // The screen's own pace, and no more than 30 frames a second: a servo's swing reads as
        // smoothly at 30, and each frame saved is a paint of every control that moved.
        const QScreen *screen = m_window->screen();
        const double hz = std::clamp(screen ? screen->refreshRate() : 60.0, 1.0, 30.0);
        m_frame = std::chrono::milliseconds(static_cast<int>(std::ceil(1000.0 / hz)));
    } else {
        flush();
    }
}

void PaintPacer::flush()
{
    m_next.stop();
    // A request Qt has posted but not yet delivered is answered here too.
    QCoreApplication::sendPostedEvents(m_window, QEvent::UpdateRequest);
    if (m_waiting)
        paintNow();
}

void PaintPacer::paintNow()
{
    m_waiting = false;
    m_forced = true;
    QEvent request(QEvent::UpdateRequest);
    QCoreApplication::sendEvent(m_window, &request);
    m_forced = false;
}

bool PaintPacer::eventFilter(QObject *watched, QEvent *event)
{
    if (watched != m_window || event->type() != QEvent::UpdateRequest)
        return false;
    if (m_paced && !m_forced && m_sincePaint.elapsed() < m_frame.count()) {
        // Qt asks again only once this request is answered, so what changes meanwhile is
        // painted with it, when the frame is due.
        m_waiting = true;
        if (!m_next.isActive())
            m_next.start(m_frame - std::chrono::milliseconds(m_sincePaint.elapsed()));
        return true;
    }
    m_waiting = false;
    m_next.stop();
    m_sincePaint.restart();
    return false;
}
