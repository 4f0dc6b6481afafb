// REC, STOP and the full buffer. Recording is passive and the session's: every move made while
// it is on becomes a step, whoever made it.

#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QPushButton>

void robot::onBufferFull()
{
    m_dialogs.message(this, QStringLiteral("Buffer Full!!!"), QString(), Dialogs::Icon::None,
                      Dialogs::Buttons::Ok);
    Command2->setEnabled(false);
    Command18->setEnabled(false);
}

void robot::Command3_MouseDown()
{
    look::setBackColour(Command3, look::red);
}

void robot::setFileMenuEnabled(bool enabled)
{
    Open_men->setEnabled(enabled);
    Save_men->setEnabled(enabled);
    Saveas_men->setEnabled(enabled);
}

void robot::Command3_Click()
{
    Command3->setEnabled(false);
    Command14->setEnabled(false);
    Command4->setEnabled(true);
    Command15->setEnabled(true);
    Command5->setEnabled(false);
    Command16->setEnabled(false);
    Command6->setEnabled(false);
    Command17->setEnabled(false);
    setFileMenuEnabled(false);
    Backbutt->setEnabled(true);
    Command20->setEnabled(true);
    m_session.rec();
}

void robot::Command4_Click()
{
    // The session announces STOP first (onStopping shows the idle layout), then ends what runs.
    m_session.stop();
}

void robot::onStopping()
{
    Command2->setEnabled(true);
    Command18->setEnabled(true);
    Command3->setEnabled(true);
    Command14->setEnabled(true);
    Command4->setEnabled(false);
    Command15->setEnabled(false);
    Command5->setEnabled(true);
    Command16->setEnabled(true);
    Command6->setEnabled(false);
    Command17->setEnabled(false);
    // Written again even when it says PAUSE already: the picture twin's name goes with it.
    setPauseCaption(false);
    setFileMenuEnabled(true);
    // A file opened under a running pass would mix two motions; the pass re-enables Open as it
    // ends.
    Open_men->setEnabled(!m_session.replaying());
    Backbutt->setEnabled(false);
    Command20->setEnabled(false);
    look::setBackColour(Command3, look::lightGrey);
}
