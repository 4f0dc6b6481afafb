#include "kestrel_desktop.h"

#include "support/files.h"

#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QSet>
#include <QTest>

namespace desktop {

QString kestrelBinary(const QString &built)
{
    const QString other = qEnvironmentVariable("KESTREL_DESKTOP_BINARY");
    return other.isEmpty() ? built : other;
}

// ---------------------------------------------------------------------------------------------
// KestrelOnDesktop

KestrelOnDesktop::KestrelOnDesktop(const RobotLayout &layout, Options options)
    : m_layout(layout), m_options(std::move(options)),
      m_dir(QDir::tempPath() + QStringLiteral("/kestrel-desktop-XXXXXX"))
{
}

KestrelOnDesktop::~KestrelOnDesktop()
{
    kill();
}

void KestrelOnDesktop::kill()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.kill();
        m_process.waitForFinished(10000);
    }
}

bool KestrelOnDesktop::start(int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    if (!m_screen.start()) {
        m_error = m_screen.error();
        return false;
    }
    m_x = std::make_unique<XClient>(m_screen.display());
    if (!m_x->ok()) {
        m_error = m_x->error();
        return false;
    }
    if (!m_line.ok() || !m_dir.isValid()) {
        m_error = QStringLiteral("no pseudo-terminal or no temporary folder: ") + m_line.error();
        return false;
    }
    const QString config = configFolder();
    const QByteArray robotini =
        m_options.robotini.isEmpty()
            ? readAll(QStringLiteral(KESTREL_TEST_DATA "/config_default.txt"))
            : m_options.robotini;
    if (!QDir().mkpath(config) || !writeFile(config + QStringLiteral("/robotini.txt"), robotini) ||
        !m_line.linkAs(config + QStringLiteral("/COM1"))) {
        m_error = QStringLiteral("cannot make the configuration folder ") + config;
        return false;
    }

    QProcessEnvironment env = m_screen.childEnvironment();
    env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path() + QStringLiteral("/config"));
    // The program ends through _exit, which leaves its memory to the system.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    for (const QString &e : m_options.env) {
        const qsizetype eq = e.indexOf(QLatin1Char('='));
        env.insert(e.left(eq), e.mid(eq + 1));
    }
    m_process.setProcessEnvironment(env);
    m_process.setWorkingDirectory(m_dir.path());
    m_process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    endWithThisProcess(m_process);
    m_process.start(m_options.binary, {});
    if (!m_process.waitForStarted(10000)) {
        m_error =
            QStringLiteral("%1 did not start: %2").arg(m_options.binary, m_process.errorString());
        return false;
    }
    const Window main = m_x->waitForWindow(pid(), QStringLiteral("Kestrel"),
                                           int(std::max<qint64>(1, deadline.remainingTime())));
    // The main window and not a 1x1 helper of the same name: it has the layout's size.
    if (!main.id || main.geometry.size() != m_layout.windowSize()) {
        m_error = QStringLiteral("no main window of %1 x %2 appeared (%3 x %4)")
                      .arg(m_layout.windowSize().width())
                      .arg(m_layout.windowSize().height())
                      .arg(main.geometry.width())
                      .arg(main.geometry.height());
        return false;
    }
    m_main = main.id;
    // Start-up ends by pressing STOP, which disables it; RUN stays enabled.
    Caption last;
    if (!waitForCaption(
            QStringLiteral("Command4"), [](const Caption &c) { return c.shown() && !c.enabled(); },
            int(std::max<qint64>(1, deadline.remainingTime())), &last) ||
        !caption(QStringLiteral("Command5")).enabled()) {
        const QRect g = mainWindow().geometry;
        const QRect r = rectOf(QStringLiteral("Command4"));
        m_error = QStringLiteral("start-up did not end: STOP is not shown disabled (dark %1, grey "
                                 "%2; the window at %3,%4 %5x%6, STOP looked at %7,%8)")
                      .arg(last.dark)
                      .arg(last.grey)
                      .arg(g.x())
                      .arg(g.y())
                      .arg(g.width())
                      .arg(g.height())
                      .arg(r.x())
                      .arg(r.y());
        return false;
    }
    return true;
}

Window KestrelOnDesktop::mainWindow() const
{
    return m_x ? m_x->window(m_main) : Window{};
}

QRect KestrelOnDesktop::rectOf(const QString &control) const
{
    return windowRectOf(control).translated(mainWindow().geometry.topLeft());
}

void KestrelOnDesktop::click(const QString &control)
{
    m_x->click(centreOf(control));
}

void KestrelOnDesktop::moveAway()
{
    // Between the LOOPS frame and the MAIN CONTROL frame, at the right edge: black surface.
    const QRect live = mainWindow().geometry;
    m_x->moveTo(QPoint(live.right() - 3, live.bottom() - 3));
}

QRect KestrelOnDesktop::windowRectOf(const QString &control) const
{
    // From the bottom-left corner: the client area has a fixed size, the menu bar above it is
    // the one part whose height could differ with the platform.
    const QRect r = m_layout.control(control);
    if (r.isNull())
        qFatal("the main window has no control %s", qPrintable(control));
    return r.translated(0, mainWindow().geometry.height() - m_layout.windowSize().height());
}

Caption KestrelOnDesktop::caption(const QString &control) const
{
    return Caption::of(m_x->grab(m_main, windowRectOf(control)));
}

