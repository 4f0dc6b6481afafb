#pragma once
// The headless simulator's output: one line per frame or junk byte, flushed at once, so that a
// script or a test can follow the line while it runs.

#include "sim/core/arm_state.h"

#include <QFile>
#include <QObject>

namespace sim {

class HeadlessLog : public QObject {
    Q_OBJECT
public:
    explicit HeadlessLog(QObject *parent) : QObject(parent) {}

    // path: a file to write (replaced), or empty for standard output.
    [[nodiscard]] bool open(const QString &path, QString *error);
    void write(const sim::Event &event);

private:
    QFile m_file;
};

} // namespace sim
