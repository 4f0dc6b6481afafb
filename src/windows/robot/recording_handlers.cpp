// REC, STOP, the capacity guard and the append of a step. Recording is passive: every move that
// passes through a value box while `recording` is on becomes a step, whoever made it.

#include "core/text/numbers.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QLineEdit>
#include <QPushButton>

void robot::appendStep(int channel, const QString &boxText)
{
    // Only a position the slider can take is stored: playback sets the sliders to the steps,
    // so an emptied box, a lone minus sign or 300 is not recorded.
    const auto typed = numbers::wholeTextNumber(boxText);
    if (!typed)
        return;
    const double position = numbers::roundHalfEven(*typed);
    if (position < axes::lowest || position > axes::highest)
        return;
    if (!step_buffer.append(Step{static_cast<qint16>(channel), static_cast<qint16>(position)}))
        return;
    check_counter();
}

void robot::check_counter()
{
    if (!step_buffer.full())
        return;
    recording = false;
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
    recording = true;
    step_buffer.setStepCount(1);
}

void robot::Command4_Click()
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
    setPauseCaption(QStringLiteral("PAUSE"));
    setFileMenuEnabled(true);
    // A file opened under a running pass would mix two motions; the pass re-enables Open as it
    // ends.
    Open_men->setEnabled(!m_sequencer.replaying());
    Backbutt->setEnabled(false);
    Command20->setEnabled(false);
    recording = false;
    // Ends a running replay after the step in progress.
    m_sequencer.stop(step_buffer.stepCount());
    look::setBackColour(Command3, look::lightGrey);
    Text5->setText(QStringLiteral("1"));
}
