// A replay on the real desktop: the real kestrel on Xvfb with xcb, clicked through XTEST, its
// COM1 read at the line's 960 bytes a second. PAUSE must hold the replay between two steps with
// the program asleep (no core spent, nothing on the line), and CONT must let it go on at once;
// STOP while paused ends the run, and RUN plays again. The line is compared byte for byte with
// what the movement file says.
//
// KESTREL_DESKTOP_BINARY names another kestrel to try (an older build, to see these fail).

#include "support/files.h"
#include "support/kestrel_desktop.h"

#include <QApplication>
#include <QtTest>

using namespace desktop;
using Clock = std::chrono::steady_clock;

namespace {

constexpr int stepsInFile = 2000;
// Held this long while the CPU and the line are watched: long enough that a spinning loop
// cannot hide between two of the kernel's ticks (10 ms each), short enough for the suite.
constexpr int holdMs = 1200;
// A sleeping program wakes now and then (the X connection, a timer); a spinning one takes a core.
constexpr double heldCoreShare = 0.02;
// Before each step the program waits until at most two frames are on their way; a step writes
// two frames (the replay's, then the value box's). So when the pause is on the screen, up to
// four frames may still be queued for the line.
constexpr int inFlightBytes = 4 * 4;

struct Step {
    int channel, position;
};

// Every axis in turn, each step a position away from that axis's last: each one moves its
// slider, so the line carries each step's frame twice.
QList<Step> movement()
{
    QList<Step> steps;
    for (int i = 0; i < stepsInFile; ++i)
        steps << Step{i % 5, 100 + (i / 5) % 50};
    return steps;
}

QByteArray movementFile()
{
    QByteArray text = "0,0\r\n"; // the placeholder record, never replayed
    for (const Step &s : movement())
        text += QByteArray::number(s.channel) + ',' + QByteArray::number(s.position) + "\r\n";
    return text;
}

QByteArray replayBytes()
{
    QByteArray out;
    for (const Step &s : movement())
        out += frameBytes(s.channel, s.position).repeated(2);
    return out;
}

// The homing walk from the axes where `played` steps of the movement left them back to 127,
// in homing order: grip, wrist, elbow, shoulder, base.
QByteArray homingAfter(int played)
{
    std::array<int, 5> at{127, 127, 127, 127, 127};
    const QList<Step> steps = movement();
    for (int i = 0; i < played; ++i)
        at[std::size_t(steps[i].channel)] = steps[i].position;
    QByteArray out;
    for (int channel : {4, 3, 2, 1, 0})
        for (int p = at[std::size_t(channel)]; p != 127;) {
            p += p < 127 ? 1 : -1;
            out += frameBytes(channel, p);
        }
    return out;
}

double msSince(Clock::time_point t, Clock::time_point at)
{
    return std::chrono::duration<double, std::milli>(at - t).count();
}

} // namespace

class DesktopReplay : public DesktopTestCase {
    Q_OBJECT

public:
    DesktopReplay() : DesktopTestCase(QStringLiteral(KESTREL_BINARY)) {}

private:
    // Started, with the movement opened through File, "Open" and the start-up line checked.
    // The caption width of "PAUSE", learnt from the screen, in *pauseWidth.
    bool startWithMovement(KestrelOnDesktop &k, int *pauseWidth)
    {
        if (!k.start()) {
            qWarning("%s", qPrintable(k.error()));
            return false;
        }
        if (!k.line().waitForCount(std::size_t(startUpBytes().size()), 10000) ||
            k.line().data() != startUpBytes()) {
            qWarning("start-up sent %s", k.line().data().toHex(' ').constData());
            return false;
        }
        // Start-up leaves PAUSE disabled with its caption "PAUSE".
        *pauseWidth = k.caption(QStringLiteral("Command6")).width();
        const QString path = k.folder() + QStringLiteral("/moves.kmv");
        if (*pauseWidth <= 0 || !writeFile(path, movementFile()) ||
            !k.fileThroughDialog(QStringLiteral("Open_men"), path)) {
            qWarning("%s", qPrintable(k.error()));
            return false;
        }
        return true;
    }

    // The replay's part of the line so far, after start-up.
    static QByteArray played(PacedLine &line) { return line.data().mid(startUpBytes().size()); }

