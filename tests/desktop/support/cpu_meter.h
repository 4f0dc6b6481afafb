#pragma once
// What a process costs while it should be asleep: its CPU time and its threads', from /proc.

#include <QList>
#include <QPair>
#include <QString>

namespace desktop {

// Share of one core that a process, or a thread of it, used, from /proc: utime + stime.
class CpuMeter {
public:
    explicit CpuMeter(qint64 pid);
    // Starts a measurement: notes the process's and every thread's time.
    void start();
    // Share of a core the whole process used since start() (0.0 to n cores).
    double processShare() const;
    // The threads that used more than `share` of a core since start(), for a failure message:
    // "tid name 0.97; ...".
    QString busyThreads(double share = 0.01) const;
    double seconds() const; // wall time since start()

    // utime + stime in seconds, of the process or of one thread; -1 when it is gone.
    static double cpuSeconds(qint64 pid, qint64 tid = 0);

private:
    qint64 m_pid;
    qint64 m_startNs = 0;
    double m_startCpu = 0;
    QList<QPair<qint64, double>> m_startThreads;
};

} // namespace desktop
