#include "edit/window/preview_panel.h"

#include "core/edit/motion_document.h"
#include "core/edit/tool_path.h"
#include "edit/window/editor_profile.h"
#include "windows/view3d/arm_view3d.h"
#include "windows/view3d/deferred_slot.h"
#include "windows/widgets/arm_view.h"

#include <QAction>
#include <QComboBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
// A redraw about every frame of a 60 Hz screen; the motion's pace is the clock's.
constexpr int redrawMs = 16;
constexpr double speeds[] = {0.25, 0.5, 1, 2, 4};

QToolButton *button(QAction *action, QWidget *parent)
{
    auto *b = new QToolButton(parent);
    b->setDefaultAction(action);
    b->setObjectName(action->objectName() + QStringLiteral("Button"));
    b->setAccessibleName(action->text().remove(QLatin1Char('&')));
    b->setToolButtonStyle(Qt::ToolButtonTextOnly);
    return b;
}
} // namespace

PreviewPanel::PreviewPanel(MotionDocument &document, const EditorProfile &profile, QWidget *parent)
    : QWidget(parent), m_document(document), m_profile(profile),
      m_play(new QAction(QStringLiteral("&Play"), this)),
      m_pause(new QAction(QStringLiteral("P&ause"), this)),
      m_stop(new QAction(QStringLiteral("S&top"), this)),
      m_loop(new QAction(QStringLiteral("&Loop"), this)), m_speed(new QComboBox(this)),
      m_time(new QLabel(this))
{
    setObjectName(QStringLiteral("preview"));
    buildControls();
    layOut();
    m_elapsed.start();
    m_tick.setInterval(redrawMs);
    m_tick.setTimerType(Qt::PreciseTimer);
    connect(&m_tick, &QTimer::timeout, this, &PreviewPanel::advance);
    // What was playing is gone once the steps change.
    connect(&m_document, &MotionDocument::recordsChanged, this, &PreviewPanel::stop);
    connect(&m_document, &MotionDocument::recordsChanged, this, &PreviewPanel::showMotionPath);
    connect(&m_document, &MotionDocument::selectionChanged, this, [this] {
        if (!playing() && m_clock.stopped())
            showStill();
    });
    connect(&m_profile, &EditorProfile::changed, this, [this] {
        for (QWidget *w : m_views)
            w->update();
        showPath(m_clock.at()); // its points are the model's, by the profile
        if (m_view3d)
            m_view3d->profileChanged();
        showMotionPath();
    });
    showMotionPath();
    showStill();
    showButtons();
}

void PreviewPanel::buildControls()
{
    m_play->setObjectName(QStringLiteral("previewPlay"));
    m_pause->setObjectName(QStringLiteral("previewPause"));
    m_stop->setObjectName(QStringLiteral("previewStop"));
    m_loop->setObjectName(QStringLiteral("previewLoop"));
    m_play->setShortcut(Qt::Key_F5);
    m_pause->setShortcut(Qt::Key_F6);
    m_stop->setShortcut(Qt::Key_F7);
    m_loop->setCheckable(true);
    m_play->setStatusTip(QStringLiteral("Plays the selection, or from the place between steps "
                                        "to the end, at the line's pace times the speed."));
    connect(m_play, &QAction::triggered, this, &PreviewPanel::play);
    connect(m_pause, &QAction::triggered, this, &PreviewPanel::pause);
    connect(m_stop, &QAction::triggered, this, &PreviewPanel::stop);

    m_speed->setObjectName(QStringLiteral("previewSpeed"));
    m_speed->setAccessibleName(QStringLiteral("Preview speed"));
    for (double s : speeds)
        m_speed->addItem(QStringLiteral("%1\u00D7").arg(s), s);
    m_speed->setCurrentIndex(2);
    connect(m_speed, &QComboBox::currentIndexChanged, this, [this] {
        if (!playing())
            return;
        advance();
        m_clock.restart(m_elapsed.nsecsElapsed());
    });
    m_time->setObjectName(QStringLiteral("previewTime"));
    m_time->setAccessibleName(QStringLiteral("Preview time"));
}

