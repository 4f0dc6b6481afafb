#include "position_plot.h"

#include "edit/window/lane_colours.h"

#include <QPainter>
#include <QPainterPath>
#include <cmath>

namespace plots {

namespace {

constexpr int width = 960;
constexpr int panelHeight = 300;
constexpr int legendHeight = 44;
constexpr double left = 56, right = 20, top = 34, bottom = 40;

// Maps the pass's seconds and the positions 0..255 into a panel's plot area.
struct Frame {
    QRectF area;
    double seconds = 1;
    QPointF at(double t, double position) const
    {
        return {area.left() + area.width() * t / seconds,
                area.bottom() - area.height() * position / axes::highest};
    }
};

// Each axis's positions as a staircase over the pass's time.
std::array<QPainterPath, axes::count> lines(const timing::Pass &pass, const Frame &f)
{
    std::array<QPainterPath, axes::count> out;
    timing::Pose pose = pass.start;
    for (int c = 0; c < axes::count; ++c)
        out[c].moveTo(f.at(0, pose[c]));
    for (const timing::TimedStep &s : pass.steps) {
        const double t = timing::seconds(s.startByte);
        for (int c = 0; c < axes::count; ++c)
            if (s.pose[c] != pose[c]) {
                out[c].lineTo(f.at(t, pose[c]));
                out[c].lineTo(f.at(t, s.pose[c]));
            }
        pose = s.pose;
    }
    for (int c = 0; c < axes::count; ++c)
        out[c].lineTo(f.at(timing::seconds(pass.totalBytes), pose[c]));
    return out;
}

void drawGrid(QPainter &p, const Frame &f)
{
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    for (int position = 0; position <= axes::highest; position += 51) {
        const QPointF y = f.at(0, position);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(f.area.left(), y.y()), QPointF(f.area.right(), y.y()));
        p.setPen(Qt::black);
        p.drawText(QRectF(0, y.y() - 8, left - 8, 16), Qt::AlignRight | Qt::AlignVCenter,
                   QString::number(position));
    }
    for (int second = 0; second <= int(f.seconds); ++second) {
        const QPointF x = f.at(second, 0);
        p.setPen(QColor(225, 225, 225));
        p.drawLine(QPointF(x.x(), f.area.top()), QPointF(x.x(), f.area.bottom()));
        p.setPen(Qt::black);
        p.drawText(QRectF(x.x() - 20, f.area.bottom() + 4, 40, 16), Qt::AlignCenter,
                   QString::number(second));
    }
    p.setPen(Qt::black);
    p.drawRect(f.area);
    p.save();
    p.translate(10, f.area.center().y());
    p.rotate(-90);
    p.drawText(QRectF(-40, -8, 80, 16), Qt::AlignCenter, QStringLiteral("position"));
    p.restore();
}

// The timed moves' spans, from the first byte of their first step to the end of their last.
void drawSpans(QPainter &p, const Frame &f, const Panel &panel, const timing::Pass &pass)
{
    for (const edits::TimedSpan &span : panel.motion.timed) {
        // Record i + 1 is the pass's step i - 1: record 1 is never played.
        const timing::TimedStep &first = pass.steps[size_t(span.first - 1)];
        const timing::TimedStep &last = pass.steps[size_t(span.first + span.count - 2)];
        const double from = f.at(timing::seconds(first.startByte), 0).x();
        const double to = f.at(timing::seconds(last.startByte + last.bytes), 0).x();
        p.fillRect(QRectF(from, f.area.top(), to - from, f.area.height()), QColor(0, 0, 0, 18));
        p.setPen(QColor(90, 90, 90));
        p.drawText(QRectF(from, f.area.top() + 2, to - from, 16), Qt::AlignCenter,
                   QStringLiteral("%1 %2 s")
                       .arg(moves::easeName(span.path.ease))
                       .arg(span.path.seconds, 0, 'f', 1));
    }
}

void drawPanel(QPainter &p, const Frame &f, const Panel &panel, const timing::Pass &pass)
{
    drawGrid(p, f);
    drawSpans(p, f, panel, pass);
    const std::array<QPainterPath, axes::count> paths = lines(pass, f);
    p.setClipRect(f.area.adjusted(-2, -2, 2, 2));
    for (int c = 0; c < axes::count; ++c) {
        p.setPen(QPen(lanes::colour(c), 2, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
        p.drawPath(paths[c]);
    }
    p.setClipping(false);
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 11, QFont::Bold));
    p.drawText(QRectF(f.area.left(), f.area.top() - top, f.area.width(), top - 6),
               Qt::AlignLeft | Qt::AlignBottom, panel.title);
}

void drawLegend(QPainter &p, const QRectF &band)
{
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 10));
    const double step = band.width() / (axes::count + 2);
    for (int c = 0; c < axes::count; ++c) {
        const double x = band.left() + step * c;
        const double y = band.center().y();
        p.setPen(QPen(lanes::colour(c), 3));
        p.drawLine(QPointF(x, y), QPointF(x + 24, y));
        p.setPen(Qt::black);
        p.drawText(QRectF(x + 30, y - 9, step - 30, 18), Qt::AlignLeft | Qt::AlignVCenter,
                   lanes::name(c));
    }
    p.fillRect(QRectF(band.left() + step * axes::count, band.center().y() - 7, 24, 14),
               QColor(0, 0, 0, 18));
    p.drawText(QRectF(band.left() + step * axes::count + 30, band.center().y() - 9, 2 * step, 18),
               Qt::AlignLeft | Qt::AlignVCenter, QStringLiteral("timed move"));
}

} // namespace

QImage positionsOverTime(const std::vector<Panel> &panels, const timing::Pose &start)
{
    std::vector<timing::Pass> passes;
    double longest = 0;
    for (const Panel &panel : panels) {
        passes.push_back(timing::firstPass(panel.motion.records, start));
        longest = std::max(longest, timing::seconds(passes.back().totalBytes));
    }
    const int height = panelHeight * int(panels.size()) + legendHeight;
    QImage image(width, height, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter p(&image);
    p.setRenderHint(QPainter::Antialiasing);
    for (size_t i = 0; i < panels.size(); ++i) {
        const QRectF area(left, top + panelHeight * double(i), width - left - right,
                          panelHeight - top - bottom);
        drawPanel(p, Frame{area, std::ceil(longest)}, panels[i], passes[i]);
    }
    p.setPen(Qt::black);
    p.setFont(QFont(QStringLiteral("Liberation Sans"), 9));
    p.drawText(QRectF(left, height - legendHeight - bottom + 18, width - left - right, 16),
               Qt::AlignRight, QStringLiteral("seconds from the start of the first pass"));
    drawLegend(p, QRectF(left, height - legendHeight, width - left - right, legendHeight));
    return image;
}

} // namespace plots
