#pragma once
// The preview's clock: what the preview plays (the selected range, or from the step picked or
// the place between steps to the end) and where it stands at a given time, at the line's pace
// (960 bytes a second of the first pass) times the preview's speed. The pace comes from the time
// given, not from counting ticks, so a late tick skips ahead rather than slowing the motion
// down; whoever drives it only decides how often to look. Times are in nanoseconds of any
// monotonic clock.

#include "core/edit/pass_timing.h"

class MotionDocument;

class PreviewClock {
public:
    // Starts playing at `now`: from where a pause left it, or from the start of the range the
    // document's selection gives. False, and nothing started, when nothing is played.
    bool start(const MotionDocument &d, qint64 now);
    // Goes on from where it stands, from `now` (after a change of speed).
    void restart(qint64 now);
    // Where it stands at `now`: round again into the range when `loop`, else at the range's end.
    // False once the range is played through.
    bool advance(qint64 now, double speed, bool loop);
    void stop() { m_at = -1; }

    bool stopped() const { return m_at < 0; }
    double at() const { return m_at; } // the byte of the first pass; -1 when stopped
    double from() const { return m_from; }
    double to() const { return m_to; }

    // The pose shown while playing: where the arm has been sent by the step on the line.
    timing::Pose pose(const MotionDocument &d) const;
    // The pose shown when not playing: after the last selected step, or before the place between
    // steps.
    static timing::Pose stillPose(const MotionDocument &d);

private:
    void takeRange(const MotionDocument &d);

    double m_from = 0, m_to = 0; // the bytes played
    double m_base = 0;           // where it was last started
    qint64 m_baseTime = 0;       // and when
    double m_at = -1;
};
