// kestrel.Motion: a motion as the editor holds it, its file, its timing, its edits and exports.
#include "convert.h"
#include "core/edit/pass_timing.h"
#include "core/motion/axes.h"
#include "errors.h"
#include "motion_parts.h"

#include <pybind11/stl.h>

namespace kpy {

namespace {

constexpr const char *motionDoc =
    R"(A motion: the steps a pass plays, each one axis (channel) to one position.

A movement file also holds a first record that no pass plays; Motion.load keeps it and save
writes it back, and a new motion's is "0 , 0". `steps` are the played steps only.

Every edit changes the motion in place, as the editor's command of the same name does. `at`,
`start` and `stop` index `steps` as Python does (`stop` is not included, negative indices count
from the end); at=None is the end of the motion. The edits that need the pose a pass starts from
take it from the homes in the configuration folder's robotini.txt; those that need the arm profile
take `profile`, or arm.ini in that folder.)";

void bindFileAndSteps(MotionClass &c)
{
    c.def(py::init([](const py::iterable &steps, const std::optional<QString> &configDir) {
              return ScriptMotion(stepsOf(steps), configFolder(configDir));
          }),
          py::arg("steps") = py::tuple(), py::arg("config_dir") = py::none(),
          "A new motion of `steps` (channel, position), each channel and position 0..255.\n"
          "config_dir: the configuration folder; None: Kestrel's own (~/.config/kestrel).");
    c.def_static(
        "load",
        [](const QString &path, const std::optional<QString> &configDir) {
            return ScriptMotion::load(path, configFolder(configDir));
        },
        py::arg("path"), py::arg("config_dir") = py::none(),
        "The movement file at `path`, read whole (FileError with the line of the fault).");
    c.def("save", &ScriptMotion::save, py::arg("path"),
          "Writes the motion to `path` in Kestrel's format, whole or not at all.");
    c.def_property(
        "steps", [](const ScriptMotion &m) { return stepList(m.records(), 1); },
        [](ScriptMotion &m, const py::iterable &steps) { m.setSteps(stepsOf(steps)); },
        "The played steps, (channel, position); assigning replaces them.");
    c.def_property_readonly(
        "path", [](const ScriptMotion &m) { return m.path(); },
        "The file it was loaded from or last saved to.");
    c.def_property("config_dir", &ScriptMotion::configDir, &ScriptMotion::setConfigDir,
                   "The configuration folder whose homes and arm.ini the motion uses.");
}

void bindSequence(MotionClass &c)
{
    c.def("__len__", &ScriptMotion::size);
    c.def("__getitem__", [](const ScriptMotion &m, const py::object &index) {
        const py::list steps = stepList(m.records(), 1);
        return py::object(steps[index]);
    });
    c.def("__iter__",
          [](const ScriptMotion &m) { return stepList(m.records(), 1).attr("__iter__")(); });
    c.def("__eq__", [](const ScriptMotion &m, const py::object &other) {
        return py::isinstance<ScriptMotion>(other) && m == other.cast<const ScriptMotion &>();
    });
    c.def(
        "copy", [](const ScriptMotion &m) { return ScriptMotion(m); }, "A copy of the motion.");
    c.def("__repr__", [](const ScriptMotion &m) {
        const QString file = m.path() ? QStringLiteral(" from '%1'").arg(*m.path()) : QString();
        return QStringLiteral("<kestrel.Motion of %1 steps%2>").arg(m.size()).arg(file);
    });
}

// The first pass as the editor times it, from the homes of the folder `configDir` (None: the
// motion's).
timing::Pass firstPassOf(const ScriptMotion &m, const std::optional<QString> &configDir)
{
    const QString dir = configDir.value_or(m.configDir());
    return timing::firstPass(m.records(), timing::passStartPose(settingsIn(dir)));
}

void bindTimedStep(py::module_ &m)
{
    using timing::TimedStep;
    py::class_<TimedStep> c(m, "TimedStep",
                            "One step of the first replay pass, as the editor's timeline shows "
                            "it.");
    c.def_property_readonly(
        "index", [](const TimedStep &t) { return t.record - 2; }, "Its index in Motion.steps.");
    c.def_readonly("record", &TimedStep::record, "Its record in the movement file (index + 2).");
    c.def_property_readonly(
        "seconds", [](const TimedStep &t) { return timing::seconds(t.startByte); },
        "When its first byte goes out, from the start of the pass.");
    c.def_property_readonly(
        "channel", [](const TimedStep &t) { return int(t.step.channel); }, "The step's axis.");
    c.def_property_readonly(
        "position", [](const TimedStep &t) { return int(t.step.position); },
        "Where the step puts its axis.");
    c.def_property_readonly(
        "pose", [](const TimedStep &t) { return poseTuple(t.pose); },
        "The five positions after it.");
    c.def("__repr__", [](const TimedStep &t) {
        return QStringLiteral("<kestrel.TimedStep %1 at %2 s: the %3 to %4>")
            .arg(t.record - 2)
            .arg(timing::seconds(t.startByte), 0, 'f', 4)
            .arg(axes::channelName(t.step.channel))
            .arg(t.step.position);
    });
}

void bindPassTiming(MotionClass &c)
{
    c.def_property_readonly(
        "duration",
        [](const ScriptMotion &m) { return timing::seconds(firstPassOf(m, {}).totalBytes); },
        "The first pass's time in seconds.");
    c.def(
        "timeline",
        [](const ScriptMotion &m, const std::optional<QString> &configDir) {
            return firstPassOf(m, configDir).steps;
        },
        py::arg("config_dir") = py::none(),
        "Each step's time in the first pass, as the editor shows it, from the homes of\n"
        "`config_dir` (None: the motion's configuration folder).");
}

} // namespace

void bindMotion(py::module_ &m)
{
    bindTimedStep(m);
    MotionClass c(m, "Motion", motionDoc);
    bindFileAndSteps(c);
    bindSequence(c);
    bindPassTiming(c);
    bindSelectionEdits(c);
    bindTimedEdits(c);
    bindExport(c);
}

} // namespace kpy
