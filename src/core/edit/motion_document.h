#pragma once
// The motion being edited: its records, the selection, the file it came from, and the first
// replay pass's timing of the records, worked out again after every change. The timeline, the
// step list and the preview read it; only an edit (see selection_edits.h), taken through the
// window's undo history, or an open replaces the records. The undo history itself is the
// window's: it is made of Qt Gui's undo commands, and this object holds no widget and no Gui.

#include "core/edit/motion_edits.h"
#include "core/edit/pass_timing.h"
#include "core/edit/timed_spans.h"

#include <QObject>
#include <QString>
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
    // The first byte of records[index] in the pass: 0 before the first played record, the
    // pass's length past the last.
    double startByteOf(int index) const;

    // A selected range, or with count 0 a place between records (where inserts go).
    edits::Range selection() const { return m_selection; }
    void select(edits::Range range);

    const QString &file() const { return m_file; }
    void setFile(const QString &file);

    // The timed moves the session's edits made, in order (timed_spans.h).
    const std::vector<edits::TimedSpan> &timedSpans() const { return m_timedSpans; }

    // The records, the timed moves and the selection become these, announced as a change of the
    // records and the selection even when the numbers are the same: the steps under them are not.
    void setState(const std::vector<Step> &records, edits::Range selection,
                  std::vector<edits::TimedSpan> timedSpans = {});

Q_SIGNALS:
    void recordsChanged();
    void selectionChanged();
    void fileChanged();

private:
    edits::Range clipped(edits::Range range) const;

    std::vector<Step> m_records;
    timing::Pass m_pass;
    std::vector<edits::TimedSpan> m_timedSpans;
    edits::Range m_selection;
    QString m_file;
};
