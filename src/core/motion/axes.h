#pragma once
// The five axes of the arm, numbered as on the wire, with the controls that hold them.

#include <array>

namespace axes {

constexpr int count = 5;
enum Channel { Base = 0, Shoulder = 1, Elbow = 2, Wrist = 3, Grip = 4 };

struct Axis {
    int channel;
    const char *name;      // lower case, for people: "base"
    const char *slider;    // objectName of the slider that holds the position
    int min;               // the slider's Min end (left or top)
    int max;               // the slider's Max end (right or bottom)
    const char *box;       // objectName of the immediate value box
    const char *configKey; // key in the configuration file
};

// Indexed by channel.
inline constexpr std::array<Axis, count> all{{
    {Base, "base", "HScroll1", 0, 255, "Text1", "MOTOR0="},
    {Shoulder, "shoulder", "VScroll1", 255, 0, "Text2", "MOTOR1="},
    {Elbow, "elbow", "VScroll3", 0, 255, "Text4", "MOTOR2="},
    {Wrist, "wrist", "VScroll4", 255, 0, "Text6", "MOTOR3="},
    {Grip, "grip", "HScroll2", 255, 0, "Text3", "MOTOR4="},
}};

// Homing walks the axes in this order, each one home before the next starts.
inline constexpr std::array<int, count> homingOrder{Grip, Wrist, Elbow, Shoulder, Base};

// Start-up centres the sliders in this order.
inline constexpr std::array<int, count> centringOrder{Base, Grip, Shoulder, Elbow, Wrist};

constexpr int centre = 127;
constexpr int lowest = 0;
constexpr int highest = 255;

} // namespace axes
