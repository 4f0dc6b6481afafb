#pragma once
// A game controller that is not there: SDL's virtual joystick, with every stick and button of
// SDL's standard pad, so that SDL's game-controller layer maps it as it maps a real one. SDL
// must be started first (GamePads::start()). Values set here reach the pad's readers at their
// next reading, as a real pad's would.

#include "core/pad/game_pads.h"
#include "core/pad/pad_map.h"

#include <QString>

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

// Pads whose device node is a named pipe: what a pad's node does when the pad reports something,
// writing to the pipe does. Make the pipe, start the pads, plug a pad in, then open the writer.
class PadsWithNode : public GamePads {
public:
    explicit PadsWithNode(const QString &pipe);
    ~PadsWithNode() override;
    bool openWriter();
    void closeWriter();
    // The pad reported something.
    void stir();

protected:
    QString deviceNode() const override { return m_pipe; }

private:
    QString m_pipe;
    int m_writer = -1;
};
