#include "core/edit/check_rows.h"

#include <QLocale>
#include <set>
#include <tuple>

namespace checks {

namespace {

// The line is checked over two passes: the second starts where the first ended, without homing,
// and every later pass writes what the second writes.
constexpr int passesChecked = 2;

bool inMillimetres(arm::Breach::Rule rule)
{
    return rule == arm::Breach::Rule::ToolBelowTable || rule == arm::Breach::Rule::WristBelowTable;
}

} // namespace

Rows motionRows(const arm::Profile &profile, const std::vector<Step> &records,
                const config::Settings &settings)
{
    const arm::LineFrames line = arm::lineFrames(records, settings, passesChecked);
    if (!line.error.isEmpty())
        return {{}, line.error};
    return {distinct(arm::check(profile, line.frames)), {}};
}

std::vector<arm::Breach> distinct(const std::vector<arm::Breach> &breaches)
{
    std::set<std::tuple<int, int, arm::Breach::Rule>> seen;
    std::vector<arm::Breach> rows;
    for (const arm::Breach &b : breaches)
        if (seen.insert({b.record, b.channel, b.rule}).second)
            rows.push_back(b);
    return rows;
}

QString recordText(const arm::Breach &b)
{
    return b.record == 0 ? QStringLiteral("Start-up") : QString::number(b.record);
}

QString valueText(const arm::Breach &b)
{
    if (inMillimetres(b.rule))
        return QStringLiteral("%1 mm, limit %2 mm")
            .arg(QString::number(b.value, 'f', 2),
                 QString::number(b.limit, 'g', QLocale::FloatingPointShortest));
    return QStringLiteral("%1, limit %2").arg(b.value).arg(b.limit);
}

QString countText(int rows)
{
    if (rows == 0)
        return QStringLiteral("Within the arm's limits");
    return rows == 1 ? QStringLiteral("1 limit breach")
                     : QStringLiteral("%1 limit breaches").arg(rows);
}

} // namespace checks
