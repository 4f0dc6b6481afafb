#pragma once
// The arm profile an editor draws, shades and checks by, and the file it was read from and
// is saved to. The panels listen for a change: the profile dialog saves a new one while the
// motion stays open.

#include "core/arm/profile.h"

#include <QObject>
#include <QString>

class EditorProfile : public QObject {
    Q_OBJECT
public:
    EditorProfile(QString path, const arm::Profile &profile, QObject *parent = nullptr)
        : QObject(parent), m_path(std::move(path)), m_profile(profile)
    {
    }

    const QString &path() const { return m_path; }
    const arm::Profile &profile() const { return m_profile; }

    void set(const arm::Profile &profile)
    {
        m_profile = profile;
        Q_EMIT changed();
    }

Q_SIGNALS:
    void changed();

private:
    QString m_path;
    arm::Profile m_profile;
};