bool KestrelOnDesktop::waitForCaption(const QString &control,
                                      const std::function<bool(const Caption &)> &is, int timeoutMs,
                                      Caption *last)
{
    QImage image;
    const bool ok = m_x->waitForPicture(
        m_main, windowRectOf(control), [&](const QImage &i) { return is(Caption::of(i)); },
        timeoutMs, &image);
    if (last)
        *last = Caption::of(image);
    return ok;
}

bool KestrelOnDesktop::choose(const QString &menu, const QString &action, int timeoutMs)
{
    QSet<unsigned long> before;
    for (const Window &w : m_x->topLevels())
        if (w.viewable)
            before.insert(w.id);
    const QRect live = mainWindow().geometry;
    const QRect title = m_layout.menuTitle(menu);
    m_x->click(title.translated(live.topLeft()).center());
    // The menu is a window of its own, new on the screen, just below its title.
    const Window popup = m_x->waitForWindow(
        [&](const Window &w) { return w.pid == pid() && !before.contains(w.id); }, timeoutMs);
    if (!popup.id) {
        m_error = QStringLiteral("the menu %1 did not open").arg(menu);
        return false;
    }
    const QRect entry = m_layout.menuEntry(menu, action);
    const QSize size = m_layout.menuSize(menu);
    if (entry.isNull() || size.isEmpty()) {
        m_error = QStringLiteral("the menu %1 has no entry %2").arg(menu, action);
        return false;
    }
    // Scaled to the menu that opened, should it be laid out a little differently.
    const QRect g = popup.geometry;
    const QPoint at(g.left() + entry.center().x() * g.width() / size.width(),
                    g.top() + entry.center().y() * g.height() / size.height());
    // A person moves onto the entry before clicking it; the menu follows the pointer.
    m_x->moveTo(at + QPoint(-2, 0));
    m_x->click(at);
    return m_x->waitForNoWindow([&](const Window &w) { return w.id == popup.id; }, timeoutMs);
}

bool KestrelOnDesktop::fileThroughDialog(const QString &action, const QString &path, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    const QString title = QStringLiteral("Select File to Open");
    if (!choose(QStringLiteral("File_men"), action, timeoutMs))
        return false;
    const Window dialog = waitForDialog(title, int(std::max<qint64>(1, deadline.remainingTime())));
    if (!dialog.id) {
        m_error = QStringLiteral("no file dialog with the keyboard after %1").arg(action);
        return false;
    }
    m_x->type(path);
    m_x->key(QStringLiteral("Return"));
    if (!waitForDialogGone(title, int(std::max<qint64>(1, deadline.remainingTime())))) {
        m_error = QStringLiteral("the file dialog stayed open after Return");
        return false;
    }
    // The file-name field's completer pops up a list while a path is typed; until it has gone
    // it holds the pointer, and the next click would only close it.
    if (!waitForOnlyMainWindow(int(std::max<qint64>(1, deadline.remainingTime())))) {
        m_error = QStringLiteral("a window of the file dialog stayed open");
        return false;
    }
    return true;
}

QImage KestrelOnDesktop::screenshot() const
{
    return m_x ? m_x->grab(0, QRect(0, 0, 1280, 1024)) : QImage();
}

void KestrelOnDesktop::keepScreenshot(const QString &name) const
{
    const QString dir = qEnvironmentVariable("KESTREL_DESKTOP_SHOTS");
    if (!dir.isEmpty() && QDir().mkpath(dir))
        screenshot().save(dir + QLatin1Char('/') + name + QStringLiteral(".png"));
}

QByteArray frameBytes(int channel, int position)
{
    QByteArray f(4, 0);
    f[0] = char(0xff);
    f[1] = char(channel);
    f[2] = char(position);
    f[3] = char(0x0d);
    return f;
}

QByteArray startUpBytes()
{
    return QByteArrayLiteral("B") + frameBytes(4, 127) + frameBytes(1, 127) + frameBytes(2, 127) +
           frameBytes(3, 127);
}

namespace {

// A window of the program by its title.
bool titled(const Window &w, const QString &title)
{
    // Exactly: the desktop shows the program's own titles, with nothing added.
    return w.title == title;
}

} // namespace

bool KestrelOnDesktop::waitForOnlyMainWindow(int timeoutMs)
{
    return m_x->waitForNoWindow([&](const Window &w) { return w.pid == pid() && w.id != m_main; },
                                timeoutMs);
}

Window KestrelOnDesktop::waitForDialog(const QString &title, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    const Window w = m_x->waitForWindow(
        [&](const Window &w) { return w.pid == pid() && w.id != m_main && titled(w, title); },
        timeoutMs);
    if (!w.id || !m_x->waitForFocus(w.id, int(std::max<qint64>(1, deadline.remainingTime()))))
        return {};
    return w;
}

bool KestrelOnDesktop::waitForDialogGone(const QString &title, int timeoutMs)
{
    return m_x->waitForNoWindow(
        [&](const Window &w) { return w.pid == pid() && w.id != m_main && titled(w, title); },
        timeoutMs);
}

KestrelOnDesktop &DesktopTestCase::launch(const QStringList &env)
{
    m_k =
        std::make_unique<KestrelOnDesktop>(*m_layout, KestrelOnDesktop::Options{m_binary, {}, env});
    return *m_k;
}

void DesktopTestCase::initTestCase()
{
    QVERIFY2(QFileInfo(m_binary).isExecutable(), qPrintable(m_binary));
    m_layout = std::make_unique<RobotLayout>();
}

void DesktopTestCase::cleanup()
{
    if (m_k && QTest::currentTestFailed())
        m_k->keepScreenshot(QString::fromLatin1(QTest::currentTestFunction()));
    m_k.reset();
}

} // namespace desktop
