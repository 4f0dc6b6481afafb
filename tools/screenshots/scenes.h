#pragma once
// The scenes: one per help picture, each bringing a window of the program into the state its
// topic talks about and returning the finished picture.

#include <QImage>
#include <QString>

namespace shots {

struct Scene {
    const char *picture; // the file name the help file gives
    const char *shows;   // one line for the log
    // The picture; `folder` is where the pictures go (the help window's scene shows them).
    QImage (*make)(const QString &folder);
};

// The scene that makes this picture, or null.
const Scene *sceneFor(const QString &picture);

// main_scenes.cpp: the main window and its dialogs.
QImage mainAfterStartUp(const QString &);
QImage optionsMenu(const QString &);
QImage portError(const QString &);
QImage sliders(const QString &);
QImage valueBoxes(const QString &);
QImage homing(const QString &);
QImage recording(const QString &);
QImage replay(const QString &);
QImage openDialog(const QString &);
QImage currentSettings(const QString &);
QImage modemWarning(const QString &);

// other_scenes.cpp: the windows of their own.
QImage simulatedArm(const QString &);
QImage productWindows(const QString &);
QImage helpWindow(const QString &folder);

// pad_scenes.cpp: what a game controller does, drawn from the program's table of it.
QImage padMap(const QString &);
// The README's larger picture: the main window's pad and the editor's.
QImage padMapForReadme();

} // namespace shots
