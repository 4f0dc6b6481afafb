#include "windows/robot/menu_panel.h"

#include <QAction>
#include <QMenu>
#include <QMenuBar>

namespace {

QAction *addEntry(QMenu *menu, const char *name, const QString &caption)
{
    auto *a = menu->addAction(caption);
    a->setObjectName(QLatin1String(name));
    return a;
}

} // namespace

MenuPanel::MenuPanel(QMenuBar *bar, QObject *parent) : QObject(parent)
{
    using enum Entry;
    auto &e = m_entries;
    const auto at = [](Entry x) { return static_cast<int>(x); };

    m_file = bar->addMenu(QStringLiteral("File"));
    m_file->setObjectName(QStringLiteral("File_men"));
    e[at(Open)] = addEntry(m_file, "Open_men", QStringLiteral("Open"));
    e[at(Save)] = addEntry(m_file, "Save_men", QStringLiteral("Save"));
    e[at(SaveAs)] = addEntry(m_file, "Saveas_men", QStringLiteral("Save As"));
    e[at(Exit)] = addEntry(m_file, "ExitMen", QStringLiteral("Exit"));

    m_port = bar->addMenu(QStringLiteral("Options"));
    m_port->setObjectName(QStringLiteral("PortMen"));
    e[at(Com1)] = addEntry(m_port, "Com1", QStringLiteral("Comm 1"));
    e[at(Com2)] = addEntry(m_port, "Com2", QStringLiteral("Comm 2"));
    e[at(Com3)] = addEntry(m_port, "Com3", QStringLiteral("Comm 3"));
    e[at(Com4)] = addEntry(m_port, "Com4", QStringLiteral("Comm 4"));
    for (Entry com : {Com1, Com2, Com3, Com4})
        e[at(com)]->setCheckable(true);
    e[at(ShowSettings)] = addEntry(m_port, "Show_men", QStringLiteral("Show Current Setting"));
    e[at(SaveConfiguration)] = addEntry(m_port, "SaveCon", QStringLiteral("Save Configuration"));

    m_help = bar->addMenu(QStringLiteral("Help"));
    m_help->setObjectName(QStringLiteral("help"));
    e[at(HelpTopics)] = addEntry(m_help, "helpwindow_men", QStringLiteral("Help Topics"));
    e[at(About)] = addEntry(m_help, "About_men", QStringLiteral("About"));
    e[at(Author)] = addEntry(m_help, "author_men", QStringLiteral("Author"));
    nameControls();
}

void MenuPanel::setFileEntriesEnabled(bool enabled)
{
    entry(Entry::Open)->setEnabled(enabled);
    entry(Entry::Save)->setEnabled(enabled);
    entry(Entry::SaveAs)->setEnabled(enabled);
}

void MenuPanel::setCheckMarks(int port)
{
    if (port < 1 || port > 4)
        return;
    const int first = static_cast<int>(Entry::Com1);
    for (int i = 0; i < 4; ++i)
        m_entries[first + i]->setChecked(i + 1 == port);
}

void MenuPanel::setPadStatus(const QString &status)
{
    if (status.isEmpty() && !m_padStatus)
        return;
    if (!m_padStatus) {
        m_padSeparator = m_help->addSeparator();
        m_padStatus = addEntry(m_help, "padStatus", status);
        m_padStatus->setEnabled(false);
    }
    m_padStatus->setText(status);
    m_padSeparator->setVisible(!status.isEmpty());
    m_padStatus->setVisible(!status.isEmpty());
}
