// The replay measured on the main window in this process, on the real SerialPort over a
// pseudo-terminal read no faster than a 9600-baud line carries bytes; the buttons are pressed
// by the program, from timers that fire inside the replay's own waits.

#include "replay_figures.h"

#include "core/link/frame.h"
#include "core/link/line_clock.h"
#include "core/link/serial_port.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "support/paced_line.h"
#include "support/robot_controls.h"
#include "support/scripted_dialogs.h"
#include "windows/robot/robot.h"

#include "windows/widgets/scroll_bar.h"

#include <QDir>
#include <QElapsedTimer>
#include <QEvent>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <functional>
#include <memory>
#include <sys/resource.h>

namespace bench {
namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono;
using desktop::PacedLine;

constexpr int fileRecords = movement::maxRecords; // 12010
constexpr int fileRepeats = 5;

// Lets window events run for `ms` milliseconds; the replay's own loops nest inside.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The real port, with a note of when each write left the program.
class TimedSerialPort : public SerialPort {
public:
    using SerialPort::SerialPort;

    struct Write {
        Clock::time_point at;
        qsizetype bytes;
    };
    std::vector<Write> writes;

    qsizetype bytesWrittenAfter(Clock::time_point t) const
    {
        qsizetype n = 0;
        for (const Write &w : writes)
            if (w.at > t)
                n += w.bytes;
        return n;
    }

protected:
    void send(const QByteArray &bytes) override
    {
        writes.push_back(Write{Clock::now(), bytes.size()});
        SerialPort::send(bytes);
    }
};

double cpuSeconds(int who)
{
    rusage r{};
    ::getrusage(who, &r);
    return double(r.ru_utime.tv_sec + r.ru_stime.tv_sec) +
           double(r.ru_utime.tv_usec + r.ru_stime.tv_usec) / 1e6;
}

double median(std::vector<double> v)
{
    std::sort(v.begin(), v.end());
    return v.empty() ? 0 : v[v.size() / 2];
}

// Runs `action` from a timer as soon as `ready` holds; the timer fires inside the replay's
// nested event loops, as an operator's click would be handled.
void whenReady(QObject *context, std::function<bool()> ready, std::function<void()> action)
{
    auto *poll = new QTimer(context);
    poll->setTimerType(Qt::PreciseTimer);
    poll->setInterval(3);
    QObject::connect(poll, &QTimer::timeout, context, [poll, ready, action] {
        if (!ready())
            return;
        poll->stop();
        poll->deleteLater();
        action();
    });
    poll->start();
}

// A test for whenReady: the replay has reached index `target` in the pass that starts next.
// replay_index keeps its last value until a pass starts (through the homing before it), so the
// index must first be seen below the target.
std::function<bool()> reachesIndex(const robot &w, int target)
{
    return [&w, target, below = false]() mutable {
        below = below || w.session().replayIndex() < target;
        return below && w.session().replayIndex() >= target;
    };
}

// Counts the paints of a widget.
class PaintCounter : public QObject {
public:
    explicit PaintCounter(QWidget *w) : QObject(w) { w->installEventFilter(this); }
    int paints = 0;

protected:
    bool eventFilter(QObject *, QEvent *event) override
    {
        if (event->type() == QEvent::Paint)
            ++paints;
        return false;
    }
};

} // namespace

