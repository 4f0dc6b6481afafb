#include "sim/core/headless_log.h"

#include <cstdio>

namespace sim {

bool HeadlessLog::open(const QString &path, QString *error)
{
    const bool ok = path.isEmpty() ? m_file.open(stdout, QIODevice::WriteOnly)
                                   : (m_file.setFileName(path), m_file.open(QIODevice::WriteOnly));
    if (!ok)
        *error = QStringLiteral("Cannot write the log %1: %2.")
                     .arg(path.isEmpty() ? QStringLiteral("(standard output)") : path,
                          m_file.errorString());
    return ok;
}

void HeadlessLog::write(const Event &event)
{
    // A reader that has gone away (a closed pipe) is no reason to stop simulating.
    m_file.write(logLine(event).toUtf8() + '\n');
    m_file.flush();
}

} // namespace sim
