// The axis sliders and their immediate value boxes, and the loop count: the operator's moves go
// to the session, and the session's moves come back here to be shown. A move reaches the arm the
// same way whoever made it: the operator, start-up, homing, Enter in a box, or playback.

#include "windows/robot/axis_panel.h"

#include "core/session/arm_session.h"
#include "core/text/numbers.h"
#include "core/text/twips.h"
#include "windows/widgets/look.h"
#include "windows/widgets/paint_pacing.h"
#include "windows/widgets/scroll_bar.h"

#include <QLineEdit>

namespace {

ScrollBar *scrollBar(QWidget *parent, const char *name, Qt::Orientation o, int min, int max,
                     int value, QRect at)
{
    auto *s = new ScrollBar(o, min, max, value, parent);
    s->setObjectName(QLatin1String(name));
    s->setGeometry(at);
    look::useDesktopColours(s);
    look::paintOpaque(s, look::black);
    return s;
}

QLineEdit *valueBox(QWidget *parent, const char *name, int left, int top, const QString &tip)
{
    auto *t = new QLineEdit(parent);
    t->setObjectName(QLatin1String(name));
    t->setGeometry(twips::rect(left, top, axes::valueBoxWidth, axes::valueBoxHeight));
    t->setToolTip(tip);
    QPalette p = t->palette();
    p.setColor(QPalette::Base, look::activeBorder);
    p.setColor(QPalette::Text, look::black);
    t->setPalette(p);
    look::paintOpaque(t, look::black);
    return t;
}

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

AxisPanel::AxisPanel(QWidget *surface, ArmSession &session, QObject *parent)
    : QObject(parent), m_session(session)
{
    QWidget *w = surface;
    for (const axes::Axis &a : axes::all) {
        m_slider[a.channel] = scrollBar(
            w, a.slider, a.vertical ? Qt::Vertical : Qt::Horizontal, a.min, a.max, a.created,
            twips::rect(a.sliderAt.left, a.sliderAt.top, a.sliderAt.width, a.sliderAt.height));
        m_box[a.channel] = valueBox(w, a.box, a.boxLeft, a.boxTop, QLatin1String(a.boxTip));
    }
    HScroll3 =
        scrollBar(w, "HScroll3", Qt::Horizontal, 1, 100, 1, twips::rect(5160, 2280, 795, 255));
    Text5 = valueBox(w, "Text5", 5460, 1920,
                     QStringLiteral("Do the Movement for this number of times"));
    nameControls();

    for (int channel = 0; channel < axes::count; ++channel) {
        connect(m_slider[channel], &ScrollBar::change, this,
                [this, channel](int v) { Slider_Change(channel, v); });
        connect(m_slider[channel], &ScrollBar::scroll, this,
                [this, channel](int v) { Slider_Change(channel, v); });
        connect(m_box[channel], &QLineEdit::textChanged, this,
                [this, channel] { Text_Change(channel); });
        connect(m_box[channel], &QLineEdit::returnPressed, this,
                [this, channel] { Text_KeyDown(channel); });
    }
    connect(HScroll3, &ScrollBar::change, this, &AxisPanel::HScroll3_Change);
    connect(HScroll3, &ScrollBar::scroll, this, &AxisPanel::HScroll3_Change);
    connect(Text5, &QLineEdit::textChanged, this, &AxisPanel::Text5_Change);

    connect(&m_session.axes(), &ArmAxes::axisMoved, this, &AxisPanel::showAxis);
    connect(&m_session, &ArmSession::loopCountChanged, this, &AxisPanel::showLoopCount);
}

void AxisPanel::setSlidersEnabled(bool enabled)
{
    using namespace axes;
    for (int channel : {Base, Grip, Shoulder, Elbow, Wrist})
        m_slider[channel]->setEnabled(enabled);
}

void AxisPanel::showAxis(int channel, int position)
{
    const Showing showing(m_showing);
    m_slider[channel]->setValueTo(position);
    m_box[channel]->setText(QString::number(position));
}

void AxisPanel::Slider_Change(int channel, int value)
{
    if (m_showing)
        return;
    if (m_session.positions()[channel] != value) {
        m_session.axes().moveAxis(channel, value);
        return;
    }
    // The slider stands where it stood (a dragged thumb's release repeats the position its
    // last scroll wrote): the box says so again, and the arm follows all the same.
    {
        const Showing showing(m_showing);
        m_box[channel]->setText(QString::number(value));
    }
    m_session.axes().moveAxis(channel, value, ArmAxes::Repeat::Yes);
}

void AxisPanel::Text_Change(int channel)
{
    if (m_showing)
        return;
    m_session.axes().typeValue(channel, m_box[channel]->text());
}

void AxisPanel::Text_KeyDown(int channel)
{
    QLineEdit *b = m_box[channel];
    if (!m_session.axes().enterValue(channel, b->text()))
        b->setText(QString::number(m_session.positions()[channel]));
    // Base leads to shoulder, shoulder to grip; the others keep the focus.
    QLineEdit *next = channel == axes::Base       ? m_box[axes::Shoulder]
                      : channel == axes::Shoulder ? m_box[axes::Grip]
                                                  : b;
    next->setFocus();
}

void AxisPanel::showLoopCount(const QString &text, int slider)
{
    // The session has applied the box's rule already.
    const Showing showing(m_showing);
    Text5->setText(text);
    HScroll3->setValueTo(slider);
}

void AxisPanel::HScroll3_Change(int value)
{
    if (m_showing)
        return;
    m_session.setLoopCount(value);
}

void AxisPanel::Text5_Change()
{
    if (m_showing)
        return;
    m_session.setLoopCountText(Text5->text());
}
