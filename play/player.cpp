#include "play/player.h"

#include "core/link/com_device.h"
#include "core/link/port.h"
#include "core/link/send.h"
#include "core/motion/axes.h"

namespace play {

Player::Player(Port &port, const config::Settings &settings, int loops)
    : m_port(port), m_settings(settings), m_loops(loops), m_sequencer(port, *this)
{
    for (const axes::Axis &a : axes::all)
        m_at[a.channel] = a.created;
    // As the window does: nothing more is written once the device has gone.
    connect(&m_port, &Port::lost, this, [this] { m_status = comdevice::NoDevice; });
}

Sequencer::End Player::startUp()
{
    m_sequencer.centre();
    return m_sequencer.home();
}

Sequencer::End Player::run(const StepBuffer &steps)
{
    m_passBoundaries = 0;
    return m_sequencer.run(steps);
}

QString Player::loopCountText() const
{
    // Until stopped: there is always one more pass after this one.
    if (m_loops == 0)
        return QStringLiteral("2");
    return QString::number(std::max(1, m_loops - m_passBoundaries));
}

void Player::setLoopCountText(const QString &)
{
    ++m_passBoundaries;
}

void Player::placeAxis(int channel, int position)
{
    if (m_at[channel] == position)
        return;
    m_at[channel] = position;
    send::axis(m_port, m_status, channel, position);
}

void Player::yield()
{
    Sequencer::Host::yield();
    if (m_onStep)
        m_onStep();
}

} // namespace play
