// Replay on a real serial line. The main window drives the real SerialPort on a pseudo-terminal
// whose far end is read no faster than a 9600-baud 8N1 line carries bytes (960 a second), the
// way the servo controller takes them. It prints what the operator feels: how close a replay
// comes to the line's 240 frames a second, how far the arm runs on after STOP, what a paused
// replay costs in CPU, and how long the largest movement file takes to open and save.
//
// A report, not a test: it exits 0 whatever the figures are, and only a broken set-up (no
// pseudo-terminal, a port that does not open) exits 1.

#include "core/link/frame.h"
#include "core/link/line_clock.h"
#include "core/link/serial_port.h"
#include "core/motion/step_buffer.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "sim/core/pseudo_terminal.h"
#include "support/robot_controls.h"
#include "support/scripted_dialogs.h"
#include "windows/robot/robot.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QDir>
#include <QElapsedTimer>
#include <QEventLoop>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <fcntl.h>
#include <functional>
#include <memory>
#include <mutex>
#include <poll.h>
#include <stdlib.h>
#include <sys/ioctl.h>
#include <sys/resource.h>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using Clock = std::chrono::steady_clock;
using namespace std::chrono;

constexpr double lineFramesPerSecond = 960.0 / frame::size; // 240
constexpr int replaySteps = 2000;
constexpr int stopTrials = 5;
constexpr int fileRecords = movement::maxRecords; // 12010
constexpr int fileRepeats = 5;

double msBetween(Clock::time_point a, Clock::time_point b)
{
    return duration<double, std::milli>(b - a).count();
}

