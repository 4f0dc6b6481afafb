#include "core/arm/kinematics.h"
#include "core/edit/pass_timing.h"
#include "core/export/played.h"
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

// Every column is rounded half-even, as every number the program prints. The time is rounded
// from the exact quotient and is never a tie: a pass writes whole frames of four bytes, so
// bytes / 960 in ten-thousandths has a third or two thirds or nothing over.
QByteArray seconds(qint64 bytes)
{
    return fixed(qint64(numbers::roundHalfEven(double(bytes) * 10000 / timing::bytesPerSecond)), 4);
}

QByteArray rounded(double value, int decimals)
{
    return fixed(qint64(numbers::roundHalfEven(value * std::pow(10.0, decimals))), decimals);
}

// x_mm,y_mm,z_mm,pitch_deg: where the tool point is in the pose, and how the hand points.
QByteArray toolPoint(const arm::Profile &profile, const timing::Pose &pose)
{
    const arm::Reach reach = arm::forward(profile, pose);
    return rounded(reach.tool.x, 2) + ',' + rounded(reach.tool.y, 2) + ',' +
           rounded(reach.tool.z, 2) + ',' + rounded(reach.pitch, 2);
}

} // namespace

Result csv(const std::vector<Step> &records, const config::Settings &settings,
           const arm::Profile &profile)
{
    if (QString why = refusal(records); !why.isEmpty())
        return {{}, why};
    // Timed as the editor's timeline times it: from the pose kestrel-play's start-up leaves.
    const timing::Pass pass = timing::firstPass(records, timing::passStartPose(settings));
    QByteArray text = "step,time_s,channel,axis,position,angle_deg,x_mm,y_mm,z_mm,pitch_deg\r\n";
    for (const timing::TimedStep &t : pass.steps) {
        const int channel = t.step.channel;
        const bool axis = channel < axes::count;
        text += QByteArray::number(t.record) + ',' + seconds(t.startByte) + ',' +
                QByteArray::number(channel) + ',' +
                (axis ? QByteArray(axes::all[channel].name) : QByteArray()) + ',' +
                QByteArray::number(t.step.position) + ',' +
                (axis ? rounded(profile.degrees(channel, t.step.position), 1) : QByteArray()) +
                ',' + toolPoint(profile, t.pose) + "\r\n";
    }
    return {text, {}};
}

} // namespace exports
