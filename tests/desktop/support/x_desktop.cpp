#include "x_desktop.h"

#include <QDeadlineTimer>
#include <QThread>

#include <csignal>
#include <poll.h>
#include <sys/prctl.h>
#include <unistd.h>

// Xlib last: its macros (None, Bool, Status, KeyPress, ...) would clash with Qt's names.
#include <X11/XKBlib.h>
#include <X11/Xatom.h>
#include <X11/Xlib.h>
#include <X11/Xutil.h>
#include <X11/extensions/XTest.h>

namespace desktop {

void endWithThisProcess(QProcess &child)
{
    child.setChildProcessModifier([] { ::prctl(PR_SET_PDEATHSIG, SIGTERM); });
}

// ---------------------------------------------------------------------------------------------
// VirtualScreen

QProcessEnvironment VirtualScreen::childEnvironment() const
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("DISPLAY"), m_display);
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("xcb"));
    env.remove(QStringLiteral("WAYLAND_DISPLAY"));
    return env;
}

VirtualScreen::~VirtualScreen()
{
    if (m_process.state() != QProcess::NotRunning) {
        m_process.terminate();
        if (!m_process.waitForFinished(5000)) {
            m_process.kill();
            m_process.waitForFinished(5000);
        }
    }
}

bool VirtualScreen::start(QSize size, int timeoutMs)
{
    // -displayfd picks the first free display and writes its number once the server listens:
    // the one moment a client may connect, with no guess of a number and no sleep.
    m_size = size;
    m_process.setProcessChannelMode(QProcess::SeparateChannels);
    endWithThisProcess(m_process);
    m_process.start(
        QStringLiteral("Xvfb"),
        {QStringLiteral("-displayfd"), QStringLiteral("1"), QStringLiteral("-screen"),
         QStringLiteral("0"), QStringLiteral("%1x%2x24").arg(size.width()).arg(size.height()),
         QStringLiteral("-nolisten"), QStringLiteral("tcp"), QStringLiteral("-noreset")});
    if (!m_process.waitForStarted(timeoutMs)) {
        m_error = QStringLiteral("Xvfb did not start: ") + m_process.errorString();
        return false;
    }
    QDeadlineTimer deadline(timeoutMs);
    QByteArray out;
    while (!out.contains('\n') && !deadline.hasExpired()) {
        if (m_process.state() == QProcess::NotRunning)
            break;
        m_process.waitForReadyRead(int(std::max<qint64>(1, deadline.remainingTime())));
        out += m_process.readAllStandardOutput();
    }
    bool ok = false;
    const int number = out.trimmed().toInt(&ok);
    if (!ok) {
        m_error = QStringLiteral("Xvfb named no display: %1 %2")
                      .arg(QString::fromLocal8Bit(out),
                           QString::fromLocal8Bit(m_process.readAllStandardError()));
        return false;
    }
    m_display = QStringLiteral(":%1").arg(number);
    return true;
}

// ---------------------------------------------------------------------------------------------
// XClient

namespace {

// Windows come and go under a walk of the tree; a request about one that has gone is no fault.
int ignoreErrors(Display *, XErrorEvent *)
{
    return 0;
}

} // namespace

struct XClient::Private {
    Display *dpy = nullptr;
    ::Window root = 0;
    Atom netWmPid = 0, netWmName = 0, utf8 = 0, wmProtocols = 0, wmDelete = 0;

    ~Private()
    {
        if (dpy)
            XCloseDisplay(dpy);
    }

    void drain() const
    {
        while (XPending(dpy)) {
            XEvent e;
            XNextEvent(dpy, &e);
        }
    }

    // Sleeps until the server sends an event (the root's substructure changed) or `ms` pass.
    void waitForEvent(int ms) const
    {
        XFlush(dpy);
        if (XPending(dpy)) {
            drain();
            return;
        }
        pollfd p{ConnectionNumber(dpy), POLLIN, 0};
        ::poll(&p, 1, ms);
        drain();
    }

