#pragma once
// A line that carries fewer bytes a second than its nominal 960 (a USB bridge's gaps, a slow
// UART clock), on a clock of its own: the line wait's sleeps move that clock on instead of
// passing, so a test or a benchmark can play hours of line in an instant. Its driver holds what
// the line has not yet carried, and tells how much or not, as told.

#include "core/link/port.h"

#include <algorithm>

class SlowLinePort : public Port {
public:
    using Clock = LineClock::Clock;
    // `bytesPerSecond` 0: a device that stopped reading, whose driver never drains.
    SlowLinePort(long long bytesPerSecond, bool tells) : m_rate(bytesPerSecond), m_tells(tells) {}

    [[nodiscard]] int open(int) override
    {
        m_open = true;
        resetLine();
        return 0;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString device() const override { return QStringLiteral("/dev/slow0"); }
    QByteArray readAfter(int) override { return {}; }
    std::optional<int> bytesQueued() const override
    {
        return m_tells && m_open ? std::optional<int>(int(held())) : std::nullopt;
    }

    // What the driver holds now, whether it tells or not: the bytes the arm still gets. A byte
    // half carried is still held.
    long long held() const
    {
        const long long busy = std::chrono::nanoseconds(m_doneAt - m_now).count();
        return m_rate <= 0 ? m_written
               : busy <= 0 ? 0
                           : (busy * m_rate + 999'999'999) / 1'000'000'000;
    }
    Clock::time_point clock() const { return m_now; }
    int sleeps() const { return m_sleeps; }

protected:
    void send(const QByteArray &bytes) override
    {
        m_written += bytes.size();
        if (m_rate > 0)
            m_doneAt = std::max(m_doneAt, m_now) +
                       std::chrono::nanoseconds(bytes.size() * 1'000'000'000LL / m_rate);
    }
    Clock::time_point now() const override { return m_now; }
    void sleepFor(Clock::duration wait) override
    {
        ++m_sleeps;
        m_now += wait;
    }

private:
    long long m_rate;
    bool m_tells;
    bool m_open = false;
    int m_sleeps = 0;
    long long m_written = 0;
    Clock::time_point m_now{}, m_doneAt{}; // m_doneAt: when the last byte held is off the wire
};
