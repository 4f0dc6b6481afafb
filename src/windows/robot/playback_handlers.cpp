// RUN, PAUSE/CONT and BACK: the layouts, and the window's side of the session's waits. A replay
// is step-exact, not time-exact: steps carry no time and go out one after another, as fast as
// the line takes them.

#include "core/process/event_wait.h"
#include "windows/robot/robot.h"
#include "windows/widgets/look.h"
#include "windows/widgets/paint_pacing.h"

#include <QAction>
#include <QPushButton>

void robot::setRunLayout()
{
    Command2->setEnabled(false);
    Command18->setEnabled(false);
    Command3->setEnabled(false);
    Command14->setEnabled(false);
    Command4->setEnabled(true);
    Command15->setEnabled(true);
    Command5->setEnabled(false);
    Command6->setEnabled(true);
    Command17->setEnabled(true);
    Command16->setEnabled(false);
    Open_men->setEnabled(false);
}

void robot::setRunEndLayout()
{
    Command2->setEnabled(true);
    Command18->setEnabled(true);
    Command3->setEnabled(true);
    Command14->setEnabled(true);
    Command5->setEnabled(true);
    Command16->setEnabled(true);
    Command4->setEnabled(false);
    Command15->setEnabled(false);
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
    Open_men->setEnabled(true);
    look::setBackColour(Command3, look::lightGrey);
    // A device that went away has disabled the motion controls; they stay so.
    if (end != Sequencer::End::Lost)
        setRunEndLayout();
}

void robot::Command5_MouseDown()
{
    look::setBackColour(Command5, look::green);
}

void robot::Command5_MouseUp()
{
    look::setBackColour(Command5, look::lightGrey);
}

void robot::Command6_Click()
{
    m_session.togglePause();
}

void robot::setPauseCaption(bool paused)
{
    const QString caption = paused ? QStringLiteral("CONT") : QStringLiteral("PAUSE");
    Command6->setText(caption);
    // The picture never changes, so a screen reader learns from the name what the button does
    // now, as it does from the captioned twin.
    Command17->setAccessibleName(caption + QStringLiteral(" (picture)"));
}

void robot::Backbutt_Click()
{
    Backbutt->setEnabled(false);
    Command20->setEnabled(false);
    paceThePainting(true);
    // The closing STOP runs also when the operator's STOP ended the walk (and disabled STOP);
    // the session presses it, and the window shows it as STOP's own.
    const auto end = m_session.back();
    paceThePainting(false);
    if (end == Sequencer::End::Lost) {
        // STOP is disabled with the other motion controls now, and the recording has ended.
        // The File menu stays open so that what was recorded can be saved.
        setFileMenuEnabled(true);
    }
}
