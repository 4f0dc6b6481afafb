#include "support/idle.h"

#include <QElapsedTimer>
#include <QEventLoop>
#include <QTimer>
#include <sys/resource.h>

namespace {
double threadCpuSeconds()
{
    rusage r{};
    ::getrusage(RUSAGE_THREAD, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}
} // namespace

double coreShareWhileRunningEvents(int ms)
{
    QElapsedTimer wall;
    const double before = threadCpuSeconds();
    wall.start();
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
    const double seconds = double(wall.nsecsElapsed()) / 1e9;
    return seconds > 0 ? (threadCpuSeconds() - before) / seconds : 0.0;
}
