#include "edit/run.h"

#include "core/edit/recovery.h"
#include "core/export/exports.h"
#include "core/store/config_file.h"
#include "core/store/folders.h"
#include "core/store/movement_file.h"
#include "core/store/save_file.h"
#include "core/text/command_line.h"
#include "core/text/program.h"
#include "edit/options.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
#include <QFileInfo>
#include <QStatusBar>
#include <cstdio>
#include <memory>

namespace edit {

namespace {

void say(FILE *to, const QString &text)
{
    std::fputs(text.toLocal8Bit().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

// --export, with no window: the file, the configuration's homes, the format, then OUT or
// standard output.
int exportMotion(const Options &o)
{
    const movement::Loaded file = movement::load(o.file);
    if (!file.ok()) {
        say(stderr, file.message.split(QChar(13)).join(QChar('\n')));
        return 3;
    }
    const Folders folders = o.configDir.isEmpty() ? Folders::standard() : Folders{o.configDir, {}};
    const config::Loaded configuration = config::load(folders.configFile());
    // As kestrel-play says it: the homes are then the defaults.
    if (configuration.trouble != config::Loaded::Trouble::None)
        say(stderr, configuration.notice.split(QChar(13)).join(QChar('\n')));
    const exports::Result result =
        exports::motion(*exports::formatNamed(o.exportFormat), file.records, configuration.settings,
                        o.loops, QFileInfo(o.file).fileName());
    if (!result.ok()) {
        say(stderr, QStringLiteral("kestrel-edit: %1").arg(result.error));
        return 3;
    }
    if (o.output.isEmpty()) {
        const qint64 written = qint64(
            std::fwrite(result.data.constData(), 1, std::size_t(result.data.size()), stdout));
        std::fflush(stdout);
        return written == result.data.size() && !std::ferror(stdout) ? 0 : 4;
    }
    const SaveResult saved = saveWhole(o.output, result.data, false);
    if (!saved.ok) {
        say(stderr,
            QStringLiteral("kestrel-edit: cannot write '%1': %2").arg(o.output, saved.reason));
        return 4;
    }
    return 0;
}

} // namespace

int run(int argc, char **argv)
{
    if (answersWithoutWindow(argc, argv)) {
        QCoreApplication app(argc, argv);
        program::nameApplication();
        QString qtError;
        Parsed parsed = parse(program::withoutQtOptions(QCoreApplication::arguments(), &qtError));
        if (!qtError.isEmpty())
            parsed = {Options{}, Parsed::Error, qtError};
        if (parsed.outcome == Parsed::Error) {
            say(stderr,
                QStringLiteral("kestrel-edit: %1\nTry 'kestrel-edit --help'.").arg(parsed.text));
            return 2;
        }
        if (parsed.outcome == Parsed::Export)
            return exportMotion(parsed.options);
        say(stdout, parsed.text);
        return 0;
    }

    QApplication app(argc, argv);
    look::setUpApplication();
    // Kestrel's name finds Kestrel's folders; the desktop knows the editor by its own entry.
    QGuiApplication::setDesktopFileName(program::appId() + QStringLiteral(".Edit"));
    QString ignored; // refused above already
    const Parsed parsed = parse(program::withoutQtOptions(QCoreApplication::arguments(), &ignored));
    const Options &o = parsed.options;

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
    EditorWindow window(services);
    window.show();
    // Without a window manager nobody else gives the window the keyboard.
    window.activateWindow();
    if (configuration.trouble != config::Loaded::Trouble::None)
        window.statusBar()->showMessage(
            QStringLiteral("No usable robotini.txt in %1: times start from the default homes.")
                .arg(configDir));
    if (!window.offerRecovery() && !o.file.isEmpty())
        window.openFile(o.file);
    // A message box that had the keyboard gives it back to nobody when no manager is there.
    window.activateWindow();
    return app.exec();
}

} // namespace edit
