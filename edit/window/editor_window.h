#pragma once
// kestrel-edit's window: a view of a MotionDocument. The timeline and the step list show it and
// select in it; the preview plays it on a drawn arm; the menus hold every edit, each one command
// on the document's undo stack. The edits themselves are core's (edits::); the handlers here only
// ask for their parameters, call them and push the result.
//
// Files: edit_actions.cpp builds the menus, edit_handlers.cpp has the edits, file_handlers.cpp
// open, save, drop, the close question and crash recovery.

#include "core/edit/motion_edits.h"
#include "core/edit/recovery.h"
#include "core/store/config_file.h"
#include "edit/window/motion_document.h"

#include <QMainWindow>
#include <QTimer>
#include <functional>
#include <map>

class Dialogs;
class PreviewPanel;
class QAction;
class QMenu;
class StepList;
class TimelinePanel;
namespace ask {
class Questions;
}

struct EditorServices {
    Dialogs *dialogs = nullptr;
    ask::Questions *questions = nullptr;
    timing::Pose passStart{127, 127, 127, 127, 127};
    QString stateFolder;       // where the editors keep their recovery snapshots
    config::Settings settings; // the configuration whose homes the exports' arm walks to
};

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EditorWindow(const EditorServices &services, QWidget *parent = nullptr);
    ~EditorWindow() override;

    MotionDocument &document() { return m_document; }

    // Reads the file and shows it; a bad file leaves the motion as it was and says why.
    bool openFile(const QString &path);
    // Offers, newest first, the snapshots of editors that ended without closing (a crash, a
    // kill); true when one was taken. Each declined one is removed; once one is taken, the rest
    // wait for a later start.
    bool offerRecovery();
    bool save();
    bool saveAs();
    // File, Export: the motion as a table, the line's bytes or an Arduino sketch, written whole
    // to a file the operator chooses; the motion and its file stay as they are.
    bool exportMotion();

    // The action of a menu entry, by its objectName ("deleteSteps"), for tests and scripts.
    QAction *action(const QString &name) const;

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    // edit_actions.cpp
    void buildMenus();
    QAction *addAction(QMenu *menu, const QString &name, const QString &text,
                       const QKeySequence &keys, const std::function<void()> &handler);
    void addExisting(QMenu *menu, QAction *action, const QKeySequence &keys);
    void showEnabled();
    void showTitle();

    // edit_handlers.cpp
    // Pushes an edit, or says why it was refused.
    void push(const QString &name, std::vector<Step> after, edits::Range selected);
    void deleteSteps();
    void cutSteps();
    void copySteps();
    void pasteSteps();
    void duplicateSteps();
    void reverseSteps();
    void selectAll();
    void setPositions();
    void offsetPositions();
    void scalePositions();
    void changePositions(int kind);
    void insertHold();
    void slowDown();
    void moveToPose();
    void smoothSteps();
    // The records from `at` on that an insert of `added` records put there.
    edits::Range insertedAt(int at, int added) const;
    void say(const QString &text);

    // file_handlers.cpp
    void openChosen();
    bool writeTo(const QString &path);
    // Asks about unsaved changes; false when the operator chose to stay.
    bool maySetAside();
    // Writes this window's snapshot, or removes it when the motion is as saved; false when it
    // could not be written.
    bool keepSnapshot();
    void showMessage(const QString &text);

    EditorServices m_services;
    MotionDocument m_document;
    TimelinePanel *m_timeline;
    StepList *m_steps;
    PreviewPanel *m_preview;
    std::map<QString, QAction *> m_actions;
    // This window's own snapshot: another editor's, running or gone, is never its to discard.
    recovery::Keeper m_keeper;
    QTimer m_snapshotTimer;
    bool m_snapshotTroubleShown = false;
};
