#include "edit/window/profile_fields.h"

#include <QLabel>
#include <QLineEdit>
#include <cmath>

namespace ask {

QString decimals(double v)
{
    QString t = QString::number(v, 'f', 4);
    while (t.contains(QLatin1Char('.')) &&
           (t.endsWith(QLatin1Char('0')) || t.endsWith(QLatin1Char('.'))))
        t.chop(1);
    return t == QLatin1String("-0") ? QStringLiteral("0") : t;
}

NumberField numberField(const QString &name, const QString &objectName, std::optional<double> value,
                        const QString &empty)
{
    NumberField n{new QLineEdit, name, value, value ? decimals(*value) : QString()};
    n.edit->setObjectName(objectName);
    n.edit->setAccessibleName(name);
    n.edit->setPlaceholderText(empty);
    n.edit->setText(n.shown);
    // Wide enough for an angle as it is shown, "-180.3529".
    n.edit->setMinimumWidth(n.edit->fontMetrics().horizontalAdvance(QStringLiteral("-000.00000")));
    return n;
}

std::optional<double> FieldReader::optional(const NumberField &n)
{
    const QString text = n.edit->text().trimmed();
    if (!m_error.isEmpty() || text.isEmpty())
        return std::nullopt;
    if (n.exact && text == n.shown)
        return n.exact;
    bool ok = false;
    const double v = text.toDouble(&ok); // a decimal point, whatever the locale
    if (ok && std::isfinite(v))
        return v;
    fail(n, QStringLiteral("%1: \"%2\" is not a number.").arg(n.name, text));
    return std::nullopt;
}

double FieldReader::required(const NumberField &n)
{
    const std::optional<double> v = optional(n);
    if (!v)
        fail(n, QStringLiteral("%1: no number given.").arg(n.name));
    return v.value_or(0);
}

int FieldReader::whole(const NumberField &n)
{
    const QString text = n.edit->text().trimmed();
    bool ok = false;
    const int v = text.toInt(&ok);
    if (!ok)
        fail(n, QStringLiteral("%1: \"%2\" is not a whole number.").arg(n.name, text));
    return v;
}

void FieldReader::fail(const NumberField &n, const QString &text)
{
    if (!m_error.isEmpty())
        return;
    m_error = text;
    m_at = n.edit;
}

// Points measured at the ends themselves are at_0 and at_255 as typed, to the last digit.
std::optional<arm::Calibration> calibration(FieldReader &r, const JointFields &j)
{
    const double p1 = r.required(j.position1), a1 = r.required(j.angle1);
    const double p2 = r.required(j.position2), a2 = r.required(j.angle2);
    if (!r.error().isEmpty())
        return std::nullopt;
    if (p1 == 0 && p2 == 255)
        return arm::Calibration{a1, a2};
    if (p1 == 255 && p2 == 0)
        return arm::Calibration{a2, a1};
    const std::optional<arm::Calibration> c = arm::calibrate(p1, a1, p2, a2);
    if (!c)
        r.fail(j.position2, j.name + QStringLiteral(": the two positions must differ."));
    return c;
}

JointFields jointFields(const QString &axis, const arm::Joint &j)
{
    const QString name = axis.at(0).toUpper() + axis.mid(1);
    const auto field = [&](const char *what, const char *key, std::optional<double> value,
                           const QString &empty = {}) {
        return numberField(name + QLatin1Char(' ') + QString::fromUtf8(what),
                           axis + QString::fromLatin1(key), value, empty);
    };
    const QString noCap = QStringLiteral("no cap");
    JointFields f{name,
                  field("min", "Min", j.min),
                  field("max", "Max", j.max),
                  field("max step", "MaxStep", j.maxStep),
                  field("max speed, degrees a second", "MaxSpeed", j.maxSpeed, noCap),
                  field("max accel, degrees a second squared", "MaxAccel", j.maxAccel, noCap),
                  field("position 1", "Position1", 0),
                  field("angle at position 1, degrees", "Angle1", j.at0),
                  field("position 2", "Position2", 255),
                  field("angle at position 2, degrees", "Angle2", j.at255)};
    const auto shown = [&](const char *key, const char *what) {
        auto *l = new QLabel;
        l->setObjectName(axis + QString::fromLatin1(key));
        l->setAccessibleName(name + QLatin1Char(' ') + QString::fromLatin1(what) +
                             QStringLiteral(", degrees"));
        l->setMinimumWidth(70);
        return l;
    };
    f.at0 = shown("At0", "at_0");
    f.at255 = shown("At255", "at_255");
    return f;
}

} // namespace ask
