#include "core/edit/pass_timing.h"
#include "core/export/played.h"
#include "core/motion/servo_angle.h"
#include "core/text/numbers.h"

#include <cmath>

namespace exports {

namespace {

// A value given in units of 10^-decimals as fixed-point text: fixed(-896, 1) is "-89.6".
QByteArray fixed(qint64 scaled, int decimals)
{
    qint64 unit = 1;
    for (int i = 0; i < decimals; ++i)
        unit *= 10;
    const qint64 magnitude = scaled < 0 ? -scaled : scaled;
    return (scaled < 0 ? "-" : "") + QByteArray::number(magnitude / unit) + '.' +
           QByteArray::number(magnitude % unit).rightJustified(decimals, '0');
}

// Both columns are rounded half-even, as every number the program prints, from the exact
// quotient. No value here is ever a tie: a pass writes whole frames of four bytes, so
// bytes / 960 in ten-thousandths has a third or two thirds or nothing over, and an angle in
// tenths is a multiple of 120/17.
QByteArray seconds(qint64 bytes)
{
    return fixed(qint64(numbers::roundHalfEven(double(bytes) * 10000 / timing::bytesPerSecond)), 4);
}

QByteArray angle(int position)
{
    return fixed(qint64(numbers::roundHalfEven(servo::degrees(position) * 10)), 1);
}

} // namespace

Result csv(const std::vector<Step> &records, const config::Settings &settings)
{
    if (QString why = refusal(records); !why.isEmpty())
        return {{}, why};
    // Timed as the editor's timeline times it: from the pose kestrel-play's start-up leaves.
    const timing::Pass pass = timing::firstPass(records, timing::passStartPose(settings));
    QByteArray text = "step,time_s,channel,axis,position,angle_deg\r\n";
    for (const timing::TimedStep &t : pass.steps) {
        const bool axis = t.step.channel < axes::count;
        text += QByteArray::number(t.record) + ',' + seconds(t.startByte) + ',' +
                QByteArray::number(t.step.channel) + ',' +
                (axis ? QByteArray(axes::all[t.step.channel].name) : QByteArray()) + ',' +
                QByteArray::number(t.step.position) + ',' +
                (axis ? angle(t.step.position) : QByteArray()) + "\r\n";
    }
    return {text, {}};
}

} // namespace exports
