#include "edit/solve_options.h"

#include "core/arm/named_poses.h"

#include <QCommandLineParser>
#include <array>
#include <cmath>

namespace edit {

namespace {

// x,y,z and the pitch, each a finite number: "nan" and "inf" read as numbers, and would only
// come back as a solve that means nothing.
std::optional<arm::Target> targetFrom(const QString &text)
{
    const QStringList parts = text.split(QLatin1Char(','));
    if (parts.size() != 4)
        return std::nullopt;
    std::array<double, 4> v{};
    for (int i = 0; i < 4; ++i) {
        bool ok = false;
        v[i] = parts[i].trimmed().toDouble(&ok);
        if (!ok || !std::isfinite(v[i]))
            return std::nullopt;
    }
    return arm::Target{{v[0], v[1], v[2]}, v[3]};
}

} // namespace

QCommandLineOption solveOption()
{
    return QCommandLineOption(
        QStringLiteral("solve"),
        QStringLiteral("Prints the five positions that put the tool point at <target> "
                       "(x,y,z in mm, then the hand's pitch in degrees, e.g. 150,0,40,-45; "
                       "-90 points down) by the arm profile, and on a second line the point "
                       "they reach and its distance from the target; with no window."),
        QStringLiteral("target"));
}

QCommandLineOption fromOption()
{
    return QCommandLineOption(
        QStringLiteral("from"),
        QStringLiteral("With --solve: the pose the arm has now (base,shoulder,elbow,wrist,grip); "
                       "the answer keeps the elbow nearer it, up or down, and its grip "
                       "(default: the elbow up, the grip at 127)."),
        QStringLiteral("pose"));
}

program::CommandLine readSolve(const QCommandLineParser &parser, const QCommandLineOption &solve,
                               const QCommandLineOption &from, Options &o)
{
    o.solveFor = targetFrom(parser.value(solve));
    if (!o.solveFor)
        return program::refused(QStringLiteral("--solve takes four numbers, x,y,z in mm and the "
                                               "hand's pitch in degrees, e.g. 150,0,40,-45, "
                                               "not '%1'.")
                                    .arg(parser.value(solve)));
    if (parser.isSet(from)) {
        o.from = arm::positionsFrom(parser.value(from));
        if (!o.from)
            return program::refused(QStringLiteral("--from takes five whole numbers from 0 to "
                                                   "255, base,shoulder,elbow,wrist,grip, not "
                                                   "'%1'.")
                                        .arg(parser.value(from)));
    }
    return {};
}

} // namespace edit
