#include "core/motion/arm_axes.h"

#include "core/link/port_link.h"
#include "core/text/numbers.h"

ArmAxes::ArmAxes(const PortLink &link, QObject *parent) : QObject(parent), m_link(link)
{
    for (const axes::Axis &a : axes::all)
        m_at[a.channel] = a.created;
}

void ArmAxes::moveAxis(int channel, int position, Repeat repeat)
{
    if (channel < 0 || channel >= axes::count || position < axes::lowest ||
        position > axes::highest)
        return;
    if (m_at[channel] == position && repeat == Repeat::No)
        return;
    if (m_at[channel] != position) {
        m_at[channel] = position;
        Q_EMIT axisMoved(channel, position);
    }
    if (recording)
        record(channel, position);
    // A view that moved the axis again meanwhile has sent its own frame; this one carries
    // where the axis stands now, as the box's write carries the slider's position.
    m_link.sendAxis(channel, m_at[channel]);
}

void ArmAxes::typeValue(int channel, const QString &text)
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
    m_link.sendAxis(channel, m_at[channel]);
}

bool ArmAxes::enterValue(int channel, const QString &text)
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

void ArmAxes::rec()
{
    step_buffer.setStepCount(1);
    recording = true;
}

void ArmAxes::record(int channel, int position)
{
    if (!step_buffer.append(Step{static_cast<qint16>(channel), static_cast<qint16>(position)}))
        return;
    check_counter();
}

void ArmAxes::check_counter()
{
    if (!step_buffer.full())
        return;
    recording = false;
    Q_EMIT bufferFull();
}
