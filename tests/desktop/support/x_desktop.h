#pragma once
// A real X desktop for the desktop tests and benchmarks: an Xvfb server on a display of its
// own, and a client of it that finds windows, reads what they show and gives input through the
// XTEST extension, which the server delivers exactly as it delivers a person's mouse and
// keyboard. Nothing of Xlib shows here, so that the names of Qt and Xlib never meet.

#include <QImage>
#include <QList>
#include <QProcess>
#include <QRect>
#include <QString>

#include <functional>
#include <memory>

namespace desktop {

// The child gets SIGTERM when the process that started it ends, however it ends: a test that
// crashes or runs into its timeout leaves no server and no program behind.
void endWithThisProcess(QProcess &child);

// Xvfb on the first free display, one screen of `size` at 24 bits, no TCP.
class VirtualScreen {
public:
    VirtualScreen() = default;
    ~VirtualScreen();
    VirtualScreen(const VirtualScreen &) = delete;
    VirtualScreen &operator=(const VirtualScreen &) = delete;

    // Started and ready for clients: Xvfb names its display once it accepts connections.
    [[nodiscard]] bool start(QSize size = {1280, 1024}, int timeoutMs = 10000);
    QString display() const { return m_display; } // ":N"
    QSize size() const { return m_size; }
    QString error() const { return m_error; }
    qint64 pid() const { return m_process.processId(); }
    // This process's environment for a child that is to show its windows here: DISPLAY is this
    // screen, Qt takes xcb, and no Wayland display is offered instead.
    QProcessEnvironment childEnvironment() const;

private:
    QProcess m_process;
    QString m_display;
    QSize m_size;
    QString m_error;
};

// A top-level window as the server has it.
struct Window {
    unsigned long id = 0;
    QString title;  // WM_NAME
    qint64 pid = 0; // _NET_WM_PID, 0 when not set
    QRect geometry; // on the screen
    bool viewable = false;
};

class XClient {
public:
    explicit XClient(const QString &display);
    ~XClient();
    XClient(const XClient &) = delete;
    XClient &operator=(const XClient &) = delete;

    // Connected, and the server has XTEST.
    bool ok() const;
    QString error() const { return m_error; }

    // The children of the root window, in stacking order (the topmost last).
    QList<Window> topLevels() const;
    // Waits until a viewable top-level window satisfies `match` and returns it; id 0 on time-out.
    // Each change of the window tree on the server wakes the wait.
    Window waitForWindow(const std::function<bool(const Window &)> &match, int timeoutMs);
    // A viewable window of process `pid` titled `title`.
    Window waitForWindow(qint64 pid, const QString &title, int timeoutMs);
    // Waits until no viewable top-level window satisfies `match`.
    bool waitForNoWindow(const std::function<bool(const Window &)> &match, int timeoutMs);
    // The window as it is now; id 0 if it is gone.
    Window window(unsigned long id) const;

    // What a window shows in `rect` (its own co-ordinates); window 0 is the whole screen. Read
    // from the window itself: on Xvfb a grab of the root over a newly shown window came back
    // black now and then (two runs in twenty), one of the window's own never did.
    QImage grab(unsigned long window, const QRect &rect) const;
    // Grabs again and again until `shows` holds for what it shows; false on time-out. The
    // server's pixels have no change notification of their own here, so this looks every few
    // milliseconds.
    bool waitForPicture(unsigned long window, const QRect &rect,
                        const std::function<bool(const QImage &)> &shows, int timeoutMs,
                        QImage *last = nullptr);

    // Input as a person gives it. Each call returns once the server has taken the events.
    void moveTo(QPoint screen);
    void click(QPoint screen, int button = 1);
    // A key by its X keysym name ("Return", "Escape", "Down", "y"), with Shift, Control or Alt
    // held ("ctrl+a" style prefixes: "shift+", "ctrl+", "alt+").
    void key(const QString &keysym);
    // Types printable ASCII text, with Shift where the keyboard map needs it.
    void type(const QString &text);
    // What a window manager sends when its close box is clicked (WM_DELETE_WINDOW).
    void askToClose(unsigned long window);
    // The window that has the keyboard focus; 0 for none, 1 for PointerRoot.
    unsigned long focus() const;
    // Waits until `window` has the keyboard: keys sent before would go to the window that had
    // it. The program gives a new dialog the focus itself when no window manager does.
    bool waitForFocus(unsigned long window, int timeoutMs);

private:
    struct Private;
    std::unique_ptr<Private> d;
    QString m_error;
};

} // namespace desktop
