#pragma once
// kestrel-play from its command line to its exit status.

namespace play {

// argc/argv as main has them; returns the exit status (play::Exit, or 128 + a signal).
int run(int argc, char **argv);

} // namespace play
