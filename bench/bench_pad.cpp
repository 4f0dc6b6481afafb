// The game controller in the main window: how soon a stick pushed over moves the arm (from the
// pad's change to the first frame written), how fast a held stick moves it, and what the pads
// cost while nobody touches them (CPU and wakeups, a pad resting and none). The window, SDL and
// the virtual pad share a process, whose event loop sleeps between events as the program's does.
// Two columns: offscreen (unless QT_QPA_PLATFORM says otherwise), and the same in a child on an
// Xvfb of its own, xcb, Qt's GLib dispatcher (not with --no-desktop). A report, not a test: only
// a broken set-up exits 1.

#include "core/pad/game_pads.h"
#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "support/virtual_pad.h"
#include "support/x_desktop.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QDir>
#include <QEventLoop>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTimer>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstring>
#include <functional>

namespace {

using Clock = pad::Clock;
using namespace std::chrono;

const char childMark[] = "KESTREL_BENCH_PAD_CHILD";
constexpr int trials = 50;
constexpr int quietMs = 5000;

// The single figures, by name; -1 where there is none.
enum Figure {
    IdleCpu,
    IdleWakeups,
    RestingCpu,
    RestingWakeups,
    PolledCpu,
    PolledWakeups,
    ReadingUs,
    HeldPace,
    figureCount
};

struct Figures {
    QString platform;
    std::array<double, figureCount> value{-1, -1, -1, -1, -1, -1, -1, -1};
    std::vector<double> latencyMs; // sorted
    QString error;
};

// The event loop runs, sleeping between events, until `done` holds (looked at every
// millisecond) or `ms` have gone.
bool runUntil(const std::function<bool()> &done, int ms)
{
    QEventLoop loop;
    QTimer look;
    QObject::connect(&look, &QTimer::timeout, &loop, [&] {
        if (done())
            loop.quit();
    });
    look.start(1); // a 1 ms timer is precise already
    QTimer::singleShot(ms, &loop, &QEventLoop::quit);
    if (!done())
        loop.exec();
    return done();
}

void idleFor(int ms)
{
    QEventLoop loop;
    QTimer::singleShot(ms, Qt::PreciseTimer, &loop, &QEventLoop::quit);
    loop.exec();
}

// Summed over every thread of this process, from /proc: its wakeups (each time a thread slept
// and woke: voluntary_ctxt_switches) and its time on a core in nanoseconds (schedstat, which the
// scheduler counts exactly, where utime and stime are sampled at each clock tick and miss or
// double a process that wakes briefly a hundred times a second).
struct Use {
    long long wakeups = 0;
    long long cpuNs = 0;
};

Use use()
{
    Use u;
    const QDir tasks(QStringLiteral("/proc/self/task"));
    for (const QString &tid : tasks.entryList(QDir::Dirs | QDir::NoDotAndDotDot)) {
        const auto read = [&](const char *name) {
            QFile f(tasks.filePath(tid + u'/' + QLatin1String(name)));
            return f.open(QIODevice::ReadOnly) ? f.readAll() : QByteArray();
        };
        for (const QByteArray &line : read("status").split('\n'))
            if (line.startsWith("voluntary_ctxt_switches:"))
                u.wakeups += line.mid(line.indexOf(':') + 1).trimmed().toLongLong();
        u.cpuNs += read("schedstat").split(' ').value(0).toLongLong();
    }
    return u;
}

// The share of a core the process used, in %, and its wakeups a second, over `quietMs`.
std::pair<double, double> quiet()
{
    const Use from = use();
    const auto start = Clock::now();
    idleFor(quietMs);
    const Use to = use();
    const double seconds = duration<double>(Clock::now() - start).count();
    // Less the wakeup that ends the measurement.
    return {100 * double(to.cpuNs - from.cpuNs) / 1e9 / seconds,
            double(to.wakeups - from.wakeups - 1) / seconds};
}

// Pushes the base's stick over, right and left in turn, at phases spread over the pad's
// readings, and notes when the first frame is written.
bool latencies(PadsWithNode &pads, VirtualPad &pad, RobotHarness &h, Figures &f)
{
    std::vector<Clock::time_point> written;
    for (int trial = 0; trial < trials; ++trial) {
        // The line carries what it had, then a while into the pad's reading cycle.
        runUntil([&h] { return h.port.line().busyFor(Clock::now()) <= Clock::duration::zero(); },
                 1000);
        idleFor(20 + (trial * 7) % GamePads::restingMs);
        written.clear();
        h.port.onFrame(0, [&written] { written.push_back(Clock::now()); });
        const auto pushed = Clock::now();
        pad.set(pad::Stick::LeftX, trial % 2 ? -32767 : 32767);
        pads.stir();
        if (!runUntil([&written] { return !written.empty(); }, 1000)) {
            f.error = QStringLiteral("a pushed stick wrote no frame");
            return false;
        }
        f.latencyMs.push_back(duration<double, std::milli>(written.front() - pushed).count());
        pad.set(pad::Stick::LeftX, 0);
        pads.stir();
        runUntil([&pads] { return pad::resting(pads.state()); }, 1000);
    }
    std::sort(f.latencyMs.begin(), f.latencyMs.end());
    return true;
}

// A stick held at full push for a while: the positions a second, from the first to the last.
double heldPace(PadsWithNode &pads, VirtualPad &pad, robot &w)
{
    std::vector<Clock::time_point> at;
    const auto noting = QObject::connect(ui(w).HScroll1, &ScrollBar::change, &w,
                                         [&at] { at.push_back(Clock::now()); });
    pad.set(pad::Stick::LeftX, 32767);
    pads.stir();
    idleFor(400); // some 100 positions, short of the end of the base's range
    pad.set(pad::Stick::LeftX, 0);
    pads.stir();
    runUntil([&pads] { return pad::resting(pads.state()); }, 1000);
    QObject::disconnect(noting);
    return at.size() < 2 ? -1 : (at.size() - 1) / duration<double>(at.back() - at.front()).count();
}

// The pad's device node is a pipe that the benchmark writes to whenever it changes the pad, as
// the kernel does for a real pad; closed, the node fails and the pad is read on the timer.
Figures measure()
{
    Figures f;
    f.platform = QGuiApplication::platformName();
    QTemporaryDir dir;
    PadsWithNode pads(dir.filePath(QStringLiteral("event0")));
    if (!pads.start()) {
        f.error = QStringLiteral("SDL did not start: ") + pads.error();
        return f;
    }
    RobotHarness h;
    h.pads = &pads;
    robot &w = h.start();
    w.show();
    idleFor(500); // start-up's frames and paints
    std::tie(f.value[IdleCpu], f.value[IdleWakeups]) = quiet();

    VirtualPad pad;
    if (!runUntil([&pads] { return !pads.name().isEmpty(); }, 2000) || !pads.openWriter()) {
        f.error = QStringLiteral("the virtual pad was not noticed");
        return f;
    }
    idleFor(200);
    std::tie(f.value[RestingCpu], f.value[RestingWakeups]) = quiet();
    if (latencies(pads, pad, h, f))
        f.value[HeldPace] = heldPace(pads, pad, w);
    pads.closeWriter();
    runUntil([&pads] { return pads.polling(); }, 1000);
    std::tie(f.value[PolledCpu], f.value[PolledWakeups]) = quiet();
    // What a reading costs, the readings' timer left out.
    constexpr int readings = 2000;
    const auto from = Clock::now();
    for (int i = 0; i < readings; ++i)
        pads.poll();
    f.value[ReadingUs] = duration<double, std::micro>(Clock::now() - from).count() / readings;
    return f;
}

// The child's figures, as one line on its standard output.
QString figuresLine(const Figures &f)
{
    QStringList parts{f.platform, f.error.isEmpty() ? QStringLiteral("-") : f.error};
    for (double v : f.value)
        parts << QString::number(v);
    for (double ms : f.latencyMs)
        parts << QString::number(ms);
    return QStringLiteral("figures ") + parts.join(u'\t');
}

Figures parseFigures(const QByteArray &output)
{
    Figures f;
    f.error = QStringLiteral("no figures from the child");
    for (const QByteArray &line : output.split('\n')) {
        const QList<QByteArray> p = line.mid(8).trimmed().split('\t');
        if (!line.startsWith("figures ") || p.size() < 2 + figureCount)
            continue;
        f.platform = QString::fromUtf8(p[0]);
        f.error = p[1] == "-" ? QString() : QString::fromUtf8(p[1]);
        for (int i = 0; i < figureCount; ++i)
            f.value[std::size_t(i)] = p[2 + i].toDouble();
        for (qsizetype i = 2 + figureCount; i < p.size(); ++i)
            f.latencyMs.push_back(p[i].toDouble());
    }
    return f;
}

Figures onDesktop(const QStringList &arguments)
{
    desktop::VirtualScreen screen;
    if (!screen.start())
        return Figures{QStringLiteral("xcb"), {}, {}, screen.error()};
    QProcess child;
    QProcessEnvironment env = screen.childEnvironment();
    env.insert(QString::fromLatin1(childMark), QStringLiteral("1"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    desktop::endWithThisProcess(child);
    child.start(QCoreApplication::applicationFilePath(), arguments);
    child.waitForFinished(120000);
    return parseFigures(child.readAllStandardOutput());
}

QString cell(double value, const char *unit)
{
    return value < 0 ? QStringLiteral("-") : QString::asprintf("%.2f%s", value, unit);
}

void row(const char *figure, const char *goal, const std::vector<Figures> &columns,
         const std::function<QString(const Figures &)> &value)
{
    std::printf("%-46s %-12s", figure, goal);
    for (const Figures &c : columns)
        std::printf(" %-22s", qPrintable(c.error.isEmpty() ? value(c) : QStringLiteral("-")));
    std::printf("\n");
}

void report(const std::vector<Figures> &columns)
{
    std::printf("%-46s %-12s", "Figure", "Goal");
    for (const Figures &c : columns)
        std::printf(" %-22s", qPrintable(c.platform));
    std::printf("\n");
    const auto at = [](const Figures &f, double share) {
        return f.latencyMs.empty() ? -1.0
                                   : f.latencyMs[std::size_t(share * (f.latencyMs.size() - 1))];
    };
    row("Stick pushed to first frame, median", "<= 20 ms", columns,
        [&](const Figures &f) { return cell(at(f, 0.5), " ms"); });
    row("Stick pushed to first frame, worst", "<= 20 ms", columns,
        [&](const Figures &f) { return cell(at(f, 1.0), " ms"); });
    const auto single = [&columns](const char *figure, const char *goal, Figure which,
                                   const char *unit) {
        row(figure, goal, columns,
            [which, unit](const Figures &f) { return cell(f.value[which], unit); });
    };
    single("A stick held over, positions a second", "<= 240", HeldPace, "");
    single("CPU, a pad connected and resting (5 s)", "<= 1 %", RestingCpu, " %");
    single("Wakeups a second, a pad resting", "-", RestingWakeups, "");
    single("CPU, the same with no node, read every 10 ms", "<= 1 %", PolledCpu, " %");
    single("Wakeups a second, the same", "-", PolledWakeups, "");
    single("One reading of a resting pad", "-", ReadingUs, " us");
    single("CPU, no pad (5 s)", "-", IdleCpu, " %");
    single("Wakeups a second, no pad", "<= 2", IdleWakeups, "");
    for (const Figures &c : columns)
        if (!c.error.isEmpty())
            std::printf("%s: %s\n", qPrintable(c.platform), qPrintable(c.error));
}

} // namespace

int main(int argc, char *argv[])
{
    const bool child = qEnvironmentVariableIsSet(childMark);
    bool desktop = !child;
    for (int i = 1; i < argc; ++i)
        desktop = desktop && std::strcmp(argv[i], "--no-desktop") != 0;
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    look::setUpApplication();
    std::vector<Figures> columns{measure()};
    if (child) {
        std::printf("%s\n", qPrintable(figuresLine(columns.front())));
        return 0;
    }
    if (desktop)
        columns.push_back(onDesktop(app.arguments().mid(1)));
    report(columns);
    return columns.front().error.isEmpty() ? 0 : 1;
}
