#pragma once
// The window program's command line: --help and --version, and the options Qt takes for
// itself. It is read from the raw arguments before any application object exists, so that
// the answers need no display and a command line that cannot be used opens no window and no
// port. Anything else (a word that is not an option, an option nobody knows) is refused. The
// other programs that may make a QApplication leave Qt its options the same way.

#include "core/program/outcome.h"

#include <QString>
#include <QStringList>

namespace program {

// args as main() receives them, program name first.
[[nodiscard]] CommandLine readCommandLine(const QStringList &args);
[[nodiscard]] CommandLine readCommandLine(int argc, char **argv);

// args without the options that QGuiApplication and QApplication take for themselves, as
// what those leave over would be. A Qt option that lacks its value sets *error.
[[nodiscard]] QStringList withoutQtOptions(const QStringList &args, QString *error);

// A program that a QApplication may run reads its own options from what Qt leaves over; a Qt
// option that lacks its value is refused as its own would be.
template <class Options>
[[nodiscard]] Parsed<Options> readBesideQt(const QStringList &args,
                                           Parsed<Options> (*parse)(const QStringList &))
{
    QString qtError;
    const QStringList own = withoutQtOptions(args, &qtError);
    if (!qtError.isEmpty())
        return refused(qtError);
    return parse(own);
}

} // namespace program
