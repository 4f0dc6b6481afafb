#include "core/session/arm_session.h"

#include "core/link/com_device.h"
#include "core/link/port.h"
#include "core/link/probe.h"
#include "core/link/send.h"
#include "core/process/event_wait.h"
#include "core/program/cannot.h"
#include "core/store/movement_file.h"
#include "core/store/save_file.h"
#include "core/text/numbers.h"

#include <QFileInfo>

ArmSession::ArmSession(Port &port, QObject *parent)
    : QObject(parent), m_port(port), m_waits{&events::runPending, &events::sleepUntilEvent},
      m_sequencer(port, *this)
{
    for (const axes::Axis &a : axes::all)
        m_at[a.channel] = a.created;
    connect(&m_port, &Port::lost, this, &ArmSession::onPortLost);
}

void ArmSession::setWaits(Waits waits)
{
    m_waits = std::move(waits);
}

void ArmSession::yield()
{
    m_waits.yield();
}

void ArmSession::hold()
{
    m_waits.hold();
}

void ArmSession::moveAxis(int channel, int position, Repeat repeat)
{
    if (channel < 0 || channel >= axes::count || position < axes::lowest ||
        position > axes::highest)
        return;
    if (m_at[channel] == position && repeat == Repeat::No)
        return;
    if (m_at[channel] != position) {
        m_at[channel] = position;
        // The slider shows it, and its box writes it, before the step and the frame.
        Q_EMIT axisMoved(channel, position);
    }
    if (recording)
        record(channel, position);
    // A view that moved the axis again meanwhile has sent its own frame; this one carries
    // where the axis stands now, as the box's write carries the slider's position.
    send::axis(m_port, port_status, channel, m_at[channel]);
}

void ArmSession::typeValue(int channel, const QString &text)
{
    if (channel < 0 || channel >= axes::count)
        return;
    if (recording) {
        // Only a position a slider can take is stored: playback sets the sliders to the steps,
        // so an emptied box, a lone minus sign or 300 is not recorded.
        const auto typed = numbers::wholeTextNumber(text);
        if (typed) {
            const double position = numbers::roundHalfEven(*typed);
            if (position >= axes::lowest && position <= axes::highest)
                record(channel, static_cast<int>(position));
        }
    }
    send::axis(m_port, port_status, channel, m_at[channel]);
}

bool ArmSession::enterValue(int channel, const QString &text)
{
    const auto typed = numbers::wholeTextNumber(text);
    if (!typed)
        return false;
    const double wanted = numbers::roundHalfEven(*typed);
    if (wanted < axes::lowest || wanted > axes::highest)
        return false;
    moveAxis(channel, static_cast<int>(wanted));
    return true;
}

void ArmSession::record(int channel, int position)
{
    if (!step_buffer.append(Step{static_cast<qint16>(channel), static_cast<qint16>(position)}))
        return;
    Q_EMIT stepsChanged();
    check_counter();
}

void ArmSession::check_counter()
{
    if (!step_buffer.full())
        return;
    setRecording(false);
    Q_EMIT bufferFull();
}

void ArmSession::rec()
{
    step_buffer.setStepCount(1);
    setRecording(true);
    Q_EMIT stepsChanged();
}

void ArmSession::stop()
{
    // In the order STOP has always had: the layout (the view's), recording, the replay's bound,
    // the box.
    Q_EMIT stopping();
    setPaused(false);
    setRecording(false);
    m_sequencer.stop(step_buffer.stepCount());
    setLoopCountText(QStringLiteral("1"));
}

Sequencer::End ArmSession::run()
{
    Q_EMIT playingChanged(true);
    const Sequencer::End end = m_sequencer.run(step_buffer);
    Q_EMIT playingChanged(false);
    return end;
}

void ArmSession::togglePause()
{
    setPaused(!m_paused);
}

Sequencer::End ArmSession::back()
{
    Q_EMIT playingChanged(true);
    const Sequencer::End end = m_sequencer.back(step_buffer);
    Q_EMIT playingChanged(false);
    if (end == Sequencer::End::Lost) {
        // STOP goes with the other motion controls when the device is gone; the recording
        // ends here, and what was recorded stays to be saved.
        setRecording(false);
        return end;
    }
    // Also when the operator's STOP ended the walk.
    stop();
    return end;
}

Sequencer::End ArmSession::quit()
{
    config::Settings centred = m_config;
    centred.home.fill(axes::centre);
    setConfiguration(centred);
    return m_sequencer.homeEvenIfHoming();
}

Sequencer::End ArmSession::home()
{
    return m_sequencer.home();
}

Sequencer::End ArmSession::homeEvenIfHoming()
{
    return m_sequencer.homeEvenIfHoming();
}

void ArmSession::centre()
{
    m_sequencer.centre();
}

ArmSession::PortOutcome ArmSession::choosePort(int number)
{
    return choosePort(number, [this, number] { return m_port.open(number); });
}

