// The help file as the help window reads and pages it. The file is written to a real file
// first, so the very reader the window uses (line limits, line ends, the cut at the last line)
// runs on it. Whatever the file holds, every topic it lists must be found again, and every
// scroll position of a topic must show the lines of that topic and no others.

#include "core/help/help_file.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>
#include <cstdlib>
#include <memory>

namespace {

void check(bool condition)
{
    if (!condition)
        std::abort();
}

const QString &helpPath()
{
    // One folder for the whole run; each input overwrites the same file. Memory-backed where
    // there is such a folder: a disk file system may write a truncated file out on every close,
    // which makes each input cost milliseconds.
    static const auto dir = std::make_unique<QTemporaryDir>(
        QFileInfo(QStringLiteral("/dev/shm")).isWritable()
            ? QStringLiteral("/dev/shm/kestrel-fuzz-XXXXXX")
            : QDir::tempPath() + QStringLiteral("/kestrel-fuzz-XXXXXX"));
    static const QString path = dir->filePath(QStringLiteral("kestrel.vmh"));
    return path;
}

// The lines the file holds, read the plain way: LF ends a line, a CR before it is dropped, a
// last line without LF counts, and a line longer than the limit is cut there.
QStringList plainLines(const QByteArray &bytes, bool *cut)
{
    QList<QByteArray> pieces = bytes.split('\n');
    if (pieces.last().isEmpty())
        pieces.removeLast();
    *cut = pieces.size() > help::maxLines;
    QStringList lines;
    for (QByteArray piece : pieces) {
        if (lines.size() == help::maxLines)
            break;
        if (piece.size() > help::lineLimit)
            piece.truncate(help::lineLimit);
        if (piece.endsWith('\r'))
            piece.chop(1);
        lines << QString::fromUtf8(piece);
    }
    return lines;
}

// The pages the window can show for a topic: the scroll bar runs from scrollMin to scrollMax,
// and position p shows the page that starts at line p + 1. A file without end markers gives
// every topic the rest of the file, so the pages looked at per input are rationed.
void checkPages(const help::HelpFile &file, const help::TopicView &view, int &budget)
{
    check(view.scrollMin == view.topicLine + 1 && view.scrollMin <= view.scrollMax);
    check(view.endLine > view.topicLine && view.endLine <= file.lineCount() + 1);
    check(view.endLine == file.lineCount() + 1 || file.line(view.endLine) == QLatin1String("/"));
    if (view.textLineCount() == 0) {
        check(view.scrollMax == view.scrollMin);
        return;
    }
    check(view.scrollMax == view.endLine - 2);
    for (int p = view.scrollMin; p <= view.scrollMax && budget > 0; ++p, --budget) {
        const int first = p + 1;
        const QStringList lines = help::page(file, first);
        // Up to ten lines, none of them past the topic's end.
        check(lines.size() == std::min(help::pageLines, view.endLine - first));
        for (int i = 0; i < lines.size(); ++i) {
            const QStringView shown(lines[i]);
            check(shown.startsWith(help::pageIndent) &&
                  shown.sliced(help::pageIndent.size()) == file.line(first + i));
        }
    }
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const uint8_t *data, size_t size)
{
    {
        QFile out(helpPath());
        if (!out.open(QIODevice::WriteOnly | QIODevice::Truncate))
            std::abort();
        if (out.write(reinterpret_cast<const char *>(data), qint64(size)) != qint64(size))
            std::abort();
    }
    const help::HelpFile file = help::readHelpFile(helpPath());
    check(file.ok());
    bool cut = false;
    check(file.lines ==
          plainLines(QByteArray(reinterpret_cast<const char *>(data), qsizetype(size)), &cut));
    check(file.cut == cut);
    // Lines outside the file read as empty, and a page there is empty.
    check(file.line(0).isEmpty() && file.line(file.lineCount() + 1).isEmpty());
    check(help::page(file, 0).isEmpty() && help::page(file, file.lineCount() + 1).isEmpty());

    const QList<help::Topic> topics = help::topics(file);
    int budget = 24;
    int searches = 16; // each search reads the file from its start
    for (const help::Topic &topic : topics) {
        check(topic.caption.size() <= help::captionLength);
        check(file.line(topic.line).startsWith(topic.caption));
        if (searches-- <= 0)
            continue;
        // The first line from line 2 on holding the caption wins: this topic's line or an
        // earlier one. A topic on line 1 is found there only when no later line holds it.
        const help::TopicView view = help::findTopic(file, topic.caption);
        check(view.found);
        if (topic.line == 1)
            check(view.topicLine >= 1 && view.topicLine <= file.lineCount());
        else
            check(view.topicLine >= 2 && view.topicLine <= topic.line);
        check(view.title == file.line(view.topicLine));
        checkPages(file, view, budget);
    }
    // An empty caption finds nothing.
    check(!help::findTopic(file, QString()).found);
    return 0;
}
