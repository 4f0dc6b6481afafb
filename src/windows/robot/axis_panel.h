#pragma once
// The axis controls: each axis's slider and immediate value box (HScroll1 ... Text6, named as
// the axis table names them), and the loop count's slider and box (HScroll3, Text5). The
// operator's moves go to the session; what the session announces comes back here to be shown.
// The controls are children of the window's surface, where they stand; the panel owns them.

#include "core/motion/axes.h"

#include <QObject>
#include <array>

class ArmSession;
class QLineEdit;
class QWidget;
class ScrollBar;

class AxisPanel : public QObject {
    Q_OBJECT
public:
    AxisPanel(QWidget *surface, ArmSession &session, QObject *parent);

    ScrollBar *slider(int channel) const { return m_slider[channel]; }
    QLineEdit *box(int channel) const { return m_box[channel]; }
    ScrollBar *loopSlider() const { return HScroll3; }
    QLineEdit *loopBox() const { return Text5; }

    // The sliders of the motion group, in the group's fixed order: base, grip, shoulder, elbow,
    // wrist. Each one is set again even when it already is.
    void setSlidersEnabled(bool enabled);

private:
    // The handlers of every slider and value box, by channel (HScroll1_Change ... Text6_KeyDown);
    // the loop count has its own.
    void Slider_Change(int channel, int value);
    void Text_Change(int channel);
    void Text_KeyDown(int channel);
    void HScroll3_Change(int value);
    void Text5_Change();
    // What the session announces, shown. The sliders and boxes written here raise no handler
    // of their own, as the session has done what it would.
    void showAxis(int channel, int position);
    void showLoopCount(const QString &text, int slider);
    // robot_names.cpp: what screen readers call the controls.
    void nameControls();

    ArmSession &m_session;
    std::array<ScrollBar *, axes::count> m_slider{};
    std::array<QLineEdit *, axes::count> m_box{};
    ScrollBar *HScroll3 = nullptr; // the loop count
    QLineEdit *Text5 = nullptr;
    bool m_showing = false; // the panel is writing what the session announced
};
