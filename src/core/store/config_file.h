#pragma once
// robotini.txt: the five home positions, the homing speed and the port number, as text.

#include <QByteArray>
#include <QString>
#include <QStringList>
#include <array>

namespace config {

struct Settings {
    std::array<double, 5> home{127, 127, 127, 127, 127}; // by channel; fractions are kept
    double homeSpeed = 5;
    qint16 port = 1;
};

// Splits the text into fields the way the file has always been read: leading blanks are
// skipped; a field that opens with a double quote runs to the next double quote (the quotes
// are dropped, and anything after the closing quote up to the next comma or line end is
// ignored); any other field runs to the next comma or line end. CR LF, LF and a lone CR all
// end a line. An empty text has no fields.
QStringList fields(const QByteArray &text);

// The settings the text names, over the defaults for those it does not name. The first field
// is never examined. Keys are matched in any case and anywhere in a field; the value is read
// from at most four characters after the field's first "=", so " 1000" reads as 100.
[[nodiscard]] Settings read(const QByteArray &text);

// The file at path read for use: its settings, or the defaults with a notice for the user when
// it is missing (a first start) or cannot be read. It is missing unless its folder lists it by
// exactly its name (folderListsExactly): a folder of that name, or a file whose name differs
// only in letter case, is missing too. The notice's lines are separated by carriage returns.
struct Loaded {
    Settings settings;
    enum class Trouble { None, Missing, Unreadable } trouble = Trouble::None;
    QString notice;
};
[[nodiscard]] Loaded load(const QString &path);

// The nine lines of the file, each ended by CR LF.
QByteArray write(const std::array<int, 5> &positionsByChannel, double homeSpeed, qint16 port);

// The text of "Show Current Setting": every line, the last included, ends with one CR.
QString currentSettingsText(const Settings &settings, bool portOkay);

} // namespace config
