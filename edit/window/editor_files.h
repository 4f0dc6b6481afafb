#pragma once
// The File menu's side of the editor: Open, Save, Save As, Export, a .kmv dropped on the window,
// the question before unsaved changes are set aside, and this window's recovery snapshot, kept
// after every change of the undo position. What is written and what is said about it are core's
// (motion_files.h, rescue.h); this asks the operator and shows the outcome.

#include "core/edit/rescue.h"
#include "edit/window/editor_services.h"

#include <QObject>
#include <QTimer>

class EditHistory;
class EditorProfile;
class MotionDocument;
class Notices;

class EditorFiles : public QObject {
    Q_OBJECT
public:
    // `profile` is the one the window draws by, which its dialog may change: Export keeps to it.
    EditorFiles(MotionDocument &document, EditHistory &history, const EditorServices &services,
                const EditorProfile &profile, const Notices &notices);

    bool openFile(const QString &path);
    void openChosen();
    bool save();
    bool saveAs();
    bool exportMotion();
    // Offers what editors that are gone left behind; when none is taken, opens `orOpen` (if
    // any) instead. True when one was taken.
    bool offerRecovery(const QString &orOpen = {});
    // Asks about unsaved changes; false when the operator chose to stay.
    bool maySetAside();
    // A clean close: the snapshot goes, since the operator has decided about the changes.
    void closed();

private:
    bool writeTo(const QString &path);
    // Writes this window's snapshot, or removes it when the motion is as saved; false when it
    // could not be written.
    bool keepSnapshot();
    bool recover(const recovery::Snapshot &snapshot);

    MotionDocument &m_document;
    EditHistory &m_history;
    const EditorServices &m_services;
    const EditorProfile &m_profile;
    const Notices &m_notices;
    recovery::Rescue m_rescue;
    QTimer m_snapshotTimer;
};
