// kestrel.Profile: the arm's profile, its kinematics and its check of a motion.
#include "bindings.h"
#include "convert.h"
#include "core/arm/profile_file.h"
#include "errors.h"

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

} // namespace

void bindProfile(py::module_ &m)
{
    py::class_<ScriptProfile> c(m, "Profile",
                                "The arm's profile (arm.ini): its shape, each joint's "
                                "calibration and limits, and the poses it names.");
    bindReading(c);
}

} // namespace kpy
