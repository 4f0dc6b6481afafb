#pragma once
// A port that keeps what is written, for tests. It opens or fails as told, answers the echo
// probe with what it is given, and can be made to disappear like an unplugged adapter. Its line
// wait takes no time: it runs what the test scripted for that wait, which is where the
// operator's events reach a long operation on a real line.

#include "core/link/frame.h"
#include "core/link/port.h"

#include <QList>
#include <QMap>
#include <functional>

class FakePort : public Port {
    Q_OBJECT
public:
    FakePort();

    int openResult = 0;     // what the next opens return
    QByteArray probeAnswer; // what the probe reads back
    QByteArray written;     // every byte written while open, in order
    QList<int> openedNumbers;
    int closes = 0;

    [[nodiscard]] int open(int number) override;
    void close() override;
    bool isOpen() const override { return m_open; }
    QString device() const override { return QStringLiteral("/dev/fake0"); }
    QByteArray readAfter(int ms) override;

    // The device goes away while open.
    void disappear();
    // Calls `what` the first time a frame is written after `frames` frames (to act mid-run).
    void onFrame(int frames, std::function<void()> what);

    // Runs `what` during the n-th line wait from now (0: the next one). Waits with nothing
    // scripted return at once.
    void atWait(int n, std::function<void()> what);
    // Line waits so far.
    int waits() const { return m_waits; }
    void waitForLine(int frames = framesAhead) override;

    // The written bytes after the probe, as frames. Fails the calling test (returns false via
    // `ok`) if any byte does not belong to a whole frame of the right form.
    QList<frame::Frame> frames(bool *ok = nullptr) const;
    void clearWritten() { written.clear(); }

protected:
    void send(const QByteArray &bytes) override;

private:
    bool m_open = false;
    int m_framesSent = 0;
    int m_triggerAt = -1;
    std::function<void()> m_trigger;
    int m_waits = 0;
    QMap<int, std::function<void()>> m_atWait;
};
