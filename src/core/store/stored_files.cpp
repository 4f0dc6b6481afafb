#include "core/store/stored_files.h"

#include "core/program/cannot.h"
#include "core/store/movement_file.h"
#include "core/store/save_file.h"

#include <QFileInfo>

void StoredFiles::openMovement(const QString &name, const std::vector<Step> &records)
{
    movement::fill(m_steps, records);
    movement_file = name;
}

QString StoredFiles::openMovementFile(const QString &path)
{
    if (!QFileInfo::exists(path))
        return {};
    const movement::Loaded file = movement::load(path);
    if (!file.ok())
        return file.message;
    openMovement(path, file.records);
    return {};
}

QString StoredFiles::saveMovement() const
{
    if (!worthSaving())
        return {};
    const SaveResult saved =
        saveWhole(movement_file, movement::write(m_steps, 1, m_steps.stepCount()), false);
    if (!saved.ok)
        return program::cannot(QStringLiteral("Cannot save the movement file"), movement_file,
                               saved.reason);
    return {};
}

QString StoredFiles::saveConfiguration(const QString &path,
                                       const std::array<int, axes::count> &positions)
{
    const SaveResult saved =
        saveWhole(path, config::write(positions, m_config.homeSpeed, m_config.port), true);
    if (!saved.ok)
        return program::cannot(QStringLiteral("Cannot save the configuration file"), path,
                               saved.reason);
    for (int channel = 0; channel < axes::count; ++channel)
        m_config.home[channel] = positions[channel];
    return {};
}
