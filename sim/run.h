#pragma once

namespace sim {

// The whole simulator: options, the published port, the window or the headless log, and the
// clean-up on every ordinary way out. Returns the process's exit status.
int run(int argc, char **argv);

} // namespace sim