    Window describe(::Window w) const
    {
        Window out;
        XWindowAttributes a;
        if (!XGetWindowAttributes(dpy, w, &a))
            return out;
        out.id = w;
        out.viewable = a.map_state == IsViewable;
        int x = 0, y = 0;
        ::Window child;
        XTranslateCoordinates(dpy, w, root, 0, 0, &x, &y, &child);
        out.geometry = QRect(x, y, a.width, a.height);
        Atom type = 0;
        int format = 0;
        unsigned long items = 0, after = 0;
        unsigned char *data = nullptr;
        // Qt writes the title in UTF-8 (_NET_WM_NAME); WM_NAME is for older clients.
        if (XGetWindowProperty(dpy, w, netWmName, 0, 1024, False, utf8, &type, &format, &items,
                               &after, &data) == Success &&
            data) {
            out.title = QString::fromUtf8(reinterpret_cast<const char *>(data), int(items));
            XFree(data);
            data = nullptr;
        }
        char *name = nullptr;
        if (out.title.isEmpty() && XFetchName(dpy, w, &name) && name) {
            out.title = QString::fromLatin1(name);
            XFree(name);
        }
        if (XGetWindowProperty(dpy, w, netWmPid, 0, 1, False, XA_CARDINAL, &type, &format, &items,
                               &after, &data) == Success &&
            data) {
            if (format == 32 && items == 1)
                out.pid = qint64(*reinterpret_cast<unsigned long *>(data));
            XFree(data);
        }
        return out;
    }

    void keyEvent(KeyCode code, bool down) const
    {
        XTestFakeKeyEvent(dpy, code, down ? True : False, CurrentTime);
    }
};

XClient::XClient(const QString &display) : d(std::make_unique<Private>())
{
    XSetErrorHandler(ignoreErrors);
    d->dpy = XOpenDisplay(display.toLocal8Bit().constData());
    if (!d->dpy) {
        m_error = QStringLiteral("cannot connect to ") + display;
        return;
    }
    int event = 0, error = 0, major = 0, minor = 0;
    if (!XTestQueryExtension(d->dpy, &event, &error, &major, &minor)) {
        m_error = QStringLiteral("the X server has no XTEST");
        XCloseDisplay(d->dpy);
        d->dpy = nullptr;
        return;
    }
    d->root = DefaultRootWindow(d->dpy);
    d->netWmPid = XInternAtom(d->dpy, "_NET_WM_PID", False);
    d->netWmName = XInternAtom(d->dpy, "_NET_WM_NAME", False);
    d->utf8 = XInternAtom(d->dpy, "UTF8_STRING", False);
    d->wmProtocols = XInternAtom(d->dpy, "WM_PROTOCOLS", False);
    d->wmDelete = XInternAtom(d->dpy, "WM_DELETE_WINDOW", False);
    // Windows mapped, unmapped, moved or made: each wakes a wait for a window.
    XSelectInput(d->dpy, d->root, SubstructureNotifyMask | PropertyChangeMask);
    XSync(d->dpy, False);
}

XClient::~XClient() = default;

bool XClient::ok() const
{
    return d->dpy != nullptr;
}

QList<Window> XClient::topLevels() const
{
    QList<Window> out;
    if (!d->dpy)
        return out;
    ::Window rootRet = 0, parent = 0, *children = nullptr;
    unsigned int n = 0;
    if (!XQueryTree(d->dpy, d->root, &rootRet, &parent, &children, &n))
        return out;
    for (unsigned int i = 0; i < n; ++i) {
        const Window w = d->describe(children[i]);
        if (w.id)
            out << w;
    }
    if (children)
        XFree(children);
    return out;
}

Window XClient::window(unsigned long id) const
{
    return d->dpy ? d->describe(::Window(id)) : Window{};
}

Window XClient::waitForWindow(const std::function<bool(const Window &)> &match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QList<Window> all = topLevels();
        for (auto it = all.crbegin(); it != all.crend(); ++it)
            if (it->viewable && match(*it))
                return *it;
        if (deadline.hasExpired() || !d->dpy)
            return {};
        // A window's title and pid are set before it is mapped, but a mapped window is painted
        // a moment later; the caller waits for what it needs to see.
        d->waitForEvent(int(std::min<qint64>(100, std::max<qint64>(1, deadline.remainingTime()))));
    }
}

Window XClient::waitForWindow(qint64 pid, const QString &title, int timeoutMs)
{
    return waitForWindow(
        [&](const Window &w) { return w.title == title && (pid == 0 || w.pid == pid); }, timeoutMs);
}

bool XClient::waitForNoWindow(const std::function<bool(const Window &)> &match, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        bool any = false;
        for (const Window &w : topLevels())
            any = any || (w.viewable && match(w));
        if (!any)
            return true;
        if (deadline.hasExpired() || !d->dpy)
            return false;
        d->waitForEvent(int(std::min<qint64>(100, std::max<qint64>(1, deadline.remainingTime()))));
    }
}

