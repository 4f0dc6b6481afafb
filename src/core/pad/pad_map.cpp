#include "core/pad/pad_map.h"

#include "core/motion/axes.h"

namespace pad {

namespace {

using enum Stick;

// A stick pushed up or right moves the thumb up or right: BASE's value rises to the right,
// SHOULDER's towards its 255 at the top, ELBOW's falls towards its 0 at the top.
constexpr std::array<Drive, 6> drives{{
    {LeftX, axes::Base, +1},
    {LeftY, axes::Shoulder, +1},
    {RightY, axes::Elbow, -1},
    {RightX, axes::Wrist, +1},
    {LeftTrigger, axes::Grip, +1},  // opens: GRIP's 255 is open
    {RightTrigger, axes::Grip, -1}, // closes
}};

constexpr std::array<Press, 6> presses{{
    {Button::X, Transport::Rec},
    {Button::B, Transport::Stop},
    {Button::A, Transport::Run},
    {Button::Start, Transport::Pause},
    {Button::Y, Transport::Home},
    {Button::Back, Transport::Back},
}};

constexpr std::array<TipDrive, 4> tipDrives{{
    {LeftY, jog::Axis::X, 100},
    {LeftX, jog::Axis::Y, -100},
    {RightY, jog::Axis::Z, 100},
    {RightX, jog::Axis::Pitch, 60},
}};

} // namespace

std::span<const TipDrive> editorTipDrives() { return tipDrives; }
std::span<const Drive> windowDrives() { return drives; }
std::span<const Press> windowPresses() { return presses; }

QString displayName(const char *sdlName)
{
    const QString name = QString::fromUtf8(sdlName).trimmed();
    return name.isEmpty() ? QStringLiteral("Game controller") : name;
}

QString buttonName(Button b)
{
    static const std::array<const char *, 15> names{
        "A", "B", "X", "Y", "Back", "Guide", "Start", "Left stick press", "Right stick press",
        "LB", "RB", "D-pad up", "D-pad down", "D-pad left", "D-pad right"};
    return QString::fromLatin1(names[static_cast<std::size_t>(b)]);
}

QString stickName(Stick s)
{
    static const std::array<const char *, stickCount> names{
        "Left stick across", "Left stick up and down", "Right stick across",
        "Right stick up and down", "Left trigger", "Right trigger"};
    return QString::fromLatin1(names[static_cast<std::size_t>(s)]);
}

QString transportName(Transport t)
{
    static const std::array<const char *, 6> names{"REC", "STOP", "RUN", "PAUSE/CONT", "HOME",
                                                   "BACK"};
    return QString::fromLatin1(names[static_cast<std::size_t>(t)]);
}

} // namespace pad
