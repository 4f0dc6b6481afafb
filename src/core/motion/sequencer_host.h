#pragma once
// What the sequencer needs of the operator's state, and nothing more: where the axes stand and
// how to move one (the move every view and recording sees), whether frames may be sent, the
// homes and their pace, and the loop count. The session implements it; a test can too.

#include "core/motion/axes.h"
#include "core/store/config_file.h"

#include <array>

class LoopCount;

class SequencerHost {
public:
    virtual const std::array<int, axes::count> &positions() const = 0;
    // Moves an axis the one way every move goes: shown, recorded while recording, sent while
    // frames may be sent. An axis already there is not moved again.
    virtual void moveAxis(int channel, int position) = 0;
    // port_status: 0 while frames may be sent.
    virtual int portStatus() const = 0;
    // The homes and the homing speed.
    virtual const config::Settings &configuration() const = 0;
    virtual const LoopCount &loopCount() const = 0;
    // Puts a count in the loop-count box, as the program does; announced also when it stays.
    virtual void setLoopCount(int count) = 0;

protected:
    ~SequencerHost() = default;
};
