#include "edit/window/pose_saver.h"

#include "core/arm/named_poses.h"
#include "core/edit/preview_clock.h"
#include "edit/window/editor_profile.h"
#include "edit/window/notices.h"
#include "edit/window/profile_dialog.h"
#include "edit/window/questions.h"

#include <QMainWindow>

namespace {

// "the elbow at 210 is above its max 200", or empty when every joint is within its limits: a
// named pose is a place a move may go, so the profile keeps none outside them.
QString outsideLimits(const arm::Profile &profile, const timing::Pose &pose)
{
    for (int c = 0; c < axes::count; ++c) {
        const arm::Joint &j = profile.joints[size_t(c)];
        const int v = pose[size_t(c)];
        if (v < j.min)
            return QStringLiteral("the %1 at %2 is below its min %3")
                .arg(axes::channelName(c))
                .arg(v)
                .arg(j.min);
        if (v > j.max)
            return QStringLiteral("the %1 at %2 is above its max %3")
                .arg(axes::channelName(c))
                .arg(v)
                .arg(j.max);
    }
    return {};
}

QStringList names(const arm::Profile &profile)
{
    QStringList out;
    for (const arm::NamedPose &p : profile.poses)
        out << p.name;
    return out;
}

} // namespace

PoseSaver::PoseSaver(const MotionDocument &document, EditorProfile &profile,
                     ask::Questions *questions, const Notices &notices)
    : m_document(document), m_profile(profile), m_questions(questions), m_notices(notices)
{
}

void PoseSaver::savePoseAs(const std::optional<timing::Pose> &jogged)
{
    const arm::Profile &profile = m_profile.profile();
    const timing::Pose pose = jogged.value_or(PreviewClock::stillPose(m_document));
    const QString positions = arm::positionsText(pose);
    if (const QString outside = outsideLimits(profile, pose); !outside.isEmpty())
        return m_notices.showMessage(
            QStringLiteral("The pose %1 cannot be saved: %2.").arg(positions, outside));
    const auto name = m_questions->poseName(m_notices.window(), names(profile));
    if (!name)
        return;
    if (!arm::validPoseName(*name))
        return m_notices.showMessage(QStringLiteral("\"%1\" cannot name a pose: a name is "
                                                    "letters, digits, '_' and '-', at most 40.")
                                         .arg(*name));
    if (const arm::NamedPose *old = arm::poseNamed(profile, *name))
        if (!m_notices.confirm(QStringLiteral("The arm profile has a pose named %1 already (%2). "
                                              "Replace it with %3?")
                                   .arg(*name, arm::positionsText(old->positions), positions)))
            return;
    const ask::SavedProfile saved =
        ask::saveProfile(m_profile.path(), arm::withPose(profile, {*name, pose}));
    if (!saved.profile)
        return m_notices.showMessage(saved.error);
    m_profile.set(*saved.profile);
    m_notices.say(
        QStringLiteral("Saved the pose %1 (%2) in %3.").arg(*name, positions, m_profile.path()));
}
