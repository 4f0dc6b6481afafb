#include "windows/robot/robot.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/transport_panel.h"

#include "core/link/port.h"
#include "core/process/event_wait.h"
#include "windows/help/helpwindow.h"
#include "windows/product/product_windows.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/paint_pacing.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QCloseEvent>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMouseEvent>
#include <QPushButton>

robot::robot(Services services, QWidget *parent)
    : QMainWindow(parent), m_services(std::move(services)), m_port(*m_services.port),
      m_dialogs(*m_services.dialogs), m_session(m_port)
{
    setObjectName(QStringLiteral("robot"));
    buildLayout();
    m_menus = new MenuPanel(menuBar(), this);
    connectControls();
    m_painting = new PaintPacer(this);
    m_session.setWaits({&events::runPending, [this] { hold(); }});
    setFixedSize(sizeHint());
}

robot::~robot()
{
    // The small windows are top-level windows of their own; they go with the main window.
    delete m_help;
    delete m_welcome;
    delete m_about;
    delete m_author;
}

void robot::press(QPushButton *button)
{
    if (button->isEnabled())
        button->click();
}

void robot::connectControls()
{
    connectAxisControls();
    connectButtons();
    connectMenus();
    connectKeys();
    nameControls();
    connectSession();
}

void robot::connectSession()
{
    connect(&m_session, &ArmSession::axisMoved, this, &robot::showAxis);
    connect(&m_session, &ArmSession::loopCountChanged, this, &robot::showLoopCount);
    connect(&m_session, &ArmSession::loopCountMoved, this, &robot::showLoopSlider);
    connect(&m_session, &ArmSession::pausedChanged, m_transport, &TransportPanel::setPauseCaption);
    connect(&m_session, &ArmSession::motionControlsSet, this, [this](bool enabled) {
        if (enabled)
            enable_all();
        else
            disable_all();
    });
    connect(&m_session, &ArmSession::bufferFull, this, &robot::onBufferFull);
    connect(&m_session, &ArmSession::stopping, this, &robot::onStopping);
    connect(&m_session, &ArmSession::portOpened, m_menus, &MenuPanel::setCheckMarks);
    connect(&m_session, &ArmSession::portFailed, this, &robot::onPortFailed);
    connect(&m_session, &ArmSession::portEchoed, this, &robot::onPortEchoed);
    connect(&m_session, &ArmSession::portLost, this, &robot::onPortLost);
}

void robot::connectAxisControls()
{
    for (int channel = 0; channel < axes::count; ++channel) {
        connect(slider[channel], &ScrollBar::change, this,
                [this, channel](int v) { Slider_Change(channel, v); });
        connect(slider[channel], &ScrollBar::scroll, this,
                [this, channel](int v) { Slider_Change(channel, v); });
        connect(box[channel], &QLineEdit::textChanged, this,
                [this, channel] { Text_Change(channel); });
        connect(box[channel], &QLineEdit::returnPressed, this,
                [this, channel] { Text_KeyDown(channel); });
    }
    connect(HScroll3, &ScrollBar::change, this, &robot::HScroll3_Change);
    connect(HScroll3, &ScrollBar::scroll, this, &robot::HScroll3_Change);
    connect(Text5, &QLineEdit::textChanged, this, &robot::Text5_Change);
}

void robot::connectButtons()
{
    using enum TransportPanel::Button;
    const auto clicks = [this](TransportPanel::Button b, void (robot::*click)(),
                               void (robot::*twinClick)()) {
        connect(m_transport->button(b), &QPushButton::clicked, this, click);
        connect(m_transport->twin(b), &QPushButton::clicked, this, twinClick);
    };
    clicks(Home, &robot::Command2_Click, &robot::Command18_Click);
    clicks(Rec, &robot::Command3_Click, &robot::Command14_Click);
    clicks(Stop, &robot::Command4_Click, &robot::Command15_Click);
    clicks(Run, &robot::Command5_Click, &robot::Command16_Click);
    clicks(Pause, &robot::Command6_Click, &robot::Command17_Click);
    clicks(Back, &robot::Backbutt_Click, &robot::Command20_Click);
    // REC and RUN colour themselves, and their picture twins colour them, on the mouse press.
    for (QWidget *w : {static_cast<QWidget *>(m_transport->button(Rec)),
                       static_cast<QWidget *>(m_transport->button(Run)),
                       static_cast<QWidget *>(m_transport->twin(Rec)),
                       static_cast<QWidget *>(m_transport->twin(Run)),
                       static_cast<QWidget *>(Image1), m_surface})
        w->installEventFilter(this);
    // A press on a control belongs to the control. Qt hands a press the control does not take
    // (a right click on a button or a frame, any click on a disabled one) on to the surface,
    // where it would pop up the Options menu.
    for (QWidget *control : m_surface->findChildren<QWidget *>())
        control->setAttribute(Qt::WA_NoMousePropagation);
}

void robot::connectMenus()
{
    using enum MenuPanel::Entry;
    const auto on = [this](MenuPanel::Entry e, void (robot::*click)()) {
        connect(m_menus->entry(e), &QAction::triggered, this, click);
    };
    on(Open, &robot::Open_men_Click);
    on(Save, &robot::Save_men_Click);
    on(SaveAs, &robot::Saveas_men_Click);
    on(Exit, &robot::ExitMen_Click);
    const std::array<void (robot::*)(), 4> comClicks{&robot::Com1_Click, &robot::Com2_Click,
                                                     &robot::Com3_Click, &robot::Com4_Click};
    const std::array<QAction *, 4> coms{m_menus->entry(Com1), m_menus->entry(Com2),
                                        m_menus->entry(Com3), m_menus->entry(Com4)};
    for (int i = 0; i < 4; ++i) {
        connect(coms[i], &QAction::triggered, this,
                [this, com = coms[i], click = comClicks[i]](bool checked) {
                    // Qt toggles a checkable entry on its own; the check marks follow the port
                    // manager only.
                    com->setChecked(!checked);
                    (this->*click)();
                });
    }
    on(ShowSettings, &robot::Show_men_Click);
    on(SaveConfiguration, &robot::SaveCon_Click);
    on(HelpTopics, &robot::helpwindow_men_Click);
    on(About, &robot::About_men_Click);
    on(Author, &robot::author_men_Click);
}

bool robot::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    if (type != QEvent::MouseButtonPress && type != QEvent::MouseButtonRelease)
        return QMainWindow::eventFilter(watched, event);
    // A disabled control raises nothing.
    if (watched->isWidgetType() && !static_cast<QWidget *>(watched)->isEnabled())
        return QMainWindow::eventFilter(watched, event);
    auto *mouse = static_cast<QMouseEvent *>(event);
    const bool down = type == QEvent::MouseButtonPress;
    if (watched == m_surface && down) {
        Form_MouseDown(mouse->button(), mouse->globalPosition().toPoint());
        return true;
    }
    // The logo answers a left click only.
    if (watched == Image1 && !down && mouse->button() == Qt::LeftButton &&
        Image1->rect().contains(mouse->position().toPoint()))
        Image1_Click();
    using enum TransportPanel::Button;
    if (watched == m_transport->button(Rec) || watched == m_transport->twin(Rec)) {
        if (down)
            Command3_MouseDown();
    } else if (watched == m_transport->button(Run) || watched == m_transport->twin(Run)) {
        if (down)
            Command5_MouseDown();
        else
            Command5_MouseUp();
    }
    return QMainWindow::eventFilter(watched, event);
}

void robot::closeEvent(QCloseEvent *event)
{
    if (Form_Unload())
        event->ignore();
    else
        event->accept();
}
