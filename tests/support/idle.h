#pragma once
// Whether an event loop sleeps or spins. A loop that spins takes a whole core, or what a busy
// machine leaves it (half a core when two other processes fill two cores); one that sleeps takes
// next to nothing. The window is long enough that the difference cannot be missed.

// Runs this thread's event loop for `ms` milliseconds and returns the share of one core that
// the thread used meanwhile (0.0 to 1.0).
double coreShareWhileRunningEvents(int ms = 1000);

// Well above what a sleeping loop costs, well below what a spinning one takes even on a loaded
// machine.
constexpr double spinningShare = 0.3;
