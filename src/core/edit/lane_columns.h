#pragma once
// What the timeline draws, worked out without a widget: for each pixel column of the plot the
// lowest and highest position each axis took there, and where the steps on other channels fall;
// the bytes the selection covers; the steps a span of bytes takes; what the pointer reads out. A
// long motion zoomed out is summed in time proportional to the width, not to the steps.

#include "core/arm/profile.h"
#include "core/edit/motion_edits.h"
#include "core/motion/axes.h"

#include <QString>
#include <QtGlobal>
#include <array>
#include <optional>
#include <utility>
#include <vector>

class MotionDocument;

namespace timeline {

// The view: the byte at the plot's left edge and the bytes one pixel column spans.
struct Scale {
    double leftByte = 0;
    double bytesPerPixel = 1;
    int width = 1; // pixel columns
    double columnOf(double byte) const { return (byte - leftByte) / bytesPerPixel; }
};

class LaneColumns {
public:
    LaneColumns(const MotionDocument &d, const Scale &scale);

    // The lowest and highest position axis `a` took in column c; high < 0 where it took none.
    int low(int c, int a) const { return m_low[size_t(c)][size_t(a)]; }
    int high(int c, int a) const { return m_high[size_t(c)][size_t(a)]; }
    // Column and position of each step on another channel in view, in order.
    const std::vector<std::pair<int, int>> &others() const { return m_others; }
    int width() const { return int(m_low.size()); }

private:
    std::vector<std::array<int, axes::count>> m_low, m_high;
    std::vector<std::pair<int, int>> m_others;
};

// The bytes of the pass the selection covers; a place between steps is from == to.
struct Span {
    double from = 0, to = 0;
};
Span selectedBytes(const MotionDocument &d);

// The steps played between two bytes of the pass (in either order), at least one; a span ending
// exactly where a step starts does not take that step. None when nothing is played.
std::optional<edits::Range> playedBetween(const MotionDocument &d, double b0, double b1);

// What the pointer over records[index] reads out: time, record and the five positions; empty
// when index is no played record.
QString readout(const MotionDocument &d, int index);
// The same, with the tool point (x, y, z in mm) and the hand's pitch for the pose after that
// record, by the arm's profile: "... tool x 132.0 y 0.0 z 160.0 mm, pitch 0.0°".
QString readout(const MotionDocument &d, int index, const arm::Profile &profile);

} // namespace timeline
