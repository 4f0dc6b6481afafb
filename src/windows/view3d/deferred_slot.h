#pragma once
// The 3D view's place in a window that must open quickly: empty until the window's first paint
// is done, then the view or the line saying why there is none (view3d_slot.h). Finding out
// whether OpenGL can be had, loading it and starting Qt 3D take longer than the rest of a window
// together (four tenths of a second on a software renderer), so the window is drawn first and
// the view comes just after.

#include <QWidget>

namespace arm {
struct Profile;
}

namespace view3d {

class ArmView3D;

class DeferredSlot : public QWidget {
    Q_OBJECT
public:
    DeferredSlot(const arm::Profile *profile, QWidget *parent);
    ArmView3D *view() const { return m_view; } // none before it is made, or with no OpenGL

Q_SIGNALS:
    // Once, after the first paint: the view, or none where the line is shown instead.
    void made(view3d::ArmView3D *view);

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    void make();

    const arm::Profile *m_profile;
    ArmView3D *m_view = nullptr;
    bool m_asked = false;
};

} // namespace view3d
