#pragma once
// The status line of a long play on a terminal, kestrel-play's and a script's: "Pass 2 of 3, step
// 45 of 120, 0:37 left", redrawn in place a few times a second. The time left is exact: each
// step's frames are known before the pass (one frame, and a second where the step moves its axis:
// the pass timing of core/edit/pass_timing.h, which the editor shows too), and the line clock
// knows what is still on the wire. Played until stopped, the line shows the time played instead.

#include "core/motion/step_buffer.h"

#include <QElapsedTimer>
#include <QString>
#include <array>
#include <chrono>
#include <cstdio>
#include <vector>

class LineClock;

namespace play {

class Progress {
public:
    // `from`: where each axis stands when RUN begins; loops 0: until stopped.
    Progress(const StepBuffer &steps, const std::array<int, 5> &from, int loops);

    // The status line for pass `pass` (from 1) after the step at buffer index `index` went out.
    QString text(int pass, int index, std::chrono::nanoseconds onTheWire,
                 std::chrono::nanoseconds played) const;
    // Frames still to be written after that step, to the end of the last pass.
    qint64 framesLeft(int pass, int index) const;

    static QString duration(std::chrono::nanoseconds d);

private:
    int m_bound; // the last index a pass plays
    int m_loops;
    // [i]: frames written by the steps after index i of the first pass, and of a later one (the
    // first starts from the home pose, the later ones from where the motion ends).
    std::vector<qint64> m_firstAfter, m_laterAfter;
};

// Draws the line on a terminal, at most ten times a second, and clears it at the end.
class StatusLine {
public:
    explicit StatusLine(FILE *terminal) : m_out(terminal) {}
    void show(const QString &text, bool now = false);
    void finish();

private:
    FILE *m_out;
    QElapsedTimer m_last;
    bool m_shown = false;
};

} // namespace play
