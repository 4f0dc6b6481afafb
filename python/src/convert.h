#pragma once
// What every binding shares: Python's str as QString, the Qt application the line and the
// player need, the configuration folder and its settings, and the module's forms of a pose, a
// step, an ease and an index.
#include "core/arm/profile.h"
#include "core/edit/motion_edits.h"
#include "core/edit/timed_move.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QString>
#include <optional>
#include <pybind11/pybind11.h>
#include <pybind11/stl.h>
#include <string>
#include <vector>

namespace pybind11::detail {
// str <-> QString, UTF-8 both ways.
template <> struct type_caster<QString> {
    PYBIND11_TYPE_CASTER(QString, const_name("str"));
    bool load(handle src, bool)
    {
        if (!PyUnicode_Check(src.ptr()))
            return false;
        Py_ssize_t size = 0;
        const char *utf8 = PyUnicode_AsUTF8AndSize(src.ptr(), &size);
        if (!utf8) {
            PyErr_Clear();
            return false;
        }
        value = QString::fromUtf8(utf8, size);
        return true;
    }
    static handle cast(const QString &s, return_value_policy, handle)
    {
        const QByteArray utf8 = s.toUtf8();
        return PyUnicode_FromStringAndSize(utf8.constData(), utf8.size());
    }
};
} // namespace pybind11::detail

namespace kpy {

namespace py = pybind11;

// Qt's event loop runs the line's clock and the player; a script has no application of its own,
// so the first call that needs one makes it.
void ensureApp();

// The configuration folder a call names, or Kestrel's own (~/.config/kestrel) for None.
QString configFolder(const std::optional<QString> &dir);
// The settings of the folder's robotini.txt: the homes the arm walks to. A missing or unreadable
// file gives the defaults, as it does for kestrel-play.
config::Settings settingsIn(const QString &folder);
// The same, with the notice for the user when the file is missing or cannot be read.
config::Loaded configurationIn(const QString &folder);

// A pose given as five positions (0..255) or by the name of one of the profile's poses.
timing::Pose poseOf(const py::handle &value, const arm::Profile &profile);
py::tuple poseTuple(const timing::Pose &pose);

// Steps given as (channel, position) pairs, each 0..255.
std::vector<Step> stepsOf(const py::iterable &steps);
py::list stepList(const std::vector<Step> &steps, std::size_t from = 0);

moves::Ease easeOf(const QString &name);

// A Python index into `size` items (negative from the end), clamped to 0..size; None: `none`.
int indexOf(const std::optional<int> &index, int size, int none);

} // namespace kpy
