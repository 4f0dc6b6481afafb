#include "core/export/played.h"

#include "core/link/frame.h"
#include "core/link/port.h"
#include "core/play/player.h"

#include <functional>

namespace exports {

namespace {

// A line with nobody at either end: it keeps what it is given, answers no probe and never
// waits, so the player runs through the motion as fast as it can compute it. Past `most`
// bytes it calls `full` (once), and keeps no more.
class KeepingPort : public Port {
public:
    KeepingPort(qint64 most, std::function<void()> full) : m_most(most), m_full(std::move(full)) {}

    [[nodiscard]] int open(int) override
    {
        m_open = true;
        return 0;
    }
    void close() override { m_open = false; }
    bool isOpen() const override { return m_open; }
    QString device() const override { return QStringLiteral("(export)"); }
    QByteArray readAfter(int) override { return {}; }
    void waitForLine(int) override {}

    QByteArray take() { return std::exchange(m_kept, {}); }
    bool overflowed() const { return m_overflowed; }

protected:
    void send(const QByteArray &bytes) override
    {
        if (m_overflowed)
            return;
        if (m_total + bytes.size() > m_most) {
            m_overflowed = true;
            m_full();
            return;
        }
        m_total += bytes.size();
        m_kept += bytes;
    }

private:
    qint64 m_most;
    std::function<void()> m_full;
    bool m_open = false;
    bool m_overflowed = false;
    qint64 m_total = 0;
    QByteArray m_kept;
};

QString tooMany(qint64 most)
{
    return QStringLiteral("The bytes would run past %1 bytes; ask for fewer passes.").arg(most);
}

// Why the records cannot become the bytes of `loops` passes, or an empty text.
QString unplayable(const std::vector<Step> &records, int loops, qint64 most)
{
    if (QString why = refusal(records); !why.isEmpty())
        return why;
    if (loops < 1)
        return QStringLiteral("The bytes need a number of passes from 1 up: "
                              "passes for ever have no end to write.");
    // Every step writes a frame at least: a count that cannot fit is refused before playing.
    if (qint64(loops) * qint64(records.size() - 1) * frame::size > most)
        return tooMany(most);
    return {};
}

// Opens the motion and the port as kestrel-play does; false when the player did not start so.
bool startAsPlayDoes(play::Player &player, KeepingPort &port, const std::vector<Step> &records,
                     const config::Settings &settings)
{
    ArmSession &session = player.session();
    // Nobody is there to press a button, and a window that asked for the bytes must not run its
    // events in the middle of making them (it could close the motion under the player). With no
    // pause ever set, the hold is never reached.
    session.setWaits({[] {}, [] {}});
    session.openMovement(QStringLiteral("export.kmv"), records);
    // kestrel-play opens its port the same way; its probe is the one byte that is not the arm's.
    return session.choosePort(settings.port, [&port] { return port.open(1); }) ==
               ArmSession::PortOutcome::Usable &&
           port.take() == QByteArrayLiteral("B");
}

} // namespace

Played play(const std::vector<Step> &records, const config::Settings &settings, int loops,
            qint64 most)
{
    Played played;
    if (played.error = unplayable(records, loops, most); !played.error.isEmpty())
        return played;

    play::Player *player = nullptr;
    KeepingPort port(most, [&player] { player->interrupt(); });
    play::Player thePlayer(port, settings, loops);
    player = &thePlayer;
    if (!startAsPlayDoes(thePlayer, port, records, settings)) {
        played.error = QStringLiteral("The player did not start as kestrel-play starts.");
        return played;
    }
    const Sequencer::End startedUp = thePlayer.startUp();
    played.startUp = port.take();
    played.passStart = thePlayer.positions();
    const Sequencer::End ran =
        startedUp == Sequencer::End::Done ? thePlayer.run() : Sequencer::End::Stopped;
    played.passes = port.take();
    if (port.overflowed())
        played.error = tooMany(most);
    else if (ran != Sequencer::End::Done)
        played.error = QStringLiteral("The player stopped before the end of the motion.");
    return played;
}

Result lineBytes(const std::vector<Step> &records, const config::Settings &settings, int loops,
                 qint64 most)
{
    Played played = play(records, settings, loops, most);
    if (!played.error.isEmpty())
        return {{}, played.error};
    return {played.startUp + played.passes, {}};
}

} // namespace exports
