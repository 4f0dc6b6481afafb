#include "core/link/frame.h"

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

} // namespace frame
