#pragma once
// What the simulated controller knows: where each servo was last sent, how many frames and bad
// bytes arrived, and the last few things received. Pure: it is fed bytes and times and never
// reads a clock or a device, so the window, the headless log and the tests share it.

#include "core/link/frame.h"

#include <QByteArray>
#include <QString>
#include <array>
#include <deque>

namespace sim {

constexpr int channels = 5;
constexpr int recentCapacity = 12;

struct Event {
    enum Kind { Frame, Junk, Probe };
    Kind kind = Frame;
    qint64 ms = 0;    // since the simulator started
    int channel = 0;  // Frame only
    int position = 0; // Frame only
    int byte = 0;     // Junk and Probe: the byte skipped
};

// "FF 04 7F 0D grip 127", "junk 7A", "probe 42": one line of the log, without its time.
QString describe(const Event &event);
// "0.412 FF 04 7F 0D grip 127": the headless log's line, seconds since start first.
QString logLine(const Event &event);

class ArmState {
public:
    ArmState();

    // One read's worth of bytes, received at ms. moreWaiting says the line already holds more
    // bytes behind these: a "B" counts as the program's probe only when it came alone, between
    // frames and with nothing after it, because that is how the program sends it. Returns the
    // events these bytes made, oldest first.
    std::deque<Event> feed(const QByteArray &bytes, qint64 ms, bool moreWaiting);

    int position(int channel) const { return m_positions.at(channel); }
    // Channels 0 to 4 that have had a frame since start; the others still show the centre.
    bool heard(int channel) const { return m_heard.at(channel); }
    qint64 frames() const { return m_decoder.frames(); }
    // Bytes that were neither part of a frame nor the program's probe.
    qint64 badBytes() const { return m_decoder.badBytes() - m_probes; }
    // The program's probes: a "B" alone, which the decoder skips like any stray byte, but which
    // is no fault on the line.
    qint64 probes() const { return m_probes; }
    // Frames whose arrival lies within the second before now.
    int framesPerSecond(qint64 nowMs) const;
    // The last recentCapacity events, oldest first.
    const std::deque<Event> &recent() const { return m_recent; }

private:
    void remember(const Event &event);

    frame::Decoder m_decoder;
    qint64 m_fed = 0;
    qint64 m_probes = 0;
    std::array<int, channels> m_positions;
    std::array<bool, channels> m_heard{};
    std::deque<qint64> m_frameTimes;
    std::deque<Event> m_recent;
};

} // namespace sim
