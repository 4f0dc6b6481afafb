#pragma once
// The pose a dialog asks for: five positions, typed, taken from a step of the motion or from a
// pose the arm profile names. The Move to Pose and Timed Move to Pose dialogs share it, so the
// named poses are offered wherever a pose is asked for.

#include "core/arm/profile.h"
#include "core/edit/pass_timing.h"

#include <array>
#include <functional>
#include <vector>

class MotionDocument;
class QComboBox;
class QSpinBox;

namespace ask {

class Form;

// The pose after a record (numbered as the file counts them), for "take the pose at step n".
using PoseAt = std::function<timing::Pose(int record)>;

// Where a pose may be taken from.
struct PoseSources {
    int records = 0; // how many the motion has, for the range of "take the pose at step n"
    PoseAt poseAt;
    std::vector<arm::NamedPose> named; // the profile's, in name order
};

// The motion's steps and the profile's named poses.
PoseSources poseSources(const MotionDocument &document, const arm::Profile &profile);

struct PoseFields {
    std::array<QSpinBox *, axes::count> boxes{}; // by channel
    QComboBox *named = nullptr;

    timing::Pose pose() const;
    void show(const timing::Pose &pose) const;
};

// The five positions ("pose0".."pose4", starting at `shown`), "Take the pose after step n"
// ("takePose", "poseRecord") and the list of named poses ("namedPose"), which fill them.
PoseFields addPoseFields(Form &form, const timing::Pose &shown, const PoseSources &sources);

} // namespace ask
