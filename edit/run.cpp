#include "edit/run.h"

#include "core/arm/profile_file.h"
#include "core/edit/recovery.h"
#include "core/export/exports.h"
#include "core/pad/game_pads.h"
#include "core/program/command_line.h"
#include "core/program/terminal.h"
#include "core/store/config_file.h"
#include "core/store/folders.h"
#include "core/store/save_file.h"
#include "core/text/program.h"
#include "edit/move_to.h"
#include "edit/options.h"
#include "edit/script_inputs.h"
#include "edit/solve.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <QFileInfo>
#include <QStatusBar>
#include <cstdio>
#include <memory>
#include <optional>

namespace edit {

namespace {

using program::say;

// The export's bytes to OUT, or to standard output without -o; 0 when all of them arrived, else
// 4 with the reason on standard error.
int writeOut(const QString &input, const QString &output, const QByteArray &data)
{
    if (output.isEmpty()) {
        const qint64 written =
            qint64(std::fwrite(data.constData(), 1, std::size_t(data.size()), stdout));
        std::fflush(stdout);
        return written == data.size() && !std::ferror(stdout) ? 0 : 4;
    }
    const SaveResult saved = exports::write(output, data, input);
    if (!saved.ok) {
        say(stderr,
            QStringLiteral("kestrel-edit: cannot write '%1': %2").arg(output, saved.reason));
        return 4;
    }
    return 0;
}

// The limits' side of an export: a refusal (7, nothing written) or, with --no-limits, a warning.
// The exit status when the export is not written.
std::optional<int> refusedByProfile(const exports::Result &result, const QString &profileFile)
{
    if (!result.breach)
        return std::nullopt;
    if (result.ok()) {
        say(stderr, QStringLiteral("Warning: the motion breaks the arm profile '%1'; exporting it "
                                   "anyway (--no-limits).\r%2")
                        .arg(profileFile, result.breach->text()));
        return std::nullopt;
    }
    say(stderr, QStringLiteral("kestrel-edit: the motion breaks the arm profile '%1'; nothing was "
                               "written (--no-limits exports it anyway).\r%2")
                    .arg(profileFile, result.error));
    return 7;
}

// --export, with no window: the file, the configuration's homes and the arm profile, the
// format, then OUT or standard output.
int exportMotion(const Options &o)
{
    const std::optional<ScriptInputs> in = readScriptInputs(o);
    if (!in)
        return 3;
    const exports::Result result =
        exports::motion(*exports::formatNamed(o.exportFormat), in->records, in->settings, o.loops,
                        QFileInfo(o.file).fileName(), in->profile,
                        o.noLimits ? exports::Limits::Waive : exports::Limits::Keep);
    if (const std::optional<int> refused = refusedByProfile(result, in->profileFile))
        return *refused;
    if (!result.ok()) {
        say(stderr, QStringLiteral("kestrel-edit: %1").arg(result.error));
        return 3;
    }
    return writeOut(o.file, o.output, result.data);
}

// What the editor could not use of the configuration folder: the profile's reason in a message,
// and a line for each in the status bar.
void tellTrouble(EditorWindow &window, Dialogs &dialogs, const config::Loaded &configuration,
                 const QString &configDir, const arm::ProfileRead &profile)
{
    QStringList trouble;
    if (configuration.trouble != config::Loaded::Trouble::None)
        trouble << QStringLiteral(
                       "No usable robotini.txt in %1: times start from the default homes.")
                       .arg(configDir);
    if (!profile.ok()) {
        dialogs.message(&window, profile.error, QStringLiteral("Kestrel Edit"),
                        Dialogs::Icon::Critical, Dialogs::Buttons::Ok);
        trouble << QStringLiteral("The arm profile was not used: the arm's defaults apply.");
    }
    if (!trouble.isEmpty())
        window.statusBar()->showMessage(trouble.join(QLatin1Char(' ')));
}

// The editor's window on the motion, with the configuration's homes; a file it names is opened
// unless the work of a crashed editor is recovered instead.
int edit(QApplication &app, const Options &o)
{
    const QString configDir = o.configDir.isEmpty() ? Folders::standard().config : o.configDir;
    const config::Loaded configuration = config::load(configDir + QStringLiteral("/robotini.txt"));

    QtDialogs dialogs;
    ask::DialogQuestions questions;
    EditorServices services;
    services.dialogs = &dialogs;
    services.questions = &questions;
    services.passStart = timing::passStartPose(configuration.settings);
    services.settings = configuration.settings;
    services.stateFolder = recovery::stateFolder();
    // No --profile: arm.ini beside robotini.txt, which need not be there.
    services.profilePath = o.profile.isEmpty() ? arm::profilePath(configDir) : o.profile;
    const arm::ProfileRead profile = arm::load(services.profilePath, o.profile.isEmpty());
    services.profile = profile.profile;
    // SDL starts only here, with a window: the runs that answer on the command line never need it.
    GamePads pads;
    services.pads = pads.startFor(QStringLiteral("kestrel-edit"));
    EditorWindow window(services);
    window.show();
    // Without a window manager nobody else gives the window the keyboard.
    window.activateWindow();
    tellTrouble(window, dialogs, configuration, configDir, profile);
    window.offerRecovery(o.file);
    // A message box that had the keyboard gives it back to nobody when no manager is there.
    window.activateWindow();
    return app.exec();
}

} // namespace

int run(int argc, char **argv)
{
    if (answersWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        program::nameApplication();
        const Parsed parsed = program::readBesideQt(QCoreApplication::arguments(), parse);
        if (parsed.outcome != Parsed::Run)
            return program::answer(parsed, QStringLiteral("kestrel-edit"));
        if (parsed.options.solving())
            return solve(parsed.options);
        if (parsed.options.movingTo())
            return moveTo(parsed.options);
        return exportMotion(parsed.options);
    }

    QApplication app(argc, argv);
    look::setUpApplication();
    // Kestrel's name finds Kestrel's folders; the desktop knows the editor by its own entry.
    QGuiApplication::setDesktopFileName(program::appId() + QStringLiteral(".Edit"));
    // A command line that cannot be used was refused above already.
    return edit(app, program::readBesideQt(QCoreApplication::arguments(), parse).options);
}

} // namespace edit
