#include "scenes.h"

#include <array>

namespace shots {

namespace {

const std::array<Scene, 15> scenes{{
    {"shot-main.jpg", "the main window after start-up", mainAfterStartUp},
    {"shot-sim.jpg", "the simulated arm's window after a few moves", simulatedArm},
    {"shot-port.jpg", "the Options menu, Comm 1 checked", optionsMenu},
    {"shot-error.jpg", "COMM SETTINGS, error 8002, over the main window", portError},
    {"shot-axes.jpg", "the sliders in a pose", sliders},
    {"shot-boxes.jpg", "200 typed in the SHOULDER box, before Enter", valueBoxes},
    {"shot-home.jpg", "HOME walking the wrist back", homing},
    {"shot-rec.jpg", "a recording: REC red, BACK enabled", recording},
    {"shot-run.jpg", "a replay: PAUSE enabled, LOOPS 3", replay},
    {"pad.jpg", "what a game controller's sticks and buttons do", padMap},
    {"shot-files.jpg", "the open dialog, Select File to Open", openDialog},
    {"shot-config.jpg", "Show Current Setting's box", currentSettings},
    {"shot-messages.jpg", "VM Warning over the main window", modemWarning},
    {"shot-about.jpg", "the About, Welcome and Author windows", productWindows},
    {"shot-help.jpg", "the help window with a topic selected", helpWindow},
}};

} // namespace

const Scene *sceneFor(const QString &picture)
{
    for (const Scene &scene : scenes)
        if (picture == QLatin1String(scene.picture))
            return &scene;
    return nullptr;
}

} // namespace shots
