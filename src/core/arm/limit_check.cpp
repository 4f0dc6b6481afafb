#include "core/arm/limit_check.h"

#include "core/arm/kinematics.h"
#include "core/edit/pass_timing.h"
#include "core/export/played.h"
#include "core/link/frame.h"

#include <QLocale>
#include <algorithm>
#include <cstdlib>

namespace arm {

namespace {

QString millimetres(double v)
{
    return QString::number(v, 'f', 2);
}

QString shortest(double v)
{
    return QString::number(v, 'g', QLocale::FloatingPointShortest);
}

struct Checker {
    const Profile &profile;
    std::array<int, axes::count> pose{axes::centre, axes::centre, axes::centre, axes::centre,
                                      axes::centre};
    std::array<bool, axes::count> moved{};
    int pass = 0;
    std::array<bool, axes::count> movedInPass{};

    // A jump at an axis's first frame of the second pass is made at the seam: the first pass
    // ends elsewhere than the motion starts.
    Breach::Rule stepRule(const TaggedFrame &f)
    {
        if (f.pass != pass) {
            pass = f.pass;
            movedInPass = {};
        }
        const bool seam = pass == 2 && !movedInPass[f.channel];
        movedInPass[f.channel] = true;
        return seam ? Breach::Rule::SeamStep : Breach::Rule::Step;
    }

