#pragma once
// What the benchmarks share: the longest motion Kestrel keeps, made the same way for each, and
// the process's resident memory.

#include "core/motion/step_buffer.h"

#include <QByteArray>
#include <QFile>
#include <algorithm>
#include <array>
#include <vector>

namespace bench {

// A taught motion's look: every axis walking one position at a time, now and then a jump.
inline std::vector<Step> longMotion(int records = 12010)
{
    std::vector<Step> r{Step{0, 0}};
    std::array<int, 5> pose{127, 127, 127, 127, 127};
    for (int i = 1; i < records; ++i) {
        const int channel = (i / 37) % 5;
        int &p = pose[size_t(channel)];
        p = i % 211 == 0 ? (p + 90) % 256 : std::clamp(p + ((i / 300) % 2 ? 1 : -1), 0, 255);
        r.push_back(Step{qint16(channel), qint16(p)});
    }
    return r;
}

// The resident memory in kB, from /proc; -1 where it cannot be read.
inline long residentKb()
{
    QFile status(QStringLiteral("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLong();
    return -1;
}

} // namespace bench
