#include "core/play/progress.h"

#include "core/edit/pass_timing.h"
#include "core/link/frame.h"
#include "core/link/line_clock.h"

namespace play {

namespace {
// Frames a pass writes after each index, starting from `at`, which it leaves where the pass
// ends. The pass's bytes are the editor's timeline's: one computation for both.
std::vector<qint64> framesAfter(const std::vector<Step> &records, timing::Pose &at)
{
    const timing::Pass pass = timing::firstPass(records, at);
    const int bound = int(records.size());
    std::vector<qint64> after(std::max(bound, 1) + 1, 0);
    for (int i = bound - 1; i >= 1; --i) // the step at index i + 1 is pass.steps[i - 1]
        after[i] = after[i + 1] + pass.steps[i - 1].bytes / timing::bytesPerFrame;
    if (bound >= 1)
        after[0] = after[1];
    if (!pass.steps.empty())
        at = pass.steps.back().pose;
    return after;
}
} // namespace

Progress::Progress(const StepBuffer &steps, const std::array<int, 5> &from, int loops)
    : m_bound(steps.stepCount()), m_loops(loops)
{
    std::vector<Step> records;
    for (int i = 1; i <= m_bound; ++i)
        records.push_back(steps.at(i));
    timing::Pose at = from;
    m_firstAfter = framesAfter(records, at);
    m_laterAfter = framesAfter(records, at);
}

qint64 Progress::framesLeft(int pass, int index) const
{
    const auto at = [](const std::vector<qint64> &v, int i) {
        return v[std::clamp<std::size_t>(std::size_t(std::max(i, 0)), 0, v.size() - 1)];
    };
    const qint64 thisPass = at(pass <= 1 ? m_firstAfter : m_laterAfter, index);
    const qint64 passesAfter = std::max(0, m_loops - pass);
    return thisPass + passesAfter * at(m_laterAfter, 1);
}

QString Progress::duration(std::chrono::nanoseconds d)
{
    const qint64 s =
        std::chrono::duration_cast<std::chrono::seconds>(d + std::chrono::milliseconds(999))
            .count();
    if (s >= 3600)
        return QStringLiteral("%1:%2:%3")
            .arg(s / 3600)
            .arg(s / 60 % 60, 2, 10, QLatin1Char('0'))
            .arg(s % 60, 2, 10, QLatin1Char('0'));
    return QStringLiteral("%1:%2").arg(s / 60).arg(s % 60, 2, 10, QLatin1Char('0'));
}

QString Progress::text(int pass, int index, std::chrono::nanoseconds onTheWire,
                       std::chrono::nanoseconds played) const
{
    const QString step =
        QStringLiteral("step %1 of %2").arg(std::clamp(index - 1, 0, m_bound - 1)).arg(m_bound - 1);
    if (m_loops == 0)
        return QStringLiteral("Pass %1, %2, %3 played").arg(pass).arg(step, duration(played));
    const auto left = onTheWire + LineClock::bytesTime(framesLeft(pass, index) * frame::size);
    return QStringLiteral("Pass %1 of %2, %3, %4 left")
        .arg(pass)
        .arg(m_loops)
        .arg(step, duration(left));
}

void StatusLine::show(const QString &text, bool now)
{
    if (!now && m_last.isValid() && m_last.elapsed() < 100)
        return;
    m_last.start();
    // Back to the start of the line, the text, and the rest of the old text cleared.
    std::fprintf(m_out, "\r%s\033[K", text.toUtf8().constData());
    std::fflush(m_out);
    m_shown = true;
}

void StatusLine::finish()
{
    if (!m_shown)
        return;
    std::fputc('\n', m_out);
    std::fflush(m_out);
    m_shown = false;
}

} // namespace play
