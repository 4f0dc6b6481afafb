// kestrel.Arm: the arm on a serial port, as kestrel-play drives it.
#include "bindings.h"

namespace kpy {

void bindArm(py::module_ &) {}

} // namespace kpy
