#include "edit/window/timeline_view.h"

#include "core/edit/lane_columns.h"
#include "core/edit/motion_document.h"
#include "core/edit/span_columns.h"
#include "core/motion/axes.h"
#include "edit/window/editor_profile.h"
#include "edit/window/lane_colours.h"
#include "edit/window/lane_painting.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>

namespace {
// Zoomed all the way in, a hold (4 bytes) is 32 pixels wide.
constexpr double fewestBytesPerPixel = 1.0 / 8;
constexpr double zoomStep = 1.25;
} // namespace

TimelineView::TimelineView(MotionDocument &document, const EditorProfile &profile, QWidget *parent)
    : QWidget(parent), m_document(document), m_profile(profile)
{
    setObjectName(QStringLiteral("timeline"));
    setAccessibleName(QStringLiteral("Timeline"));
    setAccessibleDescription(QStringLiteral(
        "The five axes' positions over the first pass's time, and the steps on other channels. "
        "Plus and minus zoom, the arrow keys pan, 0 shows the whole motion."));
    setFocusPolicy(Qt::StrongFocus);
    setMouseTracking(true);
    setAttribute(Qt::WA_OpaquePaintEvent);
    connect(&m_document, &MotionDocument::recordsChanged, this, &TimelineView::recordsChanged);
    connect(&m_document, &MotionDocument::selectionChanged, this, qOverload<>(&QWidget::update));
    connect(&m_profile, &EditorProfile::changed, this, qOverload<>(&QWidget::update));
}

qint64 TimelineView::totalBytes() const
{
    return std::max<qint64>(m_document.pass().totalBytes, 1);
}

void TimelineView::clampView()
{
    const double most = double(totalBytes()) / plotWidth();
    m_bytesPerPixel =
        std::clamp(m_bytesPerPixel, fewestBytesPerPixel, std::max(most, fewestBytesPerPixel));
    m_left = std::clamp(m_left, 0.0, std::max(0.0, double(totalBytes()) - visibleBytes()));
}

void TimelineView::setLeftByte(double byte)
{
    m_fitted = false;
    m_left = byte;
    clampView();
    update();
    Q_EMIT viewChanged();
}

void TimelineView::zoomBy(double factor, double aboutX)
{
    const double about = byteAt(aboutX);
    m_bytesPerPixel /= factor;
    clampView();
    m_left = about - (aboutX - plotLeft()) * m_bytesPerPixel;
    m_fitted = false;
    clampView();
    update();
    Q_EMIT viewChanged();
}

void TimelineView::fitAll()
{
    m_fitted = true;
    m_left = 0;
    m_bytesPerPixel = double(totalBytes()) / plotWidth();
    clampView();
    update();
    Q_EMIT viewChanged();
}

void TimelineView::reveal(int index)
{
    const timing::TimedStep *t = m_document.timed(index);
    if (!t)
        return;
    const double from = double(t->startByte);
    if (from >= m_left && from + t->bytes <= m_left + visibleBytes())
        return;
    setLeftByte(from - visibleBytes() / 2);
}

void TimelineView::setPlayhead(qint64 byte)
{
    if (byte == m_playhead)
        return;
    m_playhead = byte;
    update();
}

void TimelineView::recordsChanged()
{
    if (m_fitted)
        fitAll();
    else {
        clampView();
        update();
        Q_EMIT viewChanged();
    }
}

void TimelineView::resizeEvent(QResizeEvent *)
{
    if (m_fitted)
        fitAll();
    else
        clampView();
    Q_EMIT viewChanged();
}

QRectF TimelineView::lane(int i) const
{
    const double h = double(height()) / lanes;
    return QRectF(plotLeft(), i * h, plotWidth(), h);
}

int TimelineView::indexAtX(int x) const
{
    const double byte = byteAt(x);
    if (byte < 0 || byte >= double(m_document.pass().totalBytes))
        return -1;
    return m_document.indexAtByte(qint64(byte));
}

QString TimelineView::readout(int x) const
{
    return timeline::readout(m_document, indexAtX(x), m_profile.profile());
}

void TimelineView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    paintSelection(p);
    paintLanes(p);
    // The names, over a band of their own.
    p.fillRect(QRect(0, 0, nameWidth, height()), palette().window());
    for (int a = 0; a <= axes::count; ++a) {
        const QRectF r = lane(a);
        p.setPen(lanes::colour(a));
        p.drawText(QRectF(6, r.top(), nameWidth - 8, r.height()), Qt::AlignLeft | Qt::AlignVCenter,
                   lanes::name(a));
    }
    if (m_playhead >= 0) {
        p.setPen(QPen(Qt::red, 2));
        const double x = xOf(double(m_playhead));
        p.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
    if (m_pointerX >= plotLeft()) {
        p.setPen(QPen(palette().text().color(), 1, Qt::DotLine));
        p.drawLine(QPointF(m_pointerX + 0.5, 0), QPointF(m_pointerX + 0.5, height()));
    }
    if (hasFocus()) {
        p.setPen(QPen(palette().highlight().color(), 1));
        p.drawRect(rect().adjusted(0, 0, -1, -1));
    }
}

