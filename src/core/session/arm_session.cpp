#include "core/session/arm_session.h"

ArmSession::ArmSession(Port &port, QObject *parent)
    : QObject(parent), m_link(port), m_axes(m_link), m_files(m_axes.stepBuffer()),
      m_sequencer(port, *this)
{
}

void ArmSession::rec()
{
    m_axes.rec();
}

void ArmSession::stop()
{
    // In the order STOP has always had: the layout (the view's), recording, the replay's bound,
    // the box.
    Q_EMIT stopping();
    if (m_sequencer.paused()) {
        m_sequencer.setPaused(false);
        Q_EMIT pausedChanged(false);
    }
    m_axes.endRecording();
    m_sequencer.stop(stepBuffer().stepCount());
    setLoopCountText(QStringLiteral("1"));
}

Sequencer::End ArmSession::run()
{
    Q_EMIT playingChanged(true);
    const Sequencer::End end = m_sequencer.run(stepBuffer());
    Q_EMIT playingChanged(false);
    return end;
}

Sequencer::End ArmSession::playHere(const StepBuffer &steps)
{
    Q_EMIT playingChanged(true);
    const Sequencer::End end = m_sequencer.playHere(steps);
    Q_EMIT playingChanged(false);
    return end;
}

void ArmSession::togglePause()
{
    m_sequencer.setPaused(!m_sequencer.paused());
    Q_EMIT pausedChanged(m_sequencer.paused());
}

Sequencer::End ArmSession::back()
{
    Q_EMIT playingChanged(true);
    const Sequencer::End end = m_sequencer.back(stepBuffer());
    Q_EMIT playingChanged(false);
    if (end == Sequencer::End::Lost) {
        // STOP goes with the other motion controls when the device is gone; the recording
        // ends here, and what was recorded stays to be saved.
        m_axes.endRecording();
        return end;
    }
    // Also when the operator's STOP ended the walk.
    stop();
    return end;
}

Sequencer::End ArmSession::home(Sequencer::Nested nested)
{
    return m_sequencer.home(nested);
}

Sequencer::End ArmSession::quit()
{
    config::Settings centred = configuration();
    centred.home.fill(axes::centre);
    m_files.setConfiguration(centred);
    return m_sequencer.home(Sequencer::Nested::Yes);
}

ArmSession::PortOutcome ArmSession::choosePort(int number, const std::function<int()> &open)
{
    m_files.setPort(number);
    return m_link.choose(number, open);
}

void ArmSession::setLoopCountText(const QString &text)
{
    m_loops.enter(text);
    Q_EMIT loopCountChanged(m_loops.text(), m_loops.slider());
}

void ArmSession::setLoopCount(int count)
{
    m_loops.set(count);
    Q_EMIT loopCountChanged(m_loops.text(), m_loops.slider());
}

void ArmSession::openMovement(const QString &name, const std::vector<Step> &records)
{
    m_files.openMovement(name, records);
}
