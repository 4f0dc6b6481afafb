// RUN, PAUSE/CONT and BACK. A replay is step-exact, not time-exact: steps carry no time and go
// out one after another, as fast as the line takes them. The loops let events run after every
// step, and read back what the operator's handlers changed: STOP, the PAUSE caption, the loop
// count.

#include "app/robot.h"
#include "link/frame.h"
#include "link/port.h"
#include "ui/look.h"
#include "ui/numbers.h"
#include "ui/scroll_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QPushButton>

bool robot::paused() const
{
    return Command6->text() == QLatin1String("CONT");
}

bool robot::replayStep(int index)
{
    const int generation = m_lostCount;
    const int stops = m_stops;
    // Wait until the arm has nearly caught up, so that STOP stops the arm and not only the screen.
    m_port.waitForLine();
    // Window events ran during the wait. It belongs to the yield after the previous step: a STOP
    // handled there ends the replay before this step, not after it, or the arm would make one
    // more move after STOP.
    if (stops != m_stops)
        return generation == m_lostCount;
    const Step step = step_buffer.at(index);
    // Written whatever port_status says; a closed port drops it.
    if (const auto bytes = frame::build(step.channel, step.position))
        m_port.write(*bytes);
    if (step.channel >= 0 && step.channel < axes::count)
        slider[step.channel]->setValueTo(step.position);
    QCoreApplication::processEvents();
    // Held between two steps; each event (CONT, STOP) is looked at, and nothing spins meanwhile.
    while (paused() && generation == m_lostCount)
        QCoreApplication::processEvents(QEventLoop::WaitForMoreEvents);
    return generation == m_lostCount;
}

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

void robot::Command5_Click()
{
    setRunLayout();
    m_replaying = true;
    const int stops = m_stops;
    const int generation = m_lostCount;
    homeservos();
    const auto count = numbers::wholeTextNumber(Text5->text());
    saved_loop_count = count ? numbers::toInt16(*count).value_or(1) : 1;
    // STOP during the homing means stop: no pass is played.
    bool ended = stops != m_stops || generation != m_lostCount;
    while (!ended) {
        const int bound = step_buffer.stepCount();
        for (replay_index = 2; replay_index <= bound; ++replay_index) {
            if (!replayStep(replay_index) || stops != m_stops) {
                ended = true;
                break;
            }
        }
        if (ended)
            break;
        // The box says how many passes remain, counting this one; a new count typed meanwhile
        // takes effect here.
        const auto remaining = numbers::wholeTextNumber(Text5->text());
        if (!remaining || *remaining <= 1)
            break;
        Text5->setText(QString::number(numbers::roundHalfEven(*remaining) - 1));
    }
    m_replaying = false;
    Text5->setText(QString::number(saved_loop_count));
    Open_men->setEnabled(true);
    look::setBackColour(Command3, look::lightGrey);
    // A device that went away has disabled the motion controls; they stay so.
    if (generation == m_lostCount)
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
    Command6->setText(paused() ? QStringLiteral("PAUSE") : QStringLiteral("CONT"));
}

void robot::Backbutt_Click()
{
    Backbutt->setEnabled(false);
    Command20->setEnabled(false);
    m_replaying = true;
    const int stops = m_stops;
    // Only the steps that were there when BACK was pressed are walked; those it records while
    // walking are not.
    const int from = step_buffer.stepCount();
    bool lost = false;
    for (replay_index = from; replay_index >= 2; --replay_index) {
        if (!replayStep(replay_index)) {
            lost = true;
            break;
        }
        // STOP ends the walk after the step in progress.
        if (stops != m_stops)
            break;
    }
    m_replaying = false;
    if (lost) {
        // STOP is disabled with the other motion controls now. End the recording here, and
        // leave the File menu open so that what was recorded can be saved.
        recording = false;
        setFileMenuEnabled(true);
        return;
    }
    // The closing STOP runs also when the operator's STOP ended the walk (and disabled STOP).
    Command4_Click();
}
