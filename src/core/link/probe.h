#pragma once
// The echo probe made on every open: a controller never answers, so a port that sends the probe
// byte back leads to a modem, a loop or a terminal, and the arm is not there.

class Port;

namespace probe {

// Writes "B" and listens for one second with no events running: nothing else may write
// meanwhile, or its bytes could be taken for an echo. True when exactly "B" came back.
[[nodiscard]] bool echoes(Port &port);

} // namespace probe
