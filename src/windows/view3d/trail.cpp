#include "windows/view3d/trail.h"

#include <algorithm>

namespace view3d {

Trail::Trail(int capacity) : m_capacity(std::max(capacity, 1)) {}

bool Trail::add(const std::array<int, axes::count> &pose, const arm::Point &tool)
{
    if (m_last == pose)
        return false;
    m_last = pose;
    if (size() < m_capacity) {
        m_points.push_back(tool);
        return true;
    }
    m_points[m_next] = tool;
    m_next = (m_next + 1) % m_points.size();
    return true;
}

std::vector<arm::Point> Trail::points() const
{
    std::vector<arm::Point> out;
    out.reserve(m_points.size());
    out.insert(out.end(), m_points.begin() + ptrdiff_t(m_next), m_points.end());
    out.insert(out.end(), m_points.begin(), m_points.begin() + ptrdiff_t(m_next));
    return out;
}

} // namespace view3d
