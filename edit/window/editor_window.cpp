#include "edit/window/editor_window.h"

#include "edit/window/check_list.h"
#include "edit/window/pad_jogger.h"
#include "edit/window/preview_panel.h"
#include "edit/window/step_list.h"
#include "edit/window/timeline_panel.h"
#include "edit/window/timeline_view.h"
#include "edit/window/tip_jogger.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLabel>
#include <QMimeData>
#include <QSplitter>
#include <QStatusBar>
#include <QUrl>

namespace {

// The first local .kmv file among dropped URLs; empty when there is none.
QString droppedMovement(const QMimeData *mime)
{
    if (!mime || !mime->hasUrls())
        return {};
    for (const QUrl &url : mime->urls())
        if (url.isLocalFile() &&
            url.toLocalFile().endsWith(QLatin1String(".kmv"), Qt::CaseInsensitive))
            return url.toLocalFile();
    return {};
}

} // namespace

EditorWindow::EditorWindow(const EditorServices &services, QWidget *parent)
    : QMainWindow(parent), m_services(services), m_profile(services.profilePath, services.profile),
      m_document(services.passStart), m_history(m_document), m_notices(this, services.dialogs),
      m_edits(m_document, m_history, services.questions, m_notices, m_profile),
      m_timed(m_document, m_history, services.questions, m_notices, m_profile),
      m_tips(m_document, m_history, services.questions, m_notices, m_profile),
      m_poses(m_document, m_profile, services.questions, m_notices),
      m_files(m_document, m_history, m_services, m_profile, m_notices)
{
    setObjectName(QStringLiteral("editor"));
    setAcceptDrops(true);
    layOut();
    m_menus = std::make_unique<EditorMenus>(
        this, EditorMenus::Targets{m_files, m_edits, m_timed, m_tips, m_poses, m_history.stack(),
                                   m_timeline->view(), m_steps, m_preview, m_jogger, m_profile,
                                   *services.dialogs});
    const auto showEnabled = [this] { m_menus->showEnabled(m_document); };
    connect(&m_document, &MotionDocument::selectionChanged, this, showEnabled);
    connect(&m_document, &MotionDocument::recordsChanged, this, showEnabled);
    connect(&m_document, &MotionDocument::fileChanged, this, &EditorWindow::showTitle);
    connect(&m_history.stack(), &QUndoStack::cleanChanged, this, &EditorWindow::showTitle);
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

void EditorWindow::layOut()
{
    m_timeline = new TimelinePanel(m_document, m_profile, this);
    m_steps = new StepList(m_document, this);
    m_checks = new CheckList(m_document, m_profile, m_services.settings, this);
    m_preview = new PreviewPanel(m_document, m_profile, this);
    m_jogger = new TipJogger(*m_preview, m_document, m_profile, m_timed);
    connect(m_preview, &PreviewPanel::playheadMoved, m_timeline->view(),
            &TimelineView::setPlayhead);
    connect(m_checks, &CheckList::stepChosen, m_timeline->view(), &TimelineView::reveal);
    auto *left = new QSplitter(Qt::Vertical, this);
    left->addWidget(m_timeline);
    left->addWidget(m_preview);
    left->setStretchFactor(0, 3);
    left->setStretchFactor(1, 2);
    auto *right = new QSplitter(Qt::Vertical, this);
    right->addWidget(m_steps);
    right->addWidget(m_checks);
    right->setStretchFactor(0, 3);
    right->setStretchFactor(1, 1);
    auto *whole = new QSplitter(Qt::Horizontal, this);
    whole->addWidget(left);
    whole->addWidget(right);
    whole->setStretchFactor(0, 3);
    whole->setStretchFactor(1, 1);
    setCentralWidget(whole);
    statusBar()->setObjectName(QStringLiteral("status"));
    m_limits = new QLabel(m_checks->summary(), this);
    m_limits->setObjectName(QStringLiteral("limitCount"));
    m_limits->setAccessibleName(QStringLiteral("Limit breaches"));
    statusBar()->addPermanentWidget(m_limits);
    connect(m_checks, &CheckList::summaryChanged, m_limits, &QLabel::setText);
    if (m_services.pads)
        new PadJogger(*m_services.pads, *m_jogger, m_profile, statusBar());
}

void EditorWindow::showTitle()
{
    const QString file = m_document.file();
    const QString name = file.isEmpty() ? QStringLiteral("New motion") : QFileInfo(file).fileName();
    setWindowTitle(name + QStringLiteral("[*] \u2014 Kestrel Edit"));
    setWindowModified(!m_history.isClean());
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!m_files.maySetAside()) {
        event->ignore();
        return;
    }
    m_files.closed();
    event->accept();
}

void EditorWindow::dragEnterEvent(QDragEnterEvent *event)
{
    if (!droppedMovement(event->mimeData()).isEmpty())
        event->acceptProposedAction();
}

void EditorWindow::dropEvent(QDropEvent *event)
{
    const QString path = droppedMovement(event->mimeData());
    if (path.isEmpty())
        return;
    event->acceptProposedAction();
    if (m_files.maySetAside())
        m_files.openFile(path);
}
