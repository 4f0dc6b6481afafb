#include "windows/robot/robot.h"

#include "core/link/port.h"
#include "core/process/event_wait.h"
#include "windows/robot/axis_panel.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/pad_handlers.h"
#include "windows/robot/robot_layout.h"
#include "windows/robot/transport_panel.h"
#include "windows/robot/views.h"
#include "windows/robot/window_openers.h"
#include "windows/widgets/mouse_tap.h"
#include "windows/widgets/paint_pacing.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPushButton>

namespace {

void connectButtons(robot *w, const TransportPanel &t)
{
    using enum TransportPanel::Button;
    const auto clicks = [w, &t](TransportPanel::Button b, void (robot::*click)(),
                                void (robot::*twinClick)()) {
        QObject::connect(t.button(b), &QPushButton::clicked, w, click);
        QObject::connect(t.twin(b), &QPushButton::clicked, w, twinClick);
    };
    clicks(Home, &robot::Command2_Click, &robot::Command18_Click);
    clicks(Rec, &robot::Command3_Click, &robot::Command14_Click);
    clicks(Stop, &robot::Command4_Click, &robot::Command15_Click);
    clicks(Run, &robot::Command5_Click, &robot::Command16_Click);
    clicks(Pause, &robot::Command6_Click, &robot::Command17_Click);
    clicks(Back, &robot::Backbutt_Click, &robot::Command20_Click);
}

void connectMenus(robot *w, const MenuPanel &m)
{
    using enum MenuPanel::Entry;
    const auto on = [w, &m](MenuPanel::Entry e, void (robot::*click)()) {
        QObject::connect(m.entry(e), &QAction::triggered, w, click);
    };
    on(Open, &robot::Open_men_Click);
    on(Save, &robot::Save_men_Click);
    on(SaveAs, &robot::Saveas_men_Click);
    on(Exit, &robot::ExitMen_Click);
    const std::array<void (robot::*)(), 4> comClicks{&robot::Com1_Click, &robot::Com2_Click,
                                                     &robot::Com3_Click, &robot::Com4_Click};
    const std::array<QAction *, 4> coms{m.entry(Com1), m.entry(Com2), m.entry(Com3), m.entry(Com4)};
    for (int i = 0; i < 4; ++i) {
        QObject::connect(coms[i], &QAction::triggered, w,
                         [w, com = coms[i], click = comClicks[i]](bool checked) {
                             // Qt toggles a checkable entry on its own; the check marks follow
                             // the port manager only.
                             com->setChecked(!checked);
                             (w->*click)();
                         });
    }
    on(ShowSettings, &robot::Show_men_Click);
    on(SaveConfiguration, &robot::SaveCon_Click);
    on(HelpTopics, &robot::helpwindow_men_Click);
    on(About, &robot::About_men_Click);
    on(Author, &robot::author_men_Click);
}

} // namespace

robot::robot(Services services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services)), m_session(*m_services.port)
{
    setObjectName(QStringLiteral("robot"));
    QWidget *surface = robot_layout::buildSurface(this);
    // Frames first, so the controls that stand inside their rectangles are drawn over them.
    QLabel *logo = robot_layout::buildCaptions(surface);
    m_axes = new AxisPanel(surface, m_session, this);
    m_transport = new TransportPanel(surface, this);
    robot_layout::setTabOrder(*m_axes, *m_transport);
    m_menus = new MenuPanel(menuBar(), this);
    m_menus->connectKeys(this, surface);
    m_windows = new WindowOpeners(this, m_services.folders.help, m_services.endProgram);

    connectButtons(this, *m_transport);
    connectMenus(this, *m_menus);
    if (m_services.pads)
        new PadHandlers(*m_services.pads, *this, *m_axes, *m_transport, *m_menus, *m_services.port);
    tapMouse(surface, logo);
    followSession();
    setFixedSize(sizeHint());
}

void robot::tapMouse(QWidget *surface, QLabel *logo)
{
    new MouseTap(surface, [this](const QMouseEvent &mouse, bool down) {
        if (down)
            Form_MouseDown(mouse.button(), mouse.globalPosition().toPoint());
        return down;
    });
    new MouseTap(logo, [this, logo](const QMouseEvent &mouse, bool down) {
        // The logo answers a left click only.
        if (!down && mouse.button() == Qt::LeftButton &&
            logo->rect().contains(mouse.position().toPoint()))
            Image1_Click();
        return false;
    });
    // A press on a control belongs to the control. Qt hands a press the control does not take
    // (a right click on a button or a frame, any click on a disabled one) on to the surface,
    // where it would pop up the Options menu.
    for (QWidget *control : surface->findChildren<QWidget *>())
        control->setAttribute(Qt::WA_NoMousePropagation);
}

void robot::followSession()
{
    // What the session announces, shown at once; the axis panel follows the axes and the loop
    // count itself.
    connect(&m_session, &ArmSession::pausedChanged, m_transport, &TransportPanel::setPauseCaption);
    connect(&m_session.link(), &PortLink::motionControlsSet, this, [this](bool enabled) {
        if (enabled)
            enable_all();
        else
            disable_all();
    });
    connect(&m_session, &ArmSession::stopping, this,
            [this] { showStopLayout(*m_transport, *m_menus, m_session); });
    connect(&m_session.axes(), &ArmAxes::bufferFull, this,
            [this] { tellBufferFull(this, *m_services.dialogs, *m_transport); });
    connect(&m_session.link(), &PortLink::portOpened, m_menus, &MenuPanel::setCheckMarks);
    tellPortOutcomes(this, m_session, *m_services.dialogs);

    // A replay's steps are painted at the screen's pace, not one paint a step; a hold shows
    // where the arm stands before it sleeps.
    auto *painting = new PaintPacer(this);
    connect(&m_session, &ArmSession::playingChanged, painting, &PaintPacer::setPaced);
    m_session.setWaits({&events::runPending, [painting] {
                            painting->flush();
                            events::sleepUntilEvent();
                        }});
}

void robot::press(QPushButton *button)
{
    if (button->isEnabled())
        button->click();
}

void robot::closeEvent(QCloseEvent *event)
{
    if (Form_Unload())
        event->ignore();
    else
        event->accept();
}
