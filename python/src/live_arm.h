#pragma once
// kestrel.Arm's state: the arm on a serial port, opened, probed and started as kestrel-play
// does, and driven by kestrel-play's player, so that a script sends what the program sends. A
// move is planned from where the arm stands, checked against the profile before a byte goes out,
// and played from there by the same replay step as RUN's. A signal ends a call after its step in
// progress; the arm is closed then, as the program would end.
#include "bindings.h"
#include "core/edit/tip_move.h"
#include "core/session/arm_session.h"
#include "core/store/config_file.h"

#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <vector>

class SerialPort;

namespace arm {
struct Breach;
}

namespace play {
class Player;
class Progress;
} // namespace play

namespace kpy {

class ScriptMotion;

// Where the arm is and how it is driven.
struct ArmPlace {
    std::optional<int> port;       // "Comm n"; none: robotini.txt's
    std::optional<QString> device; // a device path instead
    QString configDir;
    ScriptProfile profile;
    QString profileFile; // how messages name the profile, as kestrel-play names it
    bool quiet = false;
};

class LiveArm {
public:
    // Opens, probes and starts the arm (kestrel.PortError when the port cannot be used).
    explicit LiveArm(ArmPlace place);
    ~LiveArm();
    LiveArm(const LiveArm &) = delete;
    LiveArm &operator=(const LiveArm &) = delete;

    // Releases the port and its lock once what was written has left; later calls raise.
    void close();

    timing::Pose pose() const;
    const ScriptProfile &profile() const { return m_place.profile; }
    QString device() const;
    bool quiet() const { return m_place.quiet; }
    void setQuiet(bool quiet) { m_place.quiet = quiet; }

    void move(const timing::Pose &to, std::optional<double> seconds, moves::Ease ease);
    void moveTip(const tips::Request &request);
    void play(const ScriptMotion &motion, int loops);
    void home();

private:
    void openLine();
    void refuseLine(ArmSession::PortOutcome opened);
    void playFromHere(const std::vector<Step> &steps);
    // Runs `operation`, which sends, with the quit signals watched and the status line shown;
    // raises what its end calls for.
    void send(const QString &title, const play::Progress *progress,
              const std::function<Sequencer::End()> &operation);
    Sequencer::End showing(const QString &title, const play::Progress *progress,
                           const std::function<Sequencer::End()> &operation);
    void ended(Sequencer::End end, int signalled);
    void requireOpen() const;
    void release(const QString &why);
    [[noreturn]] void refuse(const arm::Breach &breach, const QString &what) const;

    ArmPlace m_place;
    config::Settings m_settings;
    int m_number = 1;
    QString m_name; // "COMM 2", or the device path given
    std::unique_ptr<SerialPort> m_port;
    std::unique_ptr<play::Player> m_player;
    QString m_closed; // why calls are refused; empty while the arm is open
};

} // namespace kpy
