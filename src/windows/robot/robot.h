#pragma once
// The main window `robot` is the operator's view of an ArmSession, which holds the state (the
// axis positions, the step buffer, the configuration, the port status, the pause and the loop
// count) and its rules. The handlers forward to the session; the controls follow its signals.
// Everything of the window lives in this folder, a file a subject:
//   robot.cpp              construction, the wiring of every control, the mouse colours
//   robot_layout.cpp       the controls at their places, from the axis table
//   transport_panel.cpp    the main control's buttons and their picture twins
//   menu_panel.cpp         the menus and their entries
//   robot_names.cpp        the controls' names and descriptions for screen readers
//   robot_keys.cpp         the menus from the keyboard
//   robot_lifecycle.cpp    start-up, shut-down, the window openers
//   port_handlers.cpp      the port manager's view: init_port, its messages, the motion group
//   home_handlers.cpp      initrobot and HOME
//   axis_handlers.cpp      the sliders, the value boxes and the loop count
//   recording_handlers.cpp REC, STOP and the full buffer's message
//   playback_handlers.cpp  RUN, PAUSE, BACK, and the session's waits
//   config_handlers.cpp    the configuration file: read, save, show
//   movement_handlers.cpp  movement files: Open, Save, Save As
// The long operations (homing, replay, the reverse walk) are the session's: their handlers set
// the layout and start them, and the window shows what they do as the session announces it
// (the sliders, the pause caption, the loop count). Everything runs on the one event thread.
//
// Widgets and state are private. Tests and tools find the controls by objectName (their names
// below) and read the state through the const accessors.

#include "core/motion/axes.h"
#include "core/session/arm_session.h"
#include "windows/robot/services.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class PaintPacer;
class ScrollBar;
class TransportPanel;
class MenuPanel;
class helpwindow;
class Welcome;
class About;
class Author;

class robot : public QMainWindow {
    Q_OBJECT
public:
    explicit robot(Services services, QWidget *parent = nullptr);
    ~robot() override;

    // Start-up; the program calls it once, right after creating the window.
    void Form_Load();
    // The program is asked to end (SIGTERM, SIGHUP, Ctrl-C): a long operation under way ends
    // after its step in progress, the homing walk too, and every event loop is left, an open
    // message box's, file dialog's or quit question's included. Nothing is asked and nothing is
    // saved; the program's main closes the port.
    void endBySignal();

    // The state, as the operator could learn it.
    const config::Settings &configuration() const { return m_session.configuration(); }
    int portStatus() const { return m_session.portStatus(); }
    bool isRecording() const { return m_session.isRecording(); }
    const StepBuffer &stepBuffer() const { return m_session.stepBuffer(); }
    const QString &movementFile() const { return m_session.movementFile(); }
    int replayIndex() const { return m_session.replayIndex(); }

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
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // Procedures.
    void init_port(int port);
    void enable_all();
    void disable_all();
    void initrobot();
    void homeservos();

    // robot_layout.cpp
    void buildLayout();
    void buildCaptions();
    void buildAxisControls();
    void setTabOrder();

    // robot.cpp
    void connectControls();
    void connectAxisControls();
    void connectButtons();
    void connectMenus();
    void connectSession();
    // robot_keys.cpp, robot_names.cpp: the window without a mouse, and for screen readers.
    void connectKeys();
    void nameControls();

    // robot_lifecycle.cpp
    bool Form_Unload(); // true cancels the close
    void Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void showMain();
    void endProgram();

    // port_handlers.cpp
    void onPortFailed(int error, int number, const QString &device, const QString &note);
    void onPortEchoed(int number);
    void onPortLost(int number, const QString &device);
    void setMotionGroupEnabled(bool enabled);

    // axis_handlers.cpp: the handlers of every slider and value box, by channel
    // (HScroll1_Change ... Text6_KeyDown); the loop count has its own.
    void Slider_Change(int channel, int value);
    void Text_Change(int channel);
    void Text_KeyDown(int channel);
    void HScroll3_Change(int value);
    void Text5_Change();
    // What the session announces, shown. The sliders and value boxes written here raise no
    // handler of their own, as the session has done what it would; the loop-count box's text
    // goes through the box's rule as any text in it does.
    void showAxis(int channel, int position);
    void showLoopCount(const QString &text);
    void showLoopSlider(int count);

    // recording_handlers.cpp
    void onBufferFull();
    void onStopping();
    void Command3_MouseDown();

    // playback_handlers.cpp
    void Command5_MouseDown();
    void Command5_MouseUp();
    void setRunLayout();
    void setRunEndLayout();
    // A hold of a long operation: the operator sees where the arm stands before it sleeps.
    void hold();
    // A replay's steps are painted at the screen's pace, not one paint a step.
    void paceThePainting(bool paced);

    // config_handlers.cpp: the file's settings over the defaults; the defaults when it is
    // missing or cannot be read, which the operator is told.
    config::Settings readConfiguration();

    // Controls, named as the window's tables name them; objectName is the same.
    ScrollBar *HScroll3 = nullptr; // the loop count
    QLineEdit *Text5 = nullptr;
    QLabel *Image1 = nullptr;
    // By channel: the slider and the value box of each axis (HScroll1 ... Text6, named as the
    // axis table names them).
    std::array<ScrollBar *, axes::count> slider{};
    std::array<QLineEdit *, axes::count> box{};

    Services m_services;
    Port &m_port;
    Dialogs &m_dialogs;
    ArmSession m_session;
    bool m_showing = false; // the window is writing what the session announced
    QWidget *m_surface = nullptr;
    // REC, STOP, RUN, PAUSE, HOME, BACK and their picture twins (Command2 ... Command20).
    TransportPanel *m_transport = nullptr;
    // File, Options and Help (File_men, PortMen, help) and their entries.
    MenuPanel *m_menus = nullptr;
    PaintPacer *m_painting = nullptr;
    QPointer<helpwindow> m_help;
    QPointer<Welcome> m_welcome;
    QPointer<About> m_about;
    QPointer<Author> m_author;
};
