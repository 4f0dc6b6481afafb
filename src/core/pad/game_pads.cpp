#include "core/pad/game_pads.h"

#include <QFile>
#include <SDL.h>

#include <algorithm>
#include <cstdio>

namespace {

SDL_GameController *controller(void *c)
{
    return static_cast<SDL_GameController *>(c);
}

// SDL's y runs down; the state's runs up. -32768 has no mirror, so it turns into 32767.
int upwards(Sint16 y)
{
    return std::min(32767, -int(y));
}

} // namespace

GamePads::GamePads(QObject *parent) : QObject(parent)
{
    m_timer.setTimerType(Qt::PreciseTimer);
    connect(&m_timer, &QTimer::timeout, this, &GamePads::poll);
    m_settling.setSingleShot(true);
    m_settling.setInterval(restingMs);
    connect(&m_settling, &QTimer::timeout, this, &GamePads::setPace);
}

GamePads::~GamePads()
{
    if (!m_started)
        return;
    drop(false);
    SDL_QuitSubSystem(SDL_INIT_GAMECONTROLLER);
    SDL_Quit();
}

bool GamePads::start()
{
    if (m_started)
        return true;
    // Set before SDL starts: its own handlers would turn Ctrl-C into an event nobody reads.
    SDL_SetHint(SDL_HINT_NO_SIGNAL_HANDLERS, "1");
    // SDL has no window here to be in the background of; a pad must work whichever window
    // has the focus.
    SDL_SetHint(SDL_HINT_JOYSTICK_ALLOW_BACKGROUND_EVENTS, "1");
    // The buttons by where they sit, as the picture of the pad shows them: left to itself, SDL
    // names a Switch pad's buttons by their letters, which stand where an Xbox pad's do not.
    SDL_SetHint(SDL_HINT_GAMECONTROLLER_USE_BUTTON_LABELS, "0");
    if (SDL_InitSubSystem(SDL_INIT_GAMECONTROLLER) != 0) {
        m_error = QString::fromUtf8(SDL_GetError());
        return false;
    }
    m_started = true;
    poll(); // the pads already plugged in
    return true;
}

GamePads *GamePads::startFor(const QString &program)
{
    if (start())
        return this;
    std::fprintf(stderr, "%s: no game controllers: %s\n", qPrintable(program), qPrintable(m_error));
    return nullptr;
}

QString GamePads::status() const
{
    return m_name.isEmpty() ? QString() : QStringLiteral("Game controller: %1").arg(m_name);
}

void GamePads::poll()
{
    if (!m_started)
        return;
    SDL_PumpEvents();
    handleEvents();
    if (m_controller)
        read();
    setPace();
}

void GamePads::handleEvents()
{
    SDL_Event e;
    while (SDL_PollEvent(&e) == 1) {
        switch (e.type) {
        case SDL_CONTROLLERDEVICEADDED:
            if (!m_controller)
                use(e.cdevice.which);
            break;
        case SDL_CONTROLLERDEVICEREMOVED:
            if (e.cdevice.which == m_instance) {
                drop();
                for (int i = 0; i < SDL_NumJoysticks() && !m_controller; ++i)
                    if (SDL_IsGameController(i))
                        use(i);
                if (!m_controller)
                    Q_EMIT padChanged(QString());
            }
            break;
        case SDL_CONTROLLERBUTTONDOWN:
            if (e.cbutton.which == m_instance && e.cbutton.button < SDL_CONTROLLER_BUTTON_MISC1)
                Q_EMIT pressed(static_cast<pad::Button>(e.cbutton.button));
            break;
        default:
            break;
        }
    }
}

void GamePads::use(int deviceIndex)
{
    SDL_GameController *c = SDL_GameControllerOpen(deviceIndex);
    if (!c)
        return;
    m_controller = c;
    m_instance = SDL_JoystickInstanceID(SDL_GameControllerGetJoystick(c));
    m_name = pad::displayName(SDL_GameControllerName(c));
    m_node = PadNode::open(deviceNode());
    if (m_node) {
        connect(m_node.get(), &PadNode::stirred, this, &GamePads::stirred);
        // The pad went; SDL says so at its next reading, which the timer now makes.
        connect(m_node.get(), &PadNode::failed, this, [this] {
            letNodeGo(false);
            setPace();
        });
    }
    Q_EMIT padChanged(m_name);
}

QString GamePads::deviceNode() const
{
    const char *path = SDL_GameControllerPath(controller(m_controller));
    return path ? QFile::decodeName(path) : QString();
}

void GamePads::letNodeGo(bool now)
{
    if (!m_node)
        return;
    // The pad may go while its node is telling of it: the node goes once that is over.
    m_node->disconnect(this);
    m_node->setWatching(false);
    if (now)
        m_node.reset();
    else
        m_node.release()->deleteLater();
}

void GamePads::stirred()
{
    poll();
    m_settling.start();
    setPace();
}

void GamePads::drop(bool announce)
{
    if (m_controller)
        SDL_GameControllerClose(controller(m_controller));
    letNodeGo(!announce);
    m_controller = nullptr;
    m_instance = -1;
    m_name.clear();
    const bool wasMoving = !pad::resting(m_state);
    m_state = pad::State{};
    if (announce && wasMoving)
        Q_EMIT moved(m_state, pad::Clock::now());
}

void GamePads::read()
{
    SDL_GameController *c = controller(m_controller);
    using pad::Stick;
    pad::State s;
    const auto axis = [c](SDL_GameControllerAxis a) { return SDL_GameControllerGetAxis(c, a); };
    s.sticks[int(Stick::LeftX)] = axis(SDL_CONTROLLER_AXIS_LEFTX);
    s.sticks[int(Stick::LeftY)] = upwards(axis(SDL_CONTROLLER_AXIS_LEFTY));
    s.sticks[int(Stick::RightX)] = axis(SDL_CONTROLLER_AXIS_RIGHTX);
    s.sticks[int(Stick::RightY)] = upwards(axis(SDL_CONTROLLER_AXIS_RIGHTY));
    s.sticks[int(Stick::LeftTrigger)] = axis(SDL_CONTROLLER_AXIS_TRIGGERLEFT);
    s.sticks[int(Stick::RightTrigger)] = axis(SDL_CONTROLLER_AXIS_TRIGGERRIGHT);
    for (int b = 0; b < SDL_CONTROLLER_BUTTON_MISC1; ++b)
        if (SDL_GameControllerGetButton(c, static_cast<SDL_GameControllerButton>(b)))
            s.buttons |= 1u << b;
    const bool wasMoving = !pad::resting(m_state);
    m_state = s;
    if (wasMoving || !pad::resting(s))
        Q_EMIT moved(m_state, pad::Clock::now());
}

void GamePads::setPace()
{
    using namespace std::chrono;
    const bool resting = pad::resting(m_state);
    if (m_node)
        m_node->setWatching(resting && !m_settling.isActive());
    if (m_controller && resting && m_node) {
        m_timer.stop();
        return;
    }
    const auto interval =
        !m_controller ? milliseconds(idleMs)
        : resting     ? milliseconds(restingMs)
                      : duration_cast<milliseconds>(duration<double>(1 / pad::framesPerSecond()));
    if (!m_timer.isActive() || m_timer.intervalAsDuration() != interval)
        m_timer.start(interval);
}
