#include "core/arm/named_poses.h"

#include <QRegularExpression>
#include <algorithm>

namespace arm {

bool validPoseName(const QString &name)
{
    static const QRegularExpression allowed(QStringLiteral("^[A-Za-z0-9_-]{1,40}$"));
    return allowed.match(name).hasMatch();
}

namespace {

// The five positions of a list, or what is wrong with it.
QString positionsOf(const QStringList &values, std::array<int, axes::count> &out)
{
    const QString notFive =
        QStringLiteral("not five whole numbers (base, shoulder, elbow, wrist, grip)");
    if (values.size() != axes::count)
        return notFive;
    for (int c = 0; c < axes::count; ++c) {
        bool ok = false;
        const int v = values[c].trimmed().toInt(&ok);
        if (!ok)
            return notFive;
        if (v < axes::lowest || v > axes::highest)
            return QStringLiteral("the %1 at %2 is not within %3..%4")
                .arg(axes::channelName(c))
                .arg(v)
                .arg(axes::lowest)
                .arg(axes::highest);
        out[c] = v;
    }
    return {};
}

} // namespace

QString readPose(const QString &name, const QStringList &values, Profile &p)
{
    if (!validPoseName(name))
        return QStringLiteral("a pose's name is letters, digits, '_' and '-' (at most 40)");
    NamedPose pose{name, {}};
    if (QString wrong = positionsOf(values, pose.positions); !wrong.isEmpty())
        return wrong;
    p = withPose(std::move(p), pose);
    return {};
}

std::optional<std::array<int, axes::count>> positionsFrom(const QString &text)
{
    std::array<int, axes::count> out{};
    if (!positionsOf(text.split(QLatin1Char(',')), out).isEmpty())
        return std::nullopt;
    return out;
}

QString posesOutsideLimits(const Profile &p)
{
    for (const NamedPose &pose : p.poses)
        for (int c = 0; c < axes::count; ++c) {
            const Joint &j = p.joints[c];
            const int v = pose.positions[c];
            if (v < j.min || v > j.max)
                return QStringLiteral("[%1] %2: the %3 at %4 is %5 its %6 %7")
                    .arg(QLatin1String(posesSection), pose.name, axes::channelName(c))
                    .arg(v)
                    .arg(v < j.min ? QStringLiteral("below") : QStringLiteral("above"),
                         v < j.min ? QStringLiteral("min") : QStringLiteral("max"))
                    .arg(v < j.min ? j.min : j.max);
        }
    return {};
}

QByteArray writePoses(const Profile &p)
{
    if (p.poses.empty())
        return {};
    QByteArray text = "\n[" + QByteArray(posesSection) + "]\n";
    for (const NamedPose &pose : p.poses)
        text += pose.name.toLatin1() + " = " + positionsText(pose.positions).toLatin1() + "\n";
    return text;
}

Profile withPose(Profile p, const NamedPose &pose)
{
    std::erase_if(p.poses, [&](const NamedPose &n) { return n.name == pose.name; });
    const auto at =
        std::lower_bound(p.poses.begin(), p.poses.end(), pose,
                         [](const NamedPose &a, const NamedPose &b) { return a.name < b.name; });
    p.poses.insert(at, pose);
    return p;
}

const NamedPose *poseNamed(const Profile &p, const QString &name)
{
    for (const NamedPose &pose : p.poses)
        if (pose.name == name)
            return &pose;
    return nullptr;
}

QString positionsText(const std::array<int, axes::count> &positions)
{
    QStringList parts;
    for (int v : positions)
        parts << QString::number(v);
    return parts.join(QLatin1Char(','));
}

} // namespace arm
