#pragma once
// The game controller in the main window. Its sticks move the sliders and its buttons press the
// transport buttons, as the operator's hand would: a position reached with a stick is a slider
// change like a drag's, so the box, the step while recording and the frame follow from the
// slider, and a control that is disabled takes neither a move nor a press. The pad's status is a
// line in the Help menu, there while a pad is connected.

#include "core/pad/stick_jog.h"
#include "windows/robot/transport_panel.h"

#include <QObject>

class AxisPanel;
class GamePads;
class MenuPanel;
class Port;
class robot;

class PadHandlers : public QObject {
    Q_OBJECT
public:
    PadHandlers(GamePads &pads, robot &window, AxisPanel &axes, TransportPanel &transport,
                MenuPanel &menus, const Port &port);

private:
    void moved(const pad::State &state, pad::Clock::time_point at);
    void pressed(pad::Button button);
    void press(TransportPanel::Button button);
    void showStatus();
    // Moves the axis's slider `by` positions, one position a change, as far as its range goes.
    void jog(int channel, int by);

    GamePads &m_pads;
    robot &m_window;
    AxisPanel &m_axes;
    TransportPanel &m_transport;
    MenuPanel &m_menus;
    const Port &m_port;
    pad::Jogger m_jogger;
};
