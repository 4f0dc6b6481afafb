// kestrel.Arm: the arm on a serial port, as kestrel-play drives it.
#include "bindings.h"
#include "convert.h"
#include "core/arm/profile_file.h"
#include "core/motion/axes.h"
#include "errors.h"
#include "live_arm.h"
#include "script_motion.h"

#include <QFileInfo>

namespace kpy {

namespace {

constexpr const char *armDoc =
    R"(The arm on a serial port, opened, probed and started as kestrel-play does: every axis to
the centre, then the homing walk. Use it in a `with` block: on leaving it, on an exception or on
Ctrl-C, the arm stops after the step in progress and the port and its lock are released. Ctrl-C
during a call raises KeyboardInterrupt once the arm has stopped.

`port`: "Comm n", as the configuration folder's COMn link leads (None: the port in
robotini.txt); or `device`: a device path. `profile`: a Profile, a path, or None for arm.ini in
the configuration folder. Long calls show a status line on a terminal unless `quiet`.)";

// The profile an Arm is given, and how messages name it.
void placeProfile(const py::object &given, ArmPlace &place)
{
    if (given.is_none()) {
        place.profile = profileOr(std::nullopt, place.configDir);
        place.profileFile = arm::profilePath(place.configDir);
    } else if (py::isinstance<py::str>(given)) {
        const QString path = given.cast<QString>();
        const arm::ProfileRead read = arm::load(path, false);
        if (!read.ok())
            raise(ErrorKind::Profile, read.error, py::dict(py::arg("path") = path));
        place.profile = {read.profile, QFileInfo(path).absoluteFilePath()};
        place.profileFile = path;
    } else if (py::isinstance<ScriptProfile>(given)) {
        place.profile = given.cast<ScriptProfile>();
        place.profileFile = place.profile.path.value_or(QStringLiteral("(defaults)"));
    } else {
        raise(ErrorKind::Error, QStringLiteral("The profile is a kestrel.Profile, the path of an "
                                               "arm.ini, or None."));
    }
}

std::unique_ptr<LiveArm> openArm(std::optional<int> port, std::optional<QString> device,
                                 const std::optional<QString> &configDir, const py::object &profile,
                                 bool quiet)
{
    if (port && device)
        raise(ErrorKind::Error, QStringLiteral("port and device both name the line; give one."));
    if (port && *port < 1)
        raise(ErrorKind::Error,
              QStringLiteral("port takes a whole number from 1 up, not %1.").arg(*port));
    if (device && device->isEmpty())
        raise(ErrorKind::Error, QStringLiteral("device takes a device path, e.g. /dev/ttyUSB0."));
    ArmPlace place{port, device, configFolder(configDir), {}, {}, quiet};
    placeProfile(profile, place);
    return std::make_unique<LiveArm>(std::move(place));
}

// The pose a move goes to: `pose`, or where the arm stands, with the axes named changed.
timing::Pose targetOf(const LiveArm &arm, const py::object &pose,
                      const std::array<std::optional<int>, axes::count> &named)
{
    timing::Pose to = pose.is_none() ? arm.pose() : poseOf(pose, arm.profile().profile);
    for (int channel = 0; channel < axes::count; ++channel) {
        const std::optional<int> position = named[std::size_t(channel)];
        if (!position)
            continue;
        if (*position < axes::lowest || *position > axes::highest)
            raise(ErrorKind::Error,
                  QStringLiteral("%1 takes a whole position from 0 to 255, not %2.")
                      .arg(axes::channelName(channel))
                      .arg(*position));
        to[std::size_t(channel)] = *position;
    }
    return to;
}

void bindMoves(py::class_<LiveArm> &c)
{
    c.def(
        "move",
        [](LiveArm &arm, const py::object &pose, const std::optional<int> &base,
           const std::optional<int> &shoulder, const std::optional<int> &elbow,
           const std::optional<int> &wrist, const std::optional<int> &grip,
           std::optional<double> seconds, const QString &ease) {
            arm.move(targetOf(arm, pose, {base, shoulder, elbow, wrist, grip}), seconds,
                     easeOf(ease));
        },
        py::arg("pose") = py::none(), py::kw_only(), py::arg("base") = py::none(),
        py::arg("shoulder") = py::none(), py::arg("elbow") = py::none(),
        py::arg("wrist") = py::none(), py::arg("grip") = py::none(),
        py::arg("seconds") = py::none(), py::arg("ease") = "smooth",
        "A timed move from where the arm stands to `pose`, with the axes named changed (the\n"
        "others stay). Checked against the profile before a byte is sent.");
    c.def(
        "move_tip",
        [](LiveArm &arm, double x, double y, double z, double pitch, bool line, double speed,
           std::optional<double> seconds, const QString &ease) {
            tips::Request request;
            request.target = {{x, y, z}, pitch};
            request.kind = line ? tips::Kind::Line : tips::Kind::Joint;
            request.ease = easeOf(ease);
            request.seconds = seconds;
            request.speed = speed;
            arm.moveTip(request);
        },
        py::arg("x"), py::arg("y"), py::arg("z"), py::arg("pitch"), py::arg("line") = true,
        py::arg("speed") = 50.0, py::arg("seconds") = py::none(), py::arg("ease") = "smooth",
        "The tool point to (x, y, z) at `pitch`: a straight line at `speed` mm/s, or with\n"
        "line=False a timed move of the joints.");
    c.def("play", &LiveArm::play, py::arg("motion"), py::arg("loops") = 1,
          "Plays `motion` as kestrel-play --loops does: the arm walks home, then the passes.\n"
          "loops=0 plays until Ctrl-C. A motion that breaks the profile raises LimitError and\n"
          "sends nothing.");
    c.def("home", &LiveArm::home, "Walks every axis home, grip first and base last.");
}

} // namespace

void bindArm(py::module_ &m)
{
    py::class_<LiveArm> c(m, "Arm", armDoc);
    c.def(py::init(&openArm), py::arg("port") = py::none(), py::arg("device") = py::none(),
          py::arg("config_dir") = py::none(), py::arg("profile") = py::none(),
          py::arg("quiet") = false);
    c.def("__enter__", [](py::object self) { return self; });
    c.def("__exit__", [](LiveArm &arm, const py::args &) { arm.close(); });
    c.def("close", &LiveArm::close,
          "Releases the port and its lock; the arm stays where it stands.");
    c.def_property_readonly(
        "pose", [](const LiveArm &arm) { return poseTuple(arm.pose()); },
        "Where the arm stands, as sent.");
    c.def_property_readonly(
        "profile", [](const LiveArm &arm) { return arm.profile(); }, "The arm's profile.");
    c.def_property_readonly("device", &LiveArm::device, "The device path of the port.");
    c.def_property("quiet", &LiveArm::quiet, &LiveArm::setQuiet,
                   "Whether long calls show no status line.");
    bindMoves(c);
}

} // namespace kpy
