// How far the arm runs on after STOP at the end of a long replay, on a line slower than its
// nominal 960 bytes a second. The line is simulated: a driver that holds what the line has not
// yet carried and drains at the line's true pace, on a clock that the line wait's sleeps move
// on, so ten minutes of replay take a fraction of a second. The replay is the long operations'
// loop: the line wait, then a step's two frames (the replay's own and its value box's).
//
// STOP arrives during a line wait, and whatever the driver still holds then reaches the arm. The
// worst moment is the wait's start, just after a step went out; the report gives the most held
// at such a moment over the whole replay and at the last one, with the driver telling what it
// holds (a UART, a USB serial adapter) and not telling (a pseudo-terminal: the clock alone).
//
// A report, not a test: it exits 0 whatever the figures are.

#include "support/slow_line_port.h"

#include <QCoreApplication>
#include <QElapsedTimer>

#include <algorithm>
#include <cstdio>

namespace {

constexpr auto replayLength = std::chrono::minutes(10);
const QByteArray stepBytes = QByteArray::fromHex("FF017F0DFF017F0D");

struct Run {
    long long worst = 0;    // bytes after a STOP at the worst moment of the replay
    long long atTheEnd = 0; // bytes after a STOP once the ten minutes are up
    long long steps = 0;
    qint64 wallMs = 0;
};

Run replay(long long bytesPerSecond, bool tells)
{
    QElapsedTimer wall;
    wall.start();
    SlowLinePort port(bytesPerSecond, tells);
    Run run;
    if (port.open(1) != 0)
        return run;
    const auto end = port.clock() + replayLength;
    while (port.clock() < end) {
        port.waitForLine();
        port.write(stepBytes);
        ++run.steps;
        run.atTheEnd = port.held();
        run.worst = std::max(run.worst, run.atTheEnd);
    }
    run.wallMs = wall.elapsed();
    return run;
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    std::printf("Bytes that reach the arm after STOP, after a simulated %lld-minute replay\n",
                static_cast<long long>(replayLength.count()));
    std::printf("(goal: at most 16 on a line that takes 950 bytes a second)\n\n");
    std::printf("%-12s %-22s %8s %12s %10s %8s\n", "line (B/s)", "driver", "steps", "worst",
                "at the end", "wall ms");
    for (const long long rate : {960LL, 952LL, 950LL, 900LL}) {
        for (const bool tells : {true, false}) {
            const Run r = replay(rate, tells);
            std::printf("%-12lld %-22s %8lld %12lld %10lld %8lld\n", rate,
                        tells ? "tells (queue checked)" : "silent (clock alone)", r.steps, r.worst,
                        r.atTheEnd, static_cast<long long>(r.wallMs));
        }
    }
    return 0;
}
