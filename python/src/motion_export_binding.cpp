// kestrel.Motion.export: what kestrel-edit --export writes for the motion, made by the same
// exports and refused with the same messages, so that a script's file and the program's are the
// same bytes.
#include "convert.h"
#include "core/arm/profile_file.h"
#include "core/export/exports.h"
#include "errors.h"
#include "motion_parts.h"

#include <QFileInfo>

namespace kpy {

namespace {

exports::Format formatOf(const QString &name)
{
    if (const std::optional<exports::Format> format = exports::formatNamed(name))
        return *format;
    raise(ErrorKind::Error,
          QStringLiteral("An export is csv, bytes or arduino, not '%1'.").arg(name));
}

// The motion's name in the sketch's opening comment, as the editor gives it.
QString fileNameOf(const ScriptMotion &motion)
{
    return motion.path() ? QFileInfo(*motion.path()).fileName() : QStringLiteral("(a new motion)");
}

py::bytes exportMotion(const ScriptMotion &m, const QString &format, int loops,
                       const std::optional<ScriptProfile> &given,
                       const std::optional<QString> &configDir)
{
    const exports::Format f = formatOf(format);
    if (loops < 0)
        raise(ErrorKind::Error, QStringLiteral("The loop count is 0 or more, not %1.").arg(loops));
    ensureApp(); // the bytes and the sketch come from running the player
    const QString dir = configDir.value_or(m.configDir());
    const ScriptProfile profile = profileOr(given, dir);
    const exports::Result result =
        exports::motion(f, m.records(), settingsIn(dir), loops, fileNameOf(m), profile.profile);
    if (result.breach && !result.ok()) {
        const QString file = profile.path.value_or(arm::profilePath(dir));
        raise(ErrorKind::Limit,
              QStringLiteral("The motion breaks the arm profile '%1'; nothing was exported.\r%2")
                  .arg(file, result.error),
              py::dict(py::arg("breach") = breachObject(*result.breach)));
    }
    if (!result.ok())
        raise(ErrorKind::Error, result.error);
    return py::bytes(result.data.constData(), std::size_t(result.data.size()));
}

} // namespace

void bindExport(MotionClass &c)
{
    c.def("export", &exportMotion, py::arg("format"), py::arg("loops") = 1,
          py::arg("profile") = py::none(), py::arg("config_dir") = py::none(),
          "What `kestrel-edit --export FORMAT --loops N` writes for the motion: the first\n"
          "pass's table (\"csv\"), the bytes kestrel-play sends (\"bytes\") or an Arduino sketch\n"
          "(\"arduino\"). The bytes and the sketch of a motion that breaks the profile raise\n"
          "LimitError, with the breach as kestrel-edit gives it. `config_dir`: the folder\n"
          "whose homes and arm.ini are used; None: the motion's.");
}

} // namespace kpy
