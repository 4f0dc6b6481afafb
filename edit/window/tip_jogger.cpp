#include "edit/window/tip_jogger.h"

#include "core/edit/motion_document.h"
#include "edit/window/editor_profile.h"
#include "edit/window/preview_panel.h"
#include "edit/window/timed_handlers.h"

#include <QAction>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QLabel>
#include <QToolButton>
#include <optional>

namespace {

// The jog a key asks for. With Ctrl or Alt the key is a shortcut's, not the jog's.
std::optional<jog::Step> stepFor(const QKeyEvent &key)
{
    if (key.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier))
        return std::nullopt;
    const double by = key.modifiers() & Qt::ShiftModifier ? 10 : 1;
    switch (key.key()) {
    case Qt::Key_Up:
        return jog::Step{jog::Axis::X, by};
    case Qt::Key_Down:
        return jog::Step{jog::Axis::X, -by};
    case Qt::Key_Left:
        return jog::Step{jog::Axis::Y, by}; // y is to the arm's left
    case Qt::Key_Right:
        return jog::Step{jog::Axis::Y, -by};
    case Qt::Key_PageUp:
        return jog::Step{jog::Axis::Z, by};
    case Qt::Key_PageDown:
        return jog::Step{jog::Axis::Z, -by};
    // Shift turns the brackets into braces on most keyboards.
    case Qt::Key_BracketRight:
    case Qt::Key_BraceRight:
        return jog::Step{jog::Axis::Pitch, by};
    case Qt::Key_BracketLeft:
    case Qt::Key_BraceLeft:
        return jog::Step{jog::Axis::Pitch, -by};
    default:
        return std::nullopt;
    }
}

} // namespace

TipJogger::TipJogger(PreviewPanel &preview, const MotionDocument &document,
                     const EditorProfile &profile, TimedHandlers &timed)
    : QObject(&preview), m_preview(preview), m_profile(profile), m_timed(timed),
      m_line(new QLabel(&preview)),
      m_insert(new QAction(QStringLiteral("&Insert Pose Here"), &preview))
{
    setObjectName(QStringLiteral("tipJogger"));
    m_line->setObjectName(QStringLiteral("jogLine"));
    m_line->setAccessibleName(QStringLiteral("Jogged tool point"));
    m_insert->setObjectName(QStringLiteral("insertPoseHere"));
    m_insert->setStatusTip(QStringLiteral("Inserts a timed move to the jogged pose before the "
                                          "selection."));
    m_insert->setEnabled(false);
    preview.addBelowPictures(makeRow());

    // A click on the pictures focuses the preview for the keys; the tab order stays as it was.
    preview.setFocusPolicy(Qt::ClickFocus);
    preview.setAccessibleName(QStringLiteral("Preview"));
    preview.setAccessibleDescription(
        QStringLiteral("The arrow keys, Page Up and Page Down move the tool point a millimetre, "
                       "[ and ] tilt the hand a degree; with Shift, ten."));
    preview.installEventFilter(this);
    connect(m_insert, &QAction::triggered, this, [this] { m_timed.insertPoseHere(m_jog.pose()); });
    connect(&preview, &PreviewPanel::givenDropped, this, &TipJogger::ended);
    // The preview shows the clock again by itself only when stopped; a paused one is told.
    connect(&document, &MotionDocument::selectionChanged, this, [this] {
        if (m_preview.showingGiven())
            m_preview.showClock();
    });
    connect(&profile, &EditorProfile::changed, this, [this] {
        if (!m_preview.showingGiven())
            return;
        m_jog.reset(m_profile.profile(), m_jog.pose());
        m_line->setText(m_jog.text());
    });
}

QWidget *TipJogger::makeRow()
{
    auto *button = new QToolButton(&m_preview);
    button->setDefaultAction(m_insert);
    button->setObjectName(QStringLiteral("insertPoseHereButton"));
    button->setAccessibleName(QStringLiteral("Insert Pose Here"));
    button->setToolButtonStyle(Qt::ToolButtonTextOnly);
    auto *row = new QWidget(&m_preview);
    auto *layout = new QHBoxLayout(row);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addWidget(m_line, 1);
    layout->addWidget(button);
    return row;
}

bool TipJogger::eventFilter(QObject *watched, QEvent *event)
{
    if (watched == &m_preview && event->type() == QEvent::KeyPress)
        return keyPressed(*static_cast<QKeyEvent *>(event));
    return QObject::eventFilter(watched, event);
}

bool TipJogger::keyPressed(const QKeyEvent &key)
{
    if (key.key() == Qt::Key_Escape && key.modifiers() == Qt::NoModifier)
        return showClock();
    const std::optional<jog::Step> step = stepFor(key);
    if (!step)
        return false;
    jog({&*step, 1});
    return true;
}

bool TipJogger::showClock()
{
    if (!m_preview.showingGiven())
        return false;
    m_preview.showClock();
    return true;
}

timing::Pose TipJogger::take()
{
    // Where a playing preview stands is where it stops, and the jog starts.
    if (m_preview.playing())
        m_preview.pause();
    if (!m_preview.showingGiven())
        m_jog.reset(m_profile.profile(), m_preview.pose());
    return m_jog.pose();
}

void TipJogger::jog(std::span<const jog::Step> steps, std::optional<int> grip)
{
    take();
    QString refused; // the first refusal stays on the line though a later step is made
    for (const jog::Step &step : steps)
        if (!m_jog.move(m_profile.profile(), step) && refused.isEmpty())
            refused = m_jog.refusal();
    if (grip)
        m_jog.setGrip(*grip);
    shown(refused.isEmpty() ? m_jog.text() : refused);
}

void TipJogger::show(const timing::Pose &pose)
{
    m_jog.reset(m_profile.profile(), pose);
    shown(m_jog.text());
}

void TipJogger::shown(const QString &line)
{
    m_preview.showGiven(m_jog.pose());
    m_line->setText(line);
    m_insert->setEnabled(true);
}

void TipJogger::ended()
{
    m_line->clear();
    m_insert->setEnabled(false);
}
