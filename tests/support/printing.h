#pragma once
// Frames and steps as Qt Test prints them when a comparison fails, and the walks that homing
// and replays put on the wire.

#include "core/link/frame.h"
#include "core/motion/step_buffer.h"

#include <QList>

namespace frame {
char *toString(const Frame &f); // "FF 04 7F 0D"
}
char *toString(const Step &s); // "(4, 127)"

using Frames = QList<frame::Frame>;
using Steps = QList<Step>;

// The frames of one axis walking from one position to another, both ends included.
Frames walk(int channel, int from, int to);