void PreviewPanel::layOut()
{
    const armview::Positions shown = [this](int channel) { return m_pose[size_t(channel)]; };
    auto *side = new armview::SideView(shown, &m_profile.profile(), this);
    side->setObjectName(QStringLiteral("sideView"));
    side->setAccessibleName(QStringLiteral("Arm from the side"));
    auto *top = new armview::TopView(shown, &m_profile.profile(), this);
    top->setObjectName(QStringLiteral("topView"));
    top->setAccessibleName(QStringLiteral("Base from above"));
    auto *grip = new armview::GripView(shown, this);
    grip->setObjectName(QStringLiteral("gripView"));
    grip->setAccessibleName(QStringLiteral("Grip"));

    m_views = {side, top, grip};
    m_side = side;
    m_top = top;
    auto *inDepth = new view3d::DeferredSlot(&m_profile.profile(), this);
    connect(inDepth, &view3d::DeferredSlot::made, this, &PreviewPanel::takeView3D);
    auto *small = new QVBoxLayout;
    small->addWidget(top, 3);
    small->addWidget(grip, 2);
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(side, 5);
    pictures->addWidget(inDepth, 5);
    pictures->addLayout(small, 2);
    auto *controls = new QHBoxLayout;
    for (QAction *a : {m_play, m_pause, m_stop, m_loop})
        controls->addWidget(button(a, this));
    auto *speedLabel = new QLabel(QStringLiteral("&Speed:"), this);
    speedLabel->setBuddy(m_speed);
    controls->addWidget(speedLabel);
    controls->addWidget(m_speed);
    controls->addWidget(m_time, 1);
    auto *layout = new QVBoxLayout(this);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->addLayout(pictures, 1);
    layout->addLayout(controls);
}

double PreviewPanel::speed() const
{
    return m_speed->currentData().toDouble();
}

void PreviewPanel::play()
{
    if (playing() || !m_clock.start(m_document, m_elapsed.nsecsElapsed()))
        return;
    m_tick.start();
    showAt(m_clock.at());
    showButtons();
}

void PreviewPanel::pause()
{
    if (!playing())
        return;
    advance();
    m_tick.stop();
    showButtons();
}

void PreviewPanel::stop()
{
    m_tick.stop();
    m_clock.stop();
    Q_EMIT playheadMoved(-1);
    showStill();
    showButtons();
}

void PreviewPanel::advance()
{
    if (!playing())
        return;
    if (!m_clock.advance(m_elapsed.nsecsElapsed(), speed(), m_loop->isChecked())) {
        m_tick.stop();
        showButtons();
    }
    showAt(m_clock.at());
}

void PreviewPanel::showAt(double byte)
{
    dropGiven();
    showPose(m_clock.pose(m_document));
    showPath(byte);
    m_time->setText(QStringLiteral("%1 s").arg(timing::seconds(qint64(byte)), 0, 'f', 2));
    Q_EMIT playheadMoved(qint64(byte));
}

void PreviewPanel::showStill()
{
    dropGiven();
    showPose(PreviewClock::stillPose(m_document));
    showPath(-1);
    m_time->setText(QString());
}

void PreviewPanel::showPath(double byte)
{
    const preview::ToolPath path =
        byte < 0 ? preview::ToolPath{} : preview::toolPathAt(m_document, m_profile.profile(), byte);
    // Outside the timed moves nothing changes from tick to tick, and nothing is redrawn for it.
    if (path.empty() && !m_pathShown)
        return;
    m_pathShown = !path.empty();
    m_side->setOverlay({path.points, path.now});
    m_top->setOverlay({path.points, path.now});
}

void PreviewPanel::showPose(const timing::Pose &pose)
{
    // The pictures are the costliest part of the window to paint; an edit elsewhere in the
    // motion, or a tick within one step, leaves them as they are.
    if (pose == m_pose)
        return;
    m_pose = pose;
    for (QWidget *w : m_views)
        w->update();
    if (m_view3d)
        m_view3d->setPose(pose);
}

void PreviewPanel::takeView3D(view3d::ArmView3D *view)
{
    m_view3d = view;
    if (!m_view3d)
        return;
    m_view3d->setPose(m_pose);
    showMotionPath();
}

void PreviewPanel::showMotionPath()
{
    if (m_view3d)
        m_view3d->setPath(preview::motionToolPath(m_document, m_profile.profile()));
}

void PreviewPanel::showButtons()
{
    m_play->setEnabled(!playing());
    m_pause->setEnabled(playing());
    m_stop->setEnabled(!m_clock.stopped());
}

void PreviewPanel::showGiven(const timing::Pose &pose)
{
    if (playing())
        return;
    m_given = true;
    showPose(pose);
}

void PreviewPanel::showClock()
{
    if (m_clock.stopped())
        showStill();
    else
        showAt(m_clock.at());
}

void PreviewPanel::dropGiven()
{
    if (!m_given)
        return;
    m_given = false;
    Q_EMIT givenDropped();
}

void PreviewPanel::addBelowPictures(QWidget *row)
{
    // The pictures are the layout's first item and the play controls its last.
    static_cast<QVBoxLayout *>(layout())->insertWidget(1, row);
}
