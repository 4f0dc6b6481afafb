#include "core/program/cannot.h"

namespace program {

QString cannot(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral(" '") + path + QLatin1Char('\'') + QChar(13) + reason;
}

} // namespace program
