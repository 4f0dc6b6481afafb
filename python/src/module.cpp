// import kestrel: Kestrel's motions, arm profile and player for Python scripts.
#include "bindings.h"
#include "core/motion/axes.h"
#include "errors.h"

#include <pybind11/pybind11.h>

namespace py = pybind11;

PYBIND11_MODULE(kestrel, m)
{
    m.doc() = R"(Kestrel for Python: motions, the arm's model and a live arm.

The module is built on the same code as Kestrel's programs, so a script and the programs never
disagree about a byte: a motion saved here is the file the editor saves, an export is what
kestrel-edit --export writes, a check is kestrel-play's refusal, and Arm.play sends what
kestrel-play sends.

Axes are named "base", "shoulder", "elbow", "wrist" and "grip"; an axis's channel is its index
in AXES. A pose is five positions (0..255) by channel, or the name of a pose the arm profile
keeps. Lengths are millimetres and angles degrees, as in arm.ini.

Motion     a motion: load, edit, time, check, export and save it
Profile    the arm's profile: the tool point of a pose, the pose of a tool point, limits
Arm        the arm on a serial port: move it, move its tool point, play a motion
Error      the base of every error the module raises)";
    m.attr("__version__") = KESTREL_MODULE_VERSION;
    py::tuple names(axes::count);
    for (int channel = 0; channel < axes::count; ++channel)
        names[channel] = axes::all[channel].name;
    m.attr("AXES") = names;
    kpy::addErrors(m);
    kpy::bindBreach(m);
    kpy::bindProfile(m);
    kpy::bindMotion(m);
    kpy::bindArm(m);
}
