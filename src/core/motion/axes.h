#pragma once
// The five axes of the arm, numbered as on the wire, with the controls that hold them. This is
// the one table of them: the main window builds each slider and value box from it, the
// configuration file names its keys from it, and start-up and homing take their orders from it.

#include <QString>
#include <array>

namespace axes {

constexpr int count = 5;
enum Channel { Base = 0, Shoulder = 1, Elbow = 2, Wrist = 3, Grip = 4 };

// A place on the main window, in twips from its top left corner.
struct Place {
    int left, top, width, height;
};

struct Axis {
    int channel;
    const char *name;   // lower case, for people: "base"
    const char *slider; // objectName of the slider that holds the position
    bool vertical;      // the slider stands upright
    int min;            // the slider's Min end (left or top)
    int max;            // the slider's Max end (right or bottom)
    int created;        // where the slider stands when the window is made, before start-up
    Place sliderAt;
    const char *box;       // objectName of the immediate value box
    int boxLeft, boxTop;   // the box is valueBoxWidth by valueBoxHeight
    const char *boxTip;    // the box's tooltip
    const char *configKey; // key in the configuration file
};

constexpr int valueBoxWidth = 495;
constexpr int valueBoxHeight = 285;

// Indexed by channel.
inline constexpr std::array<Axis, count> all{{
    {Base,
     "base",
     "HScroll1",
     false,
     0,
     255,
     127,
     {240, 2100, 1815, 315},
     "Text1",
     1560,
     1740,
     "Immediate Value For Horizontal",
     "MOTOR0="},
    {Shoulder,
     "shoulder",
     "VScroll1",
     true,
     255,
     0,
     0,
     {2460, 1020, 525, 1515},
     "Text2",
     2460,
     660,
     "Immediate Value For Shoulder Movement",
     "MOTOR1="},
    {Elbow,
     "elbow",
     "VScroll3",
     true,
     0,
     255,
     255,
     {3360, 1020, 525, 1515},
     "Text4",
     3360,
     660,
     "Immediate Value For Elbow Movement",
     "MOTOR2="},
    {Wrist,
     "wrist",
     "VScroll4",
     true,
     255,
     0,
     0,
     {4260, 1020, 525, 1515},
     "Text6",
     4260,
     660,
     "Immediate Value For Wrist Movement",
     "MOTOR3="},
    {Grip,
     "grip",
     "HScroll2",
     false,
     255,
     0,
     0,
     {240, 960, 1815, 315},
     "Text3",
     1560,
     600,
     "Immediate Value For Grip Movement",
     "MOTOR4="},
}};

// Homing walks the axes in this order, each one home before the next starts.
inline constexpr std::array<int, count> homingOrder{Grip, Wrist, Elbow, Shoulder, Base};

// Start-up centres the sliders in this order.
inline constexpr std::array<int, count> centringOrder{Base, Grip, Shoulder, Elbow, Wrist};

// "base", ..., "grip"; "channel 9" for a channel no servo hangs off.
QString channelName(int channel);

constexpr int centre = 127;
constexpr int lowest = 0;
constexpr int highest = 255;

} // namespace axes
