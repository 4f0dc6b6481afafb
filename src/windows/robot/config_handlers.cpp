// robotini.txt in the configuration folder: read once at start, written on "Save Configuration".

#include "core/store/config_file.h"
#include "core/store/save_file.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/scroll_bar.h"


namespace {
QString cannot(const QString &what, const QString &path, const QString &reason)
{
    return what + QStringLiteral(" '") + path + QStringLiteral("'") + QChar(13) + reason;
}
} // namespace

config::Settings robot::readConfiguration()
{
    const config::Loaded file = config::load(m_services.folders.configFile());
    // A first start without the file is no fault; a file that cannot be read is.
    if (file.trouble != config::Loaded::Trouble::None)
        m_dialogs.message(this, file.notice, QString(),
                          file.trouble == config::Loaded::Trouble::Missing ? Dialogs::Icon::None
                                                                           : Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
    return file.settings;
}

void robot::SaveCon_Click()
{
    std::array<int, axes::count> pose{};
    for (int channel = 0; channel < axes::count; ++channel)
        pose[channel] = slider[channel]->Value();
    const QString path = m_services.folders.configFile();
    const SaveResult saved =
        saveWhole(path, config::write(pose, m_config.homeSpeed, m_config.port), true);
    if (!saved.ok) {
        // The old file stays as it was, and so do the homes in memory.
        m_dialogs.message(
            this, cannot(QStringLiteral("Cannot save the configuration file"), path, saved.reason),
            QString(), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        return;
    }
    for (int channel = 0; channel < axes::count; ++channel)
        m_config.home[channel] = pose[channel];
}

void robot::Show_men_Click()
{
    const QString text = config::currentSettingsText(m_config, port_status == 0);
    if (port_status == 0)
        m_dialogs.message(this, text, QStringLiteral("CURRENT SETTINGS"), Dialogs::Icon::None,
                          Dialogs::Buttons::OkCancel);
    else
        m_dialogs.message(this, text, QStringLiteral("CURRENT SETTINGS"), Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
}
