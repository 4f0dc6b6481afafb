#include "core/arm/profile_file.h"

#include "core/arm/named_poses.h"
#include "core/program/cannot.h"
#include "core/store/save_file.h"

#include <QFileInfo>
#include <QLocale>
#include <QSettings>
#include <QTemporaryFile>
#include <cmath>
#include <functional>

namespace arm {

namespace {

// A profile is a few hundred bytes; a large file was named by mistake.
constexpr qint64 mostBytes = 1 << 20;

const char *const jointSections[axes::count] = {"base", "shoulder", "elbow", "wrist", "grip"};

// One key of the file: how its text becomes a value in the profile, or why it cannot.
struct Key {
    const char *name;
    // Reads `text` into the profile; an empty answer when it fits, else what is wrong.
    std::function<QString(const QString &text, Profile &p, int channel)> read;
};

std::optional<double> number(const QString &text)
{
    bool ok = false;
    const double v = text.toDouble(&ok); // QString's own reading ignores the locale
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

QString notANumber()
{
    return QStringLiteral("not a number");
}

Key length(const char *name, double Geometry::*field)
{
    return {name, [field](const QString &t, Profile &p, int) {
                const std::optional<double> v = number(t);
                if (!v)
                    return notANumber();
                if (*v <= 0)
                    return QStringLiteral("a length must be above 0");
                p.arm.*field = *v;
                return QString();
            }};
}

Key angle(const char *name, double Joint::*field)
{
    return {name, [field](const QString &t, Profile &p, int c) {
                const std::optional<double> v = number(t);
                if (!v)
                    return notANumber();
                p.joints[c].*field = *v;
                return QString();
            }};
}

Key position(const char *name, int Joint::*field, int lowest, int highest)
{
    return {name, [=](const QString &t, Profile &p, int c) {
                bool ok = false;
                const int v = t.toInt(&ok);
                if (!ok)
                    return QStringLiteral("not a whole number");
                if (v < lowest || v > highest)
                    return QStringLiteral("not within %1..%2").arg(lowest).arg(highest);
                p.joints[c].*field = v;
                return QString();
            }};
}

// A cap may be left empty: no cap. Zero would stop the joint for good.
Key cap(const char *name, std::optional<double> Joint::*field)
{
    return {name, [field](const QString &t, Profile &p, int c) {
                if (t.isEmpty()) {
                    p.joints[c].*field = std::nullopt;
                    return QString();
                }
                const std::optional<double> v = number(t);
                if (!v)
                    return notANumber();
                if (*v <= 0)
                    return QStringLiteral("must be above 0, or empty for no cap");
                p.joints[c].*field = *v;
                return QString();
            }};
}

const std::vector<Key> &armKeys()
{
    static const std::vector<Key> keys{
        length("shoulder_height_mm", &Geometry::shoulderHeight),
        length("upper_arm_mm", &Geometry::upperArm),
        length("forearm_mm", &Geometry::forearm),
        length("hand_mm", &Geometry::hand),
        {"table_mm",
         [](const QString &t, Profile &p, int) {
             if (t.isEmpty()) {
                 p.arm.table = std::nullopt;
                 return QString();
             }
             const std::optional<double> v = number(t);
             if (!v)
                 return notANumber();
             p.arm.table = *v;
             return QString();
         }},
    };
    return keys;
}

const std::vector<Key> &jointKeys()
{
    static const std::vector<Key> keys{
        angle("at_0", &Joint::at0),
        angle("at_255", &Joint::at255),
        position("min", &Joint::min, axes::lowest, axes::highest),
        position("max", &Joint::max, axes::lowest, axes::highest),
        position("max_step", &Joint::maxStep, 1, axes::highest),
        cap("max_speed", &Joint::maxSpeed),
        cap("max_accel", &Joint::maxAccel),
    };
    return keys;
}

// The section's keys and the channel they belong to (-1 for [arm]); nothing for no section.
const std::vector<Key> *keysOf(const QString &section, int *channel)
{
    if (section == QLatin1String("arm")) {
        *channel = -1;
        return &armKeys();
    }
    for (int c = 0; c < axes::count; ++c)
        if (section == QLatin1String(jointSections[c])) {
            *channel = c;
            return &jointKeys();
        }
    return nullptr;
}

// QSettings takes ';' for a comment; '#' is taken here, so that both read alike wherever they
// start. No value of the file holds either.
QByteArray withoutHashComments(const QByteArray &text)
{
    QList<QByteArray> lines = text.split('\n');
    for (QByteArray &line : lines)
        if (const qsizetype hash = line.indexOf('#'); hash >= 0)
            line.truncate(hash);
    return lines.join('\n');
}

// A value with a comma is a list to QSettings; a pose is one.
QString posesKey(const QString &name, const QVariant &value, Profile &p)
{
    const QStringList values = value.typeId() == QMetaType::QStringList
                                   ? value.toStringList()
                                   : QStringList{value.toString()};
    QString wrong = readPose(name, values, p);
    if (wrong.isEmpty())
        return {};
    return QStringLiteral("[%1] %2 = %3: %4")
        .arg(QLatin1String(posesSection), name, values.join(QLatin1Char(',')), wrong);
}

QString readKey(const QSettings &ini, const QString &fullKey, Profile &p)
{
    const qsizetype slash = fullKey.indexOf(QLatin1Char('/'));
    if (slash < 0)
        return QStringLiteral("%1: a key outside any section").arg(fullKey);
    const QString section = fullKey.left(slash);
    const QString name = fullKey.mid(slash + 1);
    const QVariant value = ini.value(fullKey);
    if (section == QLatin1String(posesSection))
        return posesKey(name, value, p);
    int channel = -1;
    const std::vector<Key> *keys = keysOf(section, &channel);
    if (!keys)
        return QStringLiteral("[%1]: no such section (the sections are [arm], [base], "
                              "[shoulder], [elbow], [wrist], [grip] and [poses])")
            .arg(section);
    // A value with a comma is a list to QSettings: it is not a number of this file.
    const QString text = value.typeId() == QMetaType::QStringList
                             ? value.toStringList().join(QLatin1Char(','))
                             : value.toString().trimmed();
    for (const Key &key : *keys)
        if (name == QLatin1String(key.name)) {
            QString wrong = value.typeId() == QMetaType::QStringList ? notANumber()
                                                                     : key.read(text, p, channel);
            if (wrong.isEmpty())
                return {};
            return QStringLiteral("[%1] %2 = %3: %4").arg(section, name, text, wrong);
        }
    return QStringLiteral("[%1] %2: no such key").arg(section, name);
}

// What no single key can say.
QString inconsistency(const Profile &p)
{
    for (int c = 0; c < axes::count; ++c) {
        const Joint &j = p.joints[c];
        const QString section = QLatin1String(jointSections[c]);
        if (j.at0 == j.at255)
            return QStringLiteral("[%1] at_0 and at_255 are both %2: the joint would not turn")
                .arg(section)
                .arg(j.at0);
        if (j.min > j.max)
            return QStringLiteral("[%1] min %2 is above max %3").arg(section).arg(j.min).arg(j.max);
    }
    return posesOutsideLimits(p);
}

QString refusal(const QString &path, const QString &reason)
{
    return program::cannot(QStringLiteral("Cannot use the arm profile"), path, reason);
}

} // namespace

QString profilePath(const QString &configFolder)
{
    return configFolder + QStringLiteral("/arm.ini");
}

ProfileRead parse(const QByteArray &text, const QString &path)
{
    // QSettings reads only files: the text goes through a private temporary one.
    QTemporaryFile file;
    if (!file.open() || file.write(withoutHashComments(text)) < 0 || !file.flush())
        return {defaults(), refusal(path, QStringLiteral("no room for a temporary copy"))};
    const QSettings ini(file.fileName(), QSettings::IniFormat);
    if (ini.status() != QSettings::NoError)
        return {defaults(), refusal(path, QStringLiteral("not an INI file"))};

    Profile p = defaults();
    for (const QString &key : ini.allKeys())
        if (QString wrong = readKey(ini, key, p); !wrong.isEmpty())
            return {defaults(), refusal(path, wrong)};
    if (QString wrong = inconsistency(p); !wrong.isEmpty())
        return {defaults(), refusal(path, wrong)};
    return {p, {}};
}

ProfileRead load(const QString &path, bool mayBeMissing)
{
    const QFileInfo info(path);
    if (!info.exists() && !info.isSymLink())
        return mayBeMissing
                   ? ProfileRead{defaults(), {}}
                   : ProfileRead{defaults(), refusal(path, QStringLiteral("No such file"))};
    const LoadResult loaded = loadWhole(path, mostBytes);
    if (!loaded.ok)
        return {defaults(), refusal(path, loaded.reason)};
    return parse(loaded.bytes, path);
}

QByteArray write(const Profile &profile)
{
    // The shortest text that reads back as the same double.
    const auto num = [](double v) {
        return QByteArray::number(v, 'g', QLocale::FloatingPointShortest);
    };
    const auto optional = [&num](const std::optional<double> &v) {
        return v ? num(*v) : QByteArray();
    };
    const Geometry &g = profile.arm;
    QByteArray text =
        "; Kestrel's arm profile: lengths in mm, angles in degrees, positions 0..255.\n"
        "; An empty table_mm, max_speed or max_accel means no limit.\n"
        "\n[arm]\n";
    text += "shoulder_height_mm = " + num(g.shoulderHeight) + "\n";
    text += "upper_arm_mm = " + num(g.upperArm) + "\n";
    text += "forearm_mm = " + num(g.forearm) + "\n";
    text += "hand_mm = " + num(g.hand) + "\n";
    text += "table_mm = " + optional(g.table) + "\n";
    for (int c = 0; c < axes::count; ++c) {
        const Joint &j = profile.joints[c];
        text += "\n[" + QByteArray(jointSections[c]) + "]\n";
        text += "at_0 = " + num(j.at0) + "\n";
        text += "at_255 = " + num(j.at255) + "\n";
        text += "min = " + QByteArray::number(j.min) + "\n";
        text += "max = " + QByteArray::number(j.max) + "\n";
        text += "max_step = " + QByteArray::number(j.maxStep) + "\n";
        text += "max_speed = " + optional(j.maxSpeed) + "\n";
        text += "max_accel = " + optional(j.maxAccel) + "\n";
    }
    return text + writePoses(profile);
}

} // namespace arm
