#pragma once
// How a position becomes a servo's angle in the pictures of the arm (the simulator's and the
// editor's preview) and in the simulator's numbers. The controller has no idea of a servo's real
// travel; this is the drawing's convention: 180 degrees over the 256 positions, linearly, with
// the centre (127) at 0, so 0 is -89.6, 127 is 0 and 255 is +90.4. The half-step lopsidedness
// keeps 127, the program's centre and default home, exactly upright.

#include "core/motion/axes.h"

namespace servo {

inline double degrees(int position)
{
    return (position - axes::centre) * 180.0 / 255.0;
}

} // namespace servo
