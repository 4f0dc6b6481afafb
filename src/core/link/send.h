#pragma once
// How a position reaches the arm. Every frame that puts an axis somewhere leaves through one of
// these two, so the rule of who may write, and when, is in one place.

class Port;

namespace send {

// The value boxes' write, and so the write of every move that passes through a slider: the
// operator's, start-up's, homing's, a box's Enter and a replay's. It goes out only while
// port_status is 0; after a failed open or an echo the line is not the arm's, and nothing is
// written.
//
// A replayed step writes its frame itself (step() below) and then sets the axis's slider. When
// that moves the slider, the slider's box writes the same position a second time through here.
// The two writes are kept: the replay's reaches the arm even while port_status says otherwise,
// and the box's is what every move does. A step equal to where the slider stands is written once.
void axis(Port &port, int portStatus, int channel, int position);

// A replayed step's own write: whatever port_status says (a closed port drops it). A channel or
// position that cannot be one byte is not written at all.
void step(Port &port, int channel, int position);

} // namespace send
