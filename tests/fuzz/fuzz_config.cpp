// robotini.txt as anyone might have edited it: any bytes at all must read without harm, and the
// five positions the program writes must read back as written.

#include "core/store/config_file.h"

#include <QByteArray>
#include <algorithm>
#include <cmath>
#include <cstdlib>

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    const QByteArray text(reinterpret_cast<const char *>(data), qsizetype(size));

    const QStringList fields = config::fields(text);
    // Fields only ever drop bytes (blanks, quotes, separators); they never make any up.
    qsizetype total = 0;
    for (const QString &f : fields)
        total += f.size();
    if (total > text.size())
        std::abort();

    const config::Settings settings = config::read(text);
    // A value comes from four characters at most, so it is always finite and short.
    for (double h : settings.home) {
        if (!std::isfinite(h) || std::abs(h) >= 10000)
            std::abort();
    }
    if (!std::isfinite(settings.homeSpeed) || std::abs(settings.homeSpeed) >= 10000)
        std::abort();

    // Saving what was read and reading it again keeps every position the sliders can hold,
    // whatever the homing speed and port are.
    std::array<int, 5> pose{};
    for (std::size_t c = 0; c < pose.size(); ++c)
        pose[c] = std::clamp(int(settings.home[c]), 0, 255);
    const QByteArray saved = config::write(pose, settings.homeSpeed, settings.port);
    const config::Settings again = config::read(saved);
    for (std::size_t c = 0; c < pose.size(); ++c) {
        if (again.home[c] != pose[c])
            std::abort();
    }
    // A port of up to three digits fits the four characters read back.
    if (settings.port >= -99 && settings.port <= 999 && again.port != settings.port)
        std::abort();
    return 0;
}
