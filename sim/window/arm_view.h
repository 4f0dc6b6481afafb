#pragma once
// Pictures of the arm, painted from the positions last received: the side view (shoulder,
// elbow, wrist and the hand), the base seen from above, and the grip's jaws. They read the
// state when painted and hold nothing of their own.

#include "sim/core/arm_state.h"

#include <QWidget>

namespace sim {

class SideView : public QWidget {
public:
    SideView(const ArmState &state, QWidget *parent);
    QSize sizeHint() const override { return {480, 340}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ArmState &m_state;
};

class TopView : public QWidget {
public:
    TopView(const ArmState &state, QWidget *parent);
    QSize sizeHint() const override { return {200, 180}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ArmState &m_state;
};

class GripView : public QWidget {
public:
    GripView(const ArmState &state, QWidget *parent);
    QSize sizeHint() const override { return {200, 120}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    const ArmState &m_state;
};

} // namespace sim
