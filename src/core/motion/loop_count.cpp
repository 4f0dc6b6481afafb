#include "core/motion/loop_count.h"

#include "core/text/numbers.h"

namespace {
constexpr int fewest = 1;
constexpr int most = 100; // the slider's range
} // namespace

void LoopCount::enter(const QString &text)
{
    const auto typed = numbers::wholeTextNumber(text);
    // A zero is taken as one, and then as any count is.
    const double whole = !typed ? 0 : *typed == 0 ? fewest : numbers::roundHalfEven(*typed);
    if (whole < fewest || whole > most) {
        // The box says the accepted count again, and means it.
        m_text = m_accepted;
        m_passes = m_slider;
        return;
    }
    const int count = static_cast<int>(whole);
    // The slider's change writes its own count into the box; a slider that stays writes nothing.
    m_text = *typed == 0 || count != m_slider ? QString::number(count) : text;
    accept(count);
}

void LoopCount::set(int count)
{
    m_text = QString::number(count);
    if (count >= fewest && count <= most) {
        accept(count);
        return;
    }
    m_passes = count;
}

void LoopCount::accept(int count)
{
    m_slider = count;
    m_passes = count;
    m_accepted = m_text;
}
