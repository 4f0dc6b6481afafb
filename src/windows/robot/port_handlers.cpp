// The port manager: opens "Comm n", probes it for an echo, and switches the motion controls
// with the outcome. port_status is what every sender of frames consults.

#include "core/link/com_device.h"
#include "core/link/port.h"
#include "core/link/probe.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

void robot::init_port(int port)
{
    port_status = 0;
    m_config.port = static_cast<qint16>(port);
    if (m_port.isOpen())
        m_port.close();
    // Selecting the device, applying 9600,N,8,1 and opening are one guarded step here: any
    // failure of the three leaves the port closed with a non-zero status.
    const int error = m_port.open(port);
    if (error == 0) {
        setCheckMarks(port);
    } else {
        port_status = error;
        m_dialogs.message(this, comdevice::failureText(error, port, m_port.device(), m_port.note()),
                          QStringLiteral("COMM SETTINGS"), Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
        disable_all();
    }
    check_if_modem();
}

void robot::setCheckMarks(int port)
{
    if (port < 1 || port > 4)
        return;
    const std::array<QAction *, 4> coms{Com1, Com2, Com3, Com4};
    for (int i = 0; i < 4; ++i)
        coms[i]->setChecked(i + 1 == port);
}

void robot::check_if_modem()
{
    if (port_status != 0)
        return;
    const bool echoed = probe::echoes(m_port);
    if (port_status != 0)
        return; // the device went away during the wait; that has been reported
    if (echoed) {
        disable_all();
        port_status = 13;
        m_dialogs.message(
            this,
            comdevice::echoText(comdevice::portName(m_config.port)),
            QStringLiteral("VM Warning"), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
    } else {
        enable_all();
    }
}

void robot::setMotionGroupEnabled(bool enabled)
{
    // The group, in its fixed order; each one is set again even when it already is.
    for (QWidget *w : std::initializer_list<QWidget *>{
             slider[axes::Base], slider[axes::Grip], slider[axes::Shoulder], slider[axes::Elbow],
             slider[axes::Wrist], Command2, Command3, Command4, Command5, Command6, Command14,
             Command15, Command16, Command17, Command18})
        w->setEnabled(enabled);
}

void robot::enable_all()
{
    setMotionGroupEnabled(true);
}

void robot::disable_all()
{
    setMotionGroupEnabled(false);
}

void robot::onPortLost()
{
    // The port is closed already. Treat it as a failed open: nothing more is sent, and the
    // sequencer ends any long operation before its next step. What was recorded stays.
    port_status = comdevice::NoDevice;
    disable_all();
    // Reported once the handler that was writing has returned, not in the middle of it.
    QTimer::singleShot(0, this, [this, device = m_port.device(), number = m_config.port] {
        m_dialogs.message(this, comdevice::failureText(comdevice::NoDevice, number, device),
                          QStringLiteral("COMM SETTINGS"), Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
    });
}
