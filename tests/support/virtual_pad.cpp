#include "virtual_pad.h"

#include <QFile>
#include <SDL.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>

VirtualPad::VirtualPad()
{
    SDL_VirtualJoystickDesc d{};
    d.version = SDL_VIRTUAL_JOYSTICK_DESC_VERSION;
    d.type = SDL_JOYSTICK_TYPE_GAMECONTROLLER;
    d.naxes = SDL_CONTROLLER_AXIS_MAX;
    d.nbuttons = SDL_CONTROLLER_BUTTON_MAX;
    d.button_mask = (1u << SDL_CONTROLLER_BUTTON_MAX) - 1;
    d.axis_mask = (1u << SDL_CONTROLLER_AXIS_MAX) - 1;
    d.name = name;
    m_index = SDL_JoystickAttachVirtualEx(&d);
    if (m_index >= 0)
        m_joystick = SDL_JoystickOpen(m_index);
}

VirtualPad::~VirtualPad() { unplug(); }

void VirtualPad::unplug()
{
    if (!m_joystick)
        return;
    auto *j = static_cast<SDL_Joystick *>(m_joystick);
    const SDL_JoystickID id = SDL_JoystickInstanceID(j);
    SDL_JoystickClose(j);
    m_joystick = nullptr;
    // The device index may have moved since it was plugged in.
    for (int i = 0; i < SDL_NumJoysticks(); ++i)
        if (SDL_JoystickGetDeviceInstanceID(i) == id)
            SDL_JoystickDetachVirtual(i);
}

void VirtualPad::set(pad::Stick stick, int value)
{
    using enum pad::Stick;
    const bool y = stick == LeftY || stick == RightY;
    const int sdl = y ? std::clamp(-value, -32768, 32767) : value;
    SDL_JoystickSetVirtualAxis(static_cast<SDL_Joystick *>(m_joystick), static_cast<int>(stick),
                               static_cast<Sint16>(sdl));
}

void VirtualPad::set(pad::Button button, bool down)
{
    SDL_JoystickSetVirtualButton(static_cast<SDL_Joystick *>(m_joystick),
                                 static_cast<int>(button), down ? 1 : 0);
}

PadsWithNode::PadsWithNode(const QString &pipe) : m_pipe(pipe)
{
    ::mkfifo(QFile::encodeName(pipe).constData(), 0600);
}

PadsWithNode::~PadsWithNode() { closeWriter(); }

bool PadsWithNode::openWriter()
{
    m_writer = ::open(QFile::encodeName(m_pipe).constData(), O_WRONLY | O_NONBLOCK | O_CLOEXEC);
    return m_writer >= 0;
}

void PadsWithNode::closeWriter()
{
    if (m_writer >= 0)
        ::close(m_writer);
    m_writer = -1;
}

void PadsWithNode::stir()
{
    if (m_writer >= 0 && ::write(m_writer, "e", 1) != 1)
        closeWriter();
}