ReplayFigures measureInProcess()
{
    ReplayFigures f;
    f.platform = QStringLiteral("in process, ") + qEnvironmentVariable("QT_QPA_PLATFORM");

    QTemporaryDir dir;
    const Folders folders{dir.filePath(QStringLiteral("config")),
                          dir.filePath(QStringLiteral("help"))};
    QDir().mkpath(folders.config);
    QDir().mkpath(folders.help);
    {
        // Every home at the centre and COM1: start-up then shows no message.
        QFile ini(folders.configFile());
        if (!ini.open(QIODevice::WriteOnly) ||
            ini.write(config::write({127, 127, 127, 127, 127}, 5, 1)) < 0) {
            f.error = QStringLiteral("cannot write ") + folders.configFile();
            return f;
        }
    }

    PacedLine reader;
    if (!reader.ok() || !reader.linkAs(folders.config + QStringLiteral("/COM1"))) {
        f.error = QStringLiteral("no pseudo-terminal for the line");
        return f;
    }

    TimedSerialPort port(folders.config);
    ScriptedDialogs dialogs;
    bool endAsked = false;
    robot w(Services{&port, &dialogs, folders, [&endAsked] { endAsked = true; }});
    w.Form_Load();
    if (w.session().portStatus() != 0 || !port.isOpen()) {
        f.error = QStringLiteral("the port did not open (status %1, %2)")
                      .arg(w.session().portStatus())
                      .arg(port.device());
        return f;
    }
    // Lets window events run until the line has carried everything written.
    const auto drain = [&] {
        const auto busy = ceil<milliseconds>(port.line().busyFor(Clock::now())).count();
        waitMs(static_cast<int>(busy) + 100);
    };
    drain();

    // The motion, opened from a file as the operator would.
    {
        auto taught = std::make_unique<StepBuffer>();
        for (int k = 0; k < replaySteps; ++k) {
            const Move m = replayMoveAt(k);
            taught->put(k + 2, Step{qint16(m.channel), qint16(m.position)});
        }
        taught->setStepCount(replaySteps + 1);
        const QString path = dir.filePath(QStringLiteral("taught.kmv"));
        QFile file(path);
        const QByteArray text = movement::write(*taught, 1, replaySteps + 1);
        if (!file.open(QIODevice::WriteOnly) || file.write(text) != text.size()) {
            f.error = QStringLiteral("cannot write ") + path;
            return f;
        }
        file.close();
        dialogs.openPaths << path;
        w.Open_men_Click();
        if (w.session().stepBuffer().stepCount() != replaySteps + 1) {
            f.error = QStringLiteral("the motion did not open");
            return f;
        }
    }
    ui(w).Text5->setText(QStringLiteral("1"));

    // 1. One whole pass. It is the last 4000 frames the reader gets: the homing comes before
    // it, and the end of RUN writes nothing.
    const std::size_t passMark = reader.count();
    auto *basePaints = new PaintCounter(ui(w).HScroll1);
    const double runCpuFrom = cpuSeconds(RUSAGE_SELF), runThreadFrom = cpuSeconds(RUSAGE_THREAD);
    const auto runStart = Clock::now();
    w.press(ui(w).Command5);
    const auto runEnd = Clock::now();
    const double runWall = duration<double>(runEnd - runStart).count();
    f.processCpu = 100.0 * (cpuSeconds(RUSAGE_SELF) - runCpuFrom) / runWall;
    f.windowThreadCpu = 100.0 * (cpuSeconds(RUSAGE_THREAD) - runThreadFrom) / runWall;
    // The base moves every fifth step, 24 times a second.
    f.basePaintsPerSecond = basePaints->paints / runWall;
    delete basePaints;
    drain();
    passFigures(reader.bytes(), passMark, &f);

    // 2. STOP mid-pass, at different phases of the step cycle.
    long long worstWrittenAfter = 0;
    for (int trial = 0; trial < stopTrials; ++trial) {
        Clock::time_point stopAt{};
        whenReady(&w, reachesIndex(w, 150 + 37 * trial), [&] {
            stopAt = Clock::now();
            w.press(ui(w).Command4);
        });
        w.press(ui(w).Command5);
        drain();
        long long after = 0;
        for (const PacedLine::Byte &b : reader.bytes())
            after += b.at > stopAt;
        f.bytesAfterStop.push_back(after);
        worstWrittenAfter = std::max<long long>(worstWrittenAfter, port.bytesWrittenAfter(stopAt));
    }
    f.writtenAfterStop = worstWrittenAfter;

    // 3. PAUSE and CONT, three rounds in one replay. Each hold is measured from 200 ms after
    // PAUSE (the frames on their way have arrived, and the replay sits in its wait) for a
    // second; then CONT, and the time until the next byte comes off the line.
    {
        f.pauseHeld = true;
        std::function<void(int)> round = [&](int r) {
            whenReady(&w, reachesIndex(w, 200 + 300 * r), [&, r] {
                w.press(ui(w).Command6);
                QTimer::singleShot(200, Qt::PreciseTimer, &w, [&, r] {
                    const auto from = Clock::now();
                    const double cpuFrom = cpuSeconds(RUSAGE_SELF);
                    const double threadFrom = cpuSeconds(RUSAGE_THREAD);
                    const std::size_t writesFrom = port.writes.size();
                    QTimer::singleShot(
                        1000, Qt::PreciseTimer, &w, [&, r, from, cpuFrom, threadFrom, writesFrom] {
                            const double wall = duration<double>(Clock::now() - from).count();
                            f.pausedCpu.push_back(100.0 * (cpuSeconds(RUSAGE_SELF) - cpuFrom) /
                                                  wall);
                            f.pausedThreadCpu.push_back(
                                100.0 * (cpuSeconds(RUSAGE_THREAD) - threadFrom) / wall);
                            for (std::size_t i = writesFrom; i < port.writes.size(); ++i)
                                f.bytesWhilePaused += port.writes[i].bytes;
                            f.pauseHeld =
                                f.pauseHeld && ui(w).Command6->text() == QLatin1String("CONT");
                            const std::size_t before = reader.count();
                            const auto cont = Clock::now();
                            w.press(ui(w).Command6);
                            whenReady(
                                &w, [&reader, before] { return reader.count() > before; },
                                [&, r, before, cont] {
                                    f.contToByteMs.push_back(duration<double, std::milli>(
                                                                 reader.bytes()[before].at - cont)
                                                                 .count());
                                    if (r + 1 < pauseRounds)
                                        round(r + 1);
                                    else
                                        w.press(ui(w).Command4);
                                });
                        });
                });
            });
        };
        round(0);
        w.press(ui(w).Command5);
        drain();
    }

    // 4. Open and Save of the largest movement file, through the File menu's handlers.
    std::vector<double> openMs, saveMs;
    {
        auto buffer = std::make_unique<StepBuffer>();
        for (int i = 1; i <= fileRecords; ++i)
            buffer->put(i, Step{qint16(i % axes::count), qint16((i * 7) % 256)});
        buffer->setStepCount(fileRecords);
        const QByteArray original = movement::write(*buffer, 1, fileRecords);
        const QString path = dir.filePath(QStringLiteral("large.kmv"));
        QFile file(path);
        f.filesIntact = file.open(QIODevice::WriteOnly) && file.write(original) == original.size();
        file.close();
        const auto messagesBefore = dialogs.shown.size();
        for (int r = 0; r < fileRepeats && f.filesIntact; ++r) {
            dialogs.openPaths << path;
            QElapsedTimer clock;
            clock.start();
            w.Open_men_Click();
            openMs.push_back(clock.nsecsElapsed() / 1e6);
            f.filesIntact = w.session().stepBuffer().stepCount() == fileRecords && w.session().movementFile() == path;
            // Save writes to the file just opened.
            clock.restart();
            w.Save_men_Click();
            saveMs.push_back(clock.nsecsElapsed() / 1e6);
            QFile back(path);
            f.filesIntact =
                f.filesIntact && back.open(QIODevice::ReadOnly) && back.readAll() == original;
        }
        f.filesIntact = f.filesIntact && dialogs.shown.size() == messagesBefore;
    }
    f.openMs = median(openMs);
    f.saveMs = median(saveMs);
    if (!dialogs.shown.isEmpty() || endAsked)
        f.error = QStringLiteral("%1 message(s) shown%2")
                      .arg(dialogs.shown.size())
                      .arg(endAsked ? QStringLiteral(", and the program asked to end") : QString());
    return f;
}

} // namespace bench
