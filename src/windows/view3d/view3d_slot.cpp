#include "windows/view3d/view3d_slot.h"

#include "windows/view3d/arm_view3d.h"
#include "windows/view3d/opengl_check.h"

#include <QLabel>

namespace view3d {

Slot makeSlot(const arm::Profile *profile, QWidget *parent)
{
    if (const std::optional<QString> &why = whyNo3D()) {
        auto *line = new QLabel(*why, parent);
        line->setObjectName(QStringLiteral("view3dFallback"));
        line->setAlignment(Qt::AlignCenter);
        line->setWordWrap(true);
        return {line, nullptr};
    }
    auto *view = new ArmView3D(profile, parent);
    view->setObjectName(QStringLiteral("view3d"));
    view->setAccessibleName(QStringLiteral("Arm in 3D"));
    return {view, view};
}

} // namespace view3d
