#pragma once
// The motion being edited: its records, the selection, the file it came from, the undo stack
// of the edits, and the first replay pass's timing of the records, worked out again after
// every change. The timeline, the step list and the preview read it; only an edit command or
// an open replaces the records.

#include "core/edit/motion_edits.h"
#include "core/edit/pass_timing.h"

#include <QObject>
#include <QString>
#include <QUndoStack>
#include <optional>
#include <vector>

class MotionDocument : public QObject {
    Q_OBJECT
public:
    explicit MotionDocument(const timing::Pose &passStart, QObject *parent = nullptr);

    const std::vector<Step> &records() const { return m_records; }
    int size() const { return int(m_records.size()); }
    const timing::Pass &pass() const { return m_pass; }
    const timing::Pose &passStart() const { return m_pass.start; }

    // The timing of records[index]; none for index 0 (record 1 is never played).
    const timing::TimedStep *timed(int index) const;
    // The pose after records[index] has played; the pass's start pose before the first played.
    timing::Pose poseAfter(int index) const;
    // The index of the played record on the line at `byte` (the last one when past the end);
    // -1 when nothing is played.
    int indexAtByte(qint64 byte) const;

    // A selected range, or with count 0 a place between records (where inserts go).
    edits::Range selection() const { return m_selection; }
    void select(edits::Range range);

    const QString &file() const { return m_file; }
    void setFile(const QString &file);

    QUndoStack &undoStack() { return m_stack; }

    // The most records an edit may leave. Kestrel saves at most 12,010, but a motion may grow
    // past that while it is edited (a paste, then a cut); this only keeps a slip (a hold of
    // minutes, a slow-down by a hundred of a long motion) from filling the memory with undo
    // history.
    static constexpr int mostRecords = 250000;

    // An edit as one undoable command: the records become `after` and the selection
    // `selectedAfter`. An edit that changes nothing pushes nothing, so that the motion is not
    // marked changed by it. False, and nothing changed, when `after` is longer than
    // mostRecords.
    [[nodiscard]] bool apply(const QString &name, std::vector<Step> after,
                             edits::Range selectedAfter);
    // A different motion: the undo history is cleared and the new one is the saved state.
    void replace(std::vector<Step> records, const QString &file);

    // Used by the edit commands.
    void setState(const std::vector<Step> &records, edits::Range selection);

Q_SIGNALS:
    void recordsChanged();
    void selectionChanged();
    void fileChanged();

private:
    edits::Range clipped(edits::Range range) const;

    std::vector<Step> m_records;
    timing::Pass m_pass;
    edits::Range m_selection;
    QString m_file;
    QUndoStack m_stack;
};
