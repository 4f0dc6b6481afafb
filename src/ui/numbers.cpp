#include "ui/numbers.h"

#include <QRegularExpression>
#include <cfenv>
#include <cmath>
#include <limits>

namespace numbers {

double roundHalfEven(double value)
{
    // nearbyint follows the current rounding mode; pin it so no library call can change the rule.
    const int saved = std::fegetround();
    std::fesetround(FE_TONEAREST);
    const double r = std::nearbyint(value);
    std::fesetround(saved);
    return r;
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