    // PAUSE pressed during a replay: once CONT shows and what was already on its way has gone
    // out, the program must hold between two steps of the movement, asleep and silent, for as
    // long as the pause lasts. False when the pause never showed; what went wrong while held
    // goes to `problems`; `held` is the line's count when the hold began.
    bool pauseAndHold(const QString &name, int pauseWidth, std::size_t *held, QStringList *problems)
    {
        KestrelOnDesktop &k = *m_k;
        PacedLine &line = k.line();
        k.click(QStringLiteral("Command6"));
        k.moveAway();
        Caption seen;
        if (!k.waitForCaption(
                QStringLiteral("Command6"),
                [pauseWidth](const Caption &c) {
                    return c.enabled() && c.width() > 0 && c.width() < pauseWidth - 2;
                },
                10000, &seen)) {
            qWarning("%s: PAUSE never showed CONT (width %d, PAUSE %d)", qPrintable(name),
                     seen.width(), pauseWidth);
            return false;
        }
        // Counted by when each byte came off the wire, not by what the reader had taken when
        // the caption showed: on a busy machine the reader's thread may be a few bytes behind.
        const auto shownAt = Clock::now();
        if (!line.waitForDrained(5000)) {
            qWarning("%s: the line never drained", qPrintable(name));
            return false;
        }
        *held = line.count();
        std::size_t after = 0;
        for (const PacedLine::Byte &b : line.bytes())
            after += b.at > shownAt;
        if (after > std::size_t(inFlightBytes))
            *problems
                << QStringLiteral("%1: %2 bytes came after CONT was shown").arg(name).arg(after);
        const QByteArray soFar = played(line);
        if (soFar.size() % 8 != 0 || !replayBytes().startsWith(soFar))
            *problems << QStringLiteral("%1: the pause did not fall between two steps of the "
                                        "movement (%2 bytes)")
                             .arg(name)
                             .arg(soFar.size());

        CpuMeter cpu(k.pid());
        cpu.start();
        const bool moved = line.waitForCount(*held + 1, holdMs);
        const double share = cpu.processShare();
        if (moved)
            *problems << QStringLiteral("%1: a byte reached the line while paused").arg(name);
        if (share > heldCoreShare)
            *problems << QStringLiteral("%1: %2 % of a core while paused (%3)")
                             .arg(name)
                             .arg(share * 100, 0, 'f', 1)
                             .arg(cpu.busyThreads());
        return true;
    }

private Q_SLOTS:
    void pauseHoldsTheLineAndContReleasesIt()
    {
        launch();
        KestrelOnDesktop &k = *m_k;
        int pauseWidth = 0;
        QVERIFY(startWithMovement(k, &pauseWidth));
        PacedLine &line = k.line();
        const auto isPause = [pauseWidth](const Caption &c) {
            return c.enabled() && std::abs(c.width() - pauseWidth) <= 1;
        };

        k.click(QStringLiteral("Command5")); // RUN
        const std::size_t base = std::size_t(startUpBytes().size());
        QVERIFY2(line.waitForCount(base + 40 * 4, 10000), "RUN sent nothing");

        QStringList problems;
        for (int round = 1; round <= 3; ++round) {
            const QString name = QStringLiteral("round %1").arg(round);
            std::size_t held = 0;
            QVERIFY(pauseAndHold(name, pauseWidth, &held, &problems));

            const std::size_t before = line.count();
            const auto cont = Clock::now();
            k.click(QStringLiteral("Command6")); // CONT
            if (!line.waitForCount(before + 1, 1000)) {
                problems << name + QStringLiteral(": nothing came within 1 s of CONT");
                break;
            }
            const double late = msSince(cont, line.bytes()[before].at);
            if (late > 1000)
                problems << QStringLiteral("%1: the next byte came %2 ms after CONT")
                                .arg(name)
                                .arg(late, 0, 'f', 0);
            k.moveAway();
            QVERIFY2(k.waitForCaption(QStringLiteral("Command6"), isPause, 10000),
                     "CONT never showed PAUSE again");
            // Some steps between two pauses.
            QVERIFY(line.waitForCount(line.count() + 20 * 4, 10000));
        }
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n"))));

        // STOP ends the run after its step in progress; everything on the line was the
        // movement's, in order, step by step.
        k.click(QStringLiteral("Command4"));
        QVERIFY(k.waitForCaption(QStringLiteral("Command5"), &Caption::enabled, 10000));
        QVERIFY(line.waitForDrained(5000));
        const QByteArray all = played(line);
        QVERIFY2(all.size() % 8 == 0 && replayBytes().startsWith(all),
                 all.right(64).toHex(' ').constData());
    }

    void stopWhilePausedEndsTheRunAndRunPlaysAgain()
    {
        launch();
        KestrelOnDesktop &k = *m_k;
        int pauseWidth = 0;
        QVERIFY(startWithMovement(k, &pauseWidth));
        PacedLine &line = k.line();
        const std::size_t base = std::size_t(startUpBytes().size());

        k.click(QStringLiteral("Command5")); // RUN
        QVERIFY2(line.waitForCount(base + 40 * 4, 10000), "RUN sent nothing");
        QStringList problems;
        std::size_t held = 0;
        QVERIFY(pauseAndHold(QStringLiteral("the pause"), pauseWidth, &held, &problems));
        QVERIFY2(problems.isEmpty(), qPrintable(problems.join(QStringLiteral("\n"))));

        k.click(QStringLiteral("Command4")); // STOP
        k.moveAway();
        // STOP gives RUN back and takes PAUSE, showing "PAUSE" again.
        QVERIFY2(k.waitForCaption(QStringLiteral("Command5"), &Caption::enabled, 10000),
                 "RUN was not enabled again after STOP");
        QVERIFY(k.waitForCaption(
            QStringLiteral("Command6"),
            [pauseWidth](const Caption &c) {
                return !c.enabled() && std::abs(c.width() - pauseWidth) <= 1;
            },
            10000));
        // Nothing more is sent: the held step was the last. The second RUN's first frame,
        // compared from `held` on, proves it.
        const QByteArray first =
            line.data().mid(startUpBytes().size(), int(held) - startUpBytes().size());
        QVERIFY2(first.size() % 8 == 0 && replayBytes().startsWith(first),
                 first.right(64).toHex(' ').constData());
        const int stepsPlayed = int(first.size() / 8);

        // The second RUN homes the arm from where the first left it, then plays from the start.
        k.click(QStringLiteral("Command5"));
        const QByteArray expected = homingAfter(stepsPlayed) + replayBytes().left(20 * 8);
        QVERIFY2(line.waitForCount(held + std::size_t(expected.size()), 20000),
                 "the second RUN did not play");
        const QByteArray second = line.data().mid(int(held), expected.size());
        QCOMPARE(second.toHex(' '), expected.toHex(' '));
        k.click(QStringLiteral("Command4"));
        QVERIFY(k.waitForCaption(QStringLiteral("Command5"), &Caption::enabled, 10000));
    }
};

KESTREL_DESKTOP_TEST_MAIN(DesktopReplay)

#include "test_desktop_replay.moc"
