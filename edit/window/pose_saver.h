#pragma once
// "Save Pose As...": the pose the preview shows, named and kept in the arm profile, so that the
// dialogs that ask for a pose offer it from then on. The profile is the arm's, not the motion's:
// it is saved to its file at once, whole or not at all, and takes no undo entry.

#include "core/edit/pass_timing.h"

#include <optional>

class EditorProfile;
class MotionDocument;
class Notices;
namespace ask {
class Questions;
}

class PoseSaver {
public:
    PoseSaver(const MotionDocument &document, EditorProfile &profile, ask::Questions *questions,
              const Notices &notices);

    // `jogged`: the pose the preview shows in place of the clock's, when it shows one.
    void savePoseAs(const std::optional<timing::Pose> &jogged = std::nullopt);

private:
    const MotionDocument &m_document;
    EditorProfile &m_profile;
    ask::Questions *m_questions;
    const Notices &m_notices;
};
