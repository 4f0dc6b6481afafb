// RUN, PAUSE/CONT and BACK: the layouts, and the window's side of the session's waits. A replay
// is step-exact, not time-exact: steps carry no time and go out one after another, as fast as
// the line takes them.

#include "core/process/event_wait.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/look.h"
#include "windows/widgets/paint_pacing.h"

#include <QAction>
#include <QPushButton>

void robot::setRunLayout()
{
    m_transport->setRunLayout();
    m_menus->entry(MenuPanel::Entry::Open)->setEnabled(false);
}

void robot::setRunEndLayout()
{
    using enum TransportPanel::Button;
    m_transport->setEnabled(Home, true);
    m_transport->setEnabled(Rec, true);
    m_transport->setEnabled(Run, true);
    m_transport->setEnabled(Stop, false);
}

void robot::paceThePainting(bool paced)
{
    m_painting->setPaced(paced);
}

void robot::hold()
{
    // The operator looks at a held replay: it shows where the arm stands before it sleeps.
    m_painting->flush();
    events::sleepUntilEvent();
}

void robot::Command5_Click()
{
    setRunLayout();
    paceThePainting(true);
    const auto end = m_session.run();
    paceThePainting(false);
    m_menus->entry(MenuPanel::Entry::Open)->setEnabled(true);
    look::setBackColour(m_transport->button(TransportPanel::Button::Rec), look::lightGrey);
    // A device that went away has disabled the motion controls; they stay so.
    if (end != Sequencer::End::Lost)
        setRunEndLayout();
}

void robot::Command5_MouseDown()
{
    look::setBackColour(m_transport->button(TransportPanel::Button::Run), look::green);
}

void robot::Command5_MouseUp()
{
    look::setBackColour(m_transport->button(TransportPanel::Button::Run), look::lightGrey);
}

void robot::Command6_Click()
{
    m_session.togglePause();
}

void robot::Backbutt_Click()
{
    m_transport->setEnabled(TransportPanel::Button::Back, false);
    paceThePainting(true);
    // The closing STOP runs also when the operator's STOP ended the walk (and disabled STOP);
    // the session presses it, and the window shows it as STOP's own.
    const auto end = m_session.back();
    paceThePainting(false);
    if (end == Sequencer::End::Lost) {
        // STOP is disabled with the other motion controls now, and the recording has ended.
        // The File menu stays open so that what was recorded can be saved.
        m_menus->setFileEntriesEnabled(true);
    }
}
