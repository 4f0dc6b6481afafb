#pragma once
// A line that carries fewer bytes a second than its nominal 960 (a USB bridge's gaps, a slow
// UART clock), on a clock of its own: the line wait's sleeps move that clock on instead of
// passing, so a test or a benchmark can play hours of line in an instant. Its driver holds what
// the line has not yet carried, and tells how much or not, as told.

#include "core/link/port.h"

class SlowLinePort : public Port {
    Q_OBJECT
public:
    using Clock = LineClock::Clock;
    // `bytesPerSecond` 0: a device that stopped reading, whose driver never drains.
    SlowLinePort(long long bytesPerSecond, bool tells);

    [[nodiscard]] int open(int) override;
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString device() const override { return QStringLiteral("/dev/slow0"); }
    QByteArray readAfter(int) override { return {}; }
    std::optional<int> bytesQueued() const override;

    // What the driver holds now, whether it tells or not: the bytes the arm still gets.
    long long held() const;
    Clock::time_point clock() const { return m_now; }
    void pass(Clock::duration d) { m_now += d; }
    int sleeps() const { return m_sleeps; }

protected:
    void send(const QByteArray &bytes) override;
    Clock::time_point now() const override { return m_now; }
    void sleepFor(Clock::duration wait) override;

private:
    long long m_rate;
    bool m_tells;
    bool m_open = false;
    int m_sleeps = 0;
    long long m_written = 0;
    Clock::time_point m_now{};
    Clock::time_point m_doneAt{}; // when the last byte held is off the wire
};
