#include "core/edit/lane_columns.h"

#include "core/arm/kinematics.h"
#include "core/edit/motion_document.h"

#include <algorithm>
#include <cmath>

namespace timeline {

namespace {

// Tenths of a millimetre or a degree; a coordinate a rounding error away from 0 reads 0.0,
// never -0.0.
QString tenths(double v)
{
    return QString::number(std::abs(v) < 0.05 ? 0.0 : v, 'f', 1);
}

} // namespace

LaneColumns::LaneColumns(const MotionDocument &d, const Scale &scale)
    : m_low(size_t(std::max(scale.width, 0))), m_high(m_low.size())
{
    for (auto &l : m_low)
        l.fill(256);
    for (auto &h : m_high)
        h.fill(-1);
    const int w = width();
    const auto &steps = d.pass().steps;
    const int firstIndex = std::max(1, d.indexAtByte(qint64(std::max(0.0, scale.leftByte))));
    for (size_t i = size_t(firstIndex - 1); i < steps.size(); ++i) {
        const timing::TimedStep &t = steps[i];
        const double x0 = scale.columnOf(double(t.startByte));
        if (x0 >= w)
            break;
        const double x1 = scale.columnOf(double(t.startByte + t.bytes));
        const int c0 = std::clamp(int(std::floor(x0)), 0, w - 1);
        const int c1 = std::clamp(int(std::ceil(x1)) - 1, c0, w - 1);
        for (int c = c0; c <= c1; ++c) {
            auto &low = m_low[size_t(c)];
            auto &high = m_high[size_t(c)];
            for (size_t a = 0; a < size_t(axes::count); ++a) {
                low[a] = std::min(low[a], t.pose[a]);
                high[a] = std::max(high[a], t.pose[a]);
            }
        }
        if (t.step.channel >= axes::count)
            m_others.emplace_back(c0, t.step.position);
    }
}

Span selectedBytes(const MotionDocument &d)
{
    const edits::Range sel = d.selection();
    const double from = d.startByteOf(sel.first);
    if (sel.count <= 0)
        return {from, from};
    const timing::TimedStep *last = d.timed(sel.first + sel.count - 1);
    return {from, last ? double(last->startByte + last->bytes) : from};
}

std::optional<edits::Range> playedBetween(const MotionDocument &d, double b0, double b1)
{
    const double total = double(d.pass().totalBytes);
    if (total <= 0)
        return std::nullopt;
    const double from = std::clamp(std::min(b0, b1), 0.0, total);
    const double to = std::clamp(std::max(b0, b1), 0.0, total);
    const int first = d.indexAtByte(qint64(from));
    const int last = std::max(first, d.indexAtByte(qint64(std::ceil(to)) - 1));
    return edits::Range{first, last - first + 1};
}

QString readout(const MotionDocument &d, int index)
{
    const timing::TimedStep *t = d.timed(index);
    if (!t)
        return QString();
    QString text = QStringLiteral("%1 s   record %2  ")
                       .arg(timing::seconds(t->startByte), 0, 'f', 3)
                       .arg(t->record);
    for (const axes::Axis &a : axes::all)
        text +=
            QStringLiteral("  %1 %2").arg(QLatin1String(a.name)).arg(t->pose[size_t(a.channel)]);
    return text;
}

QString readout(const MotionDocument &d, int index, const arm::Profile &profile)
{
    const timing::TimedStep *t = d.timed(index);
    if (!t)
        return QString();
    const arm::Reach reach = arm::forward(profile, t->pose);
    return readout(d, index) + QStringLiteral("    tool x %1 y %2 z %3 mm, pitch %4\u00B0")
                                   .arg(tenths(reach.tool.x), tenths(reach.tool.y),
                                        tenths(reach.tool.z), tenths(reach.pitch));
}

} // namespace timeline
