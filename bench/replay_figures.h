#pragma once
// What the replay benchmark measures, once for each platform it runs on, and the report that
// sets the platforms side by side.

#include "support/paced_line.h"

#include <QString>

#include <optional>
#include <vector>

namespace bench {

// The motion every platform replays: 2000 steps, each of which moves its axis, so that every
// step goes out twice (by the replay, then by its value box).
constexpr int replaySteps = 2000;
constexpr int stopTrials = 5;
constexpr int pauseRounds = 3;

struct ReplayFigures {
    QString platform; // the column's heading
    QString error;    // set when the platform could not be measured at all

    // 1. One whole pass.
    bool passIntact = false; // every frame arrived, in order, as the motion says
    double framesPerSecond = 0;
    double stepsPerSecond = 0;
    double passSeconds = 0;
    double longestGapMs = 0;
    double windowThreadCpu = 0; // % of one core
    double processCpu = 0;      // % of one core, with the thread that reads the line
    std::optional<double> basePaintsPerSecond;

    // 2. STOP mid-pass: bytes that reached the arm after the moment of STOP, per trial.
    std::vector<long long> bytesAfterStop;
    std::optional<long long> writtenAfterStop; // by the program, after STOP was handled

    // 3. PAUSE, then CONT, a few times in one replay.
    bool pauseHeld = false; // the caption read CONT and nothing was written meanwhile
    long long bytesWhilePaused = 0;
    std::vector<double> pausedCpu;       // % of one core, the process, per round
    std::vector<double> pausedThreadCpu; // % of one core, the window's thread, per round
    std::vector<double> contToByteMs;    // from CONT to the next byte on the line, per round

    // 4. The largest movement file through File, "Open" and "Save".
    std::optional<double> openMs, saveMs; // medians
    bool filesIntact = true;
};

// The moves of the motion, by step number 0 ... replaySteps - 1.
struct Move {
    int channel;
    int position;
};
Move replayMoveAt(int k);

// The figures of one whole pass, from the bytes the line carried from index `from` on: the
// homing comes first, then the motion's 2 x replaySteps frames, which are checked one by one.
void passFigures(const std::vector<desktop::PacedLine::Byte> &bytes, std::size_t from,
                 ReplayFigures *f);

// The replay measured in this process on the window itself, pressed by the program.
ReplayFigures measureInProcess();
// The real kestrel at `binary` on its own Xvfb with xcb and Qt's default dispatcher, clicked
// through the X server as a person clicks.
ReplayFigures measureOnDesktop(const QString &binary);

void printReport(const std::vector<ReplayFigures> &columns);

} // namespace bench
