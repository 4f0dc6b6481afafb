// Movement files: Open, Save and Save As of the File menu.

#include "core/store/movement_file.h"
#include "core/store/save_file.h"
#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/dialogs.h"

#include <QFileInfo>
#include <QPushButton>

namespace {
const QString dialogTitle = QStringLiteral("Select File to Open"); // for Save As too
const QString filter = QStringLiteral("kestrel (*.kmv)");
// Fewer steps than this are not worth a file.
constexpr int leastStepCountToSave = 11;
} // namespace

void robot::Open_men_Click()
{
    const QString name = m_dialogs.openFile(this, dialogTitle, filter);
    if (!name.isEmpty() && QFileInfo::exists(name)) {
        // The whole file is read and checked before anything changes: a bad file leaves the
        // buffer, its count and the current file name as they were.
        const movement::Loaded file = movement::load(name);
        if (!file.ok()) {
            m_dialogs.message(this, file.message, QString(), Dialogs::Icon::Critical,
                              Dialogs::Buttons::Ok);
        } else {
            m_session.openMovement(name, file.records);
        }
    }
    // Only RUN itself; its picture twin is left as it is.
    m_transport->button(TransportPanel::Button::Run)->setEnabled(true);
}

void robot::Save_men_Click()
{
    const StepBuffer &steps = m_session.stepBuffer();
    if (steps.stepCount() < leastStepCountToSave)
        return;
    const QString &file = m_session.movementFile();
    const SaveResult saved = saveWhole(file, movement::write(steps, 1, steps.stepCount()), false);
    if (!saved.ok)
        m_dialogs.message(this,
                          QStringLiteral("Cannot save the movement file '") + file +
                              QStringLiteral("'") + QChar(13) + saved.reason,
                          QString(), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}

void robot::Saveas_men_Click()
{
    if (m_session.stepBuffer().stepCount() < leastStepCountToSave)
        return;
    const QString name = m_dialogs.saveFile(this, dialogTitle, filter);
    if (name.isEmpty())
        return;
    m_session.setMovementFile(name);
    Save_men_Click();
}
