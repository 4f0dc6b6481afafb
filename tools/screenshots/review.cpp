#include "review.h"

#include "picture.h"

#include "core/help/help_file.h"
#include "core/store/folders.h"
#include "windows/help/helpwindow.h"

#include <QApplication>
#include <QDir>
#include <QFontMetrics>
#include <QRadioButton>
#include <QScrollBar>
#include <QSet>
#include <cstdio>

namespace shots {

int reviewHelp(const QString &helpFolder, const QString &out)
{
    if (!QDir().mkpath(out)) {
        std::fprintf(stderr, "kestrel-shots: cannot make the folder %s\n", qPrintable(out));
        return 1;
    }
    Folders folders;
    folders.help = helpFolder;
    const help::HelpFile file = help::readHelpFile(folders.helpFile());
    if (!file.ok()) {
        std::fprintf(stderr, "kestrel-shots: %s: %s\n", qPrintable(folders.helpFile()),
                     qPrintable(file.error));
        return 1;
    }

    helpwindow window(helpFolder);
    window.show();
    QApplication::processEvents();
    const QWidget *text = window.findChild<QWidget *>(QStringLiteral("Picture2"));
    auto *bar = window.findChild<QScrollBar *>(QStringLiteral("VScroll1"));
    if (!text || !bar)
        return 1;
    const QFontMetrics fm(text->font());
    int problems = 0;

    QSet<QString> captions;
    QSet<int> measured;
    const QList<help::Topic> topics = help::topics(file);
    for (int j = 1; j <= topics.size(); ++j) {
        const help::Topic &topic = topics.at(j - 1);
        if (captions.contains(topic.caption)) {
            std::printf("line %d: the caption \"%s\" is taken already\n", topic.line,
                        qPrintable(topic.caption));
            ++problems;
        }
        captions.insert(topic.caption);

        auto *option = window.findChild<QRadioButton *>(QStringLiteral("Option1_%1").arg(j));
        if (!option)
            continue;
        if (option->sizeHint().width() > option->width()) {
            std::printf("line %d: the option \"%s\" is cut off\n", topic.line,
                        qPrintable(topic.caption));
            ++problems;
        }
        option->click();
        QApplication::processEvents();

        const help::TopicView view = help::findTopic(file, topic.caption);
        for (int i = view.firstTextLine; i < view.endLine; ++i) {
            if (measured.contains(i))
                continue; // a topic whose caption leads to an earlier one
            measured.insert(i);
            const int width = fm.horizontalAdvance(help::pageIndent + file.line(i));
            if (width > text->width()) {
                std::printf("line %d: %d of %d pixels: %s\n", i, width, text->width(),
                            qPrintable(file.line(i)));
                ++problems;
            }
        }
        // One picture per page of ten lines, and one of the last page.
        int page = 0;
        for (int position = bar->minimum();; position += help::pageLines) {
            bar->setValue(std::min(position, bar->maximum()));
            QApplication::processEvents();
            const QString name =
                QStringLiteral("topic-%1-%2.png").arg(j, 2, 10, QLatin1Char('0')).arg(++page);
            withTitleBar(&window).save(QDir(out).filePath(name));
            if (position >= bar->maximum())
                break;
        }
    }
    if (10 * fm.height() > text->height()) {
        std::printf("a page of %d lines is %d pixels high; the text area has %d\n", help::pageLines,
                    10 * fm.height(), text->height());
        ++problems;
    }
    std::printf("%lld topics reviewed, %d problems\n", static_cast<long long>(topics.size()),
                problems);
    return problems == 0 ? 0 : 1;
}

} // namespace shots