ArmSession::PortOutcome ArmSession::choosePort(int number, const std::function<int()> &open)
{
    setPortStatus(0);
    m_config.port = static_cast<qint16>(number);
    Q_EMIT portChosen(number);
    if (m_port.isOpen())
        m_port.close();
    // Selecting the device, applying 9600,N,8,1 and opening are one guarded step: any failure
    // of the three leaves the port closed with a non-zero status.
    const int error = open();
    if (error == 0) {
        Q_EMIT portOpened(number);
    } else {
        setPortStatus(error);
        Q_EMIT portFailed(error, number, m_port.device(), m_port.note());
        setMotionControls(false);
    }
    m_lostInProbe = false;
    check_if_modem();
    return outcome();
}

ArmSession::PortOutcome ArmSession::outcome() const
{
    if (m_lostInProbe)
        return PortOutcome::Lost;
    if (port_status == 13)
        return PortOutcome::Echoed;
    return port_status == 0 ? PortOutcome::Usable : PortOutcome::Failed;
}

void ArmSession::check_if_modem()
{
    if (port_status != 0)
        return;
    const bool echoed = probe::echoes(m_port);
    if (port_status != 0) {
        // The device went away during the wait; that has been announced.
        m_lostInProbe = true;
        return;
    }
    if (echoed) {
        setMotionControls(false);
        setPortStatus(13);
        Q_EMIT portEchoed(m_config.port);
    } else {
        setMotionControls(true);
    }
}

void ArmSession::onPortLost()
{
    // The port is closed already. It counts as a failed open: nothing more is sent, and the
    // sequencer ends any long operation before its next step. What was recorded stays.
    setPortStatus(comdevice::NoDevice);
    setMotionControls(false);
    Q_EMIT portLost(m_config.port, m_port.device());
}

void ArmSession::setRecording(bool on)
{
    if (recording == on)
        return;
    recording = on;
    Q_EMIT recordingChanged(on);
}

void ArmSession::setPaused(bool on)
{
    if (m_paused == on)
        return;
    m_paused = on;
    Q_EMIT pausedChanged(on);
}

void ArmSession::setLoopCountText(const QString &text)
{
    m_loopCount = text;
    Q_EMIT loopCountChanged(text);
}

void ArmSession::writeLoopBox(const QString &text)
{
    // A box raises no change for the text it holds already.
    if (m_loopCount == text)
        return;
    setLoopCountText(text);
}

void ArmSession::enterLoopCount(const QString &text)
{
    writeLoopBox(text);
    const auto count = numbers::wholeTextNumber(m_loopCount);
    if (!count || *count >= 101) {
        writeLoopBox(m_lastLoopCount);
        return;
    }
    if (*count == 0)
        writeLoopBox(QStringLiteral("1"));
    const auto now = numbers::wholeTextNumber(m_loopCount);
    const double whole = now ? numbers::roundHalfEven(*now) : 0;
    // A count the slider cannot take (-3, 0.3, 100.7) is refused like any other bad text.
    if (whole < 1 || whole > 100) {
        writeLoopBox(m_lastLoopCount);
        return;
    }
    if (m_loopSlider != static_cast<int>(whole)) {
        m_loopSlider = static_cast<int>(whole);
        Q_EMIT loopCountMoved(m_loopSlider);
        // The slider's change writes its count into the box.
        writeLoopBox(QString::number(m_loopSlider));
    }
    m_lastLoopCount = m_loopCount;
}

void ArmSession::slideLoopCount(int count)
{
    if (count < 1 || count > 100)
        return;
    if (m_loopSlider != count) {
        m_loopSlider = count;
        Q_EMIT loopCountMoved(count);
    }
    enterLoopCount(QString::number(count));
}

void ArmSession::setPortStatus(int status)
{
    if (port_status == status)
        return;
    port_status = status;
    Q_EMIT portStatusChanged(status);
}

void ArmSession::setMotionControls(bool enabled)
{
    m_motionEnabled = enabled;
    Q_EMIT motionControlsSet(enabled);
}

void ArmSession::setConfiguration(const config::Settings &settings)
{
    m_config = settings;
    Q_EMIT configurationChanged();
}

void ArmSession::openMovement(const QString &name, const std::vector<Step> &records)
{
    movement::fill(step_buffer, records);
    Q_EMIT stepsChanged();
    setMovementFile(name);
}

QString ArmSession::openMovementFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    const movement::Loaded file = movement::load(path);
    if (!file.ok())
        return file.message;
    openMovement(path, file.records);
    return {};
}

QString ArmSession::saveMovement()
{
    if (!worthSaving())
        return {};
    const SaveResult saved =
        saveWhole(movement_file, movement::write(step_buffer, 1, step_buffer.stepCount()), false);
    if (!saved.ok)
        return program::cannot(QStringLiteral("Cannot save the movement file"), movement_file,
                               saved.reason);
    return {};
}

QString ArmSession::saveConfiguration(const QString &path)
{
    const SaveResult saved =
        saveWhole(path, config::write(m_at, m_config.homeSpeed, m_config.port), true);
    if (!saved.ok)
        return program::cannot(QStringLiteral("Cannot save the configuration file"), path,
                               saved.reason);
    config::Settings savedAs = m_config;
    for (int channel = 0; channel < axes::count; ++channel)
        savedAs.home[channel] = m_at[channel];
    setConfiguration(savedAs);
    return {};
}

void ArmSession::setMovementFile(const QString &name)
{
    if (movement_file == name)
        return;
    movement_file = name;
    Q_EMIT movementFileChanged(name);
}
