#include "support/printing.h"

#include <QtTest>

namespace frame {
char *toString(const Frame &f)
{
    const auto hex = [](int byte) {
        return QByteArray::number(byte, 16).rightJustified(2, '0').toUpper();
    };
    return qstrdup("FF " + hex(f.channel) + ' ' + hex(f.position) + " 0D");
}
} // namespace frame

char *toString(const Step &s)
{
    return QTest::toString(QStringLiteral("(%1, %2)").arg(s.channel).arg(s.position));
}

Frames walk(int channel, int from, int to)
{
    Frames out;
    const int step = to >= from ? 1 : -1;
    for (int v = from;; v += step) {
        out << frame::Frame{channel, v};
        if (v == to)
            break;
    }
    return out;
}
