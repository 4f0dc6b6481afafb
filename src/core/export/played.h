#pragma once
// What the player writes to the line, kept apart where the passes begin: shared by the bytes
// and the sketch, which must agree with each other byte for byte.

#include "core/export/exports.h"
#include "core/motion/axes.h"

#include <array>

namespace exports {

struct Played {
    QByteArray startUp;                       // the centring and the homing walk
    QByteArray passes;                        // the passes that followed
    std::array<int, axes::count> passStart{}; // the pose the first pass starts from
    QString error;
};

// Runs kestrel-play's player over the records, `loops` passes (1 or more), on a line that keeps
// what it is given and never waits. Nothing of the window's runs meanwhile. More than `most`
// bytes are refused.
Played play(const std::vector<Step> &records, const config::Settings &settings, int loops,
            qint64 most = mostLineBytes);

// Why these records cannot be exported, or an empty text.
QString refusal(const std::vector<Step> &records);

} // namespace exports
