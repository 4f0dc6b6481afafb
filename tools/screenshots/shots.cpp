// kestrel-shots: makes the pictures of the help topics from the program's own windows, rendered
// offscreen. Each picture is a window brought into the state its topic describes by the same
// handlers a user drives (a port that opens and never answers stands in for the arm), grabbed,
// and fitted into the help window's picture area. The help file says which pictures it wants.
//
//   kestrel-shots [FOLDER]                 writes the pictures (default: the shipped help folder)
//   kestrel-shots --review HELP OUT        grabs the help window for every topic of HELP into
//                                          OUT and lists the text lines that do not fit
//   kestrel-shots --readme FOLDER          writes the README's picture of the game controller,
//                                          FOLDER/pad.png

#include "grabbing_dialogs.h"
#include "picture.h"
#include "review.h"
#include "scenes.h"
#include "windows/widgets/look.h"

#include "core/help/help_file.h"
#include "core/store/folders.h"

#include <QApplication>
#include <QCommandLineParser>
#include <QDir>
#include <cstdio>

namespace {

// The pictures the help file names, in file order, each once.
QStringList wantedPictures(const QString &helpFolder)
{
    Folders folders;
    folders.help = helpFolder;
    const help::HelpFile file = help::readHelpFile(folders.helpFile());
    if (!file.ok()) {
        std::fprintf(stderr, "kestrel-shots: %s: %s\n", qPrintable(folders.helpFile()),
                     qPrintable(file.error));
        return {};
    }
    QStringList names;
    for (const help::Topic &topic : help::topics(file)) {
        const QString name = file.line(topic.line + 1).trimmed();
        if (!name.isEmpty() && !names.contains(name))
            names << name;
    }
    return names;
}

int makePictures(const QString &folder)
{
    if (!QDir().mkpath(folder)) {
        std::fprintf(stderr, "kestrel-shots: cannot make the folder %s\n", qPrintable(folder));
        return 1;
    }
    const QStringList wanted = wantedPictures(QStringLiteral(KESTREL_SOURCE_HELP_DIR));
    if (wanted.isEmpty())
        return 1;
    int failures = 0;
    for (const QString &name : wanted) {
        const shots::Scene *scene = shots::sceneFor(name);
        if (!scene) {
            std::fprintf(stderr, "kestrel-shots: no scene makes %s; it is left as it is\n",
                         qPrintable(name));
            ++failures;
            continue;
        }
        const QImage picture = scene->make(folder);
        const QString path = QDir(folder).filePath(name);
        if (picture.isNull() || !shots::saveJpeg(picture, path)) {
            ++failures;
            continue;
        }
        std::printf("%-18s %s\n", qPrintable(name), scene->shows);
    }
    return failures == 0 ? 0 : 1;
}

int makeReadmePictures(const QString &folder)
{
    const QString path = QDir(folder).filePath(QStringLiteral("pad.png"));
    if (!QDir().mkpath(folder) || !shots::padMapForReadme().save(path, "PNG")) {
        std::fprintf(stderr, "kestrel-shots: cannot write %s\n", qPrintable(path));
        return 1;
    }
    std::printf("%-18s %s\n", "pad.png", "the game controller in the main window and the editor");
    return 0;
}

QtMessageHandler defaultHandler = nullptr;

// The offscreen platform says, for each window, which desktop services it lacks (raising,
// keyboard grabs); none of them matters to a picture.
void quietHandler(QtMsgType type, const QMessageLogContext &context, const QString &message)
{
    if (type == QtWarningMsg && message.startsWith(QLatin1String("This plugin does not support")))
        return;
    defaultHandler(type, context, message);
}

} // namespace

int main(int argc, char *argv[])
{
    defaultHandler = qInstallMessageHandler(quietHandler);
    // Rendered offscreen unless a screen is asked for by name.
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    // As the program itself: its name in message boxes without a title, and its style.
    look::setUpApplication();

    QCommandLineParser parser;
    parser.setApplicationDescription(
        QStringLiteral("Makes the pictures of Kestrel's help topics from its own windows."));
    parser.addHelpOption();
    const QCommandLineOption review(
        QStringLiteral("review"),
        QStringLiteral("Grab the help window for every topic of the help folder <help> into the "
                       "folder given as argument, and list the lines that do not fit."),
        QStringLiteral("help"));
    parser.addOption(review);
    const QCommandLineOption readme(
        QStringLiteral("readme"),
        QStringLiteral("Write the README's picture of the game controller into <folder>."),
        QStringLiteral("folder"));
    parser.addOption(readme);
    parser.addPositionalArgument(QStringLiteral("folder"),
                                 QStringLiteral("Where the pictures go (default: %1).")
                                     .arg(QStringLiteral(KESTREL_SOURCE_HELP_DIR)));
    parser.process(app);

    const QStringList args = parser.positionalArguments();
    if (parser.isSet(review)) {
        if (args.size() != 1)
            parser.showHelp(2);
        return shots::reviewHelp(parser.value(review), args.first());
    }
    if (parser.isSet(readme) && args.isEmpty())
        return makeReadmePictures(parser.value(readme));
    if (args.size() > 1 || parser.isSet(readme))
        parser.showHelp(2);
    return makePictures(args.isEmpty() ? QStringLiteral(KESTREL_SOURCE_HELP_DIR) : args.first());
}
