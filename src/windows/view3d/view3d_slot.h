#pragma once
// The 3D view's place in a window: the view where OpenGL can be had (objectName "view3d"), else
// one line saying why there is none (objectName "view3dFallback"), asked once per program. The
// flat views beside it stay as they are either way.

#include <QWidget>

namespace arm {
struct Profile;
}

namespace view3d {

class ArmView3D;

struct Slot {
    QWidget *widget = nullptr; // what goes into the layout
    ArmView3D *view = nullptr; // none when the line is shown instead
};

Slot makeSlot(const arm::Profile *profile, QWidget *parent);

} // namespace view3d
