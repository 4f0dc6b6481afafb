// kestrel.Profile: the arm's profile, its kinematics and its check of a motion.
#include "bindings.h"
#include "convert.h"
#include "core/arm/inverse.h"
#include "core/arm/kinematics.h"
#include "core/arm/limit_check.h"
#include "core/arm/profile_file.h"
#include "core/edit/check_rows.h"
#include "errors.h"
#include "script_motion.h"

#include <QFileInfo>
#include <pybind11/stl.h>

namespace kpy {

ScriptProfile profileOr(const std::optional<ScriptProfile> &given, const QString &configDir)
{
    if (given)
        return *given;
    const QString path = arm::profilePath(configDir);
    const arm::ProfileRead read = arm::load(path, true);
    if (!read.ok())
        raise(ErrorKind::Profile, read.error, py::dict(py::arg("path") = path));
    const bool exists = QFileInfo::exists(path);
    return {read.profile, exists ? std::optional<QString>(path) : std::nullopt};
}

namespace {

void bindReading(py::class_<ScriptProfile> &c)
{
    c.def(py::init([] {
              return ScriptProfile{arm::defaults(), std::nullopt};
          }),
          "The profile of an arm.ini that says nothing.");
    c.def_static(
        "load",
        [](const std::optional<QString> &path, const std::optional<QString> &configDir) {
            if (!path)
                return profileOr(std::nullopt, configFolder(configDir));
            const arm::ProfileRead read = arm::load(*path, false);
            if (!read.ok())
                raise(ErrorKind::Profile, read.error, py::dict(py::arg("path") = *path));
            return ScriptProfile{read.profile, QFileInfo(*path).absoluteFilePath()};
        },
        py::arg("path") = py::none(), py::arg("config_dir") = py::none(),
        "The profile at `path`, which must exist; None: arm.ini in the configuration folder,\n"
        "where no file means the defaults. ProfileError names what is wrong.");
    c.def_property_readonly(
        "path", [](const ScriptProfile &p) { return p.path; },
        "The file the profile was read from; None for the defaults.");
    c.def_property_readonly(
        "poses",
        [](const ScriptProfile &p) {
            py::dict poses;
            for (const arm::NamedPose &pose : p.profile.poses)
                poses[py::cast(pose.name)] = poseTuple(pose.positions);
            return poses;
        },
        "The named poses, by name.");
}

py::tuple toolPoint(const ScriptProfile &p, const py::handle &pose)
{
    const arm::Reach reach = arm::forward(p.profile, poseOf(pose, p.profile));
    return py::make_tuple(reach.tool.x, reach.tool.y, reach.tool.z, reach.pitch);
}

py::tuple solve(const ScriptProfile &p, double x, double y, double z, double pitch,
                const py::object &near)
{
    std::optional<arm::Pose> from;
    if (!near.is_none())
        from = poseOf(near, p.profile);
    const arm::Solved solved = arm::solve(p.profile, arm::Target{{x, y, z}, pitch}, from);
    if (!solved.solution)
        raise(ErrorKind::Move, solved.error);
    return poseTuple(solved.solution->pose);
}

py::list check(const ScriptProfile &p, const ScriptMotion &motion, int loops,
               const std::optional<QString> &configDir)
{
    if (loops < 0)
        raise(ErrorKind::Error, QStringLiteral("The loop count is 0 (for ever) or more."));
    ensureApp(); // the frames come from running the player
    const config::Settings settings = settingsIn(configDir ? *configDir : motion.configDir());
    const arm::LineFrames line = arm::lineFrames(motion.records(), settings, loops);
    if (!line.error.isEmpty())
        raise(ErrorKind::Error, line.error);
    py::list breaches;
    for (const arm::Breach &breach : checks::distinct(arm::check(p.profile, line.frames)))
        breaches.append(breachObject(breach));
    return breaches;
}

void bindKinematics(py::class_<ScriptProfile> &c)
{
    c.def("tool_point", &toolPoint, py::arg("pose"),
          "(x, y, z, pitch) of the tool point in `pose` (five positions or a pose's name): mm\n"
          "from the table under the base's axis, x forward, y to the arm's left, z up; the\n"
          "hand's pitch in degrees, 0 level, -90 pointing down.");
    c.def("solve", &solve, py::arg("x"), py::arg("y"), py::arg("z"), py::arg("pitch"),
          py::arg("near") = py::none(),
          "The pose within the limits whose tool point is nearest (x, y, z) at `pitch`, chosen\n"
          "nearest `near` (MoveError with the reason when there is none). The grip is near's,\n"
          "else 127.");
    c.def("check", &check, py::arg("motion"), py::arg("loops") = 1,
          py::arg("config_dir") = py::none(),
          "The breaches of the profile by `motion` played `loops` times (0: for ever), checked\n"
          "on the bytes kestrel-play would send, from its start-up on: one for each record,\n"
          "axis and rule, in the order the line meets them, as the editor's Check list shows\n"
          "them; empty when the motion keeps to the profile. The first is the one kestrel-play\n"
          "refuses the motion with.\n"
          "config_dir: the folder whose homes the arm walks to; None: the motion's.");
}

} // namespace

void bindProfile(py::module_ &m)
{
    py::class_<ScriptProfile> c(m, "Profile",
                                "The arm's profile (arm.ini): its shape, each joint's "
                                "calibration and limits, and the poses it names.");
    bindReading(c);
    bindKinematics(c);
}

} // namespace kpy
