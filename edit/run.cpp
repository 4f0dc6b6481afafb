#include "edit/run.h"

#include "core/edit/recovery.h"
#include "core/store/config_file.h"
#include "core/store/folders.h"
#include "core/text/command_line.h"
#include "core/text/program.h"
#include "edit/options.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"
#include "windows/widgets/dialogs.h"
#include "windows/widgets/look.h"

#include <QApplication>
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
