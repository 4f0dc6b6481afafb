// The inverse kinematics: how long 10,000 solves of reachable targets take (best and median of
// several runs, and the median of the processor time it took), with and without a pose to stay
// near, on the stock arm and on an odd one, and how near the answers come; then 10,000 of the exact
// answers alone, before rounding and search. The targets are the tool points of random poses within
// the limits, nudged off the positions' grid by up to half a millimetre on each axis, so that the
// search has work to do.
//
// A report, not a test: it exits 0 whatever the figures are.

#include "core/arm/inverse.h"

#include <QElapsedTimer>

#include <algorithm>
#include <cmath>
#include <cstdio>
#include <ctime>
#include <functional>
#include <random>
#include <vector>

namespace {

constexpr int solves = 10000;
constexpr int runs = 9;
constexpr double goalMs = 50;

// Odd lengths, a table, narrow limits, joints turning either way at uneven rates.
arm::Profile oddArm()
{
    arm::Profile p = arm::defaults();
    p.arm = {73.5, 121, 97.25, 55, 5.0};
    const auto joint = [](double at0, double at255, int min, int max) {
        arm::Joint j;
        j.at0 = at0, j.at255 = at255, j.min = min, j.max = max;
        return j;
    };
    p.joints[axes::Base] = joint(-100, 80, 10, 240);
    p.joints[axes::Shoulder] = joint(200, -10, 20, 230);
    p.joints[axes::Elbow] = joint(-150, 40, 5, 250);
    p.joints[axes::Wrist] = joint(95, -95, 30, 220);
    return p;
}

struct Case {
    arm::Target target;
    arm::Pose pose; // the pose whose tool point was nudged: the pose to stay near
};

std::vector<Case> reachableTargets(const arm::Profile &p)
{
    std::mt19937 random(33);
    std::uniform_real_distribution<double> nudge(-0.5, 0.5);
    std::vector<Case> cases;
    while (cases.size() < std::size_t(solves)) {
        arm::Pose pose{};
        for (int c = 0; c < axes::count; ++c)
            pose[c] = std::uniform_int_distribution<int>(p.joints[c].min, p.joints[c].max)(random);
        const arm::Reach r = arm::forward(p, pose);
        const arm::Target t{
            {r.tool.x + nudge(random), r.tool.y + nudge(random), r.tool.z + nudge(random)},
            r.pitch};
        // A nudge may carry a point at the edge of the reach, or below the table, out of it.
        if (arm::solveExactly(p, t, pose).positions)
            cases.push_back({t, pose});
    }
    return cases;
}

struct Times {
    double best = 1e300;
    double median = 0;
    double cpuMedian = 0; // the processor's time alone: on a machine others share, the wall
                          // clock also counts the time this process waited for a core
};

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v[v.size() / 2];
}

Times timed(const std::function<void()> &work)
{
    std::vector<double> ms, cpu;
    for (int i = 0; i < runs; ++i) {
        QElapsedTimer t;
        const std::clock_t c = std::clock();
        t.start();
        work();
        ms.push_back(double(t.nsecsElapsed()) / 1e6);
        cpu.push_back(double(std::clock() - c) * 1000 / CLOCKS_PER_SEC);
    }
    return {*std::min_element(ms.begin(), ms.end()), median(ms), median(cpu)};
}

const char *verdict(const Times &t)
{
    return t.median <= goalMs ? "PASS" : "FAIL";
}

void solvesOf(const char *name, const arm::Profile &p, const std::vector<Case> &cases)
{
    for (const bool near : {false, true}) {
        double sum = 0, worst = 0, worstPitch = 0;
        int refused = 0;
        const Times t = timed([&] {
            sum = worst = worstPitch = 0;
            refused = 0;
            for (const Case &c : cases) {
                const arm::Solved s =
                    arm::solve(p, c.target, near ? std::optional(c.pose) : std::nullopt);
                if (!s.solution) {
                    ++refused;
                    continue;
                }
                sum += s.solution->distance;
                worst = std::max(worst, s.solution->distance);
                worstPitch = std::max(worstPitch, std::abs(arm::normalDegrees(
                                                      s.solution->reached.pitch - c.target.pitch)));
            }
        });
        std::printf("%-9s %-5s %10.2f %12.2f %10.2f %11.3f %11.3f %11.3f %8d  %s\n", name,
                    near ? "yes" : "no", t.best, t.median, t.cpuMedian, sum / (solves - refused),
                    worst, worstPitch, refused, verdict(t));
    }
}

void exactOf(const char *name, const arm::Profile &p, const std::vector<Case> &cases)
{
    int refused = 0;
    const Times t = timed([&] {
        refused = 0;
        for (const Case &c : cases)
            refused += arm::solveExactly(p, c.target).positions ? 0 : 1;
    });
    std::printf("%-9s %10.2f %12.2f %10.2f %8d\n", name, t.best, t.median, t.cpuMedian, refused);
}

} // namespace

int main()
{
    const arm::Profile stock = arm::defaults(), odd = oddArm();
    const std::vector<Case> stockCases = reachableTargets(stock), oddCases = reachableTargets(odd);
    std::printf("arm::solve, %d reachable targets (tool points of random poses within the "
                "limits, nudged up to 0.5 mm on each axis), %d runs; ms per %d, distance and "
                "pitch off the target (mm, degrees); goal: median at most %.0f ms\n",
                solves, runs, solves, goalMs);
    std::printf("%-9s %-5s %10s %12s %10s %11s %11s %11s %8s\n", "profile", "near", "best (ms)",
                "median (ms)", "cpu (ms)", "mean (mm)", "worst (mm)", "pitch (deg)", "refused");
    solvesOf("stock", stock, stockCases);
    solvesOf("odd", odd, oddCases);
    std::printf("\narm::solveExactly, the same targets, no pose to stay near:\n");
    std::printf("%-9s %10s %12s %10s %8s\n", "profile", "best (ms)", "median (ms)", "cpu (ms)",
                "refused");
    exactOf("stock", stock, stockCases);
    exactOf("odd", odd, oddCases);
    return 0;
}
