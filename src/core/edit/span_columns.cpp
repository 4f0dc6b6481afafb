#include "core/edit/span_columns.h"

#include "core/edit/motion_document.h"

#include <algorithm>
#include <cmath>

namespace timeline {

namespace {

// A span the document holds whose records are all still there; a stale one draws nothing.
bool drawable(const MotionDocument &d, const edits::TimedSpan &s)
{
    return s.count > 0 && s.first >= 0 && s.first + s.count <= d.size();
}

// The path at `byte`, counting its time from `span.from` as the pass does its steps'.
double pathAt(const moves::Path &path, int axis, const Span &span, double byte)
{
    return path.at(axis, (byte - span.from) / timing::bytesPerSecond);
}

PathCurve curveOf(const moves::Path &path, int axis, const Span &bytes, const Scale &scale)
{
    PathCurve curve{axis, {}};
    const double x0 = scale.columnOf(bytes.from), x1 = scale.columnOf(bytes.to);
    if (x0 >= 0)
        curve.points.emplace_back(x0, pathAt(path, axis, bytes, bytes.from));
    const int c0 = std::max(0, int(std::floor(x0 + 0.5)));
    const int c1 = std::min(scale.width - 1, int(std::ceil(x1 - 0.5)) - 1);
    for (int c = c0; c <= c1; ++c) {
        const double byte = scale.leftByte + (c + 0.5) * scale.bytesPerPixel;
        curve.points.emplace_back(c + 0.5, pathAt(path, axis, bytes, byte));
    }
    if (x1 <= scale.width)
        curve.points.emplace_back(x1, pathAt(path, axis, bytes, bytes.to));
    return curve;
}

} // namespace

Span spanBytes(const MotionDocument &d, const edits::TimedSpan &span)
{
    return {d.startByteOf(span.first), d.startByteOf(span.first + span.count)};
}

QString spanLabel(const moves::Path &path)
{
    return QStringLiteral("%1 %2 s").arg(moves::easeName(path.ease)).arg(path.seconds, 0, 'f', 2);
}

std::vector<SpanDrawing> spansInView(const MotionDocument &d, const Scale &scale)
{
    const double right = scale.leftByte + scale.width * scale.bytesPerPixel;
    const auto &spans = d.timedSpans();
    // The spans are in order and do not overlap, so the first that ends past the left edge is
    // found by halving, and the walk stops at the first that starts past the right one.
    auto it = std::partition_point(spans.begin(), spans.end(), [&](const edits::TimedSpan &s) {
        return spanBytes(d, s).to <= scale.leftByte;
    });
    std::vector<SpanDrawing> out;
    for (; it != spans.end(); ++it) {
        if (!drawable(d, *it))
            continue;
        const Span bytes = spanBytes(d, *it);
        if (bytes.from >= right)
            break;
        SpanDrawing drawing{
            scale.columnOf(bytes.from), scale.columnOf(bytes.to), spanLabel(it->path), {}};
        for (int a = 0; a < axes::count; ++a)
            if (it->path.from[size_t(a)] != it->path.to[size_t(a)])
                drawing.curves.push_back(curveOf(it->path, a, bytes, scale));
        out.push_back(std::move(drawing));
    }
    return out;
}

} // namespace timeline
