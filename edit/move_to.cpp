#include "edit/move_to.h"

#include "core/arm/named_poses.h"
#include "core/edit/motion_files.h"
#include "core/edit/pass_timing.h"
#include "core/program/terminal.h"
#include "edit/script_inputs.h"

namespace edit {

using program::say;

MovedTo withMoveTo(std::vector<Step> records, const timing::Pose &start,
                   const arm::Profile &profile, const timing::Pose &to, moves::Ease ease,
                   std::optional<double> seconds)
{
    // No pass plays record 1, so a move appended after it alone starts the pass.
    if (records.empty())
        records.push_back(Step{0, 0});
    const timing::Pass pass = timing::firstPass(records, start);
    const timing::Pose from = pass.steps.empty() ? start : pass.steps.back().pose;
    const moves::Planned planned = moves::plan(profile, {from, to, ease, seconds});
    if (!planned.path)
        return {{}, planned.error};
    const std::vector<Step> steps = moves::steps(*planned.path);
    records.insert(records.end(), steps.begin(), steps.end());
    return {std::move(records), {}};
}

int moveTo(const Options &o)
{
    const std::optional<ScriptInputs> in = readScriptInputs(o);
    if (!in)
        return 3;
    const arm::NamedPose *named = arm::poseNamed(in->profile, o.moveToName);
    if (!o.moveTo && !named) {
        say(stderr, QStringLiteral("kestrel-edit: the arm profile '%1' has no pose named '%2'.")
                        .arg(in->profileFile, o.moveToName));
        return 3;
    }
    const MovedTo moved = withMoveTo(in->records, timing::passStartPose(in->settings), in->profile,
                                     o.moveTo ? *o.moveTo : named->positions, o.ease, o.seconds);
    if (!moved.error.isEmpty()) {
        say(stderr, QStringLiteral("kestrel-edit: %1").arg(moved.error));
        return 3;
    }
    // The editor's Save: whole or nothing, and never a file Kestrel could not open again.
    const editfiles::Written written = editfiles::saveMotion(o.output, moved.records);
    if (!written.ok) {
        say(stderr, written.message);
        return 4;
    }
    return 0;
}

} // namespace edit
