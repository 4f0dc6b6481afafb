#include "edit/window/editor_menus.h"

#include "core/edit/motion_document.h"
#include "edit/window/edit_handlers.h"
#include "edit/window/editor_files.h"
#include "edit/window/editor_profile.h"
#include "edit/window/pose_saver.h"
#include "edit/window/preview_panel.h"
#include "edit/window/profile_dialog.h"
#include "edit/window/timed_handlers.h"
#include "edit/window/timeline_view.h"
#include "edit/window/tip_handlers.h"
#include "edit/window/tip_jogger.h"

#include <QAction>
#include <QMainWindow>
#include <QMenuBar>
#include <QUndoStack>

namespace {

// The profile is the arm's, not the motion's: a saved one takes no undo entry and leaves the
// motion as modified as it was.
void editArmProfile(QWidget *parent, Dialogs &dialogs, EditorProfile &profile)
{
    if (const auto saved = ask::editProfile(parent, dialogs, profile.path(), profile.profile()))
        profile.set(*saved);
}

// The pose the preview shows: a jogged one while the tool point is jogged, else the still pose.
void saveShownPose(PoseSaver &poses, const PreviewPanel &preview)
{
    poses.savePoseAs(preview.showingGiven() ? std::optional(preview.pose()) : std::nullopt);
}

} // namespace

EditorMenus::EditorMenus(QMainWindow *window, const Targets &targets) : m_window(window)
{
    buildFileAndEdit(targets);
    buildPositionsAndTiming(targets);
    buildViewAndPreview(targets);
}

