// The motion the benchmark replays, the figures of a pass as the line carried it, and the
// report with one column for each platform.

#include "replay_figures.h"

#include "core/link/frame.h"

#include <QByteArray>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <thread>

namespace bench {

using namespace std::chrono;

Move replayMoveAt(int k)
{
    // The five axes in turn, each swinging between two positions either side of the home.
    return Move{k % 5, (k / 5) % 2 == 0 ? 137 : 117};
}

void passFigures(const std::vector<desktop::PacedLine::Byte> &bytes, std::size_t from,
                 ReplayFigures *f)
{
    struct Arrived {
        desktop::PacedLine::Clock::time_point at; // of its last byte
        int channel, position;
    };
    std::vector<Arrived> frames;
    int junk = 0;
    for (std::size_t i = from; i < bytes.size();) {
        if (bytes[i].value == frame::start && i + 3 < bytes.size() &&
            bytes[i + 3].value == frame::end) {
            frames.push_back(Arrived{bytes[i + 3].at, bytes[i + 1].value, bytes[i + 2].value});
            i += frame::size;
        } else {
            ++junk;
            ++i;
        }
    }
    const int passFrames = 2 * replaySteps;
    f->passIntact = int(frames.size()) >= passFrames && junk == 0;
    if (!f->passIntact)
        return;
    const auto first = frames.end() - passFrames;
    for (int k = 0; k < replaySteps; ++k) {
        const Move m = replayMoveAt(k);
        for (int twice = 0; twice < 2; ++twice) {
            const Arrived &a = first[2 * k + twice];
            f->passIntact = f->passIntact && a.channel == m.channel && a.position == m.position;
        }
    }
    const double span = duration<double>(frames.back().at - first->at).count();
    f->passSeconds = span;
    f->framesPerSecond = (passFrames - 1) / span;
    // A step is done when its second frame is: from the first step's to the last step's.
    f->stepsPerSecond =
        (replaySteps - 1) / duration<double>(frames.back().at - first[1].at).count();
    for (auto a = first + 1; a != frames.end(); ++a)
        f->longestGapMs =
            std::max(f->longestGapMs, duration<double, std::milli>(a->at - (a - 1)->at).count());
}

namespace {

template <class T> T worst(const std::vector<T> &v)
{
    return v.empty() ? T{} : *std::max_element(v.begin(), v.end());
}

QString list(const std::vector<double> &v, int decimals)
{
    QString out;
    for (double x : v)
        out += QString::number(x, 'f', decimals) + QLatin1Char(' ');
    return out.trimmed();
}

QString list(const std::vector<long long> &v)
{
    QString out;
    for (long long x : v)
        out += QString::number(x) + QLatin1Char(' ');
    return out.trimmed();
}

// One row: a figure, its goal, and for each column what was measured and, where there is a
// goal, whether it met it.
struct Row {
    const char *figure;
    const char *goal; // nullptr: no goal
    std::function<QString(const ReplayFigures &)> measured;
    std::function<bool(const ReplayFigures &)> pass;
};

} // namespace

void printReport(const std::vector<ReplayFigures> &columns)
{
    constexpr double lineFramesPerSecond = 960.0 / frame::size; // 240
    const auto na = QStringLiteral("-");
    const std::vector<Row> rows{
        {"1. replay, 2000 steps: frames/s on the wire", ">= 228",
         [](const ReplayFigures &f) { return QString::number(f.framesPerSecond, 'f', 1); },
         [&](const ReplayFigures &f) {
             return f.passIntact && f.framesPerSecond >= 0.95 * lineFramesPerSecond;
         }},
        {"   steps/s (each step is 2 frames)",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(f.stepsPerSecond, 'f', 1); },
         {}},
        {"   pass on the wire, s",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(f.passSeconds, 'f', 2); },
         {}},
        {"   longest gap between two frames, ms",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(f.longestGapMs, 'f', 2); },
         {}},
        {"   frames arrived as sent",
         nullptr,
         [](const ReplayFigures &f) {
             return f.passIntact ? QStringLiteral("yes") : QStringLiteral("NO");
         },
         {}},
        {"   CPU of the window's thread, % of a core", "<= 5",
         [](const ReplayFigures &f) { return QString::number(f.windowThreadCpu, 'f', 2); },
         [](const ReplayFigures &f) { return f.windowThreadCpu <= 5.0; }},
        {"   CPU of the process, % of a core",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(f.processCpu, 'f', 2); },
         {}},
        {"   paints of the base's slider a second",
         nullptr,
         [&](const ReplayFigures &f) {
             return f.basePaintsPerSecond ? QString::number(*f.basePaintsPerSecond, 'f', 1) : na;
         },
         {}},
        {"2. bytes reaching the arm after STOP, worst", "<= 16",
         [](const ReplayFigures &f) { return QString::number(worst(f.bytesAfterStop)); },
         [](const ReplayFigures &f) {
             return int(f.bytesAfterStop.size()) == stopTrials && worst(f.bytesAfterStop) <= 16 &&
                    f.writtenAfterStop.value_or(0) == 0;
         }},
        {"   per STOP", nullptr, [](const ReplayFigures &f) { return list(f.bytesAfterStop); }, {}},
        {"   written after STOP was handled",
         nullptr,
         [&](const ReplayFigures &f) {
             return f.writtenAfterStop ? QString::number(*f.writtenAfterStop) : na;
         },
         {}},
        {"3. CPU while paused, % of a core, worst", "<= 2",
         [](const ReplayFigures &f) { return QString::number(worst(f.pausedCpu), 'f', 2); },
         [](const ReplayFigures &f) {
             return f.pauseHeld && int(f.pausedCpu.size()) == pauseRounds &&
                    worst(f.pausedCpu) <= 2.0;
         }},
        {"   per hold of 1 s",
         nullptr,
         [](const ReplayFigures &f) { return list(f.pausedCpu, 2); },
         {}},
        {"   of which the window's thread, worst",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(worst(f.pausedThreadCpu), 'f', 2); },
         {}},
        {"   bytes written while paused",
         nullptr,
         [](const ReplayFigures &f) { return QString::number(f.bytesWhilePaused); },
         {}},
        {"   CONT to the next byte, ms, worst", "<= 1000",
         [](const ReplayFigures &f) { return QString::number(worst(f.contToByteMs), 'f', 1); },
         [](const ReplayFigures &f) {
             return int(f.contToByteMs.size()) == pauseRounds && worst(f.contToByteMs) <= 1000;
         }},
        {"   per CONT",
         nullptr,
         [](const ReplayFigures &f) { return list(f.contToByteMs, 1); },
         {}},
        {"4. Open, 12010 records, ms (median)",
         nullptr,
         [&](const ReplayFigures &f) { return f.openMs ? QString::number(*f.openMs, 'f', 1) : na; },
         {}},
        {"   Save, 12010 records, ms (median)",
         nullptr,
         [&](const ReplayFigures &f) { return f.saveMs ? QString::number(*f.saveMs, 'f', 1) : na; },
         {}},
        {"   file read back as written",
         nullptr,
         [&](const ReplayFigures &f) {
             return !f.openMs ? na : f.filesIntact ? QStringLiteral("yes") : QStringLiteral("NO");
         },
         {}},
    };

    std::printf(
        "Kestrel replay on a pseudo-terminal read at 960 B/s (9600 baud 8N1: 240 frames/s)\n");
    std::printf("%-44s %-9s", "figure", "goal");
    for (const ReplayFigures &c : columns)
        std::printf(" | %-30s", qPrintable(c.platform.left(30)));
    std::printf("\n%s\n", QByteArray(55 + 33 * int(columns.size()), '-').constData());
    for (const Row &row : rows) {
        std::printf("%-44s %-9s", row.figure, row.goal ? row.goal : "");
        for (const ReplayFigures &c : columns) {
            QString cell = c.error.isEmpty() || c.passIntact ? row.measured(c) : na;
            if (row.pass && c.error.isEmpty())
                cell += row.pass(c) ? QStringLiteral("  PASS") : QStringLiteral("  FAIL");
            std::printf(" | %-30s", qPrintable(cell.left(30)));
        }
        std::printf("\n");
    }
    for (const ReplayFigures &c : columns)
        if (!c.error.isEmpty())
            std::printf("%s: %s\n", qPrintable(c.platform), qPrintable(c.error));
    std::printf("%d CPU cores\n", int(std::thread::hardware_concurrency()));
    std::fflush(stdout);
}

} // namespace bench
