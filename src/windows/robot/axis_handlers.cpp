// The axis sliders and their immediate value boxes, and the loop count.
// A slider is the one holder of an axis position: its change writes the position into the box,
// and the box's change records the step and sends the frame. So a move reaches the arm the same
// way whoever made it: the operator, start-up, homing, Enter in a box, or playback.

#include "core/link/send.h"
#include "core/text/numbers.h"
#include "windows/robot/robot.h"
#include "windows/widgets/scroll_bar.h"

#include <QLineEdit>

void robot::Slider_Change(int channel, int value)
{
    QLineEdit *b = box[channel];
    const QString text = QString::number(value);
    // Qt raises no change for a text the box already holds, but the arm must follow the slider
    // all the same (Enter on a typed 200 moves the slider to 200, and the box already says so;
    // a dragged thumb's release repeats the position its last scroll wrote).
    if (b->text() == text)
        Text_Change(channel);
    else
        b->setText(text);
}

void robot::Text_Change(int channel)
{
    if (recording)
        appendStep(channel, box[channel]->text());
    // The frame carries the slider's position, not the typed text, so typing alone never moves
    // the servo: only Enter does, through the slider.
    send::axis(m_port, port_status, channel, slider[channel]->Value());
}

void robot::Text_KeyDown(int channel)
{
    ScrollBar *s = slider[channel];
    QLineEdit *b = box[channel];
    const auto typed = numbers::wholeTextNumber(b->text());
    const double wanted = typed ? numbers::roundHalfEven(*typed) : 0;
    if (typed && wanted >= std::min(s->Min(), s->Max()) && wanted <= std::max(s->Min(), s->Max())) {
        // If the slider already stands there, the box keeps the typed text.
        s->setValueTo(static_cast<int>(wanted));
    } else {
        const QString back = QString::number(s->Value());
        b->setText(back);
    }
    // Base leads to shoulder, shoulder to grip; the others keep the focus.
    QLineEdit *next = channel == axes::Base       ? box[axes::Shoulder]
                      : channel == axes::Shoulder ? box[axes::Grip]
                                                  : b;
    next->setFocus();
}

void robot::HScroll3_Change(int value)
{
    const QString text = QString::number(value);
    if (Text5->text() == text)
        Text5_Change();
    else
        Text5->setText(text);
}

void robot::Text5_Change()
{
    // The box is read afresh at each step: the nested writes below change it underneath.
    const auto count = numbers::wholeTextNumber(Text5->text());
    if (count && *count < 101) {
        if (*count == 0)
            Text5->setText(QStringLiteral("1"));
        const auto now = numbers::wholeTextNumber(Text5->text());
        const double whole = now ? numbers::roundHalfEven(*now) : 0;
        // A count the slider cannot take (-3, 0.3, 100.7) is refused like any other bad text.
        if (whole < 1 || whole > 100) {
            Text5->setText(last_loop_count);
            return;
        }
        HScroll3->setValueTo(static_cast<int>(whole));
        last_loop_count = Text5->text();
    } else {
        Text5->setText(last_loop_count);
    }
}
