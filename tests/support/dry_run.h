#pragma once
// kestrel-play --dry-run as the end-to-end tests read it: the frames it prints, in order, so that
// a test can find where the pass timing puts each step.

#include "core/link/frame.h"

#include <QList>
#include <QProcess>
#include <QString>
#include <QStringList>

// The frames of `kestrel-play --config-dir dir --dry-run file`; empty when it did not end with 0.
inline QList<frame::Frame> dryRunFrames(const QString &configDir, const QString &file)
{
    QProcess dry;
    dry.start(QStringLiteral(KESTREL_PLAY_BINARY),
              {QStringLiteral("--config-dir"), configDir, QStringLiteral("--dry-run"), file});
    if (!dry.waitForFinished(30000) || dry.exitStatus() != QProcess::NormalExit ||
        dry.exitCode() != 0)
        return {};
    QList<frame::Frame> printed;
    for (const QByteArray &line : dry.readAllStandardOutput().split('\n')) {
        const QList<QByteArray> f = line.split(' ');
        if (f.size() >= 4 && f[0] == "FF")
            printed << frame::Frame{f[1].toInt(nullptr, 16), f[2].toInt(nullptr, 16)};
    }
    return printed;
}
