#include "core/store/movement_file.h"

#include "core/program/cannot.h"
#include "core/store/save_file.h"
#include "core/text/numbers.h"

#include <QStringList>
#include <algorithm>

namespace movement {

namespace {

struct Field {
    QString text;
    int line;
};

// Splits one line into fields. Blanks only separate; an empty field is one with nothing but
// blanks between two commas. A comma next to the line's start or end is taken as part of the
// separator, since records run on across line breaks anyway. Returns false, with the empty
// field added, as soon as one is found.
bool splitLine(const QString &line, int lineNumber, std::vector<Field> &out)
{
    const QStringList parts = line.split(u',');
    for (qsizetype p = 0; p < parts.size(); ++p) {
        QString part = parts[p];
        part.replace(u'\t', u' '); // tabs count as blanks too
        const QStringList words = part.split(u' ', Qt::SkipEmptyParts);
        const bool betweenCommas = p > 0 && p < parts.size() - 1;
        if (words.isEmpty() && betweenCommas) {
            out.push_back({QString(), lineNumber});
            return false;
        }
        for (const QString &word : words)
            out.push_back({word, lineNumber});
    }
    return true;
}

// Shows a field in a message without letting junk bytes or a huge field spoil the text.
QString shown(const QString &field)
{
    QString s;
    for (QChar c : field.left(20))
        s += (c.isPrint() && c.unicode() < 0x7f) ? c : QChar(u'?');
    if (field.size() > 20)
        s += QLatin1String("...");
    return s;
}

// A decimal integer: an optional sign, then digits only.
bool isWholeNumber(const QString &field)
{
    qsizetype i = (field.startsWith(u'-') || field.startsWith(u'+')) ? 1 : 0;
    if (i == field.size())
        return false;
    for (; i < field.size(); ++i) {
        if (field[i] < u'0' || field[i] > u'9')
            return false;
    }
    return true;
}

ReadResult failure(int line, const QString &error)
{
    ReadResult r;
    r.line = line;
    r.error = error;
    return r;
}

// Splits the text into its fields, each with its line. Returns the line of an empty field, or
// 0 when there is none.
int splitText(const QString &s, std::vector<Field> &fields)
{
    int lineNumber = 1;
    qsizetype start = 0;
    while (start <= s.size()) {
        qsizetype end = start;
        while (end < s.size() && s[end] != u'\r' && s[end] != u'\n')
            ++end;
        if (!splitLine(s.mid(start, end - start), lineNumber, fields))
            return lineNumber;
        // Nothing past the record limit is of use; stop before a huge file eats memory.
        if (fields.size() > std::size_t(2) * maxRecords)
            break;
        if (end >= s.size())
            break;
        end += (s[end] == u'\r' && end + 1 < s.size() && s[end + 1] == u'\n') ? 2 : 1;
        start = end;
        ++lineNumber;
    }
    return 0;
}

// The records the fields make, channel and position in turn, or the first fault.
ReadResult records(const std::vector<Field> &fields)
{
    ReadResult result;
    for (std::size_t f = 0; f < fields.size(); ++f) {
        const Field &field = fields[f];
        const bool channel = f % 2 == 0;
        if (channel && f / 2 >= std::size_t(maxRecords))
            return failure(field.line, QStringLiteral("more than %1 records").arg(maxRecords));
        if (!isWholeNumber(field.text))
            return failure(field.line,
                           QStringLiteral("'%1' is not a whole number").arg(shown(field.text)));
        bool fits = false;
        const qlonglong value = field.text.toLongLong(&fits);
        if (!fits || value < 0 || value > 255)
            return failure(field.line,
                           QStringLiteral("%1 %2 is outside 0 to 255")
                               .arg(channel ? QLatin1String("channel") : QLatin1String("position"),
                                    shown(field.text)));
        if (channel)
            result.records.push_back({static_cast<qint16>(value), 0});
        else
            result.records.back().position = static_cast<qint16>(value);
    }
    if (fields.empty())
        return failure(1, QStringLiteral("the file holds no record"));
    if (fields.size() % 2 != 0)
        return failure(fields.back().line,
                       QStringLiteral("the last record has a channel but no position"));
    return result;
}

// One record as a line of the file.
QByteArray recordLine(const Step &step)
{
    return (numbers::printedNumber(step.channel) + u',' + numbers::printedNumber(step.position) +
            QLatin1String("\r\n"))
        .toLatin1();
}

} // namespace

ReadResult read(const QByteArray &text)
{
    // One character per byte: the file is single-byte text.
    const QString s = QString::fromLatin1(text);
    std::vector<Field> fields;
    if (const int line = splitText(s, fields))
        return failure(line, QStringLiteral("an empty field is not a whole number"));
    return records(fields);
}

QByteArray write(const StepBuffer &buffer, int from, int to)
{
    from = std::max(from, 0);
    to = std::min(to, StepBuffer::lastIndex);
    QByteArray out;
    if (to >= from)
        out.reserve((to - from + 1) * 12);
    for (int i = from; i <= to; ++i)
        out += recordLine(buffer.at(i));
    return out;
}

QByteArray text(const std::vector<Step> &records)
{
    QByteArray out;
    out.reserve(qsizetype(records.size()) * 12);
    for (const Step &step : records)
        out += recordLine(step);
    return out;
}

Loaded load(const QString &path)
{
    // Nothing is taken from a file with a fault in it, however late the fault.
    const LoadResult file = loadWhole(path);
    const ReadResult read = file.ok ? movement::read(file.bytes) : ReadResult{};
    if (file.ok && read.ok())
        return Loaded{read.records, QString()};
    const QString why = !file.ok ? file.reason
                                 : QStringLiteral("Line ") + QString::number(read.line) +
                                       QStringLiteral(": ") + read.error;
    return Loaded{{},
                  program::cannot(QStringLiteral("Cannot open the movement file"), path, why),
                  file.ok ? read.line : 0};
}

void fill(StepBuffer &buffer, const std::vector<Step> &records)
{
    int index = 1;
    for (const Step &step : records)
        buffer.put(index++, step);
    buffer.setStepCount(static_cast<int>(records.size()));
}

} // namespace movement
