// REC, STOP and the full buffer. Recording is passive and the session's: every move made while
// it is on becomes a step, whoever made it.

#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QPushButton>

void robot::onBufferFull()
{
    m_dialogs.message(this, QStringLiteral("Buffer Full!!!"), QString(), Dialogs::Icon::None,
                      Dialogs::Buttons::Ok);
    m_transport->setEnabled(TransportPanel::Button::Home, false);
}

void robot::Command3_MouseDown()
{
    look::setBackColour(m_transport->button(TransportPanel::Button::Rec), look::red);
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
    m_session.rec();
}

void robot::Command4_Click()
{
    // The session announces STOP first (onStopping shows the idle layout), then ends what runs.
    m_session.stop();
}

void robot::onStopping()
{
    using enum TransportPanel::Button;
    m_transport->setEnabled(Home, true);
    m_transport->setEnabled(Rec, true);
    m_transport->setEnabled(Stop, false);
    m_transport->setEnabled(Run, true);
    m_transport->setEnabled(Pause, false);
    // Written again even when it says PAUSE already: the picture twin's name goes with it.
    m_transport->setPauseCaption(false);
    m_menus->setFileEntriesEnabled(true);
    // A file opened under a running pass would mix two motions; the pass re-enables Open as it
    // ends.
    m_menus->entry(MenuPanel::Entry::Open)->setEnabled(!m_session.replaying());
    m_transport->setEnabled(Back, false);
    look::setBackColour(m_transport->button(Rec), look::lightGrey);
}
