#pragma once
// What the main window needs from the world, handed in so that tests can replace each piece.

#include "core/store/folders.h"

#include <functional>

class Port;
class Dialogs;
class GamePads;

struct Services {
    Port *port = nullptr;
    Dialogs *dialogs = nullptr;
    Folders folders;
    // Ends the program at once, with status 0, running no further handler.
    std::function<void()> endProgram;
    // The game controllers, already started; none: the window has no pad.
    GamePads *pads = nullptr;
};
