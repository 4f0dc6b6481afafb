// The frame decoder that the simulator and the tests read the wire with: any byte stream, cut
// into any chunks, must be accounted for byte by byte, and cutting must not change the result.

#include "core/link/frame.h"

#include <QByteArray>
#include <QList>
#include <cstdlib>
#include <fuzzer/FuzzedDataProvider.h>

namespace {

struct Decoded {
    QList<frame::Frame> frames;
    qint64 junk = 0;
};

void check(bool condition)
{
    if (!condition)
        std::abort();
}

// Feeds the stream in chunks of the given sizes (the last chunk takes what is left).
Decoded decode(const QByteArray &stream, const std::vector<int> &cuts, frame::Decoder &decoder)
{
    Decoded out;
    qsizetype at = 0;
    for (int cut : cuts) {
        if (at >= stream.size())
            break;
        const QByteArray chunk = stream.mid(at, cut);
        decoder.feed(
            chunk, [&](const frame::Frame &f) { out.frames << f; },
            [&](unsigned char) { ++out.junk; });
        at += chunk.size();
    }
    decoder.feed(
        stream.mid(at), [&](const frame::Frame &f) { out.frames << f; },
        [&](unsigned char) { ++out.junk; });
    return out;
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    FuzzedDataProvider in(data, size);
    std::vector<int> cuts(in.ConsumeIntegralInRange<int>(0, 16));
    for (int &c : cuts)
        c = in.ConsumeIntegralInRange<int>(0, 9);
    const bool framesOnly = in.ConsumeBool();
    const std::vector<uint8_t> rest = in.ConsumeRemainingBytes<uint8_t>();
    QByteArray bytes(reinterpret_cast<const char *>(rest.data()), qsizetype(rest.size()));

    if (framesOnly) {
        // Whole frames built from the bytes, taken as (channel, position) pairs, come back
        // exactly, with no junk and nothing left over.
        QList<frame::Frame> sent;
        QByteArray stream;
        for (qsizetype i = 0; i + 1 < bytes.size(); i += 2) {
            const frame::Frame f{static_cast<unsigned char>(bytes[i]),
                                 static_cast<unsigned char>(bytes[i + 1])};
            const auto built = frame::build(f.channel, f.position);
            check(built.has_value() && built->size() == frame::size);
            stream += *built;
            sent << f;
        }
        frame::Decoder decoder;
        const Decoded got = decode(stream, cuts, decoder);
        check(got.frames == sent && got.junk == 0 && decoder.badBytes() == 0);
        check(decoder.frames() == sent.size());
        return 0;
    }

    frame::Decoder chunked;
    const Decoded a = decode(bytes, cuts, chunked);
    frame::Decoder whole;
    const Decoded b = decode(bytes, {}, whole);
    // The callbacks and the counters agree.
    check(a.junk == chunked.badBytes() && a.frames.size() == chunked.frames());
    check(b.junk == whole.badBytes() && b.frames.size() == whole.frames());
    // Every byte is a frame's, a junk byte, or waits for the rest of a frame: at most three.
    const qint64 consumed = chunked.frames() * frame::size + chunked.badBytes();
    const qint64 pending = bytes.size() - consumed;
    check(pending >= 0 && pending < frame::size);
    // A waiting frame begins with its start byte.
    check(pending == 0 ||
          static_cast<unsigned char>(bytes[bytes.size() - pending]) == frame::start);
    // How the bytes arrive makes no difference.
    check(a.frames == b.frames && a.junk == b.junk);
    for (const frame::Frame &f : a.frames)
        check(f.channel >= 0 && f.channel <= 255 && f.position >= 0 && f.position <= 255);
    return 0;
}
