#pragma once
// The simulator's path in 3D: where the tool point has been over the last poses received, oldest
// first. A pose received again, as each step's second frame and every idle refresh bring it, adds
// nothing, so the trail holds the last `capacity` different poses (by default as many as the
// longest motion Kestrel keeps has records) however long the simulator runs.

#include "core/arm/kinematics.h"

#include <optional>
#include <vector>

namespace view3d {

class Trail {
public:
    static constexpr int longestMotion = 12010;

    explicit Trail(int capacity = longestMotion);

    // The tool point of `pose` added, unless `pose` is the one added last; true when added.
    bool add(const std::array<int, axes::count> &pose, const arm::Point &tool);
    std::vector<arm::Point> points() const;
    int size() const { return int(m_points.size()); }
    int capacity() const { return m_capacity; }

private:
    int m_capacity;
    std::vector<arm::Point> m_points; // a ring once full: the oldest at m_next
    size_t m_next = 0;
    std::optional<std::array<int, axes::count>> m_last;
};

} // namespace view3d
