#pragma once
// Whether the 3D view can be had here. Qt 3D needs OpenGL; without it (a display with no GL, a
// remote session, the offscreen platform) making its window would fail at its first frame, or
// abort, so the windows ask first and show one line saying why instead.

#include <QString>
#include <optional>

namespace view3d {

// KESTREL_NO_3D=1 turns the 3D view off whatever the display can do: for a driver that draws
// it wrong, or to compare. Needs a QGuiApplication.
inline constexpr char noThreeD[] = "KESTREL_NO_3D";

// Why there is no 3D view, or none when there can be one: a context made and made current on an
// offscreen surface with the format the view asks for, on a platform that shows windows.
std::optional<QString> checkOpenGL();

// The same answer, asked of the display once per program: the check costs a context.
const std::optional<QString> &whyNo3D();

} // namespace view3d
