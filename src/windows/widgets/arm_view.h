#pragma once
// Pictures of the arm: the side view (shoulder, elbow, wrist and the hand), the base seen from
// above, and the grip's jaws. They read the five positions when painted, from whoever holds
// them (the simulator's received frames, the editor's preview), and hold nothing of their own.

#include <QWidget>
#include <functional>

namespace armview {

// The position of a channel (0 to 4) as it is to be drawn.
using Positions = std::function<int(int channel)>;

class SideView : public QWidget {
public:
    SideView(Positions positions, QWidget *parent);
    QSize sizeHint() const override { return {480, 340}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Positions m_positions;
};

class TopView : public QWidget {
public:
    TopView(Positions positions, QWidget *parent);
    QSize sizeHint() const override { return {200, 180}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Positions m_positions;
};

class GripView : public QWidget {
public:
    GripView(Positions positions, QWidget *parent);
    QSize sizeHint() const override { return {200, 120}; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Positions m_positions;
};

} // namespace armview
