#pragma once
// The editor's Check list, worked out without a widget: the breaches of the arm's profile that
// kestrel-play would meet playing the motion twice (so the seam between passes is covered), one
// row for each record, axis and rule, the first breach of each in the order the line meets them;
// and what the list's columns and the status bar say of them.

#include "core/arm/limit_check.h"

#include <QString>
#include <vector>

namespace checks {

struct Rows {
    std::vector<arm::Breach> rows;
    QString error; // the motion cannot be played (as the exports refuse it); no rows then
};

Rows motionRows(const arm::Profile &profile, const std::vector<Step> &records,
                const config::Settings &settings);

// One row a record, axis and rule, in the order given.
std::vector<arm::Breach> distinct(const std::vector<arm::Breach> &breaches);

// "Start-up" or the record's number.
QString recordText(const arm::Breach &b);
// "210, limit 200"; heights in millimetres: "-12.50 mm, limit 0 mm".
QString valueText(const arm::Breach &b);
// "2 limit breaches", "1 limit breach", "Within the arm's limits".
QString countText(int rows);

} // namespace checks
