#pragma once
// kestrel-play's dry run: a line that prints what it is given instead of sending it, one line a
// frame as the simulator logs it, and does not wait for a wire that is not there.

#include "core/link/frame.h"
#include "core/link/port.h"

#include <cstdio>

namespace play {

class PrintingPort : public Port {
    Q_OBJECT
public:
    explicit PrintingPort(FILE *out, QObject *parent = nullptr) : Port(parent), m_out(out) {}
    ~PrintingPort() override;

    [[nodiscard]] int open(int) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString device() const override { return QStringLiteral("(dry run)"); }
    // Nobody is at the far end to answer.
    QByteArray readAfter(int) override { return {}; }
    // Events still run, so that Ctrl-C is seen, but nothing waits.
    void waitForLine(int frames = framesAhead) override;

protected:
    void send(const QByteArray &bytes) override;

private:
    FILE *m_out;
    bool m_open = false;
    frame::Decoder m_decoder;
    qint64 m_written = 0; // bytes given to the decoder
};

} // namespace play
