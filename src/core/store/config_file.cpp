#include "core/store/config_file.h"

#include "core/motion/axes.h"
#include "core/program/cannot.h"
#include "core/store/folders.h"
#include "core/store/save_file.h"
#include "core/text/numbers.h"

namespace config {

namespace {

bool isBlank(QChar c)
{
    return c == u' ' || c == u'\t';
}

bool isLineEnd(QChar c)
{
    return c == u'\r' || c == u'\n';
}

// Steps over one line end at i (CR LF counts as one).
qsizetype skipLineEnd(const QString &s, qsizetype i)
{
    if (i < s.size() && s[i] == u'\r')
        ++i;
    if (i < s.size() && s[i] == u'\n')
        ++i;
    return i;
}

} // namespace

QStringList fields(const QByteArray &text)
{
    // One character per byte: the file is single-byte text and no byte may merge with the next.
    const QString s = QString::fromLatin1(text);
    QStringList out;
    qsizetype i = 0;
    while (i < s.size()) {
        while (i < s.size() && isBlank(s[i]))
            ++i;
        if (i < s.size() && s[i] == u'"') {
            const qsizetype close = s.indexOf(u'"', i + 1);
            if (close < 0) {
                out << s.mid(i + 1);
                break;
            }
            out << s.mid(i + 1, close - i - 1);
            i = close + 1;
            // Whatever follows the closing quote belongs to no field; the separator does.
            while (i < s.size() && s[i] != u',' && !isLineEnd(s[i]))
                ++i;
        } else {
            const qsizetype start = i;
            while (i < s.size() && s[i] != u',' && !isLineEnd(s[i]))
                ++i;
            out << s.mid(start, i - start);
        }
        if (i < s.size()) {
            if (s[i] == u',')
                ++i;
            else
                i = skipLineEnd(s, i);
        }
    }
    return out;
}

Settings read(const QByteArray &text)
{
    Settings settings;
    const QStringList all = fields(text);
    for (qsizetype f = 1; f < all.size(); ++f) {
        const QString field = all[f].toUpper();
        const auto valueAfterEquals = [&field] {
            const qsizetype eq = field.indexOf(u'=');
            return numbers::leadingValue(field.mid(eq + 1, 4));
        };
        for (const axes::Axis &axis : axes::all) {
            if (field.contains(QLatin1String(axis.configKey)))
                settings.home[static_cast<std::size_t>(axis.channel)] = valueAfterEquals();
        }
        if (field.contains(QLatin1String("HOMESPEED=")))
            settings.homeSpeed = valueAfterEquals();
        if (field.contains(QLatin1String("PORT=")))
            // Four characters cannot hold a number outside 16 bits, so this always fits.
            settings.port = numbers::toInt16(valueAfterEquals()).value_or(settings.port);
    }
    return settings;
}

QByteArray write(const std::array<int, 5> &positionsByChannel, double homeSpeed, qint16 port)
{
    // The comments are padded as they always were; the reader never looks at them.
    static constexpr std::array<const char *, 5> comments{
        "     'Base", "      'Shoulder", "     'Elbow", "     'Wrist", "      'Grip"};
    QString out;
    const QLatin1String crlf("\r\n");
    out += QLatin1String("======== Velmora ==========") + crlf;
    out += QLatin1String("---- Kestrel Interface Configuration ----") + crlf;
    for (const axes::Axis &axis : axes::all) {
        const auto c = static_cast<std::size_t>(axis.channel);
        out += QLatin1String(axis.configKey) + numbers::printedNumber(positionsByChannel[c]) +
               QLatin1String(comments[c]) + crlf;
    }
    out += QLatin1String("HOMESPEED=") + numbers::printedNumber(homeSpeed) +
           QLatin1String("    'Speed, greater is slower ") + crlf;
    out += QLatin1String("PORT=") + numbers::printedNumber(port) +
           QLatin1String("     'Port Number") + crlf;
    return out.toLatin1();
}

QString currentSettingsText(const Settings &settings, bool portOkay)
{
    const QChar cr(13);
    const auto &h = settings.home;
    QString t;
    t += QLatin1String("COMM PORT") + numbers::messageNumber(settings.port) +
         (portOkay ? QLatin1String(" Okay !") : QLatin1String(" Error !")) + cr;
    t += cr;
    t += QLatin1String("BASE at ") + numbers::messageNumber(h[axes::Base]) + cr;
    t += QLatin1String("SHOULDER at") + numbers::messageNumber(h[axes::Shoulder]) + cr;
    t += QLatin1String("ELBOW at") + numbers::messageNumber(h[axes::Elbow]) + cr;
    t += QLatin1String("WRIST at") + numbers::messageNumber(h[axes::Wrist]) + cr;
    t += QLatin1String("GRIP at") + numbers::messageNumber(h[axes::Grip]) + cr;
    return t;
}

Loaded load(const QString &path)
{
    // Present only when the folder lists the file by exactly its name; a folder in its place or
    // a file named in other letter case is as good as none, and the defaults are a first start's.
    if (!folderListsExactly(path))
        return Loaded{{},
                      Loaded::Trouble::Missing,
                      QStringLiteral("'") + path + QStringLiteral("... using default")};
    const LoadResult file = loadWhole(path);
    if (!file.ok)
        return Loaded{{},
                      Loaded::Trouble::Unreadable,
                      program::cannot(QStringLiteral("Cannot read the configuration file"), path,
                                      file.reason) +
                          QChar(13) + QStringLiteral("Using the default settings.")};
    return Loaded{read(file.bytes), Loaded::Trouble::None, QString()};
}

} // namespace config
