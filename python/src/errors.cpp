#include "errors.h"

#include <array>

namespace kpy {

namespace {

struct Kind {
    const char *name;
    const char *doc;
};

// By ErrorKind; the first is the base of the others.
constexpr std::array<Kind, 6> kinds{{
    {"Error", "Every error the module raises; its message is the one Kestrel's programs give."},
    {"FileError", "A file cannot be read or written. `path` names it; `line` is the line of a "
                  "fault in a movement file (0 when the fault is not a line's)."},
    {"ProfileError", "An arm profile cannot be used; the message names the file, its section "
                     "and key. `path` names the file."},
    {"LimitError", "A motion or a move would take the arm outside its profile; nothing was "
                   "sent or written. `breach` says where."},
    {"MoveError", "A move cannot be made: a target out of reach, a duration the caps refuse, "
                  "a move with neither a duration nor a cap to choose one."},
    {"PortError", "The port cannot be used, or the device went away. `errno` is Kestrel's "
                  "error number (8002: no device, ...); `device` the device line of the "
                  "message."},
}};

// The classes live as long as the interpreter: they are never freed.
std::array<PyObject *, kinds.size()> classes{};

} // namespace

void addErrors(py::module_ &m)
{
    const std::string module = py::cast<std::string>(m.attr("__name__"));
    for (std::size_t i = 0; i < kinds.size(); ++i) {
        const std::string qualified = module + "." + kinds[i].name;
        PyObject *base = i == 0 ? PyExc_Exception : classes[0];
        classes[i] = PyErr_NewExceptionWithDoc(qualified.c_str(), kinds[i].doc, base, nullptr);
        if (!classes[i])
            throw py::error_already_set();
        m.add_object(kinds[i].name, py::handle(classes[i]).inc_ref());
    }
}

void raise(ErrorKind kind, const QString &message, const py::dict &attributes)
{
    QString text = message;
    text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QChar('\r'), QChar('\n'));
    py::handle type = classes[std::size_t(kind)];
    py::object error = type(text.toStdString());
    for (const auto &[key, value] : attributes)
        py::setattr(error, key, value);
    PyErr_SetObject(type.ptr(), error.ptr());
    throw py::error_already_set();
}

} // namespace kpy
