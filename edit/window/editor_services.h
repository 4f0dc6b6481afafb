#pragma once
// What an editor window is given: the seams for its dialogs and questions, and what it takes
// from the configuration and the system.

#include "core/arm/profile.h"
#include "core/edit/pass_timing.h"
#include "core/store/config_file.h"

#include <QString>

class Dialogs;
class GamePads;
namespace ask {
class Questions;
}

struct EditorServices {
    Dialogs *dialogs = nullptr;
    ask::Questions *questions = nullptr;
    timing::Pose passStart{127, 127, 127, 127, 127};
    QString stateFolder;       // where the editors keep their recovery snapshots
    config::Settings settings; // the configuration whose homes the exports' arm walks to
    QString profilePath;       // arm.ini in the configuration folder, or --profile's file
    arm::Profile profile = arm::defaults(); // read from it (the defaults when it is missing)
    GamePads *pads = nullptr; // the game controllers, started; none: no pad jogs the preview
};
