#include "cpu_meter.h"

#include <QDir>
#include <QFile>

#include <chrono>
#include <unistd.h>

namespace desktop {

namespace {

qint64 nowNs()
{
    return qint64(std::chrono::duration_cast<std::chrono::nanoseconds>(
                      std::chrono::steady_clock::now().time_since_epoch())
                      .count());
}

QList<qint64> threadsOf(qint64 pid)
{
    QList<qint64> out;
    const QStringList names =
        QDir(QStringLiteral("/proc/%1/task").arg(pid)).entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    for (const QString &n : names)
        out << n.toLongLong();
    return out;
}

QString threadName(qint64 pid, qint64 tid)
{
    QFile f(QStringLiteral("/proc/%1/task/%2/comm").arg(pid).arg(tid));
    return f.open(QIODevice::ReadOnly) ? QString::fromLocal8Bit(f.readAll().trimmed()) : QString();
}

} // namespace

CpuMeter::CpuMeter(qint64 pid) : m_pid(pid) {}

double CpuMeter::cpuSeconds(qint64 pid, qint64 tid)
{
    QFile f(tid ? QStringLiteral("/proc/%1/task/%2/stat").arg(pid).arg(tid)
                : QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray line = f.readAll();
    // The name in parentheses may hold spaces; the fields after it do not.
    const QList<QByteArray> fields = line.mid(line.lastIndexOf(')') + 2).split(' ');
    if (fields.size() < 13)
        return -1;
    // utime and stime, the 14th and 15th fields, counted from the state (the 3rd).
    const double ticks = double(fields[11].toLongLong() + fields[12].toLongLong());
    return ticks / double(::sysconf(_SC_CLK_TCK));
}

void CpuMeter::start()
{
    m_startThreads.clear();
    for (qint64 tid : threadsOf(m_pid))
        m_startThreads << qMakePair(tid, cpuSeconds(m_pid, tid));
    m_startCpu = cpuSeconds(m_pid);
    m_startNs = nowNs();
}

double CpuMeter::seconds() const
{
    return double(nowNs() - m_startNs) / 1e9;
}

double CpuMeter::processShare() const
{
    const double wall = seconds();
    const double cpu = cpuSeconds(m_pid);
    return wall > 0 && cpu >= 0 ? (cpu - m_startCpu) / wall : 0.0;
}

QString CpuMeter::busyThreads(double share) const
{
    const double wall = seconds();
    QStringList out;
    for (qint64 tid : threadsOf(m_pid)) {
        double before = 0;
        for (const auto &t : m_startThreads)
            if (t.first == tid)
                before = t.second;
        const double used = cpuSeconds(m_pid, tid) - before;
        if (wall > 0 && used / wall > share)
            out << QStringLiteral("%1 %2 %3")
                       .arg(tid)
                       .arg(threadName(m_pid, tid))
                       .arg(used / wall, 0, 'f', 2);
    }
    return out.join(QStringLiteral("; "));
}

} // namespace desktop
