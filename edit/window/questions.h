#pragma once
// What the editor asks before an edit (the axis and value, a hold's length, a rate, a pose, a
// timed move, a new duration, a pose's name) and before it closes or opens over unsaved changes.
// Behind an interface, as the message boxes and file dialogs are behind Dialogs, so that tests
// answer from a script.

#include "core/edit/motion_edits.h"
#include "core/edit/timed_move.h"
#include "core/edit/tip_move.h"
#include "core/export/exports.h"
#include "edit/window/pose_fields.h"

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

class QWidget;

namespace ask {

struct AxisChange {
    enum Kind { Set, Offset, Scale } kind = Set;
    int channel = 0;
    int value = 0;       // Set: the position; Offset: the amount added
    double factor = 1.0; // Scale
    int pivot = 127;     // Scale: the position that stays where it is
};

struct PoseMove {
    timing::Pose target{};
    edits::PoseOrder order = edits::PoseOrder::AxisAfterAxis;
    int holdsPerPosition = 0;
};

struct TimedMove {
    timing::Pose target{};
    std::optional<double> seconds; // none: as fast as the caps allow
    moves::Ease ease = moves::Ease::Smooth;
};

// What the Timed Move dialog starts from: the move begins at `from`; the fields show `target`.
// The profile times the move as it is typed, and names poses.
struct TimedMoveSetup {
    QString title;
    const arm::Profile &profile;
    timing::Pose from{};
    timing::Pose target{};
    PoseSources sources;
};

// What the Move Tip To dialog starts from: the move begins at `from`, whose tool point and pitch
// the fields show first; the profile solves and times the move as it is typed, and names poses.
struct TipMoveSetup {
    const arm::Profile &profile;
    timing::Pose from{};
};

struct Smoothing {
    int maxJump = 1;
    int holdsPerPosition = 0;
};

// File, Export: the format, and the passes its bytes play (the table has none).
struct ExportChoice {
    exports::Format format = exports::Format::Csv;
    int loops = 1;
};

enum class Unsaved { Save, Discard, Cancel };

class Questions {
public:
    virtual ~Questions() = default;
    virtual std::optional<AxisChange> axisChange(QWidget *parent, AxisChange::Kind kind,
                                                 int channel) = 0;
    virtual std::optional<double> holdSeconds(QWidget *parent) = 0;
    virtual std::optional<double> slowFactor(QWidget *parent) = 0;
    virtual std::optional<PoseMove> poseMove(QWidget *parent, const timing::Pose &from,
                                             const PoseSources &sources) = 0;
    virtual std::optional<TimedMove> timedMove(QWidget *parent, const TimedMoveSetup &setup) = 0;
    virtual std::optional<tips::Request> tipMove(QWidget *parent, const TipMoveSetup &setup) = 0;
    // The seconds a selection that now takes `now` seconds is to take.
    virtual std::optional<double> retimeSeconds(QWidget *parent, double now) = 0;
    // The name to save a pose by; `named` are the names the profile has already.
    virtual std::optional<QString> poseName(QWidget *parent, const QStringList &named) = 0;
    virtual std::optional<Smoothing> smoothing(QWidget *parent) = 0;
    virtual std::optional<ExportChoice> exportChoice(QWidget *parent) = 0;
    // "The motion has unsaved changes": `text` says which file.
    virtual Unsaved unsavedChanges(QWidget *parent, const QString &text) = 0;
};

// The real ones: small dialogs, each with its fields named for screen readers.
class DialogQuestions : public Questions {
public:
    std::optional<AxisChange> axisChange(QWidget *parent, AxisChange::Kind kind,
                                         int channel) override;
    std::optional<double> holdSeconds(QWidget *parent) override;
    std::optional<double> slowFactor(QWidget *parent) override;
    std::optional<PoseMove> poseMove(QWidget *parent, const timing::Pose &from,
                                     const PoseSources &sources) override;
    std::optional<TimedMove> timedMove(QWidget *parent, const TimedMoveSetup &setup) override;
    std::optional<tips::Request> tipMove(QWidget *parent, const TipMoveSetup &setup) override;
    std::optional<double> retimeSeconds(QWidget *parent, double now) override;
    std::optional<QString> poseName(QWidget *parent, const QStringList &named) override;
    std::optional<Smoothing> smoothing(QWidget *parent) override;
    std::optional<ExportChoice> exportChoice(QWidget *parent) override;
    Unsaved unsavedChanges(QWidget *parent, const QString &text) override;
};

// "120 positions a second" for k holds after each position.
QString rateText(int holdsPerPosition);

} // namespace ask
