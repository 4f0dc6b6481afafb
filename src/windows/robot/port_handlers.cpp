// The port manager's view: init_port asks the session for "Comm n", and the window tells what
// came of it: the check marks, the messages, and the motion controls switched with the outcome.

#include "core/link/com_device.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QPushButton>
#include <QTimer>

void robot::init_port(int port)
{
    // The outcome is shown as the session announces it.
    (void)m_session.choosePort(port);
}

void robot::onPortFailed(int error, int number, const QString &device, const QString &note)
{
    m_dialogs.message(this, comdevice::failureText(error, number, device, note),
                      QStringLiteral("COMM SETTINGS"), Dialogs::Icon::Critical,
                      Dialogs::Buttons::Ok);
}

void robot::onPortEchoed(int number)
{
    m_dialogs.message(this, comdevice::echoText(comdevice::portName(number)),
                      QStringLiteral("VM Warning"), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void robot::setMotionGroupEnabled(bool enabled)
{
    // The group, in its fixed order; each one is set again even when it already is.
    for (QWidget *w : std::initializer_list<QWidget *>{slider[axes::Base], slider[axes::Grip],
                                                       slider[axes::Shoulder], slider[axes::Elbow],
                                                       slider[axes::Wrist]})
        w->setEnabled(enabled);
    m_transport->setMotionButtonsEnabled(enabled);
}

void robot::enable_all()
{
    setMotionGroupEnabled(true);
}

void robot::disable_all()
{
    setMotionGroupEnabled(false);
}

void robot::onPortLost(int number, const QString &device)
{
    // Reported once the handler that was writing has returned, not in the middle of it.
    QTimer::singleShot(0, this, [this, device, number] {
        m_dialogs.message(this, comdevice::failureText(comdevice::NoDevice, number, device),
                          QStringLiteral("COMM SETTINGS"), Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
    });
}