void TimelineView::paintSelection(QPainter &p) const
{
    // Behind everything: the selected span, or a dashed line at the place between steps.
    const timeline::Span span = timeline::selectedBytes(m_document);
    if (m_document.selection().count > 0) {
        const double x0 = xOf(span.from), x1 = std::max(xOf(span.to), x0 + 1);
        p.fillRect(QRectF(x0, 0, x1 - x0, height()), palette().highlight().color().lighter(160));
    } else {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DashLine));
        const double x = xOf(span.from);
        p.drawLine(QPointF(x, 0), QPointF(x, height()));
    }
}

void TimelineView::paintLanes(QPainter &p) const
{
    const timeline::Scale scale{m_left, m_bytesPerPixel, plotWidth()};
    const timeline::LaneColumns columns(m_document, scale);
    const std::vector<timeline::SpanDrawing> spans = timeline::spansInView(m_document, scale);
    const auto laneOf = [this](int a) { return lane(a); };
    lanes::paintSpanBands(p, spans, laneOf);
    lanes::paintLanes(p, palette(), columns, m_profile.profile(), laneOf, width());
    lanes::paintSpanPaths(p, palette(), spans, laneOf);
}

void TimelineView::wheelEvent(QWheelEvent *event)
{
    const QPoint d = event->angleDelta();
    const double x = event->position().x();
    if (event->modifiers() & Qt::ShiftModifier || d.x() != 0) {
        const int delta = d.x() != 0 ? d.x() : d.y();
        setLeftByte(m_left - delta / 120.0 * visibleBytes() / 10);
    } else if (d.y() != 0) {
        zoomBy(std::pow(zoomStep, d.y() / 120.0), std::max(x, double(plotLeft())));
    }
    event->accept();
}

void TimelineView::keyPressEvent(QKeyEvent *event)
{
    const double middle = plotLeft() + plotWidth() / 2.0;
    switch (event->key()) {
    case Qt::Key_Plus:
    case Qt::Key_Equal:
        zoomBy(zoomStep, middle);
        break;
    case Qt::Key_Minus:
        zoomBy(1 / zoomStep, middle);
        break;
    case Qt::Key_0:
        fitAll();
        break;
    case Qt::Key_Left:
        setLeftByte(m_left - visibleBytes() / 10);
        break;
    case Qt::Key_Right:
        setLeftByte(m_left + visibleBytes() / 10);
        break;
    case Qt::Key_Home:
        setLeftByte(0);
        break;
    case Qt::Key_End:
        setLeftByte(double(totalBytes()));
        break;
    default:
        QWidget::keyPressEvent(event);
        return;
    }
    event->accept();
}

void TimelineView::selectBetween(int x0, int x1)
{
    if (const auto played = timeline::playedBetween(m_document, byteAt(x0), byteAt(x1)))
        m_document.select(*played);
}

void TimelineView::mousePressEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton)
        return;
    setFocus(Qt::MouseFocusReason);
    m_pressX = std::max(int(event->position().x()), plotLeft());
    m_dragging = false;
}

void TimelineView::mouseMoveEvent(QMouseEvent *event)
{
    m_pointerX = int(event->position().x());
    Q_EMIT pointerAt(readout(m_pointerX));
    if (m_pressX >= 0 && (event->buttons() & Qt::LeftButton)) {
        m_dragging = m_dragging || std::abs(m_pointerX - m_pressX) > 2;
        if (m_dragging)
            selectBetween(m_pressX, std::max(m_pointerX, plotLeft()));
    }
    update();
}

void TimelineView::mouseReleaseEvent(QMouseEvent *event)
{
    if (event->button() != Qt::LeftButton || m_pressX < 0)
        return;
    const int x = std::max(int(event->position().x()), plotLeft());
    if (m_dragging) {
        selectBetween(m_pressX, x);
    } else {
        const int index = indexAtX(x);
        if (index >= 0)
            m_document.select({index, 1});
        else
            m_document.select({byteAt(x) < 0 ? 1 : m_document.size(), 0});
    }
    m_pressX = -1;
    m_dragging = false;
}

void TimelineView::leaveEvent(QEvent *)
{
    m_pointerX = -1;
    Q_EMIT pointerAt(QString());
    update();
}
