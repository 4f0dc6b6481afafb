#include "core/program/terminal.h"

namespace program {

QString withLineFeeds(QString text)
{
    return text.replace(QChar(13), QChar(10));
}

void say(FILE *to, const QString &text)
{
    std::fputs(withLineFeeds(text).toUtf8().constData(), to);
    std::fputc('\n', to);
    std::fflush(to);
}

} // namespace program
