#pragma once
// A motion taken out of the program: a table of the first pass for spreadsheets and plots, the
// bytes the line carries when kestrel-play plays it, and a sketch for an Arduino Uno that sends
// those bytes on its own. The table is timed by the editor's pass timing; the bytes come from
// running the player that kestrel-play runs, on a line that keeps them; the sketch carries the
// player's start-up frames and the steps, and replays the steps on the board.
//
// The bytes and the sketch play the motion on the arm, so they keep to the arm profile as
// kestrel-play does: a motion that breaks it is refused unless the limits are waived. The table
// only describes the motion, by the profile's angles and tool point, and never refuses.

#include "core/arm/limit_check.h"
#include "core/arm/profile.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"
#include "core/store/save_file.h"

#include <QByteArray>
#include <QString>
#include <optional>
#include <vector>

namespace exports {

enum class Format { Csv, Bytes, Arduino };

struct FormatInfo {
    Format format;
    const char *name;   // on the command line: "csv", "bytes", "arduino"
    const char *suffix; // of the file it is usually kept in, without the dot
    const char *title;  // for people: "Table of the first pass (CSV)"
};
const std::vector<FormatInfo> &formats();
std::optional<Format> formatNamed(const QString &name);
const FormatInfo &info(Format format);

// The file's contents, or why there are none (one line, for a message or standard error).
struct [[nodiscard]] Result {
    QByteArray data;
    QString error;
    // Where the motion first leaves the arm profile: the reason it was refused, or, with the
    // limits waived, what the warning says.
    std::optional<arm::Breach> breach{};
    bool ok() const { return error.isEmpty(); }
};

// Whether an export that plays the motion on the arm keeps to the profile's limits.
enum class Limits { Keep, Waive };

// Each takes the records of a movement file as movement::read gives them (records[i] is record
// i + 1; record 1 is never played) and the configuration whose homes the arm walks to. Records
// that no movement file can hold (none, more than movement::maxRecords, a channel or position
// outside 0..255) are refused with an error, as the reader refuses them.

// step,time_s,channel,axis,position,angle_deg,x_mm,y_mm,z_mm,pitch_deg: one line per step of
// the first replay pass, CR LF after every line: the step's axis's angle by the profile, and the
// tool point and the hand's pitch in the pose after the step. The loop count does not apply.
Result csv(const std::vector<Step> &records, const config::Settings &settings,
           const arm::Profile &profile);

// The bytes kestrel-play --loops `loops` writes to the line, without the probe: start-up's
// centring, the homing walk, then `loops` passes (1 or more; 0, "for ever", has no end to
// write). A result longer than `most` bytes is refused.
inline constexpr qint64 mostLineBytes = qint64(64) << 20; // over nineteen hours of the line
Result lineBytes(const std::vector<Step> &records, const config::Settings &settings, int loops,
                 qint64 most = mostLineBytes);

// An Arduino sketch (.ino) that writes lineBytes(records, settings, loops) from the board's
// serial port, two seconds after power-up; with loops 0, the passes again and again.
// `fileName` names the motion in the sketch's opening comment.
Result arduinoSketch(const std::vector<Step> &records, const config::Settings &settings, int loops,
                     const QString &fileName);

// One of the three by its format, for a command line or a menu. The bytes and the sketch of a
// motion that breaks `profile` played `loops` times are refused with the breach as the error,
// unless the limits are waived; the table is made for any motion.
Result motion(Format format, const std::vector<Step> &records, const config::Settings &settings,
              int loops, const QString &fileName, const arm::Profile &profile,
              Limits limits = Limits::Keep);

// Writes the export `data` of the movement file `input` to `out`, whole or not at all, and never
// over `input` itself, whatever name `out` gives it: that would lose the motion the export was
// made from.
[[nodiscard]] SaveResult write(const QString &out, const QByteArray &data, const QString &input);

} // namespace exports
