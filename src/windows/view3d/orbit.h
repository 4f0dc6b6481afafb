#pragma once
// The 3D view's camera as the mouse moves it: it circles a target point at a distance, turned by
// a yaw about the vertical and lifted by a pitch above the horizontal, so that z stays up on the
// screen whatever the user does. No widget: the view hands it the mouse's movements in pixels
// and asks it where the eye is.

#include "core/arm/kinematics.h"

namespace view3d {

struct OrbitPlace {
    double yaw = 0;      // degrees about z, counter-clockwise seen from above; 0: the eye on +x
    double pitch = 0;    // degrees above the horizontal, kept short of straight up and down
    double distance = 1; // from the eye to the target, mm
    arm::Point target{}; // what the eye looks at, mm
};

class Orbit {
public:
    static constexpr double degreesPerPixel = 0.4;
    static constexpr double maxPitch = 89;      // past it the up direction would flip
    static constexpr double wheelFactor = 0.85; // the distance after one notch towards the target
    static constexpr double fieldOfView = 35;   // vertical, degrees

    explicit Orbit(const OrbitPlace &home = {});

    // Left drag: the scene turns with the pointer.
    void drag(double dx, double dy);
    // Right or middle drag: the target moves so that the point under the pointer stays under it,
    // for a view `viewHeight` pixels tall.
    void pan(double dx, double dy, double viewHeight);
    // Wheel notches, positive towards the target; the distance stays within its bounds.
    void zoom(double notches);
    // Back where it started; a new home (a new arm) also goes there.
    void reset() { m_place = m_home; }
    void setHome(const OrbitPlace &home);
    // Straight to `place`, kept within the bounds the mouse is kept in.
    void setPlace(const OrbitPlace &place);

    const OrbitPlace &place() const { return m_place; }
    double minDistance() const { return m_home.distance / 20; }
    double maxDistance() const { return m_home.distance * 20; }
    arm::Point eye() const;
    // The screen's right and up directions in the scene, unit length.
    arm::Point right() const;
    arm::Point up() const;

private:
    OrbitPlace m_home;
    OrbitPlace m_place;
};

} // namespace view3d
