#pragma once
// What a game controller's sticks and buttons do, in one table for everyone who asks: the main
// window and the editor follow it, and the picture of the pad in the README and the help file
// is drawn from it. The names are those of SDL's game-controller layer, which gives every
// common pad (Xbox, PlayStation, Switch and their copies) the same layout: A is the bottom face
// button, Y the top one, whatever the pad prints on them.

#include "core/edit/tip_jog.h"

#include <QMetaType>
#include <QString>

#include <array>
#include <cstdint>
#include <span>

namespace pad {

// In SDL's order (SDL_GameControllerAxis), so that a state is read by index.
enum class Stick { LeftX, LeftY, RightX, RightY, LeftTrigger, RightTrigger };
inline constexpr int stickCount = 6;
// In SDL's order (SDL_GameControllerButton), so that a button is its bit in State::buttons.
enum class Button {
    A, B, X, Y, Back, Guide, Start, LeftStick, RightStick, LeftShoulder, RightShoulder,
    DpadUp, DpadDown, DpadLeft, DpadRight
};

// One reading of a pad. Sticks run from -32768 to 32767 with right and up positive (SDL's y
// runs down; the reader turns it); triggers from 0 (released) to 32767.
struct State {
    std::array<int, stickCount> sticks{};
    std::uint32_t buttons = 0;

    int stick(Stick s) const { return sticks[static_cast<int>(s)]; }
    bool held(Button b) const { return buttons >> static_cast<int>(b) & 1; }
};

// A stick, or a trigger, that moves one arm axis: pushed its positive way (right, up, or the
// trigger pulled) the axis's position goes `sign` (+1 up, -1 down).
struct Drive {
    Stick stick;
    int channel;
    int sign;
};

// What a transport button does, named for the main window's buttons.
enum class Transport { Rec, Stop, Run, Pause, Home, Back };
struct Press {
    Button button;
    Transport transport;
};

// The main window: each axis's stick moves the slider's thumb the way the stick is pushed
// (BASE right, SHOULDER and ELBOW up), the wrist tilts with the right stick across, and the
// triggers open (left) and close (right) the grip, GRIP running from 255 (open) to 0 (closed).
std::span<const Drive> windowDrives();
std::span<const Press> windowPresses();

// The editor's pad. Jogging joints, the sticks and triggers move the preview's pose as
// windowDrives() move the main window's sliders. Jogging the tool point, the left stick moves it
// over the table as the arrow keys do (up: away from the base along x; right: towards the arm's
// right, -y), the right stick raises and lowers it (up and down) and tilts the hand (across);
// the triggers still work the grip.
struct TipDrive {
    Stick stick;
    jog::Axis axis;
    double perSecond; // mm, or degrees of pitch, a second at a full push; signed
};
std::span<const TipDrive> editorTipDrives();
inline constexpr Button insertPose = Button::A; // a timed move to the shown pose, at the cursor
inline constexpr Button showClock = Button::B;  // back to the playhead's pose
inline constexpr Button switchJog = Button::Y;  // joints <-> tool point

// "Xbox 360 Controller", or "Game controller" for one without a name: as the status shows it.
QString displayName(const char *sdlName);
// The name under which the table and the picture give a button or stick ("A", "Start", "left
// stick across").
QString buttonName(Button b);
QString stickName(Stick s);
QString transportName(Transport t); // "REC", "PAUSE/CONT", ...

} // namespace pad

Q_DECLARE_METATYPE(pad::State)
Q_DECLARE_METATYPE(pad::Button)
