#pragma once
// kestrel-edit's window: a view of a MotionDocument (core), made of panels that each own their
// widgets. The timeline and the step list show the document and select in it; the preview plays
// it on a drawn arm; the Check list shows where it leaves the arm's limits; the menus (EditorMenus)
// call the edits (EditHandlers, TimedHandlers, TipHandlers), the files (EditorFiles) and the saving
// of a named pose (PoseSaver). The keys (TipJogger) and a game controller (PadJogger) jog the
// preview's pose. What an edit does, what a save or an export writes and says, and the steps of
// recovery are core's; the undo history (EditHistory) is this layer's, since QUndoStack is Qt Gui.

#include "core/edit/motion_document.h"
#include "edit/window/edit_handlers.h"
#include "edit/window/edit_history.h"
#include "edit/window/editor_files.h"
#include "edit/window/editor_menus.h"
#include "edit/window/editor_profile.h"
#include "edit/window/editor_services.h"
#include "edit/window/notices.h"
#include "edit/window/pose_saver.h"
#include "edit/window/timed_handlers.h"
#include "edit/window/tip_handlers.h"

#include <QMainWindow>
#include <memory>

class CheckList;
class PreviewPanel;
class QAction;
class QLabel;
class StepList;
class TimelinePanel;
class TipJogger;

class EditorWindow : public QMainWindow {
    Q_OBJECT
public:
    explicit EditorWindow(const EditorServices &services, QWidget *parent = nullptr);
    ~EditorWindow() override;

    MotionDocument &document() { return m_document; }
    // The arm profile the panels draw, shade and check by; set() after a save redraws them.
    EditorProfile &profile() { return m_profile; }
    const QUndoStack &undoStack() const { return m_history.stack(); }

    // Reads the file and shows it; a bad file leaves the motion as it was and says why.
    bool openFile(const QString &path) { return m_files.openFile(path); }
    // Offers, newest first, the snapshots of editors that ended without closing (a crash, a
    // kill); true when one was taken. Each declined one is removed; once one is taken, the rest
    // wait for a later start. When none is taken, `orOpen` (if any) is opened instead. Damaged
    // ones are set aside, which the status bar says.
    bool offerRecovery(const QString &orOpen = {}) { return m_files.offerRecovery(orOpen); }
    bool save() { return m_files.save(); }
    bool saveAs() { return m_files.saveAs(); }
    // File, Export: the motion as a table, the line's bytes or an Arduino sketch, written whole
    // to a file the operator chooses; the motion and its file stay as they are.
    bool exportMotion() { return m_files.exportMotion(); }

    // The action of a menu entry, by its objectName ("deleteSteps"), for tests and scripts.
    QAction *action(const QString &name) const { return m_menus->action(name); }

protected:
    void closeEvent(QCloseEvent *event) override;
    void dragEnterEvent(QDragEnterEvent *event) override;
    void dropEvent(QDropEvent *event) override;

private:
    void layOut();
    void showTitle();

    EditorServices m_services;
    EditorProfile m_profile;
    MotionDocument m_document;
    EditHistory m_history;
    Notices m_notices;
    EditHandlers m_edits;
    TimedHandlers m_timed;
    TipHandlers m_tips;
    PoseSaver m_poses;
    EditorFiles m_files;
    TimelinePanel *m_timeline;
    StepList *m_steps;
    PreviewPanel *m_preview;
    TipJogger *m_jogger;
    CheckList *m_checks;
    QLabel *m_limits; // the Check list's count, kept in the status bar beside passing messages
    std::unique_ptr<EditorMenus> m_menus;
};
