// Start-up, shut-down, the openers of the other windows and the right-click Options menu.

#include "core/link/port.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/robot/window_openers.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QAction>
#include <QCoreApplication>
#include <QMenu>

void robot::Form_Load()
{
    initrobot();
    m_session.setMovementFile(QStringLiteral("robotmov.kmv"));
    init_port(m_session.configuration().port);
    // Every slider that really moves sends its axis's frame through its value box; the base
    // already stands at 127 and sends nothing.
    m_session.centre();
    m_session.setLoopCountText(QStringLiteral("1"));
    // On screen before the arm moves, so the operator sees the homing.
    show();
    look::centreOnScreen(this);
    homeservos();
    m_menus->entry(MenuPanel::Entry::Save)->setEnabled(false);
    m_menus->entry(MenuPanel::Entry::SaveAs)->setEnabled(false);
    // STOP sets the idle layout, Save and Save As included. It runs whenever the link is
    // usable, also when the operator's STOP or RUN during the homing walk has disabled its
    // button since: a motion opened before the next REC must be savable. On a link that cannot
    // be used (the open failed, an echo, the device went away) STOP is off with the motion
    // group and stays unpressed, so HOME, REC and RUN are not offered; Save and Save As come
    // back all the same.
    if (m_session.link().motionControlsEnabled()) {
        Command4_Click();
    } else {
        m_menus->entry(MenuPanel::Entry::Save)->setEnabled(true);
        m_menus->entry(MenuPanel::Entry::SaveAs)->setEnabled(true);
    }
}

bool robot::Form_Unload()
{
    const auto answer = m_services.dialogs->message(
        this, QStringLiteral("Do you want to quit?"), QStringLiteral("Quit Kestrel Robot"),
        Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Yes)
        return true;
    // The program ends right after this walk, so a homing pass it interrupted never goes on
    // and the arm is left centred.
    m_session.quit();
    hide();
    if (m_services.port->isOpen())
        m_services.port->close();
    m_services.endProgram();
    return false;
}

void robot::endBySignal()
{
    m_session.interrupt();
    // A question left this way counts as not answered yes: the quit question quits nothing
    // and saves nothing, and the program ends all the same once its main loop is left. Any
    // dialog opened later returns at once.
    QCoreApplication::exit();
}

void robot::ExitMen_Click()
{
    // The same question and sequence as the close box.
    close();
}

void robot::Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos)
{
    if (button == Qt::RightButton)
        m_menus->portMenu()->popup(globalPos);
}

void robot::helpwindow_men_Click()
{
    m_windows->openHelp();
}

void robot::Image1_Click()
{
    m_windows->openWelcome();
}

void robot::About_men_Click()
{
    m_windows->openAbout();
}

void robot::author_men_Click()
{
    m_windows->openAuthor();
}
