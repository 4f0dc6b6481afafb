// robotini.txt in the configuration folder: read once at start, written on "Save Configuration".

#include "core/store/config_file.h"
#include "windows/robot/robot.h"
#include "windows/robot/views.h"
#include "windows/widgets/dialogs.h"

config::Settings readConfiguration(QWidget *window, const Folders &folders, Dialogs &dialogs)
{
    const config::Loaded file = config::load(folders.configFile());
    // A first start without the file is no fault; a file that cannot be read is.
    if (file.trouble != config::Loaded::Trouble::None)
        dialogs.message(window, file.notice, QString(),
                        file.trouble == config::Loaded::Trouble::Missing ? Dialogs::Icon::None
                                                                         : Dialogs::Icon::Critical,
                        Dialogs::Buttons::Ok);
    return file.settings;
}

void robot::SaveCon_Click()
{
    const QString trouble =
        m_session.files().saveConfiguration(m_services.folders.configFile(), m_session.positions());
    if (!trouble.isEmpty())
        m_services.dialogs->message(this, trouble, QString(), Dialogs::Icon::Critical,
                                    Dialogs::Buttons::Ok);
}

void robot::Show_men_Click()
{
    const bool usable = m_session.portStatus() == 0;
    const QString text = config::currentSettingsText(m_session.configuration(), usable);
    if (usable)
        m_services.dialogs->message(this, text, QStringLiteral("CURRENT SETTINGS"),
                                    Dialogs::Icon::None, Dialogs::Buttons::OkCancel);
    else
        m_services.dialogs->message(this, text, QStringLiteral("CURRENT SETTINGS"),
                                    Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
}
