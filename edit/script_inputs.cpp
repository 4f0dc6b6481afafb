#include "edit/script_inputs.h"

#include "core/arm/profile_file.h"
#include "core/program/terminal.h"
#include "core/store/folders.h"
#include "core/store/movement_file.h"

namespace edit {

using program::say;

std::optional<ScriptInputs> readScriptInputs(const Options &o)
{
    const movement::Loaded file = movement::load(o.file);
    if (!file.ok()) {
        say(stderr, file.message);
        return std::nullopt;
    }
    const Folders folders = o.configDir.isEmpty() ? Folders::standard() : Folders{o.configDir, {}};
    const config::Loaded configuration = config::load(folders.configFile());
    // As kestrel-play says it: the homes are then the defaults.
    if (configuration.trouble != config::Loaded::Trouble::None)
        say(stderr, configuration.notice);
    // --profile's file must exist; arm.ini in the configuration folder may be missing.
    const QString profileFile = o.profile.isEmpty() ? arm::profilePath(folders.config) : o.profile;
    const arm::ProfileRead profile = arm::load(profileFile, o.profile.isEmpty());
    if (!profile.ok()) {
        say(stderr, profile.error);
        return std::nullopt;
    }
    return ScriptInputs{file.records, configuration.settings, profile.profile, profileFile};
}

} // namespace edit
