#include "edit/window/timeline_panel.h"

#include "core/edit/motion_document.h"
#include "edit/window/timeline_view.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QScrollBar>
#include <QVBoxLayout>

TimelinePanel::TimelinePanel(MotionDocument &document, const EditorProfile &profile,
                             QWidget *parent)
    : QWidget(parent), m_document(document), m_view(new TimelineView(document, profile, this)),
      m_scroll(new QScrollBar(Qt::Horizontal, this)), m_pointer(new QLabel(this)),
      m_duration(new QLabel(this))
{
    m_scroll->setObjectName(QStringLiteral("timelineScroll"));
    m_scroll->setAccessibleName(QStringLiteral("Timeline position"));
    m_pointer->setObjectName(QStringLiteral("pointerReadout"));
    m_pointer->setAccessibleName(QStringLiteral("Under the pointer"));
    m_pointer->setTextInteractionFlags(Qt::TextSelectableByMouse);
    m_duration->setObjectName(QStringLiteral("duration"));
    m_duration->setAccessibleName(QStringLiteral("Duration"));
    m_duration->setWordWrap(true);

    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_view, 1);
    layout->addWidget(m_scroll);
    layout->addWidget(m_pointer);
    layout->addWidget(m_duration);

    connect(m_view, &TimelineView::viewChanged, this, &TimelinePanel::showView);
    connect(m_view, &TimelineView::pointerAt, m_pointer, &QLabel::setText);
    connect(m_scroll, &QScrollBar::valueChanged, this, [this](int value) {
        if (!m_showing)
            m_view->setLeftByte(value);
    });
    connect(&m_document, &MotionDocument::recordsChanged, this, &TimelinePanel::showDuration);
    showDuration();
    showView();
}

void TimelinePanel::showView()
{
    // The bar counts bytes: a motion of 12,010 records is under 100,000 of them.
    m_showing = true;
    const int visible = int(std::ceil(m_view->visibleBytes()));
    m_scroll->setRange(0, int(std::max<qint64>(0, m_view->totalBytes() - visible)));
    m_scroll->setPageStep(std::max(1, visible));
    m_scroll->setSingleStep(std::max(1, visible / 10));
    m_scroll->setValue(int(m_view->leftByte()));
    m_showing = false;
}

void TimelinePanel::showDuration()
{
    const timing::Pass &pass = m_document.pass();
    m_duration->setText(
        QStringLiteral("%1 records, %2 played; the first pass takes %3 s (%4 bytes). Later "
                       "passes start where the one before ended, without homing, and may take "
                       "a different time.")
            .arg(m_document.size())
            .arg(pass.steps.size())
            .arg(timing::seconds(pass.totalBytes), 0, 'f', 3)
            .arg(pass.totalBytes));
}
