#pragma once
// A game controller that is not there: SDL's virtual joystick, with every stick and button of
// SDL's standard pad, so that SDL's game-controller layer maps it as it maps a real one. SDL
// must be started first (GamePads::start()). Values set here reach the pad's readers at their
// next reading, as a real pad's would.

#include "core/pad/pad_map.h"

class VirtualPad {
public:
    VirtualPad();
    ~VirtualPad(); // unplugs it
    VirtualPad(const VirtualPad &) = delete;
    VirtualPad &operator=(const VirtualPad &) = delete;

    bool plugged() const { return m_joystick != nullptr; }
    void unplug();
    // In the state's terms: up and right positive, triggers 0 to 32767.
    void set(pad::Stick stick, int value);
    void set(pad::Button button, bool down);

    static constexpr const char *name = "Kestrel test pad";

private:
    int m_index = -1;
    void *m_joystick = nullptr; // SDL_Joystick
};
