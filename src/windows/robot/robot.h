#pragma once
// The main window `robot` is the operator's view of an ArmSession, which holds the state (the
// axis positions, the step buffer, the configuration, the port status, the pause and the loop
// count) and its rules. The handlers forward to the session; the controls follow its signals.
// The window is made of panels, each a small class that owns its widgets; the handlers here
// set what spans them. Everything of the window lives in this folder, a file a subject:
//   robot.cpp              construction: the panels, and the wiring of the controls and the
//                          session's announcements
//   axis_panel.cpp         the sliders, the value boxes and the loop count
//   transport_panel.cpp    the main control's buttons and their picture twins, their colours
//   menu_panel.cpp         the menus and their entries
//   window_openers.cpp     the help window and the product windows
//   robot_layout.cpp       the surface, its frames and labels, the tab order
//   robot_names.cpp        the controls' names and descriptions for screen readers
//   robot_keys.cpp         the menus from the keyboard
//   robot_lifecycle.cpp    start-up, shut-down, the window menu and the right-click menu
//   port_handlers.cpp      the port manager's view: init_port, its messages, the motion group
//   home_handlers.cpp      initrobot and HOME
//   recording_handlers.cpp REC, STOP and the full buffer's message
//   playback_handlers.cpp  RUN, PAUSE, BACK
//   config_handlers.cpp    the configuration file: read, save, show
//   movement_handlers.cpp  movement files: Open, Save, Save As
//   pad_handlers.cpp       the game controller: its sticks on the sliders, its buttons on the
//                          transport buttons, its status in Help
// The long operations (homing, replay, the reverse walk) are the session's: their handlers set
// the layout and start them, and the window shows what they do as the session announces it
// (the sliders, the pause caption, the loop count). Everything runs on the one event thread.
//
// Widgets and state are private. Tests and tools find the controls by objectName (the names
// the window's tables give them) and read the state through the session.

#include "core/session/arm_session.h"
#include "windows/robot/services.h"

#include <QMainWindow>

class QLabel;
class QPushButton;
class AxisPanel;
class TransportPanel;
class MenuPanel;
class WindowOpeners;

class robot : public QMainWindow {
    Q_OBJECT
public:
    explicit robot(Services services, QWidget *parent = nullptr);

    // Start-up; the program calls it once, right after creating the window.
    void Form_Load();
    // The program is asked to end (SIGTERM, SIGHUP, Ctrl-C): a long operation under way ends
    // after its step in progress, the homing walk too, and every event loop is left, an open
    // message box's, file dialog's or quit question's included. Nothing is asked and nothing is
    // saved; the program's main closes the port.
    void endBySignal();

    // The state, as the operator could learn it.
    const ArmSession &session() const { return m_session; }

    // Menu handlers.
    void ExitMen_Click();
    void helpwindow_men_Click();
    void About_men_Click();
    void author_men_Click();
    void Image1_Click();
    void Com1_Click() { init_port(1); }
    void Com2_Click() { init_port(2); }
    void Com3_Click() { init_port(3); }
    void Com4_Click() { init_port(4); }
    void SaveCon_Click();
    void Show_men_Click();
    void Open_men_Click();
    void Save_men_Click();
    void Saveas_men_Click();

    // Buttons.
    void Command2_Click(); // HOME
    void Command3_Click(); // REC
    void Command4_Click(); // STOP
    void Command5_Click(); // RUN
    void Command6_Click(); // PAUSE / CONT
    void Backbutt_Click(); // BACK
    void Command14_Click() { Command3_Click(); }
    void Command15_Click() { Command4_Click(); }
    void Command16_Click() { Command5_Click(); }
    void Command17_Click() { Command6_Click(); }
    void Command18_Click() { homeservos(); }
    void Command20_Click() { Backbutt_Click(); }

    // Presses a button from the program: runs its click action when it is enabled, and does
    // nothing while it is disabled, as a click would not.
    void press(QPushButton *button);

protected:
    void closeEvent(QCloseEvent *event) override;

private:
    // robot.cpp: the mouse on the surface and the logo, and what the session announces.
    void tapMouse(QWidget *surface, QLabel *logo);
    void followSession();

    // Procedures.
    void init_port(int port);
    void enable_all();
    void disable_all();
    void initrobot();
    void homeservos();

    // robot_lifecycle.cpp
    bool Form_Unload(); // true cancels the close
    void Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos);

    Services m_services;
    ArmSession m_session;
    // The panels own their widgets; they are the window's children.
    AxisPanel *m_axes = nullptr;
    TransportPanel *m_transport = nullptr;
    MenuPanel *m_menus = nullptr;
    WindowOpeners *m_windows = nullptr;
};
