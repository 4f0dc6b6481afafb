#pragma once
// The module's exceptions: kestrel.Error and one subclass a kind of trouble, each carrying
// Kestrel's own message (the one the programs print) and what a script may want to look at
// (the file, the line, the port's error number).
#include <QString>
#include <pybind11/pybind11.h>

namespace kpy {

namespace py = pybind11;

enum class ErrorKind { Error, File, Profile, Limit, Move, Port };

// Makes the exception classes and adds them to the module.
void addErrors(py::module_ &m);

// Raises the exception of `kind` with `message` (its lines, which Kestrel separates with
// carriage returns, become Python's) and `attributes` set on it.
[[noreturn]] void raise(ErrorKind kind, const QString &message, const py::dict &attributes = {});

} // namespace kpy
