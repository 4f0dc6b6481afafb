#pragma once
// The game controllers on this machine, read through SDL's game-controller layer, on the
// program's one event thread. SDL gives nothing to wait on, so the pads are read when there is
// something to read, by a pace that follows what there is:
//   no pad            twice a second, enough to notice a pad plugged in within a second, and so
//                     seldom that a machine with no pad pays nothing for it;
//   a pad at rest     when its device node stirs (PadNode), at most once every 10 ms, so that a
//                     jittering stick cannot keep the program awake; where the node cannot be
//                     watched (a virtual pad, a node SDL reached some other way), every 10 ms.
//                     Either way a stick pushed over moves the arm within 20 ms;
//   a stick held over at the line's pace, one reading a frame, since the arm moves on as long as
//                     the stick is held, whether the pad reports anything or not.
// One pad is used at a time: the first plugged in; when it goes, the next one still there.
//
// SDL is started with no more of itself than the game-controller layer needs (SDL's joystick
// and event subsystems come with it; no video, no audio) and is told to leave the signals
// alone: Ctrl-C, SIGTERM and SIGHUP remain the program's.

#include "core/pad/pad_map.h"
#include "core/pad/pad_node.h"
#include "core/pad/stick_jog.h"

#include <QObject>
#include <QString>
#include <QTimer>

#include <memory>

class GamePads : public QObject {
    Q_OBJECT
public:
    explicit GamePads(QObject *parent = nullptr);
    ~GamePads() override;
    GamePads(const GamePads &) = delete;
    GamePads &operator=(const GamePads &) = delete;

    // Starts SDL's game-controller layer and the readings. False, with the reason in error(),
    // when SDL cannot start it; the program then goes on without pads.
    bool start();
    const QString &error() const { return m_error; }
    // start() for a program with a window: the pads when SDL starts, else none, and one line on
    // stderr, "<program>: no game controllers: <why>"; the mouse still works.
    GamePads *startFor(const QString &program);

    // The pad in use, as the status shows it; empty while there is none.
    const QString &name() const { return m_name; }
    // "Game controller: <name>", or empty while there is none.
    QString status() const;
    // The last reading of the pad in use; at rest while there is none.
    const pad::State &state() const { return m_state; }

    // Reads the pads now; the timer calls it by itself.
    void poll();

    // Whether the pad is read on the timer now: false while a resting pad's node is watched.
    bool polling() const { return m_timer.isActive(); }

    static constexpr int idleMs = 500;
    static constexpr int restingMs = 10;

Q_SIGNALS:
    // A pad was plugged in (its name) or the one in use went (empty).
    void padChanged(const QString &name);
    // A button of the pad in use went down.
    void pressed(pad::Button button);
    // A reading of the pad in use with a stick or trigger out of rest, taken at `at`; and one
    // more when they have all come back to rest.
    void moved(const pad::State &state, pad::Clock::time_point at);

protected:
    // The device node of the pad in use, as SDL names it; empty where it names none.
    virtual QString deviceNode() const;

private:
    void handleEvents();
    void stirred();
    // Stops watching the node; `now` deletes it at once, else once the event loop is back.
    void letNodeGo(bool now);
    void use(int deviceIndex);
    // Lets the pad in use go; a stick held over is announced back at rest.
    void drop(bool announce = true);
    void read();
    void setPace();

    QTimer m_timer;
    std::unique_ptr<PadNode> m_node; // the pad in use's, while it can be watched
    QTimer m_settling;               // the node rests a little after each time it stirs
    void *m_controller = nullptr;    // SDL_GameController
    int m_instance = -1;             // its joystick instance id
    QString m_name;
    pad::State m_state;
    bool m_started = false;
    QString m_error;
};
