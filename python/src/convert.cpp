#include "convert.h"

#include "core/arm/named_poses.h"
#include "core/motion/axes.h"
#include "core/store/folders.h"
#include "errors.h"

#include <QCoreApplication>
#include <algorithm>

namespace kpy {

void ensureApp()
{
    if (QCoreApplication::instance())
        return;
    static int argc = 1;
    static char name[] = "kestrel";
    static char *argv[] = {name, nullptr};
    new QCoreApplication(argc, argv); // lives as long as the interpreter
}

QString configFolder(const std::optional<QString> &dir)
{
    if (dir)
        return *dir;
    ensureApp(); // the standard folders are named after the application
    return Folders::standard().config;
}

config::Loaded configurationIn(const QString &folder)
{
    Folders folders;
    folders.config = folder;
    return config::load(folders.configFile());
}

config::Settings settingsIn(const QString &folder)
{
    return configurationIn(folder).settings;
}

timing::Pose poseOf(const py::handle &value, const arm::Profile &profile)
{
    if (py::isinstance<py::str>(value)) {
        const QString name = value.cast<QString>();
        if (const arm::NamedPose *pose = arm::poseNamed(profile, name))
            return pose->positions;
        raise(ErrorKind::Error, QStringLiteral("The arm profile names no pose '%1'.").arg(name));
    }
    timing::Pose pose{};
    std::vector<int> positions;
    try {
        positions = value.cast<std::vector<int>>();
    } catch (const py::cast_error &) {
        positions.clear();
    }
    const bool fits = positions.size() == pose.size() &&
                      std::all_of(positions.begin(), positions.end(),
                                  [](int p) { return p >= axes::lowest && p <= axes::highest; });
    if (!fits)
        raise(ErrorKind::Error, QStringLiteral("A pose is five whole positions from 0 to 255 "
                                               "(base, shoulder, elbow, wrist, grip) or the "
                                               "name of a pose in the arm profile."));
    std::copy(positions.begin(), positions.end(), pose.begin());
    return pose;
}

py::tuple poseTuple(const timing::Pose &pose)
{
    return py::make_tuple(pose[0], pose[1], pose[2], pose[3], pose[4]);
}

std::vector<Step> stepsOf(const py::iterable &steps)
{
    std::vector<Step> out;
    for (const py::handle item : steps) {
        std::pair<int, int> pair{-1, -1};
        try {
            pair = item.cast<std::pair<int, int>>();
        } catch (const py::cast_error &) {
        }
        const auto byte = [](int v) { return v >= 0 && v <= 255; };
        if (!byte(pair.first) || !byte(pair.second))
            raise(ErrorKind::Error,
                  QStringLiteral("Step %1 is not a (channel, position) pair of whole numbers "
                                 "from 0 to 255: %2")
                      .arg(out.size())
                      .arg(py::repr(item).cast<QString>()));
        out.push_back(Step{qint16(pair.first), qint16(pair.second)});
    }
    return out;
}

py::list stepList(const std::vector<Step> &steps, std::size_t from)
{
    py::list list;
    for (std::size_t i = from; i < steps.size(); ++i)
        list.append(py::make_tuple(int(steps[i].channel), int(steps[i].position)));
    return list;
}

moves::Ease easeOf(const QString &name)
{
    if (const std::optional<moves::Ease> ease = moves::easeNamed(name))
        return *ease;
    raise(ErrorKind::Error,
          QStringLiteral("The ease is \"linear\", \"smooth\" or \"trapezoid\", not \"%1\".")
              .arg(name));
}

int indexOf(const std::optional<int> &index, int size, int none)
{
    if (!index)
        return none;
    const int i = *index < 0 ? *index + size : *index;
    return std::clamp(i, 0, size);
}

} // namespace kpy
