#pragma once
// kestrel.Motion's state: the records as the movement file holds them (the unplayed first one
// included), the file it came from, the configuration folder whose homes its passes start from,
// and the timed moves this script's edits made (so that a retime of one makes it again with its
// ease, as the editor does). An edit goes through the editor's own functions, on a document made
// for the call, and its result is taken here as the editor's undo command takes it.
#include "core/edit/selection_edits.h"
#include "core/edit/timed_spans.h"

#include <QString>
#include <memory>
#include <optional>
#include <vector>

class MotionDocument;

namespace kpy {

class ScriptMotion {
public:
    // A new motion of `steps`; its first record, which no pass plays, is "0 , 0".
    ScriptMotion(std::vector<Step> steps, QString configDir);
    // The movement file at path, read whole; kestrel.FileError when it cannot be used.
    static ScriptMotion load(const QString &path, QString configDir);
    // Whole or nothing; kestrel.FileError when it cannot be written.
    void save(const QString &path);

    const std::vector<Step> &records() const { return m_records; }
    std::vector<Step> steps() const; // the played ones: records 2..n
    void setSteps(const std::vector<Step> &steps);
    int size() const { return int(m_records.size()) - 1; }

    const std::optional<QString> &path() const { return m_path; }
    const QString &configDir() const { return m_configDir; }
    void setConfigDir(const QString &dir) { m_configDir = dir; }

    // Where the first pass starts: the homes of the configuration folder's robotini.txt.
    timing::Pose passStart() const;

    // A document holding the motion, with steps[start:stop] selected (stop == start: the place
    // before `start`), for the editor's edit functions.
    std::unique_ptr<MotionDocument> document(int start, int stop) const;
    // The result of an edit becomes the motion; its timed moves follow as in the editor.
    void take(const edits::Edited &edited);

    bool operator==(const ScriptMotion &other) const { return m_records == other.m_records; }

private:
    std::vector<Step> m_records;
    std::optional<QString> m_path;
    QString m_configDir;
    std::vector<edits::TimedSpan> m_timed;
};

} // namespace kpy
