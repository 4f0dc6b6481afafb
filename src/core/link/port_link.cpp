#include "core/link/port_link.h"

#include "core/link/com_device.h"
#include "core/link/port.h"
#include "core/link/probe.h"
#include "core/link/send.h"

PortLink::PortLink(Port &port, QObject *parent) : QObject(parent), m_port(port)
{
    connect(&m_port, &Port::lost, this, &PortLink::onLost);
}

PortLink::Outcome PortLink::choose(int number, const std::function<int()> &open)
{
    port_status = 0;
    m_number = number;
    if (m_port.isOpen())
        m_port.close();
    // Selecting the device, applying 9600,N,8,1 and opening are one guarded step: any failure
    // of the three leaves the port closed with a non-zero status.
    const int error = open ? open() : m_port.open(number);
    if (error == 0) {
        Q_EMIT portOpened(number);
    } else {
        port_status = error;
        Q_EMIT portFailed(error, number, m_port.device(), m_port.note());
        setMotionControls(false);
    }
    m_lostInProbe = false;
    check_if_modem();
    return outcome();
}

void PortLink::sendAxis(int channel, int position) const
{
    send::axis(m_port, port_status, channel, position);
}

PortLink::Outcome PortLink::outcome() const
{
    if (m_lostInProbe)
        return Outcome::Lost;
    if (port_status == 13)
        return Outcome::Echoed;
    return port_status == 0 ? Outcome::Usable : Outcome::Failed;
}

void PortLink::check_if_modem()
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
        port_status = 13;
        Q_EMIT portEchoed(m_number);
    } else {
        setMotionControls(true);
    }
}

void PortLink::onLost()
{
    // The port is closed already. It counts as a failed open: nothing more is sent, and the
    // sequencer ends any long operation before its next step. What was recorded stays.
    port_status = comdevice::NoDevice;
    setMotionControls(false);
    Q_EMIT portLost(m_number, m_port.device());
}

void PortLink::setMotionControls(bool enabled)
{
    m_motionEnabled = enabled;
    Q_EMIT motionControlsSet(enabled);
}
