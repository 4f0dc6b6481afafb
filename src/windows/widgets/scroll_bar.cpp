#include "windows/widgets/scroll_bar.h"

#include "core/text/numbers.h"

#include <QAccessibleValueInterface>
#include <QAccessibleWidget>
#include <QStyleOptionSlider>
#include <algorithm>
#include <cmath>
#include <cstdlib>

namespace {

// What a screen reader or an automation tool reads and sets: the position in the bar's own
// terms (0 to 255 for an axis, whichever way it runs on screen; 1 to 100 for the loop count),
// not Qt's range underneath.
class AccessibleScrollBar : public QAccessibleWidget, public QAccessibleValueInterface {
public:
    explicit AccessibleScrollBar(ScrollBar *bar) : QAccessibleWidget(bar, QAccessible::ScrollBar) {}

    void *interface_cast(QAccessible::InterfaceType type) override
    {
        if (type == QAccessible::ValueInterface)
            return static_cast<QAccessibleValueInterface *>(this);
        return QAccessibleWidget::interface_cast(type);
    }

    QVariant currentValue() const override { return bar()->Value(); }
    QVariant minimumValue() const override { return std::min(bar()->Min(), bar()->Max()); }
    QVariant maximumValue() const override { return std::max(bar()->Min(), bar()->Max()); }
    QVariant minimumStepSize() const override { return 1; }

    // Moves the bar as the operator's move would, through its one change; refused while the
    // bar is disabled, as a click would be.
    void setCurrentValue(const QVariant &value) override
    {
        bool ok = false;
        const double wanted = value.toDouble(&ok);
        if (!ok || !std::isfinite(wanted) || !bar()->isEnabled())
            return;
        const double lowest = std::min(bar()->Min(), bar()->Max());
        const double highest = std::max(bar()->Min(), bar()->Max());
        bar()->setValueTo(int(std::clamp(numbers::roundHalfEven(wanted), lowest, highest)));
    }

private:
    ScrollBar *bar() const { return static_cast<ScrollBar *>(widget()); }
};

QAccessibleInterface *accessibleScrollBar(const QString &className, QObject *object)
{
    if (className == QLatin1String("ScrollBar"))
        if (auto *bar = qobject_cast<ScrollBar *>(object))
            return new AccessibleScrollBar(bar);
    return nullptr;
}

} // namespace

ScrollBar::ScrollBar(Qt::Orientation orientation, int min, int max, int value, QWidget *parent)
    : QScrollBar(orientation, parent), m_min(min), m_max(max)
{
    [[maybe_unused]] static const bool accessible =
        (QAccessible::installFactory(accessibleScrollBar), true);
    QScrollBar::setRange(0, std::abs(max - min));
    setSingleStep(1);
    setPageStep(1);
    QScrollBar::setValue(toQt(contains(value) ? value : min));
    // The bars take part in the tab order and answer the arrow keys.
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &ScrollBar::onQtValue);
    connect(this, &QAbstractSlider::sliderPressed, this, [this] { m_dragMoved = false; });
    connect(this, &QAbstractSlider::sliderReleased, this, &ScrollBar::onReleased);
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

void ScrollBar::sliderChange(SliderChange change)
{
    // A new position moves the thumb and nothing else of the bar, so only the stretch from where
    // the thumb stands on screen to where it goes is painted again, not the whole trough with
    // its gradient: a replay moves the bars a hundred times a second. One rectangle, because the
    // painter clips to a rectangle far faster than to a region of several. A style whose bars
    // fade in and out has its own way.
    if (change != SliderValueChange ||
        style()->styleHint(QStyle::SH_ScrollBar_Transient, nullptr, this)) {
        QScrollBar::sliderChange(change);
        return;
    }
    update(m_thumbPainted.united(part(QStyle::SC_ScrollBarSlider)));
}

void ScrollBar::paintEvent(QPaintEvent *event)
{
    QScrollBar::paintEvent(event);
    // Any paint that leaves the thumb out found it where it was.
    m_thumbPainted = part(QStyle::SC_ScrollBarSlider);
}

QRect ScrollBar::part(QStyle::SubControl control) const
{
    QStyleOptionSlider option;
    initStyleOption(&option);
    // A pixel round each part, for an outline a style draws over the edge.
    return style()
        ->subControlRect(QStyle::CC_ScrollBar, &option, control, this)
        .adjusted(-1, -1, 1, 1);
}

void ScrollBar::onQtValue(int q)
{
    // While the thumb is held each position is a scroll.
    if (isSliderDown()) {
        m_dragMoved = true;
        Q_EMIT scroll(fromQt(q));
    } else {
        Q_EMIT change(fromQt(q));
    }
}

void ScrollBar::onReleased()
{
    // Letting go of a thumb that moved is a change of its own: the box is written once more with
    // the text it holds, and its change handling sends the axis where the thumb stopped. A thumb
    // pressed and let go without moving changed nothing.
    if (!m_dragMoved)
        return;
    m_dragMoved = false;
    Q_EMIT change(Value());
}
