#include "windows/widgets/scroll_bar.h"

#include <cstdlib>

ScrollBar::ScrollBar(Qt::Orientation orientation, int min, int max, int value, QWidget *parent)
    : QScrollBar(orientation, parent), m_min(min), m_max(max)
{
    QScrollBar::setRange(0, std::abs(max - min));
    setSingleStep(1);
    setPageStep(1);
    QScrollBar::setValue(toQt(contains(value) ? value : min));
    // The bars take part in the tab order and answer the arrow keys.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onQtValue);
}

int ScrollBar::toQt(int value) const
{
    return m_max >= m_min ? value - m_min : m_min - value;
}

int ScrollBar::fromQt(int q) const
{
    return m_max >= m_min ? m_min + q : m_min - q;
}

int ScrollBar::Value() const
{
    return fromQt(value());
}

bool ScrollBar::contains(int value) const
{
    return value >= std::min(m_min, m_max) && value <= std::max(m_min, m_max);
}

bool ScrollBar::setValueTo(int value)
{
    if (!contains(value))
        return false;
    QScrollBar::setValue(toQt(value));
    return true;
}

void ScrollBar::onQtValue(int q)
{
    // While the thumb is held each position is a scroll; the release raises nothing more, since
    // the last scroll already reported where the thumb stopped.
    if (isSliderDown())
        Q_EMIT scroll(fromQt(q));
    else
        Q_EMIT change(fromQt(q));
}
