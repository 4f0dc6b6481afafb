// Movement files: Open, Save and Save As of the File menu.

#include "windows/robot/robot.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/dialogs.h"

#include <QPushButton>

namespace {
const QString dialogTitle = QStringLiteral("Select File to Open"); // for Save As too
const QString filter = QStringLiteral("kestrel (*.kmv)");
} // namespace

void robot::Open_men_Click()
{
    const QString name = m_services.dialogs->openFile(this, dialogTitle, filter);
    if (!name.isEmpty()) {
        const QString trouble = m_session.files().openMovementFile(name);
        if (!trouble.isEmpty())
            m_services.dialogs->message(this, trouble, QString(), Dialogs::Icon::Critical,
                                        Dialogs::Buttons::Ok);
    }
    // Only RUN itself; its picture twin is left as it is.
    m_transport->button(TransportPanel::Button::Run)->setEnabled(true);
}

void robot::Save_men_Click()
{
    const QString trouble = m_session.files().saveMovement();
    if (!trouble.isEmpty())
        m_services.dialogs->message(this, trouble, QString(), Dialogs::Icon::Critical,
                                    Dialogs::Buttons::Ok);
}

void robot::Saveas_men_Click()
{
    if (!m_session.files().worthSaving())
        return;
    const QString name = m_services.dialogs->saveFile(this, dialogTitle, filter);
    if (name.isEmpty())
        return;
    m_session.setMovementFile(name);
    Save_men_Click();
}
