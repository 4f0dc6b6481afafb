#pragma once
// The main window `robot` owns all shared state of the program: the axis positions (held by
// the sliders), the step buffer, the home pose, the port and its status. Its handlers keep
// their classic names and live beside it, a file a subject: port_handlers (the port manager),
// home_handlers, axis_handlers (sliders, value boxes), recording_handlers, playback_handlers,
// config_handlers and movement_handlers. The picture buttons only call their twins, below;
// their press colours come from the event filter in robot.cpp. The layout is built in
// robot_layout.cpp, and start-up and shut-down are in robot_lifecycle.cpp. Everything runs on the one event thread. The long
// operations (homing, replay, the reverse walk) are the Sequencer's: their handlers set the
// layout and start it, and the window is its host, showing what it does (the sliders, the
// pause caption, the loop count). Events run between their steps, and the handlers that run
// meanwhile coordinate only through the shared values the sequencer reads back.

#include "windows/robot/services.h"
#include "core/motion/sequencer.h"
#include "core/motion/step_buffer.h"
#include "core/motion/axes.h"

#include <QMainWindow>
#include <QPointer>
#include <array>

class QAction;
class QGroupBox;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ScrollBar;
class helpwindow;
class Welcome;
class About;
class Author;

class robot : public QMainWindow, private Sequencer::Host {
    Q_OBJECT
public:
    explicit robot(Services services, QWidget *parent = nullptr);
    ~robot() override;

    // Start-up; the program calls it once, right after creating the window.
    void Form_Load();

    // Shared state. Public so that the windows' tests and the benchmarks can read it back; the
    // handlers below are the only writers.
    qint16 port_number = 1;
    int port_status = 0;
    std::array<double, axes::count> home_position{127, 127, 127, 127, 127};
    double home_speed = 5;
    QString movement_file;
    bool recording = false;
    StepBuffer step_buffer;
    QString last_loop_count;
    // replay_index: where a replay or the reverse walk stands in the step buffer.
    int replayIndex() const { return m_sequencer.replayIndex(); }

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

    // Procedures.
    void init_port(int port);
    void check_if_modem();
    void enable_all();
    void disable_all();
    void initrobot();
    void homeservos();
    void check_counter();

    // Presses a button from the program: runs its click action when it is enabled, and does
    // nothing while it is disabled, as a click would not.
    void press(QPushButton *button);

protected:
    void closeEvent(QCloseEvent *event) override;
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    // robot_layout.cpp
    void buildLayout();
    void buildMenus();
    void connectControls();

    // robot_lifecycle.cpp
    bool Form_Unload(); // true cancels the close
    void Form_MouseDown(Qt::MouseButton button, const QPoint &globalPos);
    void showMain();
    void endProgram();

    // port_handlers.cpp
    void onPortLost();
    void setCheckMarks(int port);
    void setMotionGroupEnabled(bool enabled);

    // The sequencer's host (playback_handlers.cpp).
    bool paused() const override;
    QString loopCountText() const override;
    void setLoopCountText(const QString &text) override;
    int axisPosition(int channel) const override;
    void placeAxis(int channel, int position) override;
    int portStatus() const override { return port_status; }
    double homePosition(int channel) const override { return home_position[channel]; }
    double homeSpeed() const override { return home_speed; }

    // axis_handlers.cpp: the handlers of every slider and value box, by channel
    // (HScroll1_Change ... Text6_KeyDown); the loop count has its own.
    void Slider_Change(int channel, int value);
    void Text_Change(int channel);
    void Text_KeyDown(int channel);
    void HScroll3_Change(int value);
    void Text5_Change();

    // recording_handlers.cpp
    void appendStep(int channel, const QString &boxText);
    void Command3_MouseDown();

    // playback_handlers.cpp
    void Command5_MouseDown();
    void Command5_MouseUp();
    void setRunLayout();
    void setRunEndLayout();

    // Stored files: config_handlers.cpp and movement_handlers.cpp
    void readConfiguration();
    void setFileMenuEnabled(bool enabled);

public:
    // Controls, named as the window's tables name them; objectName is the same.
    ScrollBar *HScroll1 = nullptr, *HScroll2 = nullptr, *HScroll3 = nullptr;
    ScrollBar *VScroll1 = nullptr, *VScroll3 = nullptr, *VScroll4 = nullptr;
    QLineEdit *Text1 = nullptr, *Text2 = nullptr, *Text3 = nullptr, *Text4 = nullptr,
              *Text5 = nullptr, *Text6 = nullptr;
    QPushButton *Command2 = nullptr, *Command3 = nullptr, *Command4 = nullptr, *Command5 = nullptr,
                *Command6 = nullptr, *Backbutt = nullptr;
    QPushButton *Command14 = nullptr, *Command15 = nullptr, *Command16 = nullptr,
                *Command17 = nullptr, *Command18 = nullptr, *Command20 = nullptr;
    QLabel *Image1 = nullptr;
    QMenu *File_men = nullptr, *PortMen = nullptr, *help = nullptr;
    QAction *Open_men = nullptr, *Save_men = nullptr, *Saveas_men = nullptr, *ExitMen = nullptr;
    QAction *Com1 = nullptr, *Com2 = nullptr, *Com3 = nullptr, *Com4 = nullptr;
    QAction *Show_men = nullptr, *SaveCon = nullptr;
    QAction *helpwindow_men = nullptr, *About_men = nullptr, *author_men = nullptr;

    // By channel: the slider and the value box of each axis.
    std::array<ScrollBar *, axes::count> slider{};
    std::array<QLineEdit *, axes::count> box{};

private:
    Services m_services;
    Port &m_port;
    Dialogs &m_dialogs;
    Sequencer m_sequencer;
    QWidget *m_surface = nullptr;
    QPointer<helpwindow> m_help;
    QPointer<Welcome> m_welcome;
    QPointer<About> m_about;
    QPointer<Author> m_author;
};
