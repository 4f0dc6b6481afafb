#include "live_arm.h"

#include "convert.h"
#include "core/arm/limit_check.h"
#include "core/link/com_device.h"
#include "core/link/serial_port.h"
#include "core/play/player.h"
#include "core/play/progress.h"
#include "core/program/terminal.h"
#include "errors.h"
#include "live_watch.h"

#include <QElapsedTimer>
#include <csignal>
#include <cstdio>
#include <unistd.h>

namespace kpy {

namespace {

const QString stoppedText = QStringLiteral("The arm was stopped; open it again.");
const QString closedText = QStringLiteral("The arm is closed; open it again.");
const QString homingText = QStringLiteral("Homing the arm");

// The configuration, with its notice unless quiet, as kestrel-play reads it.
config::Settings sayingConfiguration(const QString &folder, bool quiet)
{
    const config::Loaded configuration = configurationIn(folder);
    if (configuration.trouble != config::Loaded::Trouble::None && !quiet)
        program::say(stderr, configuration.notice);
    return configuration.settings;
}

[[noreturn]] void raisePort(int error, const QString &message, const QString &device)
{
    raise(ErrorKind::Port, message, py::dict(py::arg("errno") = error, py::arg("device") = device));
}

} // namespace

LiveArm::LiveArm(ArmPlace place) : m_place(std::move(place))
{
    ensureApp();
    m_settings = sayingConfiguration(m_place.configDir, m_place.quiet);
    // Opening the arm walks it home: a walk the profile forbids is refused before a byte.
    if (const std::optional<arm::Breach> breach =
            arm::checkStartUp(m_place.profile.profile, m_settings))
        refuse(*breach, QStringLiteral("The arm's start-up breaks the arm profile '%1'; nothing "
                                       "was sent.\r%2"));
    m_number = m_place.port.value_or(m_settings.port);
    m_name = m_place.device ? *m_place.device : comdevice::portName(m_number);
    m_port = std::make_unique<SerialPort>(m_place.configDir);
    m_player = std::make_unique<play::Player>(*m_port, m_settings, 1);
    openLine();
    // A Ctrl-C during the probe's second, when Python's handler had it, stops the start-up.
    if (PyErr_CheckSignals() != 0) {
        release(stoppedText);
        throw py::error_already_set();
    }
    send(homingText, nullptr, [this] { return m_player->startUp(); });
}

LiveArm::~LiveArm()
{
    if (m_closed.isEmpty())
        release(closedText);
}

void LiveArm::openLine()
{
    const auto open = [this] {
        return m_place.device ? m_port->openPath(*m_place.device) : m_port->open(m_number);
    };
    ArmSession::PortOutcome opened;
    {
        // The probe listens for a second; other Python threads go on meanwhile.
        py::gil_scoped_release released;
        opened = m_player->session().choosePort(m_number, open);
    }
    refuseLine(opened);
}

void LiveArm::refuseLine(ArmSession::PortOutcome opened)
{
    using Outcome = ArmSession::PortOutcome;
    if (opened == Outcome::Usable && m_port->isOpen())
        return;
    const QString device = m_port->device();
    const int status = m_player->session().portStatus();
    const QString note = m_port->note();
    release(closedText);
    if (opened == Outcome::Failed)
        raisePort(status, comdevice::failureText(status, m_name, device, note), device);
    if (opened == Outcome::Echoed)
        raisePort(status, comdevice::echoText(m_name), device);
    raisePort(comdevice::NoDevice, comdevice::failureText(comdevice::NoDevice, m_name, device),
              device);
}

void LiveArm::close()
{
    if (m_closed.isEmpty())
        release(closedText);
}

void LiveArm::release(const QString &why)
{
    m_closed = why;
    if (!m_port->isOpen())
        return;
    py::gil_scoped_release released;
    // Closing a serial port may throw away what is still in its output buffer, and with it part
    // of a frame. What was written goes out whole first: at most a few frames.
    m_port->waitForLine(0);
    m_port->close();
}

void LiveArm::requireOpen() const
{
    if (!m_closed.isEmpty())
        raise(ErrorKind::Error, m_closed);
}

timing::Pose LiveArm::pose() const
{
    return m_player->positions();
}

QString LiveArm::device() const
{
    return m_port->device();
}

void LiveArm::home()
{
    requireOpen();
    send(homingText, nullptr, [this] { return m_player->session().home(); });
}

void LiveArm::send(const QString &title, const play::Progress *progress,
                   const std::function<Sequencer::End()> &operation)
{
    Sequencer::End end = Sequencer::End::Done;
    int signalled = 0;
    {
        QuitWatch watch(*m_player);
        if (!watch.watching())
            raise(ErrorKind::Error,
                  QStringLiteral("Cannot watch for Ctrl-C; the arm was not moved."));
        py::gil_scoped_release released;
        end = showing(title, progress, operation);
        signalled = watch.signalled();
    }
    ended(end, signalled);
}

Sequencer::End LiveArm::showing(const QString &title, const play::Progress *progress,
                                const std::function<Sequencer::End()> &operation)
{
    const bool show = !m_place.quiet && ::isatty(STDERR_FILENO);
    play::StatusLine status(stderr);
    if (show)
        status.show(title, true);
    QElapsedTimer played;
    played.start();
    if (show && progress)
        m_player->onStep([&] {
            if (m_player->homing())
                return;
            status.show(progress->text(m_player->pass(), m_player->replayIndex(),
                                       m_port->line().busyFor(LineClock::Clock::now()),
                                       std::chrono::milliseconds(played.elapsed())));
        });
    const Sequencer::End end = operation();
    m_player->onStep({});
    status.finish();
    return end;
}

void LiveArm::ended(Sequencer::End end, int signalled)
{
    if (signalled != 0) {
        // An interrupt lasts for the session: nothing it begins later would move the arm.
        release(stoppedText);
        if (signalled == SIGINT) {
            PyErr_SetNone(PyExc_KeyboardInterrupt);
            throw py::error_already_set();
        }
        // SIGTERM and SIGHUP again, to Python's handler: by default the script ends as it would
        // have, now that the port and its lock are free; a handler of its own runs.
        std::raise(signalled);
        if (PyErr_CheckSignals() != 0)
            throw py::error_already_set();
        return;
    }
    if (end == Sequencer::End::Lost) {
        const QString device = m_port->device();
        release(closedText);
        raisePort(comdevice::NoDevice, comdevice::failureText(comdevice::NoDevice, m_name, device),
                  device);
    }
}

} // namespace kpy
