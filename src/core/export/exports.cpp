#include "core/export/exports.h"

#include "core/export/played.h"
#include "core/store/movement_file.h"

namespace exports {

const std::vector<FormatInfo> &formats()
{
    static const std::vector<FormatInfo> all{
        {Format::Csv, "csv", "csv", "Table of the first pass (CSV)"},
        {Format::Bytes, "bytes", "bin", "Bytes of the serial line"},
        {Format::Arduino, "arduino", "ino", "Arduino Uno sketch"},
    };
    return all;
}

std::optional<Format> formatNamed(const QString &name)
{
    for (const FormatInfo &f : formats())
        if (name == QLatin1String(f.name))
            return f.format;
    return std::nullopt;
}

const FormatInfo &info(Format format)
{
    for (const FormatInfo &f : formats())
        if (f.format == format)
            return f;
    return formats().front();
}

QString refusal(const std::vector<Step> &records)
{
    if (records.empty())
        return QStringLiteral("The motion has no records.");
    if (records.size() > std::size_t(movement::maxRecords))
        return QStringLiteral("The motion has %1 records, more than the %2 a movement file holds.")
            .arg(records.size())
            .arg(movement::maxRecords);
    for (std::size_t i = 0; i < records.size(); ++i) {
        const Step &s = records[i];
        if (s.channel < 0 || s.channel > 255 || s.position < 0 || s.position > 255)
            return QStringLiteral("Record %1 (%2, %3) lies outside 0 to 255.")
                .arg(i + 1)
                .arg(s.channel)
                .arg(s.position);
    }
    return {};
}

namespace {

// The export checked against the profile over the frames it plays: a motion that cannot be
// exported at all says so first, as it would without a profile.
Result keptTo(Result made, const arm::Profile &profile, const std::vector<Step> &records,
              const config::Settings &settings, int loops, Limits limits)
{
    if (!made.ok())
        return made;
    const arm::MotionCheck checked = arm::checkMotion(profile, records, settings, loops);
    if (!checked.error.isEmpty())
        return {{}, checked.error};
    made.breach = checked.breach;
    if (made.breach && limits == Limits::Keep)
        return {{}, made.breach->text(), made.breach};
    return made;
}

} // namespace

Result motion(Format format, const std::vector<Step> &records, const config::Settings &settings,
              int loops, const QString &fileName, const arm::Profile &profile, Limits limits)
{
    switch (format) {
    case Format::Csv:
        return csv(records, settings, profile);
    case Format::Bytes:
        return keptTo(lineBytes(records, settings, loops), profile, records, settings, loops,
                      limits);
    case Format::Arduino:
        return keptTo(arduinoSketch(records, settings, loops, fileName), profile, records, settings,
                      loops, limits);
    }
    return {{}, QStringLiteral("Unknown format.")};
}

SaveResult write(const QString &out, const QByteArray &data, const QString &input)
{
    // By identity, not by name: "./wave.kmv", a hard link or a symbolic link to the motion would
    // otherwise pass.
    if (sameFile(out, input))
        return {false, QStringLiteral("it is the movement file being exported")};
    return saveWhole(out, data, false);
}

} // namespace exports
