// robotini.txt in the configuration folder: read once at start, written on "Save Configuration".

#include "core/store/config_file.h"
#include "core/store/save_file.h"
#include "windows/robot/robot.h"
#include "windows/widgets/dialogs.h"

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
    const std::array<int, axes::count> pose = m_session.positions();
    const config::Settings &settings = m_session.configuration();
    const QString path = m_services.folders.configFile();
    const SaveResult saved =
        saveWhole(path, config::write(pose, settings.homeSpeed, settings.port), true);
    if (!saved.ok) {
        // The old file stays as it was, and so do the homes in memory.
        m_dialogs.message(
            this, cannot(QStringLiteral("Cannot save the configuration file"), path, saved.reason),
            QString(), Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        return;
    }
    config::Settings saved_as = settings;
    for (int channel = 0; channel < axes::count; ++channel)
        saved_as.home[channel] = pose[channel];
    m_session.setConfiguration(saved_as);
}

void robot::Show_men_Click()
{
    const bool usable = m_session.portStatus() == 0;
    const QString text = config::currentSettingsText(m_session.configuration(), usable);
    if (usable)
        m_dialogs.message(this, text, QStringLiteral("CURRENT SETTINGS"), Dialogs::Icon::None,
                          Dialogs::Buttons::OkCancel);
    else
        m_dialogs.message(this, text, QStringLiteral("CURRENT SETTINGS"), Dialogs::Icon::Critical,
                          Dialogs::Buttons::Ok);
}
