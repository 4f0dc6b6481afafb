#pragma once
// The help file: plain text cut into topics by marker lines. A topic is a line that starts with
// "*" (its title), the name of its picture on the next line, its text lines, and a line that is
// exactly "/" to end it. Lines are numbered from 1, as the help file's authors count them; the
// first line is a heading that is never shown. The window only shows what these functions return.

#include <QList>
#include <QString>
#include <QStringList>

namespace help {

// The most lines read from a help file; the rest of a longer file is ignored.
inline constexpr int maxLines = 999;
// A longer line is cut here; no help line comes near it.
inline constexpr int lineLimit = 4096;
// Text lines on one page of the text area.
inline constexpr int pageLines = 10;
// An option shows this many characters of its topic line, the "*" included.
inline constexpr int captionLength = 25;
// Each page line is indented by this.
inline constexpr QLatin1StringView pageIndent{"   "};

struct HelpFile {
    QStringList lines; // file line i is lines[i - 1]
    QString error;     // why the file could not be read; empty when it was read
    bool cut = false;  // the file held more than maxLines lines

    bool ok() const { return error.isEmpty(); }
    int lineCount() const { return int(lines.size()); }
    // Line i (1-based); an empty text outside 1..lineCount().
    QString line(int i) const;
};

// Reads at most maxLines lines, as UTF-8; CR LF and LF both end a line, and a last line without
// a line end counts. A file that is missing, cannot be read or is not an ordinary file gives an
// error and no lines.
[[nodiscard]] HelpFile readHelpFile(const QString &path);

struct Topic {
    int line = 0;    // the topic line
    QString caption; // its first captionLength characters
};

// One entry per topic line, in file order.
QList<Topic> topics(const HelpFile &file);

// What selecting a topic shows.
struct TopicView {
    bool found = false;
    int topicLine = 0;     // the first line that holds the caption
    QString title;         // that whole line
    QString picture;       // the picture's file name, relative to the help folder; may be empty
    int firstTextLine = 0; // topicLine + 2
    int endLine = 0;       // the end marker's line, or lineCount() + 1 when there is none
    // The scroll bar's range: position p shows the page that starts at line p + 1. A topic
    // without text has the single position topicLine + 1, whose page is empty.
    int scrollMin = 1;
    int scrollMax = 1;

    int textLineCount() const { return endLine - firstTextLine > 0 ? endLine - firstTextLine : 0; }
};

// Finds the topic whose option caption is given: the first line from line 2 on that holds the
// caption anywhere in it; line 1, the heading, only when no later line holds it. A text line
// that happens to hold a caption ahead of its topic line is taken instead; help authors keep
// captions unique to avoid it. An empty caption or one that no line holds is not found.
TopicView findTopic(const HelpFile &file, const QString &caption);

// The page that starts at line first: up to pageLines lines, each indented, ending before an
// end marker or after the last line read. The end marker itself is never shown, so a page that
// starts on it, or outside the lines read, is empty.
QStringList page(const HelpFile &file, int first);

} // namespace help
