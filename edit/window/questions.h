#pragma once
// What the editor asks before an edit (the axis and value, a hold's length, a rate, a pose) and
// before it closes or opens over unsaved changes. Behind an interface, as the message boxes and
// file dialogs are behind Dialogs, so that tests answer from a script.

#include "core/edit/motion_edits.h"
#include "core/export/exports.h"

#include <QString>
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

// The pose after a record (numbered as the file counts them), for "take the pose at step n".
using PoseAt = std::function<timing::Pose(int record)>;

class Questions {
public:
    virtual ~Questions() = default;
    virtual std::optional<AxisChange> axisChange(QWidget *parent, AxisChange::Kind kind,
                                                 int channel) = 0;
    virtual std::optional<double> holdSeconds(QWidget *parent) = 0;
    virtual std::optional<double> slowFactor(QWidget *parent) = 0;
    // `records` is how many there are, for the range of "take the pose at step n".
    virtual std::optional<PoseMove> poseMove(QWidget *parent, const timing::Pose &from, int records,
                                             const PoseAt &poseAt) = 0;
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
    std::optional<PoseMove> poseMove(QWidget *parent, const timing::Pose &from, int records,
                                     const PoseAt &poseAt) override;
    std::optional<Smoothing> smoothing(QWidget *parent) override;
    std::optional<ExportChoice> exportChoice(QWidget *parent) override;
    Unsaved unsavedChanges(QWidget *parent, const QString &text) override;
};

// "120 positions a second" for k holds after each position.
QString rateText(int holdsPerPosition);

} // namespace ask
