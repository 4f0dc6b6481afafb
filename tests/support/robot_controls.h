#pragma once
// The main window's controls as an operator meets them, found by objectName: the names the
// window's tables give them. Tests, the benchmark and the screenshot tools drive the window
// through these, never through its members.

#include "core/motion/axes.h"

#include <QString>
#include <array>

class QAction;
class QLabel;
class QLineEdit;
class QMenu;
class QPushButton;
class ScrollBar;
class robot;

struct RobotControls {
    explicit RobotControls(const robot &w);

    ScrollBar *HScroll1, *HScroll2, *HScroll3, *VScroll1, *VScroll3, *VScroll4;
    QLineEdit *Text1, *Text2, *Text3, *Text4, *Text5, *Text6;
    QPushButton *Command2, *Command3, *Command4, *Command5, *Command6, *Backbutt;
    QPushButton *Command14, *Command15, *Command16, *Command17, *Command18, *Command20;
    QLabel *Image1;
    QMenu *File_men, *PortMen, *help;
    QAction *Open_men, *Save_men, *Saveas_men, *ExitMen;
    QAction *Com1, *Com2, *Com3, *Com4, *Show_men, *SaveCon;
    QAction *helpwindow_men, *About_men, *author_men;

    // By channel: the slider and the value box of each axis.
    std::array<ScrollBar *, axes::count> slider;
    std::array<QLineEdit *, axes::count> box;
};

// The controls of a window, found once and kept while the window lives.
const RobotControls &ui(const robot &w);

// The last loop count the box accepted: what it gives back when a count is refused. Types a
// refused count to find out, so the box shows that count afterwards.
QString lastAcceptedLoopCount(const robot &w);
