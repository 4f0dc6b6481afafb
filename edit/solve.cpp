#include "edit/solve.h"

#include "core/program/outcome.h"
#include "core/program/terminal.h"
#include "edit/script_inputs.h"

namespace edit {

namespace {

using program::say;

// Two decimals, and never "-0.00": a coordinate a hair either side of zero reads the same, so
// two answers diff alike.
QString twoDecimals(double v)
{
    const QString text = QString::number(v, 'f', 2);
    return text == QLatin1String("-0.00") ? QStringLiteral("0.00") : text;
}

// What is wrong with --from by the profile's limits: the answer keeps its grip, and a pose the
// arm cannot be in is no pose to stay near. Empty when every position fits.
QString fromOutsideLimits(const arm::Profile &p, const arm::Pose &from, const QString &file)
{
    for (int c = 0; c < axes::count; ++c) {
        const arm::Joint &j = p.joints[c];
        const int v = from[c];
        if (v < j.min || v > j.max)
            return QStringLiteral("--from puts the %1 at %2, %3 its %4 %5 in the arm profile '%6'.")
                .arg(axes::channelName(c))
                .arg(v)
                .arg(v < j.min ? QStringLiteral("below") : QStringLiteral("above"),
                     v < j.min ? QStringLiteral("min") : QStringLiteral("max"))
                .arg(v < j.min ? j.min : j.max)
                .arg(file);
    }
    return {};
}

} // namespace

QString solvedText(const arm::Solution &s)
{
    QStringList positions;
    for (const int p : s.pose)
        positions << QString::number(p);
    const arm::Point &at = s.reached.tool;
    return positions.join(QLatin1Char(' ')) + QLatin1Char('\n') +
           QStringList{twoDecimals(at.x), twoDecimals(at.y), twoDecimals(at.z),
                       twoDecimals(s.distance)}
               .join(QLatin1Char(' '));
}

int solve(const Options &o)
{
    const std::optional<ScriptProfile> profile = readScriptProfile(o);
    if (!profile)
        return 3;
    if (o.from) {
        if (const QString wrong = fromOutsideLimits(profile->profile, *o.from, profile->file);
            !wrong.isEmpty())
            return program::answer(program::refused(wrong), QStringLiteral("kestrel-edit"));
    }
    const arm::Solved solved = arm::solve(profile->profile, *o.solveFor, o.from);
    if (!solved.solution) {
        say(stderr, QStringLiteral("kestrel-edit: %1").arg(solved.error));
        return 3;
    }
    say(stdout, solvedText(*solved.solution));
    return 0;
}

} // namespace edit
