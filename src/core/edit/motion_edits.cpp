#include "core/edit/motion_edits.h"

#include "core/text/numbers.h"

#include <algorithm>
#include <cmath>

namespace edits {

namespace {

using Records = std::vector<Step>;

// More holds than this in one edit are not made: an hour at 240 a second, far beyond any motion
// a file can hold, and small enough that a mistyped duration cannot exhaust memory.
constexpr qint64 mostHolds = 864000;
// The slowest rate a move is made at: 0.1 positions a second.
constexpr int mostHoldsPerPosition = 2398;
// A step that moves nothing writes one frame: 240 a second.
constexpr double framesPerSecond = double(timing::bytesPerSecond) / timing::bytesPerFrame;

bool isAxis(int channel)
{
    return channel >= 0 && channel < axes::count;
}

Range clipped(const Records &r, Range range)
{
    const int size = int(r.size());
    const int first = std::clamp(range.first, 0, size);
    const int last =
        std::clamp(qint64(range.first) + std::max(range.count, 0), qint64(first), qint64(size));
    return {first, last - first};
}

// Where an insertion that must be played goes: never before record 1, which no pass plays. A
// motion with no records gets the placeholder record 1 a recording starts with.
int playedPlace(Records &r, int at)
{
    if (r.empty())
        r.push_back(Step{0, 0});
    return std::clamp(at, 1, int(r.size()));
}

qint16 clampedPosition(qint64 p)
{
    return qint16(std::clamp<qint64>(p, axes::lowest, axes::highest));
}

template <class Change>
Records positionsChanged(const Records &r, Range range, int channel, Change change)
{
    Records out = r;
    const Range c = clipped(r, range);
    for (int i = c.first; i < c.first + c.count; ++i)
        if (out[i].channel == channel)
            out[i].position = clampedPosition(change(out[i].position));
    return out;
}

// One position a step from `from` to `to`, each followed by k holds.
void walk(Records &out, int channel, int from, int to, int k)
{
    const int direction = to > from ? 1 : -1;
    for (int v = from; v != to;) {
        v += direction;
        const Step s{qint16(channel), qint16(v)};
        out.insert(out.end(), std::size_t(k) + 1, s);
    }
}

int holdsPerPosition(int k)
{
    return std::clamp(k, 0, mostHoldsPerPosition);
}

} // namespace

Records removed(const Records &r, Range range)
{
    const Range c = clipped(r, range);
    Records out = r;
    out.erase(out.begin() + c.first, out.begin() + c.first + c.count);
    return out;
}

Records inserted(const Records &r, int at, const Records &clip)
{
    Records out = r;
    const int place = std::clamp(at, 0, int(r.size()));
    out.insert(out.begin() + place, clip.begin(), clip.end());
    return out;
}

Records duplicated(const Records &r, Range range)
{
    const Range c = clipped(r, range);
    const Records copy(r.begin() + c.first, r.begin() + c.first + c.count);
    return inserted(r, c.first + c.count, copy);
}

Records reversed(const Records &r, Range range)
{
    const Range c = clipped(r, range);
    Records out = r;
    std::reverse(out.begin() + c.first, out.begin() + c.first + c.count);
    return out;
}

Records positionsSet(const Records &r, Range range, int channel, int value)
{
    return positionsChanged(r, range, channel, [value](int) { return qint64(value); });
}

Records positionsOffset(const Records &r, Range range, int channel, int delta)
{
    return positionsChanged(r, range, channel, [delta](int p) { return qint64(p) + delta; });
}

Records positionsScaled(const Records &r, Range range, int channel, double factor, int pivot)
{
    if (!std::isfinite(factor))
        return r;
    return positionsChanged(r, range, channel, [=](int p) {
        const double v = numbers::roundHalfEven(pivot + (double(p) - pivot) * factor);
        return qint64(std::clamp(v, double(axes::lowest), double(axes::highest)));
    });
}

int holdsFor(double seconds)
{
    if (!(seconds > 0))
        return 0;
    return int(std::min(std::round(seconds * framesPerSecond), double(mostHolds)));
}

Records holdInserted(const Records &r, int at, int count, const timing::Pose &start)
{
    Records out = r;
    const int place = playedPlace(out, at);
    Step hold;
    if (place >= 2) {
        hold = out[place - 1];
    } else {
        // Nothing played yet: an axis at the pose the pass starts from. The first played step's
        // own axis when it is one; the grip, which homing walks first, when it is not.
        const int first =
            out.size() > 1 && isAxis(out[1].channel) ? out[1].channel : axes::homingOrder[0];
        hold = Step{qint16(first), qint16(start[first])};
    }
    const qint64 n = std::clamp<qint64>(count, 0, mostHolds);
    out.insert(out.begin() + place, std::size_t(n), hold);
    return out;
}

Records slowed(const Records &r, Range range, double factor, const timing::Pose &start)
{
    const Range c = clipped(r, range);
    if (!(factor > 1) || !std::isfinite(factor) || c.count == 0)
        return r;
    const timing::Pass pass = timing::firstPass(r, start);
    Records out(r.begin(), r.begin() + c.first);
    // The holds the range should have gained by each step, and those made so far: each step
    // takes the holds that bring the second up to the first, so no rounding is lost.
    double owed = 0;
    qint64 made = 0;
    for (int i = c.first; i < c.first + c.count; ++i) {
        out.push_back(r[i]);
        if (i == 0)
            continue; // record 1 is not played: it takes no time to slow
        owed = std::min(owed + (factor - 1) * pass.steps[i - 1].bytes / timing::bytesPerFrame,
                        double(mostHolds));
        const qint64 due = std::llround(owed);
        // The step repeated moves nothing: its axis stands where the step put it.
        out.insert(out.end(), std::size_t(due - made), r[i]);
        made = due;
    }
    out.insert(out.end(), r.begin() + c.first + c.count, r.end());
    return out;
}

int holdsForRate(double positionsPerSecond)
{
    if (std::isnan(positionsPerSecond) || positionsPerSecond >= rateOf(0))
        return 0;
    if (positionsPerSecond <= rateOf(mostHoldsPerPosition))
        return mostHoldsPerPosition;
    // 240 / (2 + k) falls as k grows; the nearest rate is at one of the two whole k around
    // the exact one. A tie goes to the faster.
    const double exact = framesPerSecond / positionsPerSecond - 2;
    const int below = int(std::floor(exact));
    const int above = below + 1;
    return std::abs(rateOf(below) - positionsPerSecond) <=
                   std::abs(rateOf(above) - positionsPerSecond)
               ? below
               : above;
}

double rateOf(int holdsPerPosition)
{
    return framesPerSecond / (2 + std::max(holdsPerPosition, 0));
}

Records poseMoveInserted(const Records &r, int at, const timing::Pose &from,
                         const timing::Pose &target, PoseOrder order, int holds)
{
    const int k = holdsPerPosition(holds);
    timing::Pose pose;
    timing::Pose goal;
    for (int ch = 0; ch < axes::count; ++ch) {
        pose[ch] = std::clamp(from[ch], axes::lowest, axes::highest);
        goal[ch] = std::clamp(target[ch], axes::lowest, axes::highest);
    }
    Records move;
    if (order == PoseOrder::AxisAfterAxis) {
        for (int ch : axes::homingOrder)
            walk(move, ch, pose[ch], goal[ch], k);
    } else {
        for (bool moved = true; moved;) {
            moved = false;
            for (int ch : axes::homingOrder) {
                if (pose[ch] == goal[ch])
                    continue;
                const int next = pose[ch] + (goal[ch] > pose[ch] ? 1 : -1);
                walk(move, ch, pose[ch], next, k);
                pose[ch] = next;
                moved = true;
            }
        }
    }
    Records out = r;
    const int place = playedPlace(out, at);
    out.insert(out.begin() + place, move.begin(), move.end());
    return out;
}

Records smoothed(const Records &r, Range range, int maxJump, int holds, const timing::Pose &start)
{
    const Range c = clipped(r, range);
    const int k = holdsPerPosition(holds);
    const int allowed = std::max(maxJump, 0);
    Records out;
    out.reserve(r.size());
    timing::Pose pose = start;
    for (int i = 0; i < int(r.size()); ++i) {
        const Step s = r[i];
        const bool played = i >= 1 && isAxis(s.channel) && s.position >= axes::lowest &&
                            s.position <= axes::highest;
        if (played && i >= c.first && i < c.first + c.count &&
            std::abs(s.position - pose[s.channel]) > allowed)
            walk(out, s.channel, pose[s.channel], s.position, k);
        else
            out.push_back(s);
        if (played)
            pose[s.channel] = s.position;
    }
    return out;
}

timing::Pose poseAfter(const Records &r, int index, const timing::Pose &start)
{
    timing::Pose pose = start;
    const int last = std::min(index, int(r.size()) - 1);
    for (int i = 1; i <= last; ++i) {
        const Step s = r[i];
        if (isAxis(s.channel) && s.position >= axes::lowest && s.position <= axes::highest)
            pose[s.channel] = s.position;
    }
    return pose;
}

} // namespace edits
