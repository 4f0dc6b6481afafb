// Files: Open, Save, Save As, Export, a .kmv dropped on the window, the question before unsaved
// changes are set aside, and the snapshot that lets a crashed or killed editor give its work back.

#include "core/edit/recovery.h"
#include "core/export/exports.h"
#include "core/store/movement_file.h"
#include "core/store/save_file.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"
#include "windows/widgets/dialogs.h"

#include <QCloseEvent>
#include <QDragEnterEvent>
#include <QDropEvent>
#include <QFileInfo>
#include <QLocale>
#include <QMimeData>
#include <QStatusBar>
#include <QUrl>
#include <memory>

namespace {

const QString filter = QStringLiteral("kestrel (*.kmv)");

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

void EditorWindow::showMessage(const QString &text)
{
    m_services.dialogs->message(this, text, QStringLiteral("Kestrel Edit"), Dialogs::Icon::Critical,
                                Dialogs::Buttons::Ok);
}

bool EditorWindow::openFile(const QString &path)
{
    // Read and checked whole before anything changes: a bad file leaves the motion as it was.
    const movement::Loaded file = movement::load(path);
    if (!file.ok()) {
        showMessage(file.message);
        return false;
    }
    m_document.replace(file.records, path);
    say(QStringLiteral("Opened %1: %2 records.")
            .arg(QFileInfo(path).fileName())
            .arg(file.records.size()));
    return true;
}

void EditorWindow::openChosen()
{
    if (!maySetAside())
        return;
    const QString path =
        m_services.dialogs->openFile(this, QStringLiteral("Open Movement File"), filter);
    if (!path.isEmpty())
        openFile(path);
}

bool EditorWindow::save()
{
    if (m_document.file().isEmpty())
        return saveAs();
    return writeTo(m_document.file());
}

bool EditorWindow::saveAs()
{
    QString path =
        m_services.dialogs->saveFile(this, QStringLiteral("Save Movement File As"), filter);
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QStringLiteral(".kmv");
    return writeTo(path);
}

bool EditorWindow::exportMotion()
{
    const std::optional<ask::ExportChoice> choice = m_services.questions->exportChoice(this);
    if (!choice)
        return false;
    const exports::FormatInfo &format = exports::info(choice->format);
    const QString suffix = QString::fromLatin1(format.suffix);
    QString path = m_services.dialogs->saveFile(
        this, QStringLiteral("Export Motion"),
        QStringLiteral("%1 (*.%2)").arg(QString::fromUtf8(format.title), suffix));
    if (path.isEmpty())
        return false;
    if (QFileInfo(path).suffix().isEmpty())
        path += QLatin1Char('.') + suffix;
    const QString name = m_document.file().isEmpty() ? QStringLiteral("(a new motion)")
                                                     : QFileInfo(m_document.file()).fileName();
    const exports::Result made = exports::motion(choice->format, m_document.records(),
                                                 m_services.settings, choice->loops, name);
    const QString cannot =
        QStringLiteral("Cannot export to '") + path + QLatin1Char('\'') + QChar(13);
    if (!made.ok()) {
        showMessage(cannot + made.error);
        return false;
    }
    const SaveResult saved = saveWhole(path, made.data, false);
    if (!saved.ok) {
        showMessage(cannot + saved.reason);
        return false;
    }
    statusBar()->showMessage(
        QStringLiteral("Exported %1 as %2.").arg(name, QFileInfo(path).fileName()));
    return true;
}

bool EditorWindow::writeTo(const QString &path)
{
    const int n = m_document.size();
    const QString cannot =
        QStringLiteral("Cannot save the movement file '") + path + QLatin1Char('\'') + QChar(13);
    if (n > movement::maxRecords) {
        showMessage(cannot + QStringLiteral("The motion has %1 records; Kestrel holds at most %2. "
                                            "Delete %3 records before saving.")
                                 .arg(n)
                                 .arg(movement::maxRecords)
                                 .arg(n - movement::maxRecords));
        return false;
    }
    if (n == 0) {
        // Kestrel's reader refuses a file with no record; writing one would make a file that
        // cannot be opened again.
        showMessage(cannot + QStringLiteral("The motion has no records."));
        return false;
    }
    auto buffer = std::make_unique<StepBuffer>();
    movement::fill(*buffer, m_document.records());
    const SaveResult saved = saveWhole(path, movement::write(*buffer, 1, n), false);
    if (!saved.ok) {
        showMessage(cannot + saved.reason);
        return false;
    }
    m_document.setFile(path);
    // The work is in the file now. Its rescue goes before the title says the motion is saved,
    // so that whoever sees the title sees nothing left to recover.
    m_keeper.discard();
    m_document.undoStack().setClean();
    keepSnapshot();
    say(QStringLiteral("Saved %1: %2 records.").arg(QFileInfo(path).fileName()).arg(n));
    return true;
}

bool EditorWindow::maySetAside()
{
    if (m_document.undoStack().isClean())
        return true;
    const QString name =
        m_document.file().isEmpty()
            ? QStringLiteral("the new motion")
            : QLatin1Char('\'') + QFileInfo(m_document.file()).fileName() + QLatin1Char('\'');
    switch (m_services.questions->unsavedChanges(
        this, QStringLiteral("The changes to %1 are not saved. Save them?").arg(name))) {
    case ask::Unsaved::Save:
        return save();
    case ask::Unsaved::Discard:
        return true;
    case ask::Unsaved::Cancel:
        break;
    }
    return false;
}

void EditorWindow::closeEvent(QCloseEvent *event)
{
    if (!maySetAside()) {
        event->ignore();
        return;
    }
    m_snapshotTimer.stop();
    m_keeper.discard();
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
    if (maySetAside())
        openFile(path);
}

bool EditorWindow::keepSnapshot()
{
    m_snapshotTimer.stop();
    const QUndoStack &stack = m_document.undoStack();
    // A motion as it was saved needs no rescue.
    if (stack.isClean()) {
        m_keeper.discard();
        return true;
    }
    const SaveResult kept =
        m_keeper.save({m_document.file(), m_document.records(), stack.index(), stack.cleanIndex()});
    if (!kept.ok && !m_snapshotTroubleShown) {
        // Said once: the editor goes on, only the rescue after a crash is lost.
        m_snapshotTroubleShown = true;
        showMessage(QStringLiteral("Cannot keep a copy of the motion for recovery in '") +
                    m_services.stateFolder + QLatin1Char('\'') + QChar(13) + kept.reason);
    }
    return kept.ok;
}

bool EditorWindow::offerRecovery()
{
    // Only editors that are gone: a running one holds its lock, and its snapshot is not listed.
    for (recovery::LeftBehind &left : recovery::leftBehind(m_services.stateFolder)) {
        const recovery::Snapshot &snapshot = left.snapshot();
        const QString name = snapshot.file.isEmpty()
                                 ? QStringLiteral("a new motion")
                                 : QLatin1Char('\'') + snapshot.file + QLatin1Char('\'');
        const auto answer = m_services.dialogs->message(
            this,
            QStringLiteral("Kestrel Edit ended without saving the changes to %1 (%2 records), "
                           "last kept %3.")
                    .arg(name)
                    .arg(snapshot.records.size())
                    .arg(QLocale().toString(left.written(), QLocale::ShortFormat)) +
                QChar(13) + QStringLiteral("Recover them?"),
            QStringLiteral("Kestrel Edit"), Dialogs::Icon::Question, Dialogs::Buttons::YesNo);
        if (answer != Dialogs::Yes) {
            left.discard();
            continue;
        }
        // The file as it is on disk is the saved state; the recovered motion is one edit on top
        // of it, so that undo goes back to the file and the title shows the changes as unsaved.
        std::vector<Step> saved;
        if (!snapshot.file.isEmpty()) {
            const movement::Loaded file = movement::load(snapshot.file);
            if (file.ok())
                saved = file.records;
        }
        m_document.replace(saved, snapshot.file);
        push(QStringLiteral("Recover"), snapshot.records, {0, 0});
        // The old snapshot goes only once this window holds the work and its own snapshot does
        // too: a crash in between leaves at least one of them. Otherwise it stays for the next
        // start.
        if (m_document.records() == snapshot.records && keepSnapshot())
            left.discard();
        return true;
    }
    return false;
}
