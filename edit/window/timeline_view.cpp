#include "edit/window/timeline_view.h"

#include "core/motion/axes.h"
#include "edit/window/lane_colours.h"
#include "edit/window/motion_document.h"

#include <QKeyEvent>
#include <QMouseEvent>
#include <QPainter>
#include <QWheelEvent>
#include <algorithm>
#include <cmath>
#include <vector>

namespace {
// Zoomed all the way in, a hold (4 bytes) is 32 pixels wide.
constexpr double fewestBytesPerPixel = 1.0 / 8;
constexpr double zoomStep = 1.25;
} // namespace

TimelineView::TimelineView(MotionDocument &document, QWidget *parent)
    : QWidget(parent), m_document(document)
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
    const int index = indexAtX(x);
    if (index < 0)
        return QString();
    const timing::TimedStep *t = m_document.timed(index);
    QString text = QStringLiteral("%1 s   record %2  ")
                       .arg(timing::seconds(t->startByte), 0, 'f', 3)
                       .arg(t->record);
    for (const axes::Axis &a : axes::all)
        text +=
            QStringLiteral("  %1 %2").arg(QLatin1String(a.name)).arg(t->pose[size_t(a.channel)]);
    return text;
}

void TimelineView::paintEvent(QPaintEvent *)
{
    QPainter p(this);
    p.fillRect(rect(), palette().base());
    const auto &steps = m_document.pass().steps;
    const int w = plotWidth();

    // The selection behind everything.
    const edits::Range sel = m_document.selection();
    const auto startOf = [&](int index) -> double {
        if (const timing::TimedStep *t = m_document.timed(index))
            return double(t->startByte);
        return index <= 0 ? 0.0 : double(m_document.pass().totalBytes);
    };
    if (sel.count > 0) {
        const int last = sel.first + sel.count - 1;
        const timing::TimedStep *lastTimed = m_document.timed(last);
        const double from = startOf(sel.first);
        const double to = lastTimed ? double(lastTimed->startByte + lastTimed->bytes) : from;
        const double x0 = xOf(from), x1 = std::max(xOf(to), x0 + 1);
        p.fillRect(QRectF(x0, 0, x1 - x0, height()), palette().highlight().color().lighter(160));
    } else {
        p.setPen(QPen(palette().highlight().color(), 1, Qt::DashLine));
        const double x = xOf(startOf(sel.first));
        p.drawLine(QPointF(x, 0), QPointF(x, height()));
    }

    // The steps in view, and for each pixel column the lowest and highest position each axis
    // took there: a long motion zoomed out draws in time proportional to the width, not to
    // the steps.
    const qint64 fromByte = qint64(std::max(0.0, m_left));
    const int firstIndex = std::max(1, m_document.indexAtByte(fromByte));
    std::vector<std::array<int, axes::count>> low(static_cast<size_t>(w)),
        high(static_cast<size_t>(w));
    for (auto &l : low)
        l.fill(256);
    for (auto &h : high)
        h.fill(-1);
    std::vector<std::pair<int, int>> others; // x, position of steps on other channels
    for (size_t i = size_t(firstIndex - 1); i < steps.size(); ++i) {
        const timing::TimedStep &t = steps[i];
        const double x0 = xOf(double(t.startByte)) - plotLeft();
        if (x0 >= w)
            break;
        const double x1 = xOf(double(t.startByte + t.bytes)) - plotLeft();
        const int c0 = std::clamp(int(std::floor(x0)), 0, w - 1);
        const int c1 = std::clamp(int(std::ceil(x1)) - 1, c0, w - 1);
        for (int c = c0; c <= c1; ++c) {
            for (int a = 0; a < axes::count; ++a) {
                low[size_t(c)][size_t(a)] = std::min(low[size_t(c)][size_t(a)], t.pose[size_t(a)]);
                high[size_t(c)][size_t(a)] =
                    std::max(high[size_t(c)][size_t(a)], t.pose[size_t(a)]);
            }
        }
        if (t.step.channel >= axes::count)
            others.emplace_back(c0, t.step.position);
    }

    for (int a = 0; a <= axes::count; ++a) {
        const QRectF r = lane(a);
        p.setPen(palette().mid().color());
        p.drawLine(QPointF(0, r.bottom()), QPointF(width(), r.bottom()));
        const QRectF plot = r.adjusted(0, 3, 0, -3);
        const auto yOf = [&](int position) {
            return plot.bottom() - position * plot.height() / 255;
        };
        p.setPen(QPen(lanes::colour(a), 1));
        if (a < axes::count) {
            for (int c = 0; c < w; ++c) {
                const int lo = low[size_t(c)][size_t(a)], hi = high[size_t(c)][size_t(a)];
                if (hi < 0)
                    continue;
                p.drawLine(QPointF(plotLeft() + c + 0.5, yOf(lo)),
                           QPointF(plotLeft() + c + 0.5, yOf(hi)));
            }
        } else {
            for (const auto &[c, position] : others)
                p.drawLine(QPointF(plotLeft() + c + 0.5, plot.bottom()),
                           QPointF(plotLeft() + c + 0.5, yOf(position)));
        }
    }

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
    const double total = double(m_document.pass().totalBytes);
    const double b0 = std::clamp(byteAt(std::min(x0, x1)), 0.0, total);
    const double b1 = std::clamp(byteAt(std::max(x0, x1)), 0.0, total);
    if (total <= 0)
        return;
    const int first = m_document.indexAtByte(qint64(b0));
    // A span ending exactly where a step starts does not take that step.
    int last = m_document.indexAtByte(qint64(std::ceil(b1)) - 1);
    last = std::max(first, last);
    m_document.select({first, last - first + 1});
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
