#include "support/signal_stop.h"

#include <QDeadlineTimer>
#include <QFile>
#include <QThread>
#include <csignal>

namespace {

bool isStopped(qint64 pid)
{
    QFile stat(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!stat.open(QIODevice::ReadOnly))
        return false;
    // "pid (name) S ...": the state follows the name, which may hold blanks and brackets.
    const QByteArray s = stat.readAll();
    const qsizetype close = s.lastIndexOf(')');
    return close > 0 && s.size() > close + 2 && s[close + 2] == 'T';
}

} // namespace

QByteArray lineSoFar(Pty &pty)
{
    static int markers = 0;
    const QByteArray marker = "<" + QByteArray::number(++markers) + ">";
    if (!pty.writeThroughHeldSlave(marker))
        return "(marker not written)";
    QByteArray got = pty.readUntil(marker);
    if (!got.endsWith(marker))
        return "(marker not seen)";
    got.chop(marker.size());
    return got;
}

SignalStop stopAfter(Pty &pty, QProcess &program, int bytes, const QList<int> &signals_)
{
    SignalStop s;
    s.before = pty.readCount(bytes);
    const qint64 pid = program.processId();
    ::kill(pid, SIGSTOP);
    QDeadlineTimer deadline(10000);
    while (!isStopped(pid) && !deadline.hasExpired())
        QThread::msleep(1);
    s.before += lineSoFar(pty);
    for (int signal : signals_)
        ::kill(pid, signal);
    ::kill(pid, SIGCONT);
    if (!program.waitForFinished(30000)) {
        program.kill();
        program.waitForFinished(5000);
        return s;
    }
    s.status = program.exitStatus() == QProcess::NormalExit ? program.exitCode() : -1;
    s.after = lineSoFar(pty);
    return s;
}

QList<frame::Frame> framesAfterProbe(const QByteArray &line, bool *whole)
{
    QList<frame::Frame> frames;
    int junk = 0;
    frame::Decoder d;
    d.feed(
        line.mid(1), [&](const frame::Frame &f) { frames << f; }, [&](unsigned char) { ++junk; });
    *whole = line.startsWith('B') && junk == 0 && (line.size() - 1) % frame::size == 0;
    return frames;
}
