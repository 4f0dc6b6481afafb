#include "core/link/frame.h"

#include "core/motion/axes.h"

namespace frame {

std::optional<QByteArray> build(int channel, int position)
{
    if (channel < 0 || channel > 255 || position < 0 || position > 255)
        return std::nullopt;
    QByteArray bytes(size, '\0');
    bytes[0] = static_cast<char>(start);
    bytes[1] = static_cast<char>(channel);
    bytes[2] = static_cast<char>(position);
    bytes[3] = static_cast<char>(end);
    return bytes;
}

namespace {
QString hex(int byte)
{
    return QStringLiteral("%1").arg(byte, 2, 16, QLatin1Char('0')).toUpper();
}
} // namespace

QString describe(const Frame &f)
{
    return QStringLiteral("FF %1 %2 0D %3 %4")
        .arg(hex(f.channel), hex(f.position), axes::channelName(f.channel))
        .arg(f.position);
}

QString describeSkipped(unsigned char byte, bool probe)
{
    return (probe ? QStringLiteral("probe ") : QStringLiteral("junk ")) + hex(byte);
}

} // namespace frame
