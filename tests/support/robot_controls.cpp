#include "support/robot_controls.h"

#include "windows/robot/robot.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QHash>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QPushButton>
#include <memory>

namespace {
// A control the window must have; a missing one stops the run at once with its name, rather
// than as a null pointer somewhere later.
template <class T> T *find(const robot &w, const char *name)
{
    T *found = w.findChild<T *>(QLatin1String(name));
    if (!found)
        qFatal("the main window has no %s named %s", T::staticMetaObject.className(), name);
    return found;
}
} // namespace

RobotControls::RobotControls(const robot &w)
    : HScroll1(find<ScrollBar>(w, "HScroll1")), HScroll2(find<ScrollBar>(w, "HScroll2")),
      HScroll3(find<ScrollBar>(w, "HScroll3")), VScroll1(find<ScrollBar>(w, "VScroll1")),
      VScroll3(find<ScrollBar>(w, "VScroll3")), VScroll4(find<ScrollBar>(w, "VScroll4")),
      Text1(find<QLineEdit>(w, "Text1")), Text2(find<QLineEdit>(w, "Text2")),
      Text3(find<QLineEdit>(w, "Text3")), Text4(find<QLineEdit>(w, "Text4")),
      Text5(find<QLineEdit>(w, "Text5")), Text6(find<QLineEdit>(w, "Text6")),
      Command2(find<QPushButton>(w, "Command2")), Command3(find<QPushButton>(w, "Command3")),
      Command4(find<QPushButton>(w, "Command4")), Command5(find<QPushButton>(w, "Command5")),
      Command6(find<QPushButton>(w, "Command6")), Backbutt(find<QPushButton>(w, "Backbutt")),
      Command14(find<QPushButton>(w, "Command14")), Command15(find<QPushButton>(w, "Command15")),
      Command16(find<QPushButton>(w, "Command16")), Command17(find<QPushButton>(w, "Command17")),
      Command18(find<QPushButton>(w, "Command18")), Command20(find<QPushButton>(w, "Command20")),
      Image1(find<QLabel>(w, "Image1")), File_men(find<QMenu>(w, "File_men")),
      PortMen(find<QMenu>(w, "PortMen")), help(find<QMenu>(w, "help")),
      Open_men(find<QAction>(w, "Open_men")), Save_men(find<QAction>(w, "Save_men")),
      Saveas_men(find<QAction>(w, "Saveas_men")), ExitMen(find<QAction>(w, "ExitMen")),
      Com1(find<QAction>(w, "Com1")), Com2(find<QAction>(w, "Com2")),
      Com3(find<QAction>(w, "Com3")), Com4(find<QAction>(w, "Com4")),
      Show_men(find<QAction>(w, "Show_men")), SaveCon(find<QAction>(w, "SaveCon")),
      helpwindow_men(find<QAction>(w, "helpwindow_men")), About_men(find<QAction>(w, "About_men")),
      author_men(find<QAction>(w, "author_men"))
{
    for (const axes::Axis &a : axes::all) {
        slider[a.channel] = find<ScrollBar>(w, a.slider);
        box[a.channel] = find<QLineEdit>(w, a.box);
    }
}

const RobotControls &ui(const robot &w)
{
    static QHash<const robot *, std::shared_ptr<RobotControls>> known;
    if (const auto found = known.value(&w))
        return *found;
    auto controls = std::make_shared<RobotControls>(w);
    known.insert(&w, controls);
    QObject::connect(&w, &QObject::destroyed, &w, [window = &w] { known.remove(window); });
    return *controls;
}

QString lastAcceptedLoopCount(const robot &w)
{
    QLineEdit *count = ui(w).Text5;
    count->setText(QStringLiteral("not a count"));
    return count->text();
}
