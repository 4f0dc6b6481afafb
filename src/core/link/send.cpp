#include "core/link/send.h"

#include "core/link/frame.h"
#include "core/link/port.h"

namespace send {

void axis(Port &port, int portStatus, int channel, int position)
{
    if (portStatus == 0)
        step(port, channel, position);
}

void step(Port &port, int channel, int position)
{
    if (const auto bytes = frame::build(channel, position))
        port.write(*bytes);
}

} // namespace send