// Lets window events run for `ms` milliseconds; the replay's own loops nest inside.
void waitMs(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// The far end of the line. It takes each byte when the line's clock says a 9600-baud 8N1 line
// would have delivered it, as the controller's UART would, and stamps it with that moment.
// Bytes the program wrote but the reader has not yet taken stay queued in the pseudo-terminal,
// as they would in a UART's buffer: that queue is what runs on after STOP.
class LineReader {
public:
    struct Byte {
        Clock::time_point at;
        unsigned char value;
    };

    explicit LineReader(int master) : m_fd(master)
    {
        if (::pipe(m_stop) != 0)
            m_stop[0] = m_stop[1] = -1;
        m_bytes.reserve(1 << 16);
        m_thread = std::thread([this] { run(); });
    }
    ~LineReader()
    {
        const char c = 0;
        [[maybe_unused]] auto n = ::write(m_stop[1], &c, 1);
        m_thread.join();
        ::close(m_stop[0]);
        ::close(m_stop[1]);
    }
    LineReader(const LineReader &) = delete;
    LineReader &operator=(const LineReader &) = delete;

    std::vector<Byte> bytes() const
    {
        std::lock_guard lock(m_mutex);
        return m_bytes;
    }
    std::size_t count() const
    {
        std::lock_guard lock(m_mutex);
        return m_bytes.size();
    }

private:
    long long waiting() const
    {
        int n = 0;
        return ::ioctl(m_fd, FIONREAD, &n) == 0 ? n : 0;
    }

    void run()
    {
        LineClock line;
        long long taken = 0;
        for (;;) {
            // Asleep until bytes show up, or until the next one on the wire is due. The times
            // are the clock's, so a late wake-up does not slow the line down.
            const auto now = Clock::now();
            const bool onTheWire = taken < line.bytesWritten();
            const int timeout =
                onTheWire ? int(ceil<milliseconds>(line.nextArrival(now) - now).count()) : -1;
            pollfd p[2] = {{m_fd, short(onTheWire ? 0 : POLLIN), 0}, {m_stop[0], POLLIN, 0}};
            if (::poll(p, 2, timeout) < 0 && errno != EINTR)
                return;
            if (p[1].revents)
                return;
            if ((p[0].revents & POLLHUP) && !(p[0].revents & POLLIN)) {
                // No slave side open yet (or between two opens).
                std::this_thread::sleep_for(milliseconds(5));
                continue;
            }
            const auto at = Clock::now();
            line.sawUpTo(taken + waiting(), at);
            for (long long due = line.bytesArrived(at); taken < due; ++taken) {
                unsigned char c = 0;
                if (::read(m_fd, &c, 1) != 1)
                    break;
                std::lock_guard lock(m_mutex);
                m_bytes.push_back(Byte{line.arrivalOf(taken), c});
            }
        }
    }

    int m_fd;
    int m_stop[2] = {-1, -1};
    mutable std::mutex m_mutex;
    std::vector<Byte> m_bytes;
    std::thread m_thread;
};

// The real port, with a note of when each write left the program.
class TimedSerialPort : public SerialPort {
public:
    using SerialPort::SerialPort;

    struct Write {
        Clock::time_point at;
        qsizetype bytes;
    };
    std::vector<Write> writes;

    // Bytes written before `t` that the line had not yet delivered at `t`, by the line's clock
    // kept from the write times, plus those written after it: what the arm still had to do.
    // Unlike the reader's count, it does not include the reader's own wake-up delays.
    qsizetype queuedAt(Clock::time_point t) const
    {
        LineClock line;
        qsizetype after = 0;
        for (const Write &w : writes) {
            if (w.at <= t)
                line.wrote(w.bytes, w.at);
            else
                after += w.bytes;
        }
        return qsizetype(line.bytesInFlight(t)) + after;
    }

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

struct ArrivedFrame {
    Clock::time_point at; // when its last byte arrived
    int channel;
    int position;
};

// Frames in the reader's bytes from `from` on; bytes that do not form a frame are counted.
std::vector<ArrivedFrame> framesFrom(const std::vector<LineReader::Byte> &bytes, std::size_t from,
                                     int *junk)
{
    std::vector<ArrivedFrame> out;
    *junk = 0;
    std::size_t i = from;
    while (i < bytes.size()) {
        if (bytes[i].value == frame::start && i + 3 < bytes.size() &&
            bytes[i + 3].value == frame::end) {
            out.push_back(ArrivedFrame{bytes[i + 3].at, bytes[i + 1].value, bytes[i + 2].value});
            i += frame::size;
        } else {
            ++*junk;
            ++i;
        }
    }
    return out;
}

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

// Steps that all move their axis: the five axes in turn, each swinging between two positions
// either side of the home, so every step is written twice (by the replay and by its value box).
Step replayStepAt(int k)
{
    const int channel = k % axes::count;
    const int position = (k / axes::count) % 2 == 0 ? 137 : 117;
    return Step{static_cast<qint16>(channel), static_cast<qint16>(position)};
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
        below = below || w.replayIndex() < target;
        return below && w.replayIndex() >= target;
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

const char *verdict(bool pass)
{
    return pass ? "PASS" : "FAIL";
}

} // namespace

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    look::setUpApplication();

    QTemporaryDir dir;
    const Folders folders{dir.filePath(QStringLiteral("config")),
                          dir.filePath(QStringLiteral("help"))};
    QDir().mkpath(folders.config);
    QDir().mkpath(folders.help);
    {
        // Every home at the centre and COM1: start-up then shows no message.
        QFile f(folders.configFile());
        if (!f.open(QIODevice::WriteOnly) ||
            f.write(config::write({127, 127, 127, 127, 127}, 5, 1)) < 0) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(folders.configFile()));
            return 1;
        }
    }

    sim::PseudoTerminal pty;
    if (!pty.ok() || !QFile::link(pty.slavePath(), folders.config + QStringLiteral("/COM1"))) {
        std::fprintf(stderr, "no pseudo-terminal for the line\n");
        return 1;
    }
    LineReader reader(pty.master());

    TimedSerialPort port(folders.config);
    ScriptedDialogs dialogs;
    bool endAsked = false;
    robot w(Services{&port, &dialogs, folders, [&endAsked] { endAsked = true; }});
    w.Form_Load();
    if (w.portStatus() != 0 || !port.isOpen()) {
        std::fprintf(stderr, "the port did not open (status %d, %s)\n", w.portStatus(),
                     qPrintable(port.device()));
        return 1;
    }

    // Waits until the line has carried everything written, and the reader has taken it.
    const auto drain = [&] {
        const auto busy = ceil<milliseconds>(port.line().busyFor(Clock::now())).count();
        waitMs(static_cast<int>(busy) + 100);
    };
    drain();

    // A motion of 2000 steps, opened from a file as the operator would.
    {
        auto taught = std::make_unique<StepBuffer>();
        for (int k = 0; k < replaySteps; ++k)
            taught->put(k + 2, replayStepAt(k));
        taught->setStepCount(replaySteps + 1);
        const QString path = dir.filePath(QStringLiteral("taught.kmv"));
        QFile f(path);
        const QByteArray text = movement::write(*taught, 1, replaySteps + 1);
        if (!f.open(QIODevice::WriteOnly) || f.write(text) != text.size()) {
            std::fprintf(stderr, "cannot write %s\n", qPrintable(path));
            return 1;
        }
        f.close();
        dialogs.openPaths << path;
        w.Open_men_Click();
        if (w.stepBuffer().stepCount() != replaySteps + 1) {
            std::fprintf(stderr, "the motion did not open\n");
            return 1;
        }
    }
    ui(w).Text5->setText(QStringLiteral("1"));

    // 1. Throughput of one whole pass. The pass is the last 4000 frames the reader gets: the
    // homing comes before it, and the end of RUN writes nothing.
    const std::size_t passMark = reader.count();
    auto *basePaints = new PaintCounter(ui(w).HScroll1);
    const double runCpuFrom = cpuSeconds(RUSAGE_SELF), runThreadFrom = cpuSeconds(RUSAGE_THREAD);
    const auto runStart = Clock::now();
    w.press(ui(w).Command5);
    const auto runEnd = Clock::now();
    // The window's thread is the one that drives the replay (and would paint it on a screen);
    // the process adds the reader's thread, which stands in for the arm.
    const double runWall = duration<double>(runEnd - runStart).count();
    const double replayCpuPercent = 100.0 * (cpuSeconds(RUSAGE_SELF) - runCpuFrom) / runWall;
    const double replayThreadCpuPercent =
        100.0 * (cpuSeconds(RUSAGE_THREAD) - runThreadFrom) / runWall;
    // The base moves every fifth step, 24 times a second.
    const double basePaintsPerSecond = basePaints->paints / runWall;
    delete basePaints;
    drain();
    int junk = 0;
    const auto arrived = framesFrom(reader.bytes(), passMark, &junk);
    const int passFrames = 2 * replaySteps;
    bool passIntact = int(arrived.size()) >= passFrames && junk == 0;
    double framesPerSecond = 0, stepsPerSecond = 0, passSeconds = 0, longestGapMs = 0;
    int homingFrames = 0;
    if (passIntact) {
        homingFrames = int(arrived.size()) - passFrames;
        const auto first = arrived.begin() + homingFrames;
        for (int k = 0; k < replaySteps; ++k) {
            const Step s = replayStepAt(k);
            for (int twice = 0; twice < 2; ++twice) {
                const ArrivedFrame &f = first[2 * k + twice];
                passIntact = passIntact && f.channel == s.channel && f.position == s.position;
            }
        }
        const double span = duration<double>(arrived.back().at - first->at).count();
        passSeconds = span;
        framesPerSecond = (passFrames - 1) / span;
        // A step is done when its second frame is: from the first step's to the last step's.
        const double stepSpan = duration<double>(arrived.back().at - first[1].at).count();
        stepsPerSecond = (replaySteps - 1) / stepSpan;
        for (auto f = first + 1; f != arrived.end(); ++f)
            longestGapMs = std::max(longestGapMs, msBetween((f - 1)->at, f->at));
    }

    // 2. STOP mid-pass: how much was already queued ahead of the arm when STOP was handled.
    struct StopTrial {
        qsizetype queued = 0;       // bytes still ahead of the arm (ideal line, write times)
        qsizetype arrivedAfter = 0; // bytes the reader took after the moment of STOP
        qsizetype writtenAfter = 0; // bytes the program wrote after it
        long long lineClock = 0;    // bytes in flight by the program's own line clock
        int stoppedAt = 0;          // replay_index when STOP ran
    };
    std::vector<StopTrial> stops;
    for (int trial = 0; trial < stopTrials; ++trial) {
        StopTrial t;
        Clock::time_point stopAt{};
        const int target = 150 + 37 * trial; // different phases of the step cycle
        whenReady(&w, reachesIndex(w, target), [&] {
            stopAt = Clock::now();
            t.lineClock = port.line().bytesInFlight(stopAt);
            t.stoppedAt = w.replayIndex();
            w.press(ui(w).Command4);
        });
        w.press(ui(w).Command5);
        drain();
        for (const LineReader::Byte &b : reader.bytes())
            if (b.at > stopAt)
                ++t.arrivedAfter;
        t.writtenAfter = port.bytesWrittenAfter(stopAt);
        t.queued = port.queuedAt(stopAt);
        stops.push_back(t);
    }

    // 3. CPU while a replay is paused, over three seconds, from 200 ms after PAUSE (so the
    // frames still on their way have arrived and the replay is sitting in its wait).
    double pausedCpuPercent = 0, pausedThreadCpuPercent = 0;
    qsizetype pausedBytesWritten = 0;
    bool pauseHeld = false;
    {
        Clock::time_point from{}, to{};
        double cpuFrom = 0, cpuTo = 0, threadFrom = 0, threadTo = 0;
        std::size_t writesFrom = 0;
        whenReady(&w, reachesIndex(w, 200), [&] {
            w.press(ui(w).Command6);
            QTimer::singleShot(200, Qt::PreciseTimer, &w, [&] {
                from = Clock::now();
                cpuFrom = cpuSeconds(RUSAGE_SELF);
                threadFrom = cpuSeconds(RUSAGE_THREAD);
                writesFrom = port.writes.size();
                QTimer::singleShot(3000, Qt::PreciseTimer, &w, [&] {
                    to = Clock::now();
                    cpuTo = cpuSeconds(RUSAGE_SELF);
                    threadTo = cpuSeconds(RUSAGE_THREAD);
                    for (std::size_t i = writesFrom; i < port.writes.size(); ++i)
                        pausedBytesWritten += port.writes[i].bytes;
                    pauseHeld = ui(w).Command6->text() == QLatin1String("CONT");
                    // STOP releases the pause and ends the run.
                    w.press(ui(w).Command4);
                });
            });
        });
        w.press(ui(w).Command5);
        const double wall = duration<double>(to - from).count();
        if (wall > 0) {
            pausedCpuPercent = 100.0 * (cpuTo - cpuFrom) / wall;
            pausedThreadCpuPercent = 100.0 * (threadTo - threadFrom) / wall;
        }
        drain();
    }

    // 4. Open and Save of the largest movement file, through the File menu's handlers.
    std::vector<double> openMs, saveMs;
    bool filesIntact = true;
    {
        auto buffer = std::make_unique<StepBuffer>();
        for (int i = 1; i <= fileRecords; ++i)
            buffer->put(
                i, Step{static_cast<qint16>(i % axes::count), static_cast<qint16>((i * 7) % 256)});
        buffer->setStepCount(fileRecords);
        const QByteArray original = movement::write(*buffer, 1, fileRecords);
        const QString path = dir.filePath(QStringLiteral("large.kmv"));
        QFile f(path);
        filesIntact = f.open(QIODevice::WriteOnly) && f.write(original) == original.size();
        f.close();
        const auto messagesBefore = dialogs.shown.size();
        for (int r = 0; r < fileRepeats && filesIntact; ++r) {
            dialogs.openPaths << path;
            QElapsedTimer clock;
            clock.start();
            w.Open_men_Click();
            openMs.push_back(clock.nsecsElapsed() / 1e6);
            filesIntact = w.stepBuffer().stepCount() == fileRecords && w.movementFile() == path;
            // Save writes to the file just opened.
            clock.restart();
            w.Save_men_Click();
            saveMs.push_back(clock.nsecsElapsed() / 1e6);
            QFile back(path);
            filesIntact =
                filesIntact && back.open(QIODevice::ReadOnly) && back.readAll() == original;
        }
        filesIntact = filesIntact && dialogs.shown.size() == messagesBefore;
    }

    // The report.
    const double frameGoal = 0.95 * lineFramesPerSecond;
    qsizetype worstQueued = 0, worstWrittenAfter = 0;
    long long worstLineClock = 0;
    QString queuedList, arrivedList, clockList, indexList;
    for (const StopTrial &t : stops) {
        worstQueued = std::max(worstQueued, t.queued);
        queuedList += QString::number(t.queued) + QLatin1Char(' ');
        worstWrittenAfter = std::max(worstWrittenAfter, t.writtenAfter);
        worstLineClock = std::max(worstLineClock, t.lineClock);
        arrivedList += QString::number(t.arrivedAfter) + QLatin1Char(' ');
        clockList += QString::number(t.lineClock) + QLatin1Char(' ');
        indexList += QString::number(t.stoppedAt) + QLatin1Char(' ');
    }
    const bool throughputPass = passIntact && framesPerSecond >= frameGoal;
    const bool replayCpuPass = replayThreadCpuPercent <= 8.0;
    const bool stopPass = worstQueued <= 16 && worstWrittenAfter == 0;
    const bool pausePass = pauseHeld && pausedCpuPercent <= 2.0;

    std::printf(
        "Kestrel replay on a pseudo-terminal read at 960 B/s (9600 baud 8N1: 240 frames/s)\n");
    std::printf("%-46s %-24s %-12s %s\n", "figure", "measured", "goal", "result");
    std::printf("%s\n", QByteArray(92, '-').constData());
    std::printf("%-46s %-24s %-12s %s\n", "1. replay, 2000 steps: frames/s on the wire",
                qPrintable(QString::asprintf("%.1f", framesPerSecond)),
                qPrintable(QString::asprintf(">= %.0f", frameGoal)), verdict(throughputPass));
    std::printf("%-46s %-24s\n", "   steps/s (each step is 2 frames)",
                qPrintable(QString::asprintf("%.1f", stepsPerSecond)));
    std::printf("%-46s %-24s\n", "   pass on the wire, s (RUN click to return)",
                qPrintable(QString::asprintf("%.2f (%.2f)", passSeconds,
                                             duration<double>(runEnd - runStart).count())));
    std::printf("%-46s %-24s\n", "   longest gap between two frames, ms",
                qPrintable(QString::asprintf("%.2f (one frame: 4.17)", longestGapMs)));
    std::printf("%-46s %-24s\n", "   frames arrived as sent",
                passIntact ? "yes" : qPrintable(QString::asprintf("NO (%d junk bytes)", junk)));
    std::printf("%-46s %-24s %-12s %s\n", "   CPU of the window's thread, % of one core",
                qPrintable(QString::asprintf("%.2f", replayThreadCpuPercent)), "<= 8",
                verdict(replayCpuPass));
    std::printf("%-46s %-24s\n", "   CPU of the process (with the line's reader)",
                qPrintable(QString::asprintf("%.2f", replayCpuPercent)));
    std::printf(
        "%-46s %-24s\n", "   paints of the base's slider a second",
        qPrintable(QString::asprintf("%.1f (it moves 24 times a second)", basePaintsPerSecond)));
    std::printf("%-46s %-24s %-12s %s\n", "2. bytes reaching the arm after STOP, worst",
                qPrintable(QString::number(worstQueued)), "<= 16", verdict(stopPass));
    std::printf("%-46s %-24s\n", "   per STOP, queued on the line (write times)",
                qPrintable(queuedList.trimmed()));
    std::printf("%-46s %-24s\n", "   per STOP, at the reader (+ its wake-ups)",
                qPrintable(arrivedList.trimmed()));
    std::printf("%-46s %-24s\n", "   per STOP, by the program's line clock",
                qPrintable(clockList.trimmed()));
    std::printf("%-46s %-24s\n", "   written after STOP was handled",
                qPrintable(QString::number(worstWrittenAfter)));
    std::printf("%-46s %-24s\n", "   replay_index at STOP", qPrintable(indexList.trimmed()));
    std::printf("%-46s %-24s %-12s %s\n", "3. CPU while paused, 3 s, % of one core",
                qPrintable(QString::asprintf("%.2f", pausedCpuPercent)), "<= 2",
                verdict(pausePass));
    std::printf("%-46s %-24s\n", "   of which the window's thread",
                qPrintable(QString::asprintf("%.2f", pausedThreadCpuPercent)));
    std::printf("%-46s %-24s\n", "   bytes written while paused",
                qPrintable(QString::number(pausedBytesWritten)));
    std::printf("%-46s %-24s\n", "4. Open, 12010 records, ms (median, worst)",
                qPrintable(QString::asprintf(
                    "%.1f, %.1f", median(openMs),
                    openMs.empty() ? 0.0 : *std::max_element(openMs.begin(), openMs.end()))));
    std::printf("%-46s %-24s\n", "   Save, 12010 records, ms (median, worst)",
                qPrintable(QString::asprintf(
                    "%.1f, %.1f", median(saveMs),
                    saveMs.empty() ? 0.0 : *std::max_element(saveMs.begin(), saveMs.end()))));
    std::printf("%-46s %-24s\n", "   file read back as written", filesIntact ? "yes" : "NO");
    if (!dialogs.shown.isEmpty() || endAsked)
        std::printf("note: %lld message(s) shown%s\n", static_cast<long long>(dialogs.shown.size()),
                    endAsked ? ", and the program asked to end" : "");
    std::printf("homing frames before the measured pass: %d; %d CPU cores\n", homingFrames,
                int(std::thread::hardware_concurrency()));
    std::fflush(stdout);
    return 0;
}
