#include "core/help/help_file.h"

#include <QFile>
#include <QFileInfo>

namespace help {

namespace {
const QString endMarker = QStringLiteral("/");
const QChar topicMarker = QLatin1Char('*');

// Reads one line of at most lineLimit bytes, without its line end; the rest of a longer line
// is skipped. False at the end of the file or on a read error.
bool readOneLine(QFile &file, QByteArray &bytes)
{
    bytes = file.readLine(lineLimit + 1);
    if (bytes.isEmpty())
        return false;
    if (bytes.endsWith('\n')) {
        bytes.chop(1);
    } else if (!file.atEnd()) {
        bytes.truncate(lineLimit);
        QByteArray rest;
        do
            rest = file.readLine(lineLimit + 1);
        while (!rest.isEmpty() && !rest.endsWith('\n'));
    }
    if (bytes.endsWith('\r'))
        bytes.chop(1);
    return true;
}
} // namespace

QString HelpFile::line(int i) const
{
    if (i < 1 || i > lineCount())
        return QString();
    return lines.at(i - 1);
}

HelpFile readHelpFile(const QString &path)
{
    HelpFile result;
    const QFileInfo info(path);
    // A folder, a device or a pipe in the file's place could block or never end.
    if (info.exists() && !info.isFile()) {
        result.error = QStringLiteral("it is not an ordinary file");
        return result;
    }
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        result.error = file.errorString();
        return result;
    }
    // Line by line, so that only the part that is used is ever read from a long file.
    QByteArray bytes;
    while (readOneLine(file, bytes)) {
        if (result.lines.size() == maxLines) {
            result.cut = true;
            break;
        }
        result.lines << QString::fromUtf8(bytes);
    }
    if (file.error() != QFileDevice::NoError) {
        result.error = file.errorString();
        result.lines.clear();
        result.cut = false;
    }
    return result;
}

QList<Topic> topics(const HelpFile &file)
{
    QList<Topic> list;
    for (int k = 1; k <= file.lineCount(); ++k) {
        const QString text = file.line(k);
        if (text.startsWith(topicMarker))
            list.append({k, text.left(captionLength)});
    }
    return list;
}

TopicView findTopic(const HelpFile &file, const QString &caption)
{
    TopicView view;
    if (caption.isEmpty())
        return view;
    const int n = file.lineCount();
    // Line 1 is the file's heading, so the search starts on line 2; a heading that happens to
    // mention a topic must not stand in for it. Only a topic line on line 1 that no later line
    // holds is found on line 1.
    int k = 2;
    while (k <= n && !file.line(k).contains(caption))
        ++k;
    if (k > n) {
        if (n < 1 || !file.line(1).contains(caption))
            return view;
        k = 1;
    }

    // The marker search starts on the line after the topic line; with no marker the text runs
    // to the last line read, as if a marker stood just past it.
    int e = k + 1;
    while (e <= n && file.line(e) != endMarker)
        ++e;

    view.found = true;
    view.topicLine = k;
    view.title = file.line(k);
    // A marker right after the topic line leaves the topic without a picture line.
    view.picture = k + 1 < e ? file.line(k + 1) : QString();
    view.firstTextLine = k + 2;
    view.endLine = e;
    view.scrollMin = k + 1;
    view.scrollMax = view.textLineCount() > 0 ? e - 2 : view.scrollMin;
    return view;
}

QStringList page(const HelpFile &file, int first)
{
    QStringList shown;
    if (first < 1 || first > file.lineCount())
        return shown;
    const int last = qMin(file.lineCount(), first + pageLines - 1);
    for (int i = first; i <= last; ++i) {
        const QString text = file.line(i);
        if (text == endMarker)
            break;
        shown << pageIndent + text;
    }
    return shown;
}

} // namespace help
