#include "core/play/player.h"

#include "core/process/event_wait.h"

namespace play {

namespace {
config::Settings paced(config::Settings settings)
{
    // The window's homing speed counts passes through its event loop, of which there are none
    // here: the walk goes at the line's pace.
    settings.homeSpeed = 0;
    return settings;
}
} // namespace

Player::Player(Port &port, const config::Settings &settings, int loops)
    : m_session(port), m_loops(loops)
{
    m_session.files().setConfiguration(paced(settings));
    m_session.setWaits({[this] {
                            events::runPending();
                            if (m_onStep)
                                m_onStep();
                        },
                        &events::sleepUntilEvent});
    connect(&m_session.sequencer(), &Sequencer::passEnded, this, &Player::onPassEnded);
}

Sequencer::End Player::startUp()
{
    m_session.centre();
    return m_session.home();
}

Sequencer::End Player::run()
{
    // Until stopped: there is always one more pass after this one.
    m_session.setLoopCount(m_loops == 0 ? 2 : m_loops);
    m_passesEnded = 0;
    return m_session.run();
}

Sequencer::End Player::playHere(const StepBuffer &steps)
{
    m_passesEnded = 0; // the pass is this play's first
    return m_session.playHere(steps);
}

void Player::onPassEnded()
{
    ++m_passesEnded;
    if (m_loops == 0)
        m_session.setLoopCount(2);
}

} // namespace play
