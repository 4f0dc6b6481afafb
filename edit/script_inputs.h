#pragma once
// What kestrel-edit's window-less commands (--export, --move-to, --solve) read before they work:
// the movement file, the homes of the configuration folder's robotini.txt and the arm profile, each
// read and reported as kestrel-play reads it, so that a script sees the same messages.

#include "core/arm/profile.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"
#include "edit/options.h"

#include <QString>
#include <optional>
#include <vector>

namespace edit {

struct ScriptInputs {
    std::vector<Step> records;
    config::Settings settings; // the defaults' homes when robotini.txt cannot be used (said)
    arm::Profile profile;
    QString profileFile;
};

// None when the movement file or the profile cannot be used; the message is then on standard
// error, and the command ends with 3.
std::optional<ScriptInputs> readScriptInputs(const Options &o);

struct ScriptProfile {
    arm::Profile profile;
    QString file;
};

// The arm profile alone, for a command that reads no movement file (--solve): --profile's file,
// which must exist, or arm.ini in the configuration folder, which may be missing. None when it
// cannot be used; the message is then on standard error.
std::optional<ScriptProfile> readScriptProfile(const Options &o);

} // namespace edit
