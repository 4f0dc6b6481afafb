#pragma once
// What the driver of a serial line still holds, not yet on the wire. The line clock assumes the
// line carries exactly 960 bytes a second; a real adapter may carry a little fewer (a USB
// bridge leaves gaps between bytes, a UART's clock runs slightly slow), and over a long replay
// the difference piles up in the driver, where STOP cannot reach it. UART and USB serial
// drivers say how much they hold (TIOCOUTQ), so the line wait can keep that small too.
//
// A pseudo-terminal answers TIOCOUTQ on either end with 0, however much its far end has left
// unread (Linux 6.x, both ends, with a thousand bytes waiting). That 0 says nothing, so a
// pseudo-terminal counts as a line that does not report, and its pace is the clock's alone.

#include <optional>

namespace linequeue {

// Whether the line open on `fd` tells how much it holds: a terminal device that is not a
// pseudo-terminal and answers the query.
bool reports(int fd);

// The bytes the driver of `fd` still holds; nothing when it cannot say.
std::optional<int> held(int fd);

} // namespace linequeue
