#include "edit/script_inputs.h"

#include "core/arm/profile_file.h"
#include "core/program/terminal.h"
#include "core/store/folders.h"
#include "core/store/movement_file.h"

namespace edit {

using program::say;

namespace {

Folders scriptFolders(const Options &o)
{
    return o.configDir.isEmpty() ? Folders::standard() : Folders{o.configDir, {}};
}

} // namespace

std::optional<ScriptProfile> readScriptProfile(const Options &o)
{
    // --profile's file must exist; arm.ini in the configuration folder may be missing.
    const QString file =
        o.profile.isEmpty() ? arm::profilePath(scriptFolders(o).config) : o.profile;
    const arm::ProfileRead profile = arm::load(file, o.profile.isEmpty());
    if (!profile.ok()) {
        say(stderr, profile.error);
        return std::nullopt;
    }
    return ScriptProfile{profile.profile, file};
}

std::optional<ScriptInputs> readScriptInputs(const Options &o)
{
    const movement::Loaded file = movement::load(o.file);
    if (!file.ok()) {
        say(stderr, file.message);
        return std::nullopt;
    }
    const config::Loaded configuration = config::load(scriptFolders(o).configFile());
    // As kestrel-play says it: the homes are then the defaults.
    if (configuration.trouble != config::Loaded::Trouble::None)
        say(stderr, configuration.notice);
    const std::optional<ScriptProfile> profile = readScriptProfile(o);
    if (!profile)
        return std::nullopt;
    return ScriptInputs{file.records, configuration.settings, profile->profile, profile->file};
}

} // namespace edit
