#include "script_motion.h"

#include "convert.h"
#include "core/edit/motion_document.h"
#include "core/edit/motion_files.h"
#include "core/edit/record_span.h"
#include "core/store/movement_file.h"
#include "errors.h"

#include <QFileInfo>

namespace kpy {

ScriptMotion::ScriptMotion(std::vector<Step> steps, QString configDir)
    : m_configDir(std::move(configDir))
{
    setSteps(steps);
}

ScriptMotion ScriptMotion::load(const QString &path, QString configDir)
{
    const movement::Loaded loaded = movement::load(path);
    if (!loaded.ok())
        raise(ErrorKind::File, loaded.message,
              py::dict(py::arg("path") = path, py::arg("line") = loaded.line));
    ScriptMotion motion({}, std::move(configDir));
    motion.m_records = loaded.records;
    motion.m_path = QFileInfo(path).absoluteFilePath();
    return motion;
}

void ScriptMotion::save(const QString &path)
{
    const editfiles::Written written = editfiles::saveMotion(path, m_records);
    if (!written.ok)
        raise(ErrorKind::File, written.message,
              py::dict(py::arg("path") = path, py::arg("line") = 0));
    m_path = QFileInfo(path).absoluteFilePath();
}

std::vector<Step> ScriptMotion::steps() const
{
    return {m_records.begin() + 1, m_records.end()};
}

void ScriptMotion::setSteps(const std::vector<Step> &steps)
{
    const Step first = m_records.empty() ? Step{} : m_records.front();
    m_records.assign(1, first);
    m_records.insert(m_records.end(), steps.begin(), steps.end());
    m_timed.clear();
}

timing::Pose ScriptMotion::passStart() const
{
    return timing::passStartPose(settingsIn(m_configDir));
}

std::unique_ptr<MotionDocument> ScriptMotion::document(int start, int stop) const
{
    auto document = std::make_unique<MotionDocument>(passStart());
    const int first = start + 1; // steps[i] is records[i + 1]
    document->setState(m_records, {first, std::max(stop - start, 0)}, m_timed);
    return document;
}

void ScriptMotion::take(const edits::Edited &edited)
{
    const edits::Span change = edits::spanBetween(m_records, edited.records);
    m_timed = edits::spansAfter(m_timed, change, edited.timed);
    m_records = edited.records;
}

} // namespace kpy
