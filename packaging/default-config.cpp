// Writes the robotini.txt that kestrel-demo gives a configuration folder of its own on its first
// run: what "Save Configuration" writes right after a start with the defaults, every axis at its
// default home, the default homing speed and port. Made by the program's own writer at build
// time, so that the file can never drift from it. Usage: kestrel-default-config FILE

#include "core/store/config_file.h"
#include "core/store/save_file.h"

#include <QString>
#include <cstdio>

int main(int argc, char **argv)
{
    if (argc != 2) {
        std::fprintf(stderr, "Usage: %s FILE\n", argv[0]);
        return 2;
    }
    const config::Settings defaults;
    // After a start with the defaults, homing has left each slider at its axis's home.
    std::array<int, 5> pose{};
    for (std::size_t channel = 0; channel < pose.size(); ++channel)
        pose[channel] = static_cast<int>(defaults.home[channel]);
    const QString path = QString::fromLocal8Bit(argv[1]);
    const SaveResult saved =
        saveWhole(path, config::write(pose, defaults.homeSpeed, defaults.port), true);
    if (!saved.ok) {
        std::fprintf(stderr, "%s: cannot write %s: %s\n", argv[0], argv[1],
                     qPrintable(saved.reason));
        return 1;
    }
    return 0;
}
