#pragma once
// The window's menus: File (the movement files, Exit), Options (the ports, the configuration)
// and Help. The panel builds them on the window's menu bar and owns their entries; the window
// connects the entries to its handlers.

#include <QObject>
#include <array>

class QAction;
class QMenu;
class QMainWindow;
class QMenuBar;
class QWidget;

class MenuPanel : public QObject {
    Q_OBJECT
public:
    enum class Entry {
        Open,
        Save,
        SaveAs,
        Exit,
        Com1,
        Com2,
        Com3,
        Com4,
        ShowSettings,
        SaveConfiguration,
        HelpTopics,
        About,
        Author
    };
    static constexpr int count = 13;

    MenuPanel(QMenuBar *bar, QObject *parent);

    QAction *entry(Entry e) const { return m_entries[static_cast<int>(e)]; }
    QMenu *fileMenu() const { return m_file; }
    QMenu *portMenu() const { return m_port; }
    QMenu *helpMenu() const { return m_help; }

    // Open, Save and Save As, in that order.
    void setFileEntriesEnabled(bool enabled);
    // The check mark on "Comm n" alone; anything but 1 to 4 leaves the marks as they are.
    void setCheckMarks(int port);
    // The game controller's status, a line at the foot of Help that nobody can choose; empty
    // hides it and its separator. The line is made the first time there is one to show, so a
    // program that never sees a pad has the menus it always had.
    void setPadStatus(const QString &status);

    // robot_keys.cpp: the menus from the keyboard, in `window`; Shift+F10 and the Menu key open
    // Options at the control with the focus, or at the middle of `surface`.
    void connectKeys(QMainWindow *window, QWidget *surface);

private:
    // robot_names.cpp: what screen readers call the menus.
    void nameControls();

    QMenu *m_file = nullptr;                  // File_men
    QMenu *m_port = nullptr;                  // PortMen
    QMenu *m_help = nullptr;                  // help
    std::array<QAction *, count> m_entries{}; // by Entry, named as the menus name them
    QAction *m_padSeparator = nullptr;
    QAction *m_padStatus = nullptr; // padStatus
};
