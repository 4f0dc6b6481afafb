// The replay measured on the real desktop: the real kestrel on an Xvfb of its own with xcb and
// Qt's default event dispatcher, RUN, STOP, PAUSE and CONT clicked through the X server (XTEST)
// as a person clicks them, COM1 a pseudo-terminal read at the line's pace. What the program
// does is seen from outside only: the line, the screen and /proc.

#include "replay_figures.h"

#include "core/store/config_file.h"
#include "support/files.h"
#include "support/kestrel_desktop.h"

#include <QByteArray>

#include <chrono>

namespace bench {

using namespace std::chrono;
using desktop::CpuMeter;
using desktop::KestrelOnDesktop;
using desktop::PacedLine;

namespace {

QByteArray motionFile()
{
    QByteArray text = "0,0\r\n"; // record 1, which no replay plays
    for (int k = 0; k < replaySteps; ++k) {
        const Move m = replayMoveAt(k);
        text += QByteArray::number(m.channel) + ',' + QByteArray::number(m.position) + "\r\n";
    }
    return text;
}

double coreShare(double cpuSeconds, PacedLine::Clock::duration wall)
{
    return 100.0 * cpuSeconds / duration<double>(wall).count();
}

} // namespace

ReplayFigures measureOnDesktop(const QString &binary)
{
    ReplayFigures f;
    f.platform = QStringLiteral("kestrel on Xvfb, xcb, XTEST");
    const desktop::RobotLayout layout;
    // Every home at the centre and COM1, as in process: start-up then shows no message.
    KestrelOnDesktop k(layout, {binary, config::write({127, 127, 127, 127, 127}, 5, 1), {}});
    if (!k.start()) {
        f.error = k.error();
        return f;
    }
    PacedLine &line = k.line();
    const qint64 pid = k.pid();
    const QString path = k.folder() + QStringLiteral("/taught.kmv");
    if (!line.waitForDrained(10000) || !writeFile(path, motionFile()) ||
        !k.fileThroughDialog(QStringLiteral("Open_men"), path)) {
        f.error = QStringLiteral("the motion did not open: ") + k.error();
        return f;
    }
    // The window's thread is the program's main thread.
    const auto threadSeconds = [pid] { return CpuMeter::cpuSeconds(pid, pid); };
    const auto processSeconds = [pid] { return CpuMeter::cpuSeconds(pid); };
    const auto runEnabledAgain = [&k] {
        k.moveAway();
        return k.waitForCaption(QStringLiteral("Command5"), &desktop::Caption::enabled, 20000);
    };
    constexpr int passBytes = 2 * replaySteps * 4;

    // 1. One whole pass: the homing moves nothing, every axis being at its home.
    {
        const std::size_t mark = line.count();
        const double threadFrom = threadSeconds(), processFrom = processSeconds();
        const auto from = PacedLine::Clock::now();
        k.click(QStringLiteral("Command5"));
        if (!line.waitForCount(mark + passBytes, 60000) || !runEnabledAgain()) {
            f.error = QStringLiteral("the pass did not end");
            return f;
        }
        const auto wall = line.bytes().back().at - from;
        f.windowThreadCpu = coreShare(threadSeconds() - threadFrom, wall);
        f.processCpu = coreShare(processSeconds() - processFrom, wall);
        passFigures(line.bytes(), mark, &f);
    }

    // 2. STOP mid-pass, at different phases of the step cycle: the bytes that come off the
    // line after the click left for the X server, the way the operator counts them.
    for (int trial = 0; trial < stopTrials; ++trial) {
        const std::size_t mark = line.count();
        k.click(QStringLiteral("Command5"));
        if (!line.waitForCount(mark + 1000 + 37 * 4 * trial, 20000)) {
            f.error = QStringLiteral("RUN did not play");
            return f;
        }
        const auto stopAt = PacedLine::Clock::now();
        k.click(QStringLiteral("Command4"));
        if (!runEnabledAgain() || !line.waitForDrained(5000)) {
            f.error = QStringLiteral("STOP did not end the run");
            return f;
        }
        long long after = 0;
        for (const PacedLine::Byte &b : line.bytes())
            after += b.at > stopAt;
        f.bytesAfterStop.push_back(after);
    }

    // 3. PAUSE and CONT three times in one replay: each hold is measured once the line has
    // carried what was on its way, for a second; then CONT, and the time to the next byte.
    {
        const std::size_t mark = line.count();
        k.click(QStringLiteral("Command5"));
        f.pauseHeld = line.waitForCount(mark + 1000, 20000);
        for (int r = 0; r < pauseRounds && f.pauseHeld; ++r) {
            k.click(QStringLiteral("Command6"));
            if (!line.waitForDrained(5000)) {
                f.pauseHeld = false;
                break;
            }
            const std::size_t held = line.count();
            const double threadFrom = threadSeconds(), processFrom = processSeconds();
            const auto from = PacedLine::Clock::now();
            // A measurement's length, not a decision: a byte ends it early and shows in the
            // figures.
            f.pauseHeld = !line.waitForCount(held + 1, 1000);
            const auto wall = PacedLine::Clock::now() - from;
            f.pausedCpu.push_back(coreShare(processSeconds() - processFrom, wall));
            f.pausedThreadCpu.push_back(coreShare(threadSeconds() - threadFrom, wall));
            f.bytesWhilePaused += (long long)(line.count() - held);
            const auto cont = PacedLine::Clock::now();
            k.click(QStringLiteral("Command6"));
            if (!line.waitForCount(held + 1, 5000))
                break;
            f.contToByteMs.push_back(
                duration<double, std::milli>(line.bytes()[held].at - cont).count());
            line.waitForCount(line.count() + 80, 5000);
        }
        k.click(QStringLiteral("Command4"));
        runEnabledAgain();
    }
    return f;
}

} // namespace bench
