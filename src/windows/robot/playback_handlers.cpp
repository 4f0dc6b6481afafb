// RUN, PAUSE/CONT and BACK: their layouts; the walks are the session's. A replay is step-exact, not
// time-exact: steps carry no time and go out one after another, as fast as the line takes them.

#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QPushButton>

namespace {

// A file opened under a running pass or walk would replace the steps it plays, and REC keeps
// Open off until STOP: a replay that ends gives Open back only when nothing else plays or
// records. A run started inside another (once "Comm n" has enabled RUN again) or inside BACK
// ends while the outer one still plays, and REC may have been pressed during the replay.
void allowOpenWhenIdle(MenuPanel &menus, const ArmSession &session)
{
    menus.entry(MenuPanel::Entry::Open)->setEnabled(!session.replaying() && !session.isRecording());
}

} // namespace

void robot::Command5_Click()
{
    using enum TransportPanel::Button;
    m_transport->setRunLayout();
    m_menus->entry(MenuPanel::Entry::Open)->setEnabled(false);
    const auto end = m_session.run();
    allowOpenWhenIdle(*m_menus, m_session);
    // A device that went away has disabled the motion controls; they stay so.
    if (end != Sequencer::End::Lost) {
        m_transport->setEnabled(Home, true);
        m_transport->setEnabled(Rec, true);
        m_transport->setEnabled(Run, true);
        m_transport->setEnabled(Stop, false);
    }
    // Last, once the buttons show the idle layout again.
    look::setBackColour(m_transport->button(Rec), look::lightGrey);
    // A recording begun meanwhile keeps REC's layout in force, an outer pass RUN's.
    if (!m_session.isRecording())
        m_transport->setOperation(m_session.replaying() ? TransportPanel::Operation::Running
                                                        : TransportPanel::Operation::None);
}

void robot::Command6_Click()
{
    m_session.togglePause();
}

void robot::Backbutt_Click()
{
    m_transport->setEnabled(TransportPanel::Button::Back, false);
    // The closing STOP runs also when the operator's STOP ended the walk (and disabled STOP);
    // the session presses it, and the window shows it as STOP's own.
    const auto end = m_session.back();
    if (end == Sequencer::End::Lost) {
        // STOP is disabled with the other motion controls now, and the recording has ended.
        // Save and Save As stay open so that what was recorded can be saved.
        m_menus->entry(MenuPanel::Entry::Save)->setEnabled(true);
        m_menus->entry(MenuPanel::Entry::SaveAs)->setEnabled(true);
        allowOpenWhenIdle(*m_menus, m_session);
        m_transport->setOperation(TransportPanel::Operation::None);
    }
}
