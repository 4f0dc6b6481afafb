#include "sim/core/simulator.h"

namespace sim {

Simulator::Simulator(int masterFd, bool echo, QObject *parent)
    : QObject(parent), m_reader(masterFd, this), m_echo(echo)
{
    connect(&m_reader, &LineReader::received, this, &Simulator::onReceived);
}

void Simulator::onReceived(const QByteArray &bytes, qint64 ms, bool moreWaiting)
{
    for (const Event &event : m_state.feed(bytes, ms, moreWaiting)) {
        // A modem echoes what it is sent; the probe is the only byte the program listens for,
        // so answering it alone is enough to make the program see "some other device".
        if (m_echo && event.kind == Event::Probe)
            m_reader.answer(QByteArrayLiteral("B"));
        emit happened(event);
    }
}

} // namespace sim
