#include "windows/view3d/orbit.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace view3d {

namespace {

double radians(double degrees)
{
    return degrees * std::numbers::pi / 180;
}

arm::Point plus(arm::Point a, arm::Point b, double k)
{
    return {a.x + b.x * k, a.y + b.y * k, a.z + b.z * k};
}

} // namespace

Orbit::Orbit(const OrbitPlace &home)
{
    setHome(home);
}

void Orbit::setHome(const OrbitPlace &home)
{
    m_home = home;
    m_home.pitch = std::clamp(home.pitch, -maxPitch, maxPitch);
    m_home.distance = std::max(home.distance, 1e-3);
    m_place = m_home;
}

void Orbit::setPlace(const OrbitPlace &place)
{
    m_place = place;
    m_place.pitch = std::clamp(place.pitch, -maxPitch, maxPitch);
    m_place.distance = std::clamp(place.distance, minDistance(), maxDistance());
}

void Orbit::drag(double dx, double dy)
{
    m_place.yaw = std::remainder(m_place.yaw - dx * degreesPerPixel, 360.0);
    m_place.pitch = std::clamp(m_place.pitch + dy * degreesPerPixel, -maxPitch, maxPitch);
}

void Orbit::pan(double dx, double dy, double viewHeight)
{
    if (viewHeight <= 0)
        return;
    // The height the view shows at the target's distance, spread over its pixels.
    const double mmPerPixel =
        2 * m_place.distance * std::tan(radians(fieldOfView / 2)) / viewHeight;
    m_place.target = plus(m_place.target, right(), -dx * mmPerPixel);
    m_place.target = plus(m_place.target, up(), dy * mmPerPixel);
}

void Orbit::zoom(double notches)
{
    m_place.distance =
        std::clamp(m_place.distance * std::pow(wheelFactor, notches), minDistance(), maxDistance());
}

arm::Point Orbit::eye() const
{
    const double yaw = radians(m_place.yaw), pitch = radians(m_place.pitch);
    const arm::Point away{std::cos(pitch) * std::cos(yaw), std::cos(pitch) * std::sin(yaw),
                          std::sin(pitch)};
    return plus(m_place.target, away, m_place.distance);
}

arm::Point Orbit::right() const
{
    const double yaw = radians(m_place.yaw);
    return {-std::sin(yaw), std::cos(yaw), 0};
}

arm::Point Orbit::up() const
{
    const double yaw = radians(m_place.yaw), pitch = radians(m_place.pitch);
    return {-std::sin(pitch) * std::cos(yaw), -std::sin(pitch) * std::sin(yaw), std::cos(pitch)};
}

} // namespace view3d