    void frame(const TaggedFrame &f, std::vector<Breach> &out)
    {
        if (f.channel < 0 || f.channel >= axes::count)
            return; // a channel no servo of the arm hangs off moves nothing
        const Joint &j = profile.joints[f.channel];
        const int before = pose[f.channel];
        pose[f.channel] = f.position;
        const auto breach = [&](Breach::Rule rule, double value, double limit) {
            out.push_back({f.record, rule, f.channel, value, limit});
        };
        if (f.position < j.min)
            breach(Breach::Rule::Min, f.position, j.min);
        if (f.position > j.max)
            breach(Breach::Rule::Max, f.position, j.max);
        const Breach::Rule step = stepRule(f);
        if (moved[f.channel] && std::abs(f.position - before) > j.maxStep)
            breach(step, std::abs(f.position - before), j.maxStep);
        moved[f.channel] = true;
        if (const std::optional<double> table = profile.arm.table) {
            const Reach reach = forward(profile, pose);
            if (reach.tool.z < *table)
                breach(Breach::Rule::ToolBelowTable, reach.tool.z, *table);
            if (reach.wrist.z < *table)
                breach(Breach::Rule::WristBelowTable, reach.wrist.z, *table);
        }
    }
};

// The frames of `count` bytes of the line from `from`, each from `record`. Read in place: a copy
// of each step's few bytes cost an allocation a step, and the Check list runs this after every
// edit of a long motion.
void addFrames(const QByteArray &bytes, qsizetype from, qsizetype count, int record, int pass,
               std::vector<TaggedFrame> &out)
{
    const qsizetype end = std::min(from + count, bytes.size());
    for (qsizetype i = from; i + frame::size <= end; i += frame::size)
        out.push_back({record, quint8(bytes[i + 1]), quint8(bytes[i + 2]), pass});
}

// Tags the passes' bytes with the records that wrote them, by the pass timing's count of each
// step's bytes. The bytes are the player's; the count only says where each step's begin, and
// a disagreement is reported rather than guessed around.
QString tagPasses(const std::vector<Step> &records, const exports::Played &played, int passes,
                  std::vector<TaggedFrame> &out)
{
    timing::Pose start = played.passStart;
    qint64 at = 0;
    for (int pass = 0; pass < passes; ++pass) {
        const timing::Pass timed = timing::firstPass(records, start);
        for (const timing::TimedStep &t : timed.steps) {
            if (at + t.bytes > played.passes.size())
                return QStringLiteral("The line's bytes end before record %1.").arg(t.record);
            addFrames(played.passes, at, t.bytes, t.record, pass + 1, out);
            at += t.bytes;
            if (t.bytes > 0 && out.back().channel != t.step.channel)
                return QStringLiteral("The line's bytes and record %1 disagree.").arg(t.record);
        }
        if (!timed.steps.empty())
            start = timed.steps.back().pose;
    }
    if (at != played.passes.size())
        return QStringLiteral("The line carries more bytes than the passes count.");
    return {};
}

} // namespace

QString Breach::ruleName() const
{
    switch (rule) {
    case Rule::Min:
        return QStringLiteral("min");
    case Rule::Max:
        return QStringLiteral("max");
    case Rule::Step:
        return QStringLiteral("max_step");
    case Rule::SeamStep:
        return QStringLiteral("max_step (seam)");
    case Rule::ToolBelowTable:
        return QStringLiteral("table (tool point)");
    case Rule::WristBelowTable:
        return QStringLiteral("table (wrist)");
    }
    return {};
}

QString Breach::text() const
{
    const QString where =
        record == 0 ? QStringLiteral("Start-up") : QStringLiteral("Record %1").arg(record);
    const QString axis = axes::channelName(channel);
    QString what;
    switch (rule) {
    case Rule::Min:
        what = QStringLiteral("the %1 at %2 is below its min %3").arg(axis).arg(value).arg(limit);
        break;
    case Rule::Max:
        what = QStringLiteral("the %1 at %2 is above its max %3").arg(axis).arg(value).arg(limit);
        break;
    case Rule::Step:
        what = QStringLiteral("the %1 moves %2 positions in one frame, more than its max_step %3")
                   .arg(axis)
                   .arg(value)
                   .arg(limit);
        break;
    case Rule::SeamStep:
        what = QStringLiteral("the seam between passes moves the %1 by %2, above its max_step %3")
                   .arg(axis)
                   .arg(value)
                   .arg(limit);
        break;
    case Rule::ToolBelowTable:
    case Rule::WristBelowTable:
        what = QStringLiteral("moving the %1 puts the %2 at %3 mm, below table_mm %4")
                   .arg(axis,
                        rule == Rule::ToolBelowTable ? QStringLiteral("tool point")
                                                     : QStringLiteral("wrist axis"),
                        millimetres(value), shortest(limit));
        break;
    }
    return where + QStringLiteral(": ") + what + QLatin1Char('.');
}

std::vector<Breach> check(const Profile &profile, const std::vector<TaggedFrame> &frames,
                          bool firstOnly)
{
    std::vector<Breach> found;
    Checker checker{profile};
    for (const TaggedFrame &f : frames) {
        checker.frame(f, found);
        if (firstOnly && !found.empty()) {
            found.resize(1);
            break;
        }
    }
    return found;
}

LineFrames lineFrames(const std::vector<Step> &records, const config::Settings &settings, int loops)
{
    const int passes = loops == 1 ? 1 : 2;
    const exports::Played played = exports::play(records, settings, passes);
    LineFrames result;
    if (!played.error.isEmpty()) {
        result.error = played.error;
        return result;
    }
    result.frames.reserve(size_t(played.startUp.size() + played.passes.size()) / frame::size);
    addFrames(played.startUp, 0, played.startUp.size(), 0, 0, result.frames);
    if (QString wrong = tagPasses(records, played, passes, result.frames); !wrong.isEmpty()) {
        result.frames.clear();
        result.error = wrong;
    }
    return result;
}

MotionCheck checkMotion(const Profile &profile, const std::vector<Step> &records,
                        const config::Settings &settings, int loops)
{
    const LineFrames line = lineFrames(records, settings, loops);
    if (!line.error.isEmpty())
        return {std::nullopt, line.error};
    const std::vector<Breach> found = check(profile, line.frames, true);
    return {found.empty() ? std::nullopt : std::optional<Breach>(found.front()), {}};
}

std::optional<Breach> checkFrom(const Profile &profile, const std::array<int, axes::count> &from,
                                const std::vector<Step> &steps)
{
    std::vector<TaggedFrame> frames;
    frames.reserve(from.size() + steps.size());
    // The pose as start-up frames, so that the steps' changes are measured from it.
    for (int channel = 0; channel < axes::count; ++channel)
        frames.push_back({0, channel, from[channel], 0});
    for (std::size_t i = 0; i < steps.size(); ++i)
        frames.push_back({int(i) + 2, steps[i].channel, steps[i].position, 1});
    for (const Breach &breach : check(profile, frames))
        if (breach.record != 0)
            return breach;
    return std::nullopt;
}

} // namespace arm
