#include "core/edit/motion_document.h"

#include <algorithm>

MotionDocument::MotionDocument(const timing::Pose &passStart, QObject *parent) : QObject(parent)
{
    m_pass.start = passStart;
}

const timing::TimedStep *MotionDocument::timed(int index) const
{
    if (index < 1 || index > int(m_pass.steps.size()))
        return nullptr;
    return &m_pass.steps[size_t(index - 1)];
}

timing::Pose MotionDocument::poseAfter(int index) const
{
    if (m_pass.steps.empty() || index < 1)
        return m_pass.start;
    return m_pass.steps[size_t(std::min(index, int(m_pass.steps.size())) - 1)].pose;
}

int MotionDocument::indexAtByte(qint64 byte) const
{
    const auto &steps = m_pass.steps;
    if (steps.empty())
        return -1;
    // The first step that starts after `byte`; the one before it is on the line.
    const auto after =
        std::upper_bound(steps.begin(), steps.end(), byte,
                         [](qint64 b, const timing::TimedStep &s) { return b < s.startByte; });
    const auto at = after == steps.begin() ? steps.begin() : after - 1;
    return int(at - steps.begin()) + 1;
}

double MotionDocument::startByteOf(int index) const
{
    if (const timing::TimedStep *t = timed(index))
        return double(t->startByte);
    return index <= 0 ? 0.0 : double(m_pass.totalBytes);
}

edits::Range MotionDocument::clipped(edits::Range range) const
{
    range.first = std::clamp(range.first, 0, size());
    range.count = std::clamp(range.count, 0, size() - range.first);
    return range;
}

void MotionDocument::select(edits::Range range)
{
    range = clipped(range);
    if (range.first == m_selection.first && range.count == m_selection.count)
        return;
    m_selection = range;
    Q_EMIT selectionChanged();
}

void MotionDocument::setFile(const QString &file)
{
    if (file == m_file)
        return;
    m_file = file;
    Q_EMIT fileChanged();
}

void MotionDocument::setState(const std::vector<Step> &records, edits::Range selection,
                              std::vector<edits::TimedSpan> timedSpans)
{
    m_records = records;
    m_timedSpans = std::move(timedSpans);
    m_pass = timing::firstPass(m_records, m_pass.start);
    Q_EMIT recordsChanged();
    m_selection = {-1, -1}; // announced even when the numbers are the same: the steps are not
    select(selection);
}
