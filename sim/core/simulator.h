#pragma once
// The simulated controller at work: bytes come off the line at the wire's pace, go through the
// arm's state, and come out as events for the window or the headless log. With echo on, it
// answers the program's probe like a modem would.

#include "sim/core/arm_state.h"
#include "sim/core/line_reader.h"

#include <QObject>

namespace sim {

class Simulator : public QObject {
    Q_OBJECT
public:
    Simulator(int masterFd, bool echo, QObject *parent);

    const ArmState &state() const { return m_state; }
    qint64 elapsedMs() const { return m_reader.elapsedMs(); }

signals:
    void happened(const sim::Event &event);

private:
    void onReceived(const QByteArray &bytes, qint64 ms, bool moreWaiting);

    ArmState m_state;
    LineReader m_reader;
    bool m_echo;
};

} // namespace sim
