#include "core/link/probe.h"

#include "core/link/port.h"

bool probe::echoes(Port &port)
{
    port.write(QByteArrayLiteral("B"));
    return port.readAfter(1000) == QByteArrayLiteral("B");
}
