#include "core/motion/sequencer.h"

#include "core/link/port.h"
#include "core/link/send.h"
#include "core/motion/axes.h"
#include "core/motion/loop_count.h"
#include "core/process/event_wait.h"

#include <algorithm>

namespace {
// Counts an operation in for as long as it runs, also when it ends early.
class Under {
public:
    explicit Under(int &count) : m_count(count) { ++m_count; }
    ~Under() { --m_count; }
    Under(const Under &) = delete;
    Under &operator=(const Under &) = delete;

private:
    int &m_count;
};
} // namespace

Sequencer::Sequencer(Port &port, SequencerHost &host, QObject *parent)
    : QObject(parent), m_port(port),
      m_host(host), m_waits{&events::runPending, &events::sleepUntilEvent}
{
    connect(&m_port, &Port::lost, this, [this] { ++m_losses; });
}

void Sequencer::setWaits(Waits waits)
{
    m_waits = std::move(waits);
}

void Sequencer::stop(int stepCount)
{
    ++m_stops;
    replay_index = stepCount;
}

void Sequencer::interrupt()
{
    ++m_interrupts;
}

Sequencer::End Sequencer::endOf(Since since) const
{
    return lostSince(since) ? End::Lost : stoppedSince(since) ? End::Stopped : End::Done;
}

void Sequencer::DELAY()
{
    // No clock: the pace is a count of passes through the event loop, so a greater homing speed
    // is slower. A fractional speed runs the whole rounds up to it; below 1, none.
    const double speed = m_host.configuration().homeSpeed;
    for (double round = 1; round <= speed; round += 1)
        for (int i = 0; i < 5; ++i)
            m_waits.yield();
}

void Sequencer::centre()
{
    for (int channel : axes::centringOrder)
        m_host.moveAxis(channel, axes::centre);
}

Sequencer::End Sequencer::home(Nested nested)
{
    if (homing() && nested == Nested::No)
        return End::Done;
    return walkHome(now());
}

Sequencer::End Sequencer::walkHome(Since since)
{
    if (m_host.portStatus() != 0)
        return End::Done;
    const Under under(m_homing);
    for (int channel : axes::homingOrder) {
        // Each axis starts from where its slider stands when its turn comes, so an axis that
        // the operator moved meanwhile is walked from there.
        const int p = m_host.positions()[channel];
        // A home the slider cannot take (from a hand-edited file) is walked to the nearer end.
        const double h = std::clamp(m_host.configuration().home[channel], double(axes::lowest),
                                    double(axes::highest));
        const int direction = p > h ? -1 : p < h ? 1 : 0;
        if (direction == 0)
            continue;
        // The walk keeps its own count: an operator who moves this slider meanwhile is set back
        // by the next step. Its first value is where the slider already stands, which sends
        // nothing but is still followed by DELAY. STOP and PAUSE do not touch it; an interrupt
        // ends it.
        for (int v = p; direction < 0 ? v >= h : v <= h; v += direction) {
            m_port.waitForLine();
            if (lostSince(since))
                return End::Lost;
            if (interrupted())
                return End::Stopped;
            m_host.moveAxis(channel, v);
            DELAY();
        }
    }
    return lostSince(since) ? End::Lost : interrupted() ? End::Stopped : End::Done;
}

Sequencer::End Sequencer::run(const StepBuffer &steps)
{
    const Since since = now();
    const Under under(m_replaying);
    // RUN pressed while a homing pass is under way leaves the arm to that pass.
    if (!homing())
        walkHome(since);
    const int saved_loop_count = m_host.loopCount().passes();
    const End end = playPasses(steps, since);
    m_host.setLoopCount(saved_loop_count);
    return end;
}

Sequencer::End Sequencer::playPasses(const StepBuffer &steps, Since since)
{
    // Steps sent by this run, over all its passes: a pause holds before the next one.
    bool sentOne = false;
    End end = endOf(since);
    while (end == End::Done) {
        end = playPass(steps, since, sentOne);
        // The count says how many passes remain, counting this one; a count typed meanwhile
        // takes effect here.
        const int left = m_host.loopCount().passes();
        if (end != End::Done || left <= 1)
            break;
        m_host.setLoopCount(left - 1);
        Q_EMIT passEnded();
    }
    return end;
}

Sequencer::End Sequencer::playPass(const StepBuffer &steps, Since since, bool &sentOne)
{
    // The bound is taken as the pass starts; STOP moves replay_index onto it.
    const int bound = steps.stepCount();
    for (replay_index = 2; replay_index <= bound; ++replay_index) {
        if (const End end = replayStep(steps, since, sentOne); end != End::Done)
            return end;
    }
    return End::Done;
}

Sequencer::End Sequencer::playHere(const StepBuffer &steps)
{
    const Since since = now();
    const Under under(m_replaying);
    bool sentOne = false;
    const End end = endOf(since);
    return end == End::Done ? playPass(steps, since, sentOne) : end;
}

Sequencer::End Sequencer::back(const StepBuffer &steps)
{
    const Since since = now();
    const Under under(m_replaying);
    bool sentOne = false;
    End end = End::Done;
    // Only the steps that are there now are walked; those recorded on the way are not.
    const int from = steps.stepCount();
    for (replay_index = from; replay_index >= 2; --replay_index) {
        end = replayStep(steps, since, sentOne);
        if (end != End::Done)
            break;
    }
    return end;
}

Sequencer::End Sequencer::replayStep(const StepBuffer &steps, Since since, bool &sentOne)
{
    // Wait until the arm has nearly caught up, so that STOP stops the arm and not only the
    // screen. The events that ran meanwhile count before this step.
    m_port.waitForLine();
    for (;;) {
        if (const End end = endOf(since); end != End::Done)
            return end;
        if (!(sentOne && m_paused))
            break;
        m_waits.hold();
    }
    const Step step = steps.at(replay_index);
    send::step(m_port, step.channel, step.position);
    sentOne = true;
    if (step.channel >= 0 && step.channel < axes::count)
        m_host.moveAxis(step.channel, step.position);
    m_waits.yield();
    holdWhilePaused(since);
    return endOf(since);
}

void Sequencer::holdWhilePaused(Since since)
{
    // Each event (CONT, STOP, the device gone) is looked at; nothing spins meanwhile.
    while (m_paused && !lostSince(since) && !interrupted())
        m_waits.hold();
}
