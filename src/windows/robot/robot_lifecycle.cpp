// Start-up, shut-down, the window menu's openers and the right-click Options menu.

#include "core/link/port.h"
#include "windows/help/helpwindow.h"
#include "windows/product/product_windows.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QCoreApplication>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

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
    press(m_transport->button(TransportPanel::Button::Stop));
}

bool robot::Form_Unload()
{
    const auto answer = m_dialogs.message(this, QStringLiteral("Do you want to quit?"),
                                          QStringLiteral("Quit Kestrel Robot"),
                                          Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
    if (answer != Dialogs::Yes)
        return true;
    // Only the homes in memory change; the configuration file keeps its own.
    config::Settings centred = m_session.configuration();
    centred.home.fill(axes::centre);
    m_session.setConfiguration(centred);
    // Also when the quit interrupts a homing pass: the program ends right after this walk, so
    // the interrupted pass never goes on and the arm is left centred.
    m_session.homeEvenIfHoming();
    hide();
    if (m_port.isOpen())
        m_port.close();
    endProgram();
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

void robot::endProgram()
{
    m_services.endProgram();
}

void robot::showMain()
{
    show();
    raise();
    activateWindow();
}

namespace {
template <class W> void bringUp(W *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

void robot::helpwindow_men_Click()
{
    // The help window discards itself when closed, so each opening reads the help file anew.
    if (!m_help)
        m_help = new helpwindow(m_services.folders.help);
    bringUp(m_help.data());
}

void robot::Image1_Click()
{
    if (!m_welcome)
        m_welcome = new Welcome([this] { showMain(); }, [this] { endProgram(); });
    bringUp(m_welcome.data());
}

void robot::About_men_Click()
{
    if (!m_about)
        m_about = new About([this] { Image1_Click(); }, [this] { endProgram(); });
    bringUp(m_about.data());
}

void robot::author_men_Click()
{
    if (!m_author)
        m_author = new Author([this] { showMain(); }, [this] { endProgram(); });
    bringUp(m_author.data());
}
