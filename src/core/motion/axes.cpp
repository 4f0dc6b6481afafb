#include "core/motion/axes.h"

namespace {
constexpr bool indexedByChannel()
{
    for (int i = 0; i < axes::count; ++i)
        if (axes::all[i].channel != i)
            return false;
    return true;
}
} // namespace

static_assert(indexedByChannel(), "the table is indexed by channel");

QString axes::channelName(int channel)
{
    if (channel >= 0 && channel < count)
        return QString::fromLatin1(all[channel].name);
    return QStringLiteral("channel %1").arg(channel);
}
