#pragma once
// Whether a motion keeps the arm within its profile, checked over the bytes the line would
// carry: kestrel-play's start-up (the centring and the homing walk) and its passes, frame by
// frame, as the player writes them. After each frame the pose is checked: the axis within its
// min..max; the change the frame makes at most its max_step (from the axis's second frame on:
// where the arm stood before its first is only believed), a jump at the seam of two passes told
// apart from one inside a pass; the tool point and the wrist axis at or above table_mm. The pose
// starts where the program believes the arm stands at start-up, 127 on every axis. Passes after the
// second write what the second writes, so two passes cover every seam.

#include "core/arm/profile.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QString>
#include <optional>
#include <vector>

namespace arm {

// One frame of the line, and where it comes from.
struct TaggedFrame {
    int record = 0; // the played step's record (2..n, as the movement file counts them); 0 for
                    // start-up
    int channel = 0;
    int position = 0;
    int pass = 0; // 0 for start-up; 1 or 2
};

struct Breach {
    // SeamStep: a jump over max_step made by an axis's first frame of the second pass, from
    // where the first pass left it, so that a motion replayed with loops shows its seam.
    enum class Rule { Min, Max, Step, SeamStep, ToolBelowTable, WristBelowTable };
    int record = 0; // 0: start-up
    Rule rule = Rule::Min;
    int channel = 0;  // the axis the frame moved
    double value = 0; // the position, the change, or the height in mm
    double limit = 0; // min, max, max_step or table_mm

    // "Record 7: the elbow at 210 is above its max 200" or "Start-up: ..."
    QString text() const;
    // "min", "max", "max_step", "max_step (seam)", "table (tool point)", "table (wrist)": for a
    // list's rule column
    QString ruleName() const;
};

// Every breach of the frames, in order; with `firstOnly`, the first alone.
std::vector<Breach> check(const Profile &profile, const std::vector<TaggedFrame> &frames,
                          bool firstOnly = false);

// The frames kestrel-play writes for `records` with the loop count `loops` (0: until stopped),
// made by the player itself on a line that keeps them, over as many passes as the check needs
// (one, or two for more than one or for ever). records[i] is record i + 1, as movement::read
// gives them.
struct [[nodiscard]] LineFrames {
    std::vector<TaggedFrame> frames;
    QString error; // the records cannot be played (as the exports refuse them)
};
LineFrames lineFrames(const std::vector<Step> &records, const config::Settings &settings,
                      int loops);

// The first breach of the motion played `loops` times, or none; an error when it cannot be
// played at all.
struct [[nodiscard]] MotionCheck {
    std::optional<Breach> breach;
    QString error;
};
MotionCheck checkMotion(const Profile &profile, const std::vector<Step> &records,
                        const config::Settings &settings, int loops);

// The first breach by `steps` replayed from `from`, where the arm is known to stand (a move
// planned from the arm's pose): each step is one frame, and each change is measured from where
// the axis stands, its first one too. The steps count as records from 2, as a movement file of
// them would; where the arm already stands is not theirs to answer for.
std::optional<Breach> checkFrom(const Profile &profile, const std::array<int, axes::count> &from,
                                const std::vector<Step> &steps);

} // namespace arm
