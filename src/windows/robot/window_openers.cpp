#include "windows/robot/window_openers.h"

#include "windows/help/helpwindow.h"
#include "windows/product/product_windows.h"

#include <QWidget>

namespace {
void bringUp(QWidget *window)
{
    window->show();
    window->raise();
    window->activateWindow();
}
} // namespace

WindowOpeners::WindowOpeners(QWidget *main, QString helpFolder, std::function<void()> endProgram)
    : QObject(main), m_main(main), m_helpFolder(std::move(helpFolder)),
      m_endProgram(std::move(endProgram))
{
}

WindowOpeners::~WindowOpeners()
{
    delete m_help;
    delete m_welcome;
    delete m_about;
    delete m_author;
}

void WindowOpeners::showMain()
{
    bringUp(m_main);
}

void WindowOpeners::openHelp()
{
    // The help window discards itself when closed, so each opening reads the help file anew.
    if (!m_help)
        m_help = new helpwindow(m_helpFolder);
    bringUp(m_help.data());
}

void WindowOpeners::openWelcome()
{
    if (!m_welcome)
        m_welcome = new Welcome([this] { showMain(); }, m_endProgram);
    bringUp(m_welcome.data());
}

void WindowOpeners::openAbout()
{
    // About's logo opens Welcome, as the main window's logo does.
    if (!m_about)
        m_about = new About([this] { openWelcome(); }, m_endProgram);
    bringUp(m_about.data());
}

void WindowOpeners::openAuthor()
{
    if (!m_author)
        m_author = new Author([this] { showMain(); }, m_endProgram);
    bringUp(m_author.data());
}
