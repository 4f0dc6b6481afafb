#pragma once
// The Arm Profile dialog's fields: numbers typed as text, read back with a message that names
// the field, and each joint's row of limits and two measured points.

#include "core/arm/profile.h"

#include <QString>
#include <optional>

class QLabel;
class QLineEdit;

namespace ask {

// A number as a line of text. The value a field opened with is kept to the last digit while its
// text stays as shown, so that opening a profile and pressing OK writes back the numbers read,
// not the four decimals a field shows.
struct NumberField {
    QLineEdit *edit = nullptr;
    QString name; // for screen readers and messages: "Shoulder max speed, degrees a second"
    std::optional<double> exact;
    QString shown;
};

// Four decimals at most, without trailing zeros: "89.6471", "-40", "87.5".
QString decimals(double v);

// A field showing `value`; `empty` is what an empty one means ("no cap").
NumberField numberField(const QString &name, const QString &objectName, std::optional<double> value,
                        const QString &empty = {});

// Reads fields in the order they are laid out. The first that is not a number is named; the
// ones after it are not looked at.
class FieldReader {
public:
    std::optional<double> optional(const NumberField &n);
    double required(const NumberField &n);
    int whole(const NumberField &n);
    void fail(const NumberField &n, const QString &text);
    const QString &error() const { return m_error; }
    QLineEdit *at() const { return m_at; }

private:
    QString m_error;
    QLineEdit *m_at = nullptr;
};

struct JointFields {
    QString name; // "Shoulder"
    NumberField min, max, maxStep, maxSpeed, maxAccel;
    NumberField position1, angle1, position2, angle2;
    QLabel *at0 = nullptr, *at255 = nullptr; // worked out from the two points
};

// The fields of an axis ("shoulder": "shoulderMin", ...), showing its joint measured at
// positions 0 and 255.
JointFields jointFields(const QString &axis, const arm::Joint &joint);

// at_0 and at_255 from the two measured points; none (and the reader told why) when a field is
// not a number or the two positions are one.
std::optional<arm::Calibration> calibration(FieldReader &r, const JointFields &j);

} // namespace ask
