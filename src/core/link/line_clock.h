#pragma once
// The program's own clock of the serial line. The operating system accepts kilobytes at once
// (a pseudo-terminal about 15 KB, a UART driver about 4 KB), so a loop that writes as fast as it
// can runs seconds ahead of the arm, and STOP would then stop the screen but not the arm. The
// line carries one byte every 1/960 s at 9600 baud 8N1; this clock says when the last byte
// written will be done, so long operations can wait until only a few frames are on their way.
//
// It is the one model of the paced line: the simulator and the benchmark, which stand in for
// the arm at the far end, read the line by it too. They tell it when bytes showed up, and it
// says which of them have come off the wire.

#include <chrono>

class LineClock {
public:
    using Clock = std::chrono::steady_clock;
    static constexpr long long bytesPerSecond = 960;

    // A write of n bytes at `now`: each byte is done 1/960 s after the later of its write and
    // the previous byte.
    void wrote(long long bytes, Clock::time_point now);

    // How long the line stays busy with what was written.
    Clock::duration busyFor(Clock::time_point now) const;

    // How long to wait until no more than `frames` whole frames are still on their way.
    Clock::duration untilAtMost(int frames, Clock::time_point now) const;

    // Bytes written but not yet on the far end.
    long long bytesInFlight(Clock::time_point now) const;

    // The far end's view: of all bytes written, those that have come off the wire by `now`.
    long long bytesArrived(Clock::time_point now) const;
    long long bytesWritten() const { return m_written; }
    // A reader at the far end has seen `total` bytes in all: those it had not seen before start
    // down the wire now, or behind the ones still on it.
    void sawUpTo(long long total, Clock::time_point now) { wrote(total - m_written, now); }
    // When byte number `index` (from 0, of all written) comes off the wire. Known for the bytes
    // of the line's present busy spell, which began with the first write to an idle line.
    Clock::time_point arrivalOf(long long index) const;
    // When the next byte on its way comes off the wire; `now` when none is on its way.
    Clock::time_point nextArrival(Clock::time_point now) const;

    void reset() { *this = LineClock(); }

    // How long the line takes to carry n bytes.
    static Clock::duration bytesTime(long long bytes);

private:
    Clock::time_point m_doneAt{};
    long long m_written = 0;
    // The present busy spell: when it began, and the number of its first byte.
    Clock::time_point m_spellStart{};
    long long m_spellFirst = 0;
};
