#include "core/text/numbers.h"

#include <QRegularExpression>
#include <cmath>
#include <limits>

namespace numbers {

double roundHalfEven(double value)
{
    // Worked out without the floating-point rounding mode: an optimising compiler may move a
    // call such as nearbyint past a change of mode, and the rule must not depend on who set it.
    // value - floor(value) is exact.
    const double below = std::floor(value);
    const double rest = value - below;
    if (rest != 0.5)
        return rest < 0.5 ? below : below + 1;
    return std::fmod(below, 2.0) == 0 ? below : below + 1;
}

std::optional<double> wholeTextNumber(const QString &text)
{
    static const QRegularExpression form(
        QStringLiteral(R"(^\s*[+-]?(\d+\.?\d*|\.\d+)([eE][+-]?\d+)?\s*$)"));
    if (!form.match(text).hasMatch())
        return std::nullopt;
    bool ok = false;
    const double v = text.trimmed().toDouble(&ok);
    if (!ok || !std::isfinite(v))
        return std::nullopt;
    return v;
}

double leadingValue(const QString &text)
{
    QString kept;
    bool digits = false, point = false;
    for (QChar c : text) {
        if (c == u' ' || c == u'\t')
            continue;
        if ((c == u'+' || c == u'-') && kept.isEmpty()) {
            kept += c;
        } else if (c == u'.' && !point) {
            point = true;
            kept += c;
        } else if (c >= u'0' && c <= u'9') {
            digits = true;
            kept += c;
        } else {
            break;
        }
    }
    if (!digits)
        return 0;
    const double v = kept.toDouble();
    return std::isfinite(v) ? v : 0;
}

QString decimal(double value)
{
    QString s = QString::number(std::fabs(value), 'g', 15);
    if (s.startsWith(QLatin1String("0.")))
        s.remove(0, 1);
    return s;
}

QString messageNumber(double value)
{
    return (value < 0 ? QStringLiteral("-") : QStringLiteral(" ")) + decimal(value);
}

QString printedNumber(double value)
{
    return messageNumber(value) + u' ';
}

std::optional<qint16> toInt16(double value)
{
    const double r = roundHalfEven(value);
    if (!std::isfinite(r) || r < std::numeric_limits<qint16>::min() ||
        r > std::numeric_limits<qint16>::max())
        return std::nullopt;
    return static_cast<qint16>(r);
}

} // namespace numbers
