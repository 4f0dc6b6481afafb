// REC, STOP and the full buffer. Recording is passive and the session's: every move made while
// it is on becomes a step, whoever made it.

#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/robot/views.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QPushButton>

void tellBufferFull(QWidget *window, Dialogs &dialogs, TransportPanel &transport)
{
    dialogs.message(window, QStringLiteral("Buffer Full!!!"), QString(), Dialogs::Icon::None,
                    Dialogs::Buttons::Ok);
    transport.setEnabled(TransportPanel::Button::Home, false);
    transport.setOperation(TransportPanel::Operation::RecordingFull);
}

void robot::Command3_Click()
{
    using enum TransportPanel::Button;
    m_transport->setEnabled(Rec, false);
    m_transport->setEnabled(Stop, true);
    m_transport->setEnabled(Run, false);
    m_transport->setEnabled(Pause, false);
    m_menus->setFileEntriesEnabled(false);
    m_transport->setEnabled(Back, true);
    m_transport->setOperation(TransportPanel::Operation::Recording);
    m_session.rec();
}

void robot::Command4_Click()
{
    // The session announces STOP first (showStopLayout shows the idle layout), then ends what
    // runs.
    m_session.stop();
}

void showStopLayout(TransportPanel &transport, MenuPanel &menus, const ArmSession &session)
{
    using enum TransportPanel::Button;
    transport.setEnabled(Home, true);
    transport.setEnabled(Rec, true);
    transport.setEnabled(Stop, false);
    transport.setEnabled(Run, true);
    transport.setEnabled(Pause, false);
    // Written again even when it says PAUSE already: the picture twin's name goes with it.
    transport.setPauseCaption(false);
    menus.setFileEntriesEnabled(true);
    // A file opened under a running pass would mix two motions; the pass re-enables Open as it
    // ends.
    menus.entry(MenuPanel::Entry::Open)->setEnabled(!session.replaying());
    transport.setEnabled(Back, false);
    look::setBackColour(transport.button(Rec), look::lightGrey);
    transport.setOperation(TransportPanel::Operation::None);
}