QImage XClient::grab(unsigned long window, const QRect &rect) const
{
    if (!d->dpy || rect.isEmpty())
        return {};
    XImage *xi = XGetImage(d->dpy, window ? ::Window(window) : d->root, rect.x(), rect.y(),
                           unsigned(rect.width()), unsigned(rect.height()), AllPlanes, ZPixmap);
    if (!xi)
        return {};
    QImage out(rect.size(), QImage::Format_RGB32);
    for (int y = 0; y < rect.height(); ++y)
        for (int x = 0; x < rect.width(); ++x) {
            const unsigned long p = XGetPixel(xi, x, y);
            // TrueColor, 8 bits a channel: the server's 24-bit screen, or a 32-bit window.
            out.setPixel(x, y, qRgb(int((p >> 16) & 0xff), int((p >> 8) & 0xff), int(p & 0xff)));
        }
    XDestroyImage(xi);
    return out;
}

bool XClient::waitForPicture(unsigned long window, const QRect &rect,
                             const std::function<bool(const QImage &)> &shows, int timeoutMs,
                             QImage *last)
{
    QDeadlineTimer deadline(timeoutMs);
    for (;;) {
        const QImage now = grab(window, rect);
        if (last)
            *last = now;
        if (!now.isNull() && shows(now))
            return true;
        if (deadline.hasExpired())
            return false;
        QThread::msleep(5);
    }
}

void XClient::moveTo(QPoint p)
{
    if (!d->dpy)
        return;
    XTestFakeMotionEvent(d->dpy, DefaultScreen(d->dpy), p.x(), p.y(), CurrentTime);
    XSync(d->dpy, False);
}

void XClient::click(QPoint p, int button)
{
    if (!d->dpy)
        return;
    moveTo(p);
    XTestFakeButtonEvent(d->dpy, unsigned(button), True, CurrentTime);
    XTestFakeButtonEvent(d->dpy, unsigned(button), False, CurrentTime);
    XSync(d->dpy, False);
}

void XClient::key(const QString &keys)
{
    if (!d->dpy)
        return;
    QStringList parts = keys.split(QLatin1Char('+'));
    const QString name = parts.takeLast();
    QList<KeyCode> held;
    for (const QString &m : parts) {
        const char *mod = m == QLatin1String("shift")  ? "Shift_L"
                          : m == QLatin1String("ctrl") ? "Control_L"
                          : m == QLatin1String("alt")  ? "Alt_L"
                                                       : nullptr;
        if (mod)
            held << XKeysymToKeycode(d->dpy, XStringToKeysym(mod));
    }
    const KeySym sym = XStringToKeysym(name.toLatin1().constData());
    const KeyCode code = sym == NoSymbol ? 0 : XKeysymToKeycode(d->dpy, sym);
    if (!code)
        return;
    // A keysym on the second level of its key (an upper-case letter, most punctuation) needs
    // Shift, as it does for a person.
    if (XkbKeycodeToKeysym(d->dpy, code, 0, 0) != sym &&
        XkbKeycodeToKeysym(d->dpy, code, 0, 1) == sym)
        held << XKeysymToKeycode(d->dpy, XStringToKeysym("Shift_L"));
    for (KeyCode k : held)
        d->keyEvent(k, true);
    d->keyEvent(code, true);
    d->keyEvent(code, false);
    for (auto it = held.crbegin(); it != held.crend(); ++it)
        d->keyEvent(*it, false);
    XSync(d->dpy, False);
}

void XClient::type(const QString &text)
{
    for (const QChar c : text) {
        // Printable ASCII keysyms have the character's own code.
        const char *name = XKeysymToString(KeySym(c.unicode()));
        if (c == QLatin1Char(' '))
            key(QStringLiteral("space"));
        else if (name)
            key(QString::fromLatin1(name));
    }
}

void XClient::askToClose(unsigned long window)
{
    if (!d->dpy)
        return;
    XEvent e{};
    e.xclient.type = ClientMessage;
    e.xclient.window = ::Window(window);
    e.xclient.message_type = d->wmProtocols;
    e.xclient.format = 32;
    e.xclient.data.l[0] = long(d->wmDelete);
    e.xclient.data.l[1] = CurrentTime;
    XSendEvent(d->dpy, ::Window(window), False, NoEventMask, &e);
    XSync(d->dpy, False);
}

unsigned long XClient::focus() const
{
    if (!d->dpy)
        return 0;
    ::Window w = 0;
    int revert = 0;
    XGetInputFocus(d->dpy, &w, &revert);
    return w;
}

bool XClient::waitForFocus(unsigned long window, int timeoutMs)
{
    QDeadlineTimer deadline(timeoutMs);
    while (focus() != window) {
        if (deadline.hasExpired() || !d->dpy)
            return false;
        // Focus changes reach only the windows concerned; this looks again every few ms.
        d->waitForEvent(5);
    }
    return true;
}

} // namespace desktop
