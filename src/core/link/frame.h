#pragma once
// The command frame: FF, channel, position, 0D. No length, checksum or escaping: a position of
// 255 or 13 goes out as that byte, and the controller never answers.

#include <QByteArray>
#include <QString>
#include <optional>

namespace frame {

constexpr unsigned char start = 0xFF;
constexpr unsigned char end = 0x0D;
constexpr int size = 4;

// The four bytes for a channel and position, or nothing when either lies outside 0 to 255:
// such a value cannot be put in one byte, and sending it cut down would move the wrong servo
// or move it to the wrong place.
std::optional<QByteArray> build(int channel, int position);

struct Frame {
    int channel;
    int position;
    friend bool operator==(const Frame &, const Frame &) = default;
};

// A frame as a line of text, "FF 04 7F 0D grip 127", and a byte that is no frame's, "probe 42"
// (the program's lone probe) or "junk 7A". The simulator logs the line this way and the
// command-line player's dry run prints it the same, so the two can be compared line for line.
QString describe(const Frame &f);
QString describeSkipped(unsigned char byte, bool probe);

// Splits a byte stream into frames. It keeps the bytes of a frame begun in one chunk for the
// next, and resynchronises after junk: a byte that cannot start a frame, or a frame whose
// fourth byte is not 0D, costs one bad byte and the search goes on from the next byte.
class Decoder {
public:
    // Feeds bytes; calls onFrame for each whole frame and onJunk for each skipped byte.
    template <class OnFrame, class OnJunk>
    void feed(const QByteArray &bytes, OnFrame onFrame, OnJunk onJunk)
    {
        for (char c : bytes) {
            m_pending.append(c);
            drain(onFrame, onJunk);
        }
    }
    qint64 badBytes() const { return m_bad; }
    qint64 frames() const { return m_frames; }

private:
    template <class OnFrame, class OnJunk> void drain(OnFrame &onFrame, OnJunk &onJunk)
    {
        while (!m_pending.isEmpty()) {
            const auto b0 = static_cast<unsigned char>(m_pending[0]);
            if (b0 != start) {
                ++m_bad;
                onJunk(b0);
                m_pending.remove(0, 1);
                continue;
            }
            if (m_pending.size() < size)
                return;
            if (static_cast<unsigned char>(m_pending[3]) != end) {
                ++m_bad;
                onJunk(b0);
                m_pending.remove(0, 1);
                continue;
            }
            ++m_frames;
            onFrame(Frame{static_cast<unsigned char>(m_pending[1]),
                          static_cast<unsigned char>(m_pending[2])});
            m_pending.remove(0, size);
        }
    }

    QByteArray m_pending;
    qint64 m_bad = 0;
    qint64 m_frames = 0;
};

} // namespace frame