QAction *EditorMenus::action(const QString &name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

void EditorMenus::add(QMenu *menu, const std::vector<Entry> &entries)
{
    // The keys are spelled out rather than taken from the platform's standard keys, which are
    // empty on some platforms (Quit among them) and several keys at once on others.
    for (const Entry &e : entries) {
        if (!e.name) {
            menu->addSeparator();
            continue;
        }
        QAction *a = menu->addAction(QString::fromUtf8(e.text));
        a->setObjectName(QString::fromLatin1(e.name));
        a->setShortcut(QKeySequence(QString::fromLatin1(e.keys)));
        if (e.tip)
            a->setStatusTip(QString::fromUtf8(e.tip));
        QObject::connect(a, &QAction::triggered, m_window, e.handler);
        m_actions[a->objectName()] = a;
    }
}

void EditorMenus::addExisting(QMenu *menu, QAction *action, const QKeySequence &keys)
{
    if (!keys.isEmpty())
        action->setShortcut(keys);
    menu->addAction(action);
    m_actions[action->objectName()] = action;
}

void EditorMenus::buildFileAndEdit(const Targets &t)
{
    QMainWindow *w = m_window;
    EditorFiles &f = t.files;
    EditHandlers &e = t.edits;
    PoseSaver &poses = t.poses;
    const auto editProfile = [w, &p = t.profile, &d = t.dialogs] { editArmProfile(w, d, p); };
    add(w->menuBar()->addMenu(QStringLiteral("&File")),
        {{"open", "&Open...", "Ctrl+O", [&f] { f.openChosen(); }},
         {"save", "&Save", "Ctrl+S", [&f] { f.save(); }},
         {"saveAs", "Save &As...", "Ctrl+Shift+S", [&f] { f.saveAs(); }},
         {"export", "&Export...", "Ctrl+Shift+E", [&f] { f.exportMotion(); }},
         {},
         {"quit", "&Quit", "Ctrl+Q", [w] { w->close(); }}});

    QMenu *edit = w->menuBar()->addMenu(QStringLiteral("&Edit"));
    QAction *undo = t.stack.createUndoAction(w, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    addExisting(edit, undo, QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = t.stack.createRedoAction(w, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    addExisting(edit, redo, QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    add(edit, {{},
               {"cut", "Cu&t", "Ctrl+X", [&e] { e.cutSteps(); }},
               {"copy", "&Copy", "Ctrl+C", [&e] { e.copySteps(); }},
               {"paste", "&Paste", "Ctrl+V", [&e] { e.pasteSteps(); },
                "Inserts the copied steps after the selection."},
               {"deleteSteps", "&Delete", "Del", [&e] { e.deleteSteps(); }},
               {"duplicate", "D&uplicate", "Ctrl+D", [&e] { e.duplicateSteps(); }},
               {"reverse", "Re&verse", "Ctrl+R", [&e] { e.reverseSteps(); }},
               {},
               {"selectAll", "Select &All", "Ctrl+A", [&e] { e.selectAll(); }},
               {},
               {"fitToLimits", "&Fit to Limits", "Ctrl+Shift+F", [&e] { e.fitToLimits(); },
                "Clamps every position into its axis's limits and walks every jump over its "
                "max_step."},
               {},
               {"armProfile", "Ar&m Profile...", nullptr, editProfile,
                "The arm's shape, calibration and limits, saved in their own file."},
               {"savePoseAs", "Save Pos&e As...", "Ctrl+Shift+P",
                [&poses, p = t.preview] { saveShownPose(poses, *p); },
                "Names the pose the preview shows and keeps it in the arm profile."}});
}

void EditorMenus::buildPositionsAndTiming(const Targets &t)
{
    EditHandlers &e = t.edits;
    TimedHandlers &timed = t.timed;
    TipHandlers &tips = t.tips;
    add(m_window->menuBar()->addMenu(QStringLiteral("&Positions")),
        {{"setPositions", "&Set...", "Ctrl+E", [&e] { e.setPositions(); }},
         {"offsetPositions", "&Offset...", "Ctrl+Shift+O", [&e] { e.offsetPositions(); }},
         {"scalePositions", "S&cale...", "Ctrl+Shift+C", [&e] { e.scalePositions(); }}});
    add(m_window->menuBar()->addMenu(QStringLiteral("&Timing")),
        {{"insertHold", "Insert &Hold...", "Ctrl+H", [&e] { e.insertHold(); },
          "Inserts a hold before the selection."},
         {"slowDown", "&Slow Down...", "Ctrl+L", [&e] { e.slowDown(); }},
         {"moveToPose", "&Move to Pose...", "Ctrl+P", [&e] { e.moveToPose(); },
          "Inserts a move to a pose before the selection."},
         {"smooth", "Smoot&h...", "Ctrl+M", [&e] { e.smoothSteps(); }},
         {},
         {"timedMoveToPose", "&Timed Move to Pose...", "Ctrl+T",
          [&timed] { timed.timedMoveToPose(); },
          "Inserts a move before the selection that eases every axis into the pose together."},
         {"moveTipTo", "Move Ti&p To...", "Ctrl+Shift+M", [&tips] { tips.moveTipTo(); },
          "Inserts a move of the tool point to a point and pitch before the selection: a joint "
          "move or a straight line."},
         {"retimeSelection", "&Retime Selection...", "Ctrl+Shift+T",
          [&timed] { timed.retimeSelection(); },
          "Makes the selection take a given time without changing its shape."},
         {"closeTheLoop", "&Close the Loop", "Ctrl+Shift+L", [&timed] { timed.closeTheLoop(); },
          "Appends a timed move back to the pose the pass starts from."}});
}

void EditorMenus::buildViewAndPreview(const Targets &t)
{
    TimelineView *v = t.timeline;
    QWidget *steps = t.steps;
    const auto middle = [v] { return v->plotLeft() + v->plotWidth() / 2.0; };
    add(m_window->menuBar()->addMenu(QStringLiteral("&View")),
        {{"zoomIn", "Zoom &In", "Ctrl++", [v, middle] { v->zoomBy(1.25, middle()); }},
         {"zoomOut", "Zoom &Out", "Ctrl+-", [v, middle] { v->zoomBy(0.8, middle()); }},
         {"zoomAll", "&Whole Motion", "Ctrl+0", [v] { v->fitAll(); }},
         {},
         {"focusTimeline", "Go to &Timeline", "Alt+1", [v] { v->setFocus(); }},
         {"focusSteps", "Go to &Step List", "Alt+2", [steps] { steps->setFocus(); }},
         {"focusPreview", "Go to &Preview", "Alt+3", [p = t.preview] { p->setFocus(); },
          "Focuses the preview, whose keys jog the tool point."}});

    QMenu *preview = m_window->menuBar()->addMenu(QStringLiteral("P&review"));
    PreviewPanel *p = t.preview;
    for (QAction *a : {p->playAction(), p->pauseAction(), p->stopAction(), p->loopAction()})
        addExisting(preview, a, {});
    preview->addSeparator();
    addExisting(preview, t.jogger->insertAction(), QKeySequence(QStringLiteral("Ctrl+I")));
}

void EditorMenus::showEnabled(const MotionDocument &document)
{
    const bool some = document.selection().count > 0;
    for (const char *name :
         {"cut", "copy", "deleteSteps", "duplicate", "reverse", "setPositions", "offsetPositions",
          "scalePositions", "slowDown", "smooth", "retimeSelection"})
        m_actions.at(QString::fromLatin1(name))->setEnabled(some);
    m_actions.at(QStringLiteral("selectAll"))->setEnabled(document.size() > 0);
    m_actions.at(QStringLiteral("fitToLimits"))->setEnabled(document.size() > 0);
    m_actions.at(QStringLiteral("closeTheLoop"))->setEnabled(document.size() > 0);
}
