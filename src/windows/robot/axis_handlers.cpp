// The axis sliders and their immediate value boxes, and the loop count: the operator's moves go
// to the session, and the session's moves come back here to be shown. A move reaches the arm the
// same way whoever made it: the operator, start-up, homing, Enter in a box, or playback.

#include "core/text/numbers.h"
#include "windows/robot/robot.h"
#include "windows/widgets/scroll_bar.h"

#include <QLineEdit>

namespace {
// Marks the window's own writes of what the session announced, so that the handlers those
// writes raise leave the session alone.
class Showing {
public:
    explicit Showing(bool &flag) : m_flag(flag), m_was(flag) { m_flag = true; }
    ~Showing() { m_flag = m_was; }
    Showing(const Showing &) = delete;
    Showing &operator=(const Showing &) = delete;

private:
    bool &m_flag;
    bool m_was;
};
} // namespace

void robot::showAxis(int channel, int position)
{
    const Showing showing(m_showing);
    slider[channel]->setValueTo(position);
    box[channel]->setText(QString::number(position));
}

void robot::Slider_Change(int channel, int value)
{
    if (m_showing)
        return;
    if (m_session.position(channel) != value) {
        m_session.moveAxis(channel, value);
        return;
    }
    // The slider stands where it stood (a dragged thumb's release repeats the position its
    // last scroll wrote): the box says so again, and the arm follows all the same.
    {
        const Showing showing(m_showing);
        box[channel]->setText(QString::number(value));
    }
    m_session.moveAxis(channel, value, ArmSession::Repeat::Yes);
}

void robot::Text_Change(int channel)
{
    if (m_showing)
        return;
    m_session.typeValue(channel, box[channel]->text());
}

void robot::Text_KeyDown(int channel)
{
    ScrollBar *s = slider[channel];
    QLineEdit *b = box[channel];
    const auto typed = numbers::wholeTextNumber(b->text());
    const double wanted = typed ? numbers::roundHalfEven(*typed) : 0;
    if (typed && wanted >= std::min(s->Min(), s->Max()) && wanted <= std::max(s->Min(), s->Max())) {
        // If the axis already stands there, the box keeps the typed text.
        if (m_session.position(channel) != static_cast<int>(wanted))
            m_session.moveAxis(channel, static_cast<int>(wanted));
    } else {
        // The box's change sends the axis's position again, as a typed text does.
        b->setText(QString::number(m_session.position(channel)));
    }
    // Base leads to shoulder, shoulder to grip; the others keep the focus.
    QLineEdit *next = channel == axes::Base       ? box[axes::Shoulder]
                      : channel == axes::Shoulder ? box[axes::Grip]
                                                  : b;
    next->setFocus();
}

void robot::showLoopCount(const QString &text)
{
    // Written as any text in the box: the box's rule looks at it (a count written as 0 shows
    // as 1).
    Text5->setText(text);
}

void robot::showLoopSlider(int count)
{
    const Showing showing(m_showing);
    HScroll3->setValueTo(count);
}

void robot::HScroll3_Change(int value)
{
    if (m_showing)
        return;
    m_session.slideLoopCount(value);
}

void robot::Text5_Change()
{
    m_session.enterLoopCount(Text5->text());
}
