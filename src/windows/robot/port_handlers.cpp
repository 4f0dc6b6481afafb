// The port manager's view: init_port asks the session for "Comm n", and the window tells what
// came of it: the check marks, the messages, and the motion controls switched with the outcome.

#include "core/link/com_device.h"
#include "windows/robot/axis_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/robot/views.h"
#include "windows/widgets/dialogs.h"

#include <QTimer>

void robot::init_port(int port)
{
    // The outcome is shown as the session announces it.
    (void)m_session.choosePort(port);
}

void tellPortOutcomes(QWidget *window, ArmSession &session, Dialogs &dialogs)
{
    const auto critical = [window, &dialogs](const QString &text) {
        dialogs.message(window, text, QStringLiteral("COMM SETTINGS"), Dialogs::Icon::Critical,
                        Dialogs::Buttons::Ok);
    };
    QObject::connect(&session.link(), &PortLink::portFailed, window,
                     [critical](int error, int number, const QString &device, const QString &note) {
                         critical(comdevice::failureText(error, number, device, note));
                     });
    QObject::connect(&session.link(), &PortLink::portEchoed, window,
                     [window, &dialogs](int number) {
                         dialogs.message(window, comdevice::echoText(comdevice::portName(number)),
                                         QStringLiteral("VM Warning"), Dialogs::Icon::Critical,
                                         Dialogs::Buttons::Ok);
                     });
    QObject::connect(&session.link(), &PortLink::portLost, window,
                     [window, critical](int number, const QString &device) {
                         // Reported once the handler that was writing has returned, not in the
                         // middle of it.
                         QTimer::singleShot(0, window, [critical, device, number] {
                             critical(comdevice::failureText(comdevice::NoDevice, number, device));
                         });
                     });
}

// The motion group, in its fixed order (the sliders, the captioned buttons, the pictures).
void robot::enable_all()
{
    m_axes->setSlidersEnabled(true);
    m_transport->setMotionButtonsEnabled(true);
}

void robot::disable_all()
{
    m_axes->setSlidersEnabled(false);
    m_transport->setMotionButtonsEnabled(false);
}
