// Timed moves: how long a move of all five axes across their whole travel takes to make (plan
// and steps, median of several runs) for each ease at 1 s and 10 s, and how far the steps stray
// from the eased path, measured at each step's time as the pass timing gives it; then how long
// a retime of the longest motion Kestrel keeps (12,010 records) takes, made quicker and slower.
//
// A report, not a test: it exits 0 whatever the figures are.

#include "bench_support.h"
#include "core/edit/path_steps.h"
#include "core/edit/retime.h"
#include "core/edit/timed_move.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <cstdlib>
#include <functional>
#include <vector>

namespace {

constexpr int runs = 15;

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

// The median milliseconds of `runs` calls of `work`; `work` is told the run's number.
double medianMs(const std::function<void(int)> &work)
{
    std::vector<double> ms;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        t.start();
        work(i);
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
    }
    return median(ms);
}

// The axes alternate: every other one from 0 to 255, the rest from 255 to 0; odd runs go back.
moves::Path wholeTravel(moves::Ease ease, double seconds, int run)
{
    timing::Pose low{}, high{};
    for (int c = 0; c < axes::count; ++c) {
        low[c] = c % 2 ? 255 : 0;
        high[c] = 255 - low[c];
    }
    const moves::Planned planned =
        moves::plan(arm::defaults(), {run % 2 ? high : low, run % 2 ? low : high, ease, seconds});
    if (!planned.path) {
        std::fprintf(stderr, "bench_timed: %s\n", qPrintable(planned.error));
        std::exit(1);
    }
    return *planned.path;
}

// The most any axis stands from where the path has it, at the time of each step.
double worstTracking(const moves::Path &path, const std::vector<Step> &steps)
{
    double worst = 0;
    for (const moves::StepTime &s : moves::stepTimes(steps, path.from))
        for (int c = 0; c < axes::count; ++c)
            worst = std::max(worst, std::abs(s.before[c] - path.at(c, s.seconds)));
    return worst;
}

void timedMoves()
{
    std::printf("Timed move of all five axes across their whole travel (no caps, the time "
                "given):\n");
    std::printf("%-10s %6s %7s %12s %16s %18s\n", "ease", "time", "steps", "make (ms)",
                "worst error", "allowed (1+round)");
    for (const moves::Ease ease :
         {moves::Ease::Linear, moves::Ease::Smooth, moves::Ease::Trapezoid}) {
        for (const double seconds : {1.0, 10.0}) {
            std::size_t count = 0;
            const double ms = medianMs(
                [&](int run) { count = moves::steps(wholeTravel(ease, seconds, run)).size(); });
            const moves::Path path = wholeTravel(ease, seconds, 0);
            const double worst = worstTracking(path, moves::steps(path));
            // What the path moves in one round of the five axes' steps, 1/120 s each.
            const double round = path.peakSpeedFactor() * 255 / seconds * axes::count / 120.0;
            std::printf("%-10s %5.0f s %7zu %12.3f %16.2f %18.2f%s\n",
                        qPrintable(moves::easeName(ease)), seconds, count, ms, worst, 1 + round,
                        seconds >= 10 ? (ms <= 5 ? "  PASS (at most 5 ms)" : "  FAIL (5 ms)") : "");
        }
    }
}

void retimes()
{
    const std::vector<Step> motion = bench::longMotion(12010);
    const timing::Pose start{127, 127, 127, 127, 127};
    const edits::Range all{1, int(motion.size()) - 1};
    const double seconds = edits::rangeSeconds(motion, all, start);
    std::printf("\nRetime of a %zu-record motion (%.1f s as it plays):\n", motion.size(), seconds);
    for (const double factor : {0.5, 2.0}) {
        std::size_t count = 0;
        const double ms = medianMs([&](int) {
            count = edits::retimed(motion, all, seconds * factor, start).records.size();
        });
        std::printf("  to %6.1f s: %6zu records, %8.2f ms (median)  %s\n", seconds * factor, count,
                    ms, ms <= 50 ? "PASS (at most 50 ms)" : "FAIL (50 ms)");
    }
}

} // namespace

int main()
{
    timedMoves();
    retimes();
    return 0;
}
