#pragma once
// The first replay pass's time, counted in bytes on the line: what the timeline, the step list
// and kestrel-play's --dry-run all show. The sequencer writes the bytes; this says, without
// running it, where each step's first byte falls.

#include "core/motion/axes.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QtGlobal>
#include <array>
#include <vector>

namespace timing {

inline constexpr int bytesPerSecond = 960; // 9600 baud, 8N1: ten bits a byte
inline constexpr int bytesPerFrame = 4;

using Pose = std::array<int, axes::count>; // by channel

// The pose the first replay pass starts from: the configuration's homes as the homing walk
// reaches them. The walk moves one position at a time while it is short of the home, so a
// fractional home stops at the last whole position before it, and a home outside 0..255 stops
// at the nearer end. Start-up centres every axis and homes it, and RUN's walk then moves
// nothing, so the walks begin at the centre: the pose of a fresh start, which kestrel-play
// always makes. (An axis moved by hand between start-up and RUN can end a fractional home's
// walk one position off.)
Pose passStartPose(const config::Settings &settings);

struct TimedStep {
    int record = 0; // 2..n, counted as the movement file counts them
    Step step;
    qint64 startByte = 0; // bytes the pass has written before this step
    int bytes = 0;        // 4, or 8 when the step changes its axis's position: the step is
                          // written, then moving the axis writes it again, as its box does.
                          // 0 for a value that cannot be one byte, which is never sent (the
                          // movement reader lets none in)
    Pose pose{};          // the five positions after this step
};

struct Pass {
    Pose start{};
    std::vector<TimedStep> steps; // one per played record, in order
    qint64 totalBytes = 0;
};

// records[i] is record i + 1; record 1 is never played.
Pass firstPass(const std::vector<Step> &records, const Pose &start);

// The bytes a pass of `records` writes, for callers that only want the total (same rules).
qint64 passBytes(const std::vector<Step> &records, const Pose &start);

inline double seconds(qint64 bytes)
{
    return double(bytes) / bytesPerSecond;
}

} // namespace timing
