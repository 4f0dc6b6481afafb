#pragma once
// The module's parts, each added by its own file.
#include "core/arm/limit_check.h"
#include "core/arm/profile.h"

#include <QString>
#include <optional>
#include <pybind11/pybind11.h>

namespace kpy {

namespace py = pybind11;

// kestrel.Profile's state: the profile and the file it was read from (none: the defaults).
struct ScriptProfile {
    arm::Profile profile;
    std::optional<QString> path;
};

// The profile a call is given, or arm.ini in the configuration folder (kestrel.ProfileError when
// it cannot be used).
ScriptProfile profileOr(const std::optional<ScriptProfile> &given, const QString &configDir);

// A Breach for Python; kestrel.LimitError carries one, Profile.check lists them.
py::object breachObject(const arm::Breach &breach);

void bindBreach(py::module_ &m);
void bindMotion(py::module_ &m);
void bindProfile(py::module_ &m);
void bindArm(py::module_ &m);

} // namespace kpy
