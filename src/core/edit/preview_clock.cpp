#include "core/edit/preview_clock.h"

#include "core/edit/motion_document.h"

#include <algorithm>
#include <cmath>

void PreviewClock::takeRange(const MotionDocument &d)
{
    const edits::Range sel = d.selection();
    const timing::Pass &pass = d.pass();
    const auto startOf = [&](int index) {
        const timing::TimedStep *t = d.timed(std::max(index, 1));
        return t ? double(t->startByte) : double(pass.totalBytes);
    };
    m_from = startOf(sel.first);
    m_to = double(pass.totalBytes);
    // A range plays alone; one step picked (a click on the timeline) or a place between steps
    // plays from there to the end.
    if (sel.count > 1) {
        if (const timing::TimedStep *last = d.timed(sel.first + sel.count - 1))
            m_to = double(last->startByte + last->bytes);
    }
    if (m_to <= m_from) // a place at the end, or only record 1: the whole motion
        m_from = 0;
}

bool PreviewClock::start(const MotionDocument &d, qint64 now)
{
    if (d.pass().totalBytes == 0)
        return false;
    if (m_at < 0) {
        takeRange(d);
        m_at = m_from;
    }
    restart(now);
    return true;
}

void PreviewClock::restart(qint64 now)
{
    m_base = m_at;
    m_baseTime = now;
}

bool PreviewClock::advance(qint64 now, double speed, bool loop)
{
    double at = m_base + double(now - m_baseTime) * 1e-9 * speed * timing::bytesPerSecond;
    bool playing = true;
    if (at >= m_to) {
        if (loop && m_to > m_from) {
            at = m_from + std::fmod(at - m_from, m_to - m_from);
            m_base = at;
            m_baseTime = now;
        } else {
            at = m_to;
            playing = false;
        }
    }
    m_at = at;
    return playing;
}

timing::Pose PreviewClock::pose(const MotionDocument &d) const
{
    return d.poseAfter(d.indexAtByte(qint64(std::min(m_at, m_to - 1))));
}

timing::Pose PreviewClock::stillPose(const MotionDocument &d)
{
    const edits::Range sel = d.selection();
    return d.poseAfter(sel.count > 0 ? sel.first + sel.count - 1 : sel.first - 1);
}
