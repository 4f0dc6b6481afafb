#pragma once
// Messages outside the window. The programs' messages are built as the window's were, their
// lines separated by carriage returns; a terminal would draw each line over the one before, and
// a message box would run them together, so they are shown with line feeds.

#include <QByteArray>
#include <QString>
#include <cstdio>

namespace program {

// text with each carriage return turned into a line feed.
[[nodiscard]] QString withLineFeeds(QString text);

// Writes text to `to` as a terminal line (UTF-8, line feeds, one at the end) and flushes it at
// once: a message must be out before the program goes on, or ends.
void say(FILE *to, const QString &text);

} // namespace program
