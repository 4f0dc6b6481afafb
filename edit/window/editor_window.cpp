#include "edit/window/editor_window.h"

#include "edit/window/preview_panel.h"
#include "edit/window/step_list.h"
#include "edit/window/timeline_panel.h"
#include "edit/window/timeline_view.h"

#include <QAction>
#include <QFileInfo>
#include <QSplitter>
#include <QStatusBar>

EditorWindow::EditorWindow(const EditorServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_document(services.passStart),
      m_keeper(services.stateFolder)
{
    setObjectName(QStringLiteral("editor"));
    setAcceptDrops(true);
    m_timeline = new TimelinePanel(m_document, this);
    m_steps = new StepList(m_document, this);
    m_preview = new PreviewPanel(m_document, this);
    connect(m_preview, &PreviewPanel::playheadMoved, m_timeline->view(),
            &TimelineView::setPlayhead);

    auto *left = new QSplitter(Qt::Vertical, this);
    left->addWidget(m_timeline);
    left->addWidget(m_preview);
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    auto *whole = new QSplitter(Qt::Horizontal, this);
    whole->addWidget(left);
    whole->addWidget(m_steps);
    whole->setStretchFactor(0, 3);
    whole->setStretchFactor(1, 1);
    setCentralWidget(whole);
    statusBar()->setObjectName(QStringLiteral("status"));

    buildMenus();
    connect(&m_document, &MotionDocument::selectionChanged, this, &EditorWindow::showEnabled);
    connect(&m_document, &MotionDocument::recordsChanged, this, &EditorWindow::showEnabled);
    connect(&m_document, &MotionDocument::fileChanged, this, &EditorWindow::showTitle);
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, this, &EditorWindow::showTitle);

    // Kept after every change of the undo position, once the events of the change have run:
    // a burst of edits writes one snapshot.
    m_snapshotTimer.setSingleShot(true);
    m_snapshotTimer.setInterval(0);
    connect(&m_snapshotTimer, &QTimer::timeout, this, &EditorWindow::keepSnapshot);
    connect(&m_document.undoStack(), &QUndoStack::indexChanged, &m_snapshotTimer,
            qOverload<>(&QTimer::start));
    connect(&m_document.undoStack(), &QUndoStack::cleanChanged, &m_snapshotTimer,
            qOverload<>(&QTimer::start));

    showTitle();
    showEnabled();
    resize(1100, 720);
    m_timeline->view()->setFocus();
}

// The snapshot is not discarded here: a window that goes without being closed (a crash, a kill)
// leaves it for the next start. One that closes discards it in closeEvent.
EditorWindow::~EditorWindow()
{
    // The views read the document while they are hidden and laid out, which the base class's
    // destructor does after the members are gone; so the views go first, while it is whole.
    delete centralWidget();
}

QAction *EditorWindow::action(const QString &name) const
{
    const auto it = m_actions.find(name);
    return it == m_actions.end() ? nullptr : it->second;
}

void EditorWindow::showTitle()
{
    const QString file = m_document.file();
    const QString name = file.isEmpty() ? QStringLiteral("New motion") : QFileInfo(file).fileName();
    setWindowTitle(name + QStringLiteral("[*] \u2014 Kestrel Edit"));
    setWindowModified(!m_document.undoStack().isClean());
}

void EditorWindow::say(const QString &text)
{
    statusBar()->showMessage(text, 8000);
}
