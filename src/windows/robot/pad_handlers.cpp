#include "windows/robot/pad_handlers.h"

#include "core/link/port.h"
#include "core/pad/game_pads.h"
#include "windows/robot/axis_panel.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QPushButton>

#include <algorithm>

namespace {

TransportPanel::Button buttonOf(pad::Transport t)
{
    using enum TransportPanel::Button;
    switch (t) {
    case pad::Transport::Rec:
        return Rec;
    case pad::Transport::Stop:
        return Stop;
    case pad::Transport::Run:
        return Run;
    case pad::Transport::Pause:
        return Pause;
    case pad::Transport::Home:
        return Home;
    case pad::Transport::Back:
        break;
    }
    return Back;
}

// A dialog the window waits on takes the mouse from the window's controls; it takes the pad
// from them too.
bool windowBlocked()
{
    return QApplication::activeModalWidget() != nullptr;
}

} // namespace

PadHandlers::PadHandlers(GamePads &pads, robot &window, AxisPanel &axes, TransportPanel &transport,
                         MenuPanel &menus, const Port &port)
    : QObject(&window), m_pads(pads), m_window(window), m_axes(axes), m_transport(transport),
      m_menus(menus), m_port(port), m_jogger(pad::windowDrives(), pad::framesPerSecond())
{
    connect(&pads, &GamePads::moved, this, &PadHandlers::moved);
    connect(&pads, &GamePads::pressed, this, &PadHandlers::pressed);
    connect(&pads, &GamePads::padChanged, this, &PadHandlers::showStatus);
    // A pad plugged in before the window was made was announced to nobody.
    showStatus();
}

void PadHandlers::moved(const pad::State &state, pad::Clock::time_point at)
{
    // While the line still carries more than the frames a long operation lets run ahead, the
    // reading waits, and the stick's positions with it: the arm never trails the sliders by
    // more than a few frames, however long the stick is held. A stick back at rest is always
    // taken, so that the next push starts a new jog.
    if (!pad::resting(state) &&
        m_port.line().untilAtMost(Port::framesAhead, at) > LineClock::Clock::duration::zero())
        return;
    const auto moves = m_jogger.advance(state, at);
    if (windowBlocked())
        return;
    for (const pad::Jogger::Move &m : moves)
        jog(m.channel, m.by);
}

void PadHandlers::jog(int channel, int by)
{
    ScrollBar *slider = m_axes.slider(channel);
    const int lowest = std::min(slider->Min(), slider->Max());
    const int highest = std::max(slider->Min(), slider->Max());
    const int step = by > 0 ? 1 : -1;
    // Each position is a change of its own, as a drag passing it makes, so a recording keeps
    // every one; a slider at the end of its range stays, and nothing is sent.
    for (int done = 0; done != by && slider->isEnabled(); done += step) {
        const int next = std::clamp(slider->Value() + step, lowest, highest);
        if (next == slider->Value())
            return;
        slider->setValueTo(next);
    }
}

void PadHandlers::pressed(pad::Button button)
{
    const auto presses = pad::windowPresses();
    const auto found = std::ranges::find(presses, button, &pad::Press::button);
    if (found == presses.end())
        return;
    // A click's handler may run a whole replay in event loops of its own; it runs from the
    // window's event loop, as a mouse's click does, not inside the pad's reading.
    const TransportPanel::Button transport = buttonOf(found->transport);
    QMetaObject::invokeMethod(
        this, [this, transport] { press(transport); }, Qt::QueuedConnection);
}

void PadHandlers::press(TransportPanel::Button button)
{
    QPushButton *b = m_transport.button(button);
    if (!b->isEnabled() || windowBlocked())
        return;
    m_transport.showPressed(button);
    m_window.press(b);
}

void PadHandlers::showStatus()
{
    m_menus.setPadStatus(m_pads.status());
}
