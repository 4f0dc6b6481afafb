#pragma once
// Pictures of the arm: the side view (shoulder, elbow, wrist and the hand), the base seen from
// above, and the grip's jaws. They read the five positions when painted, from whoever holds
// them (the simulator's received frames, the editor's preview), and hold nothing of their own.
// The side view and the view from above draw the arm by a profile their owner keeps (and may
// change, then update the view), and over it a path of the tool point when one is set.

#include "core/arm/profile.h"
#include "windows/widgets/arm_view_overlay.h"

#include <QWidget>
#include <functional>

namespace armview {

// The position of a channel (0 to 4) as it is to be drawn.
using Positions = std::function<int(int channel)>;

class SideView : public QWidget {
public:
    SideView(Positions positions, const arm::Profile *profile, QWidget *parent);
    QSize sizeHint() const override { return {480, 340}; }
    // Drawn by the profile at the next paint; an empty one draws nothing.
    void setOverlay(PathOverlay overlay);
    const PathOverlay &overlay() const { return m_overlay; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Positions m_positions;
    const arm::Profile *m_profile;
    PathOverlay m_overlay;
};

class TopView : public QWidget {
public:
    TopView(Positions positions, const arm::Profile *profile, QWidget *parent);
    QSize sizeHint() const override { return {200, 180}; }
    // Drawn by the profile at the next paint; an empty one draws nothing.
    void setOverlay(PathOverlay overlay);
    const PathOverlay &overlay() const { return m_overlay; }

protected:
    void paintEvent(QPaintEvent *event) override;

private:
    Positions m_positions;
    const arm::Profile *m_profile;
    PathOverlay m_overlay;
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
