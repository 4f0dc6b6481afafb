#include "edit/window/editor_files.h"

#include "core/edit/motion_document.h"
#include "core/edit/motion_files.h"
#include "core/store/movement_file.h"
#include "edit/window/edit_history.h"
#include "edit/window/editor_profile.h"
#include "edit/window/notices.h"
#include "edit/window/questions.h"
#include "windows/widgets/dialogs.h"

#include <QFileInfo>
#include <QMainWindow>

namespace {
const QString filter = QStringLiteral("kestrel (*.kmv)");
} // namespace

EditorFiles::EditorFiles(MotionDocument &document, EditHistory &history,
                         const EditorServices &services, const EditorProfile &profile,
                         const Notices &notices)
    : m_document(document), m_history(history), m_services(services), m_profile(profile),
      m_notices(notices), m_rescue(services.stateFolder)
{
    // Kept after every change of the undo position, once the events of the change have run:
    // a burst of edits writes one snapshot.
    m_snapshotTimer.setSingleShot(true);
    m_snapshotTimer.setInterval(0);
    connect(&m_snapshotTimer, &QTimer::timeout, this, &EditorFiles::keepSnapshot);
    connect(&history.stack(), &QUndoStack::indexChanged, &m_snapshotTimer,
            qOverload<>(&QTimer::start));
    connect(&history.stack(), &QUndoStack::cleanChanged, &m_snapshotTimer,
            qOverload<>(&QTimer::start));
}

bool EditorFiles::openFile(const QString &path)
{
    // Read and checked whole before anything changes: a bad file leaves the motion as it was.
    const movement::Loaded file = movement::load(path);
    if (!file.ok()) {
        m_notices.showMessage(file.message);
        return false;
    }
    m_history.replace(file.records, path);
    m_notices.say(QStringLiteral("Opened %1: %2 records.")
                      .arg(QFileInfo(path).fileName())
                      .arg(file.records.size()));
    return true;
}

void EditorFiles::openChosen()
{
    if (!maySetAside())
        return;
    const QString path = m_services.dialogs->openFile(m_notices.window(),
                                                      QStringLiteral("Open Movement File"), filter);
    if (!path.isEmpty())
        openFile(path);
}

bool EditorFiles::save()
{
    if (m_document.file().isEmpty())
        return saveAs();
    return writeTo(m_document.file());
}

bool EditorFiles::saveAs()
{
    const QString path = m_services.dialogs->saveFile(
        m_notices.window(), QStringLiteral("Save Movement File As"), filter);
    if (path.isEmpty())
        return false;
    return writeTo(editfiles::withSuffix(path, QStringLiteral("kmv")));
}

bool EditorFiles::exportMotion()
{
    const auto choice = m_services.questions->exportChoice(m_notices.window());
    if (!choice)
        return false;
    const exports::FormatInfo &format = exports::info(choice->format);
    const QString suffix = QString::fromLatin1(format.suffix);
    const QString path = m_services.dialogs->saveFile(
        m_notices.window(), QStringLiteral("Export Motion"),
        QStringLiteral("%1 (*.%2)").arg(QString::fromUtf8(format.title), suffix));
    if (path.isEmpty())
        return false;
    const editfiles::Written written = editfiles::exportMotion(
        editfiles::withSuffix(path, suffix), choice->format, m_document.records(),
        m_services.settings, choice->loops, m_document.file(), m_profile.profile());
    if (!written.ok)
        m_notices.showMessage(written.message);
    else
        m_notices.say(written.message, 0);
    return written.ok;
}

bool EditorFiles::writeTo(const QString &path)
{
    const editfiles::Written written = editfiles::saveMotion(path, m_document.records());
    if (!written.ok) {
        m_notices.showMessage(written.message);
        return false;
    }
    m_document.setFile(path);
    // The work is in the file now. Its rescue goes before the title says the motion is saved,
    // so that whoever sees the title sees nothing left to recover.
    m_rescue.discard();
    m_history.stack().setClean();
    keepSnapshot();
    m_notices.say(written.message);
    return true;
}

bool EditorFiles::maySetAside()
{
    if (m_history.isClean())
        return true;
    switch (m_services.questions->unsavedChanges(m_notices.window(),
                                                 editfiles::unsavedQuestion(m_document.file()))) {
    case ask::Unsaved::Save:
        return save();
    case ask::Unsaved::Discard:
        return true;
    case ask::Unsaved::Cancel:
        break;
    }
    return false;
}

void EditorFiles::closed()
{
    m_snapshotTimer.stop();
    m_rescue.discard();
}

bool EditorFiles::keepSnapshot()
{
    m_snapshotTimer.stop();
    const QUndoStack &stack = m_history.stack();
    const recovery::Kept kept =
        m_rescue.keep({m_document.file(), m_document.records(), stack.index(), stack.cleanIndex()},
                      stack.isClean());
    if (!kept.message.isEmpty())
        m_notices.showMessage(kept.message);
    return kept.ok;
}

bool EditorFiles::recover(const recovery::Snapshot &snapshot)
{
    m_history.replace(recovery::savedState(snapshot), snapshot.file);
    const QString refused =
        m_history.apply(QStringLiteral("Recover"), {snapshot.records, edits::Range{0, 0}});
    if (!refused.isEmpty())
        m_notices.showMessage(refused);
    return m_document.records() == snapshot.records && keepSnapshot();
}

bool EditorFiles::offerRecovery(const QString &orOpen)
{
    const auto accept = [this](const recovery::LeftBehind &left) {
        return m_services.dialogs->message(m_notices.window(), recovery::offerText(left),
                                           QStringLiteral("Kestrel Edit"), Dialogs::Icon::Question,
                                           Dialogs::Buttons::YesNo) == Dialogs::Yes;
    };
    const recovery::Offered offered = recovery::offer(
        m_services.stateFolder, accept, [this](const recovery::Snapshot &s) { return recover(s); });
    if (!offered.taken && !orOpen.isEmpty())
        openFile(orOpen);
    // Said last and kept until the next line: it is said once, and the line about the file
    // opened instead would hide it at once.
    if (!offered.setAside.isEmpty())
        m_notices.say(offered.setAside, 0);
    return offered.taken;
}
