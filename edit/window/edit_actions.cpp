// The menus: every edit, the files, the view and the preview, each with its keys. Every entry
// has a mnemonic, so the whole editor can be worked from the keyboard.

#include "edit/window/editor_window.h"
#include "edit/window/preview_panel.h"
#include "edit/window/step_list.h"
#include "edit/window/timeline_panel.h"
#include "edit/window/timeline_view.h"

#include <QAction>
#include <QMenuBar>

QAction *EditorWindow::addAction(QMenu *menu, const QString &name, const QString &text,
                                 const QKeySequence &keys, const std::function<void()> &handler)
{
    auto *a = menu->addAction(text);
    a->setObjectName(name);
    a->setShortcut(keys);
    connect(a, &QAction::triggered, this, handler);
    m_actions[name] = a;
    return a;
}

void EditorWindow::addExisting(QMenu *menu, QAction *action, const QKeySequence &keys)
{
    if (!keys.isEmpty())
        action->setShortcut(keys);
    menu->addAction(action);
    m_actions[action->objectName()] = action;
}

void EditorWindow::buildMenus()
{
    // The keys are spelled out rather than taken from the platform's standard keys, which are
    // empty on some platforms (Quit among them) and several keys at once on others.
    QMenu *file = menuBar()->addMenu(QStringLiteral("&File"));
    addAction(file, QStringLiteral("open"), QStringLiteral("&Open..."),
              QKeySequence(QStringLiteral("Ctrl+O")), [this] { openChosen(); });
    addAction(file, QStringLiteral("save"), QStringLiteral("&Save"),
              QKeySequence(QStringLiteral("Ctrl+S")), [this] { save(); });
    addAction(file, QStringLiteral("saveAs"), QStringLiteral("Save &As..."),
              QKeySequence(QStringLiteral("Ctrl+Shift+S")), [this] { saveAs(); });
    addAction(file, QStringLiteral("export"), QStringLiteral("&Export..."),
              QKeySequence(QStringLiteral("Ctrl+Shift+E")), [this] { exportMotion(); });
    file->addSeparator();
    addAction(file, QStringLiteral("quit"), QStringLiteral("&Quit"),
              QKeySequence(QStringLiteral("Ctrl+Q")), [this] { close(); });

    QMenu *edit = menuBar()->addMenu(QStringLiteral("&Edit"));
    QUndoStack &stack = m_document.undoStack();
    QAction *undo = stack.createUndoAction(this, QStringLiteral("&Undo"));
    undo->setObjectName(QStringLiteral("undo"));
    addExisting(edit, undo, QKeySequence(QStringLiteral("Ctrl+Z")));
    QAction *redo = stack.createRedoAction(this, QStringLiteral("&Redo"));
    redo->setObjectName(QStringLiteral("redo"));
    addExisting(edit, redo, QKeySequence(QStringLiteral("Ctrl+Shift+Z")));
    edit->addSeparator();
    addAction(edit, QStringLiteral("cut"), QStringLiteral("Cu&t"),
              QKeySequence(QStringLiteral("Ctrl+X")), [this] { cutSteps(); });
    addAction(edit, QStringLiteral("copy"), QStringLiteral("&Copy"),
              QKeySequence(QStringLiteral("Ctrl+C")), [this] { copySteps(); });
    addAction(edit, QStringLiteral("paste"), QStringLiteral("&Paste"),
              QKeySequence(QStringLiteral("Ctrl+V")), [this] { pasteSteps(); })
        ->setStatusTip(QStringLiteral("Inserts the copied steps after the selection."));
    addAction(edit, QStringLiteral("deleteSteps"), QStringLiteral("&Delete"),
              QKeySequence(QStringLiteral("Del")), [this] { deleteSteps(); });
    addAction(edit, QStringLiteral("duplicate"), QStringLiteral("D&uplicate"),
              QKeySequence(QStringLiteral("Ctrl+D")), [this] { duplicateSteps(); });
    addAction(edit, QStringLiteral("reverse"), QStringLiteral("Re&verse"),
              QKeySequence(QStringLiteral("Ctrl+R")), [this] { reverseSteps(); });
    edit->addSeparator();
    addAction(edit, QStringLiteral("selectAll"), QStringLiteral("Select &All"),
              QKeySequence(QStringLiteral("Ctrl+A")), [this] { selectAll(); });

    QMenu *positions = menuBar()->addMenu(QStringLiteral("&Positions"));
    addAction(positions, QStringLiteral("setPositions"), QStringLiteral("&Set..."),
              QKeySequence(QStringLiteral("Ctrl+E")), [this] { setPositions(); });
    addAction(positions, QStringLiteral("offsetPositions"), QStringLiteral("&Offset..."),
              QKeySequence(QStringLiteral("Ctrl+Shift+O")), [this] { offsetPositions(); });
    addAction(positions, QStringLiteral("scalePositions"), QStringLiteral("S&cale..."),
              QKeySequence(QStringLiteral("Ctrl+Shift+C")), [this] { scalePositions(); });

    QMenu *timing = menuBar()->addMenu(QStringLiteral("&Timing"));
    addAction(timing, QStringLiteral("insertHold"), QStringLiteral("Insert &Hold..."),
              QKeySequence(QStringLiteral("Ctrl+H")), [this] { insertHold(); })
        ->setStatusTip(QStringLiteral("Inserts a hold before the selection."));
    addAction(timing, QStringLiteral("slowDown"), QStringLiteral("&Slow Down..."),
              QKeySequence(QStringLiteral("Ctrl+L")), [this] { slowDown(); });
    addAction(timing, QStringLiteral("moveToPose"), QStringLiteral("&Move to Pose..."),
              QKeySequence(QStringLiteral("Ctrl+P")), [this] { moveToPose(); })
        ->setStatusTip(QStringLiteral("Inserts a move to a pose before the selection."));
    addAction(timing, QStringLiteral("smooth"), QStringLiteral("Smoot&h..."),
              QKeySequence(QStringLiteral("Ctrl+M")), [this] { smoothSteps(); });

    QMenu *view = menuBar()->addMenu(QStringLiteral("&View"));
    TimelineView *timeline = m_timeline->view();
    addAction(view, QStringLiteral("zoomIn"), QStringLiteral("Zoom &In"),
              QKeySequence(QStringLiteral("Ctrl++")), [timeline] {
                  timeline->zoomBy(1.25, timeline->plotLeft() + timeline->plotWidth() / 2.0);
              });
    addAction(view, QStringLiteral("zoomOut"), QStringLiteral("Zoom &Out"),
              QKeySequence(QStringLiteral("Ctrl+-")), [timeline] {
                  timeline->zoomBy(0.8, timeline->plotLeft() + timeline->plotWidth() / 2.0);
              });
    addAction(view, QStringLiteral("zoomAll"), QStringLiteral("&Whole Motion"),
              QKeySequence(QStringLiteral("Ctrl+0")), [timeline] { timeline->fitAll(); });
    view->addSeparator();
    addAction(view, QStringLiteral("focusTimeline"), QStringLiteral("Go to &Timeline"),
              QKeySequence(QStringLiteral("Alt+1")), [timeline] { timeline->setFocus(); });
    addAction(view, QStringLiteral("focusSteps"), QStringLiteral("Go to &Step List"),
              QKeySequence(QStringLiteral("Alt+2")), [this] { m_steps->setFocus(); });

    QMenu *preview = menuBar()->addMenu(QStringLiteral("P&review"));
    for (QAction *a : {m_preview->playAction(), m_preview->pauseAction(), m_preview->stopAction(),
                       m_preview->loopAction()})
        addExisting(preview, a, {});
}

void EditorWindow::showEnabled()
{
    const bool some = m_document.selection().count > 0;
    for (const char *name : {"cut", "copy", "deleteSteps", "duplicate", "reverse", "setPositions",
                             "offsetPositions", "scalePositions", "slowDown", "smooth"})
        m_actions.at(QString::fromLatin1(name))->setEnabled(some);
    m_actions.at(QStringLiteral("selectAll"))->setEnabled(m_document.size() > 0);
}
