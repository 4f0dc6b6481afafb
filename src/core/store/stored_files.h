#pragma once
// What the arm keeps in files, as the File and Options menus keep it: the configuration (the
// homes, the homing speed, port_number) and the current movement file with the step buffer it
// fills and saves. Each operation that touches a file returns the message that names the file
// and says what went wrong, or an empty text when all went well.

#include "core/motion/axes.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"

#include <QString>
#include <array>
#include <vector>

class StoredFiles {
public:
    explicit StoredFiles(StepBuffer &steps) : m_steps(steps) {}

    const config::Settings &configuration() const { return m_config; }
    void setConfiguration(const config::Settings &settings) { m_config = settings; }
    // port_number: the port last chosen, whatever came of it.
    void setPort(int number) { m_config.port = static_cast<qint16>(number); }

    const QString &movementFile() const { return movement_file; }
    void setMovementFile(const QString &name) { movement_file = name; }

    // A movement file read whole: its records fill the buffer from index 1, and it becomes the
    // current movement file.
    void openMovement(const QString &name, const std::vector<Step> &records);
    // Open: the whole file is read and checked before anything changes, so a bad file leaves
    // the buffer, its count and the current file name as they were. A path that names no file
    // changes nothing and says nothing.
    [[nodiscard]] QString openMovementFile(const QString &path);
    // Fewer steps than this are not worth a file: Save and Save As do nothing.
    static constexpr int leastStepCountToSave = 11;
    bool worthSaving() const { return m_steps.stepCount() >= leastStepCountToSave; }
    // Save: the recorded steps into the current movement file, whole or not at all.
    [[nodiscard]] QString saveMovement() const;
    // Save Configuration: the axes' positions become the homes, written to `path` with the
    // speed and the port; a failed write leaves the file and the homes in memory as they were.
    [[nodiscard]] QString saveConfiguration(const QString &path,
                                            const std::array<int, axes::count> &positions);

private:
    StepBuffer &m_steps;
    config::Settings m_config;
    QString movement_file = QStringLiteral("robotmov.kmv");
};
