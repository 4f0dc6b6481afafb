#include "windows/view3d/deferred_slot.h"

#include "windows/view3d/view3d_slot.h"

#include <QTimer>
#include <QVBoxLayout>

namespace view3d {

DeferredSlot::DeferredSlot(const arm::Profile *profile, QWidget *parent)
    : QWidget(parent), m_profile(profile)
{
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    setMinimumSize(160, 120);
}

void DeferredSlot::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (m_asked)
        return;
    m_asked = true;
    // After this paint has reached the screen, not within it.
    QTimer::singleShot(0, this, &DeferredSlot::make);
}

void DeferredSlot::make()
{
    const Slot slot = makeSlot(m_profile, this);
    layout()->addWidget(slot.widget);
    slot.widget->show(); // the slot is on the screen already
    m_view = slot.view;
    Q_EMIT made(m_view);
}

} // namespace view3d
