// kestrel.Motion's edits of a range or of a place between steps, each made by the editor's own
// function on a document of the motion, so that a script's edit and the editor's are the same.
#include "convert.h"
#include "core/edit/fit_to_limits.h"
#include "core/edit/motion_document.h"
#include "errors.h"
#include "motion_parts.h"

#include <algorithm>

namespace kpy {

Slice sliceOf(const ScriptMotion &motion, int start, const std::optional<int> &stop)
{
    const int size = motion.size();
    const int first = indexOf(start, size, 0);
    return {first, std::max(first, indexOf(stop, size, size))};
}

int placeOf(const ScriptMotion &motion, const std::optional<int> &at)
{
    return indexOf(at, motion.size(), motion.size());
}

void apply(ScriptMotion &motion, const QString &name, const edits::Edited &edited)
{
    if (const QString refused = edits::refusal(name, edited); !refused.isEmpty())
        raise(ErrorKind::Error, refused);
    if (edited.records != motion.records())
        motion.take(edited);
}

ScriptProfile profileFor(const ScriptMotion &motion, const std::optional<ScriptProfile> &given)
{
    return profileOr(given, motion.configDir());
}

namespace {

// The editor's edit `edit` of steps[s.start:s.stop] (or of the place before s.start when the
// slice is empty), taken.
template <typename Edit>
void editSlice(ScriptMotion &motion, const QString &name, Slice s, Edit edit)
{
    const std::unique_ptr<MotionDocument> document = motion.document(s.start, s.stop);
    apply(motion, name, edit(*document));
}

// The editor asks for a rate in positions a second and keeps the number of holds nearest it.
int holdsAtRate(double rate)
{
    if (!(rate > 0))
        raise(ErrorKind::Error,
              QStringLiteral("The rate is a number of positions a second above 0, not %1.")
                  .arg(rate));
    return edits::holdsForRate(rate);
}

// Five positions need no profile, so a motion is moved to them even where arm.ini cannot be
// read; a name is looked up in the profile.
timing::Pose targetOf(const ScriptMotion &motion, const py::handle &pose)
{
    const bool named = py::isinstance<py::str>(pose);
    return poseOf(pose, named ? profileFor(motion, std::nullopt).profile : arm::defaults());
}

void bindRemovals(MotionClass &c)
{
    c.def(
        "delete",
        [](ScriptMotion &m, int start, const std::optional<int> &stop) {
            const Slice one = sliceOf(m, start, std::nullopt);
            const Slice s = stop ? sliceOf(m, start, stop)
                                 : Slice{one.start, std::min(one.start + 1, m.size())};
            editSlice(m, QStringLiteral("Delete"), s, edits::deleteSelected);
        },
        py::arg("start"), py::arg("stop") = py::none(),
        "Deletes steps[start:stop]; with no `stop`, the one step at `start`. An empty range\n"
        "deletes nothing.");
    c.def(
        "reverse",
        [](ScriptMotion &m, int start, const std::optional<int> &stop) {
            editSlice(m, QStringLiteral("Reverse"), sliceOf(m, start, stop),
                      edits::reverseSelected);
        },
        py::arg("start") = 0, py::arg("stop") = py::none(),
        "Reverses the order of steps[start:stop]. An empty range changes nothing.");
}

void bindInserts(MotionClass &c)
{
    c.def(
        "insert",
        [](ScriptMotion &m, const std::optional<int> &at, const py::object &steps) {
            const std::vector<Step> clip = py::isinstance<ScriptMotion>(steps)
                                               ? steps.cast<const ScriptMotion &>().steps()
                                               : stepsOf(steps);
            const int place = placeOf(m, at);
            editSlice(m, QStringLiteral("Insert"), {place, place},
                      [&clip](const MotionDocument &d) { return edits::paste(d, clip); });
        },
        py::arg("at"), py::arg("steps"),
        "Inserts steps (a Motion's, or (channel, position) pairs) before index `at`.");
    c.def(
        "hold",
        [](ScriptMotion &m, const std::optional<int> &at, double seconds) {
            const int holds = edits::holdsFor(seconds);
            if (holds == 0)
                raise(ErrorKind::Error,
                      QStringLiteral("A hold that short is no hold: the shortest is 1/240 s."));
            const int place = placeOf(m, at);
            editSlice(
                m, QStringLiteral("Insert Hold"), {place, place},
                [holds](const MotionDocument &d) { return edits::holdBeforeSelection(d, holds); });
        },
        py::arg("at"), py::arg("seconds"),
        "Keeps the arm still for `seconds` before index `at` (1/240 s a hold, round(seconds *\n"
        "240) holds, at most an hour's): the step before it repeated, or before the first step\n"
        "the first step's axis where the pass starts. Error when that makes no hold.");
}

void bindTiming(MotionClass &c)
{
    c.def(
        "slow_down",
        [](ScriptMotion &m, double factor, int start, const std::optional<int> &stop) {
            if (!(factor >= 1))
                raise(
                    ErrorKind::Error,
                    QStringLiteral("A slow-down is by a factor of 1 or more, not %1.").arg(factor));
            editSlice(m, QStringLiteral("Slow Down"), sliceOf(m, start, stop),
                      [factor](const MotionDocument &d) { return edits::slowSelected(d, factor); });
        },
        py::arg("factor"), py::arg("start") = 0, py::arg("stop") = py::none(),
        "Makes steps[start:stop] take `factor` (>= 1) times as long, with holds after its\n"
        "steps. An empty range changes nothing.");
    c.def(
        "smooth",
        [](ScriptMotion &m, int maxJump, double rate, int start, const std::optional<int> &stop) {
            if (maxJump < 1)
                raise(ErrorKind::Error,
                      QStringLiteral("The largest jump kept is 1 position or more, not %1.")
                          .arg(maxJump));
            const int holds = holdsAtRate(rate);
            editSlice(m, QStringLiteral("Smooth"), sliceOf(m, start, stop),
                      [maxJump, holds](const MotionDocument &d) {
                          return edits::smoothSelected(d, maxJump, holds);
                      });
        },
        py::arg("max_jump"), py::arg("rate") = 120.0, py::arg("start") = 0,
        py::arg("stop") = py::none(),
        "Turns every jump of more than `max_jump` positions in steps[start:stop] into a walk\n"
        "at `rate` positions a second. An empty range changes nothing.");
}

void bindPoses(MotionClass &c)
{
    c.def(
        "move_to_pose",
        [](ScriptMotion &m, const py::object &pose, const std::optional<int> &at, double rate,
           bool interleaved) {
            const timing::Pose target = targetOf(m, pose);
            const int holds = holdsAtRate(rate);
            const edits::PoseOrder order =
                interleaved ? edits::PoseOrder::Interleaved : edits::PoseOrder::AxisAfterAxis;
            const int place = placeOf(m, at);
            editSlice(m, QStringLiteral("Move to Pose"), {place, place},
                      [&](const MotionDocument &d) {
                          return edits::poseMoveBeforeSelection(d, target, order, holds);
                      });
        },
        py::arg("pose"), py::arg("at") = py::none(), py::arg("rate") = 120.0,
        py::arg("interleaved") = false,
        "Inserts a walk to `pose` before `at`, one position a step at `rate` positions a\n"
        "second, an axis at a time (grip first) or, `interleaved`, all of them in turn.");
    c.def(
        "fit_to_limits",
        [](ScriptMotion &m, const std::optional<ScriptProfile> &given) {
            const ScriptProfile profile = profileFor(m, given);
            edits::Fitted fitted =
                edits::fittedToLimits(m.records(), profile.profile, m.passStart());
            if (fitted.changed())
                apply(m, QStringLiteral("Fit to Limits"),
                      {std::move(fitted.records), edits::Range{}});
            return py::make_tuple(fitted.clamped, fitted.added);
        },
        py::arg("profile") = py::none(),
        "Brings the motion within the profile's limits; returns (positions clamped, steps\n"
        "added).");
}

} // namespace

void bindSelectionEdits(MotionClass &c)
{
    bindRemovals(c);
    bindInserts(c);
    bindTiming(c);
    bindPoses(c);
}

} // namespace kpy
