#pragma once

namespace edit {

// The whole editor: the command line, the configuration's homes, the window and the recovery
// offer. Returns the process's exit status.
int run(int argc, char **argv);

} // namespace edit
