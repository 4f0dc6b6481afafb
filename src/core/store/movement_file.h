#pragma once
// Movement files (.kmv): the step buffer as text, one "channel , position" record per line.

#include "core/motion/step_buffer.h"

#include <QByteArray>
#include <QString>
#include <vector>

namespace movement {

// The most records a file may hold: buffer indices 1 to 12010.
inline constexpr int maxRecords = StepBuffer::lastIndex;

struct ReadResult {
    std::vector<Step> records; // empty whenever error is set
    int line = 0;              // 1-based line of the fault
    QString error;             // a short reason in plain English
    bool ok() const { return error.isEmpty(); }
};

// Reads decimal integer fields in pairs (channel, position), whatever the line breaks. Spaces
// around a field are ignored; a field ends at a comma, a space or a line end, and one comma
// after the spaces belongs to the same separator. Blank lines are ignored; CR LF, LF and a lone
// CR end a line. The whole file is rejected, with the line of the first fault, when a field is
// not a whole number (an empty field between commas included), a channel or position lies
// outside 0 to 255, the last record lacks its position, or there are no records or more than
// maxRecords: a half-loaded motion would move the arm in ways nobody taught it.
[[nodiscard]] ReadResult read(const QByteArray &text);

// A movement file read whole for replay: its records, or the message that names the file and
// says why it cannot be used ("Cannot open the movement file 'x.kmv'", then "Line 3: ..."),
// its lines separated by carriage returns.
struct Loaded {
    std::vector<Step> records;
    QString message;
    int line = 0; // the line of the fault, when it is a line's
    bool ok() const { return message.isEmpty(); }
};
[[nodiscard]] Loaded load(const QString &path);

// Puts the records in the buffer from index 1 on, and sets its count to theirs: a motion as RUN
// plays it, from index 2.
void fill(StepBuffer &buffer, const std::vector<Step> &records);

// The records for buffer indices from..to, each " ch , pos " and CR LF. Indices outside the
// buffer are left out.
QByteArray write(const StepBuffer &buffer, int from, int to);
// The records as a file holds them, line for line as write() gives them from index 1: for a
// motion that lives outside a step buffer (an editor's, the clipboard's).
QByteArray text(const std::vector<Step> &records);

} // namespace movement
