#pragma once
// kestrel-edit --help's description: what the editor does and what each window-less command
// writes and how it ends. Long enough to be a subject of its own beside the options' parsing.

namespace edit {

extern const char *const helpDescription;

} // namespace edit
