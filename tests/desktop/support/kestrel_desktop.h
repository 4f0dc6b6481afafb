#pragma once
// The real `kestrel` on a real X desktop: its own Xvfb, its own configuration folder with COM1
// on a paced line, started with QT_QPA_PLATFORM=xcb and Qt's default event dispatcher, and
// driven through XTEST. Where each control stands on the screen comes from the program's own
// layout: the same main window, built in this process offscreen (which needs a QApplication
// with the offscreen platform here), measured from its bottom-left corner, plus where the
// window is on the X screen.

#include "cpu_meter.h"
#include "paced_line.h"
#include "robot_layout.h"
#include "x_desktop.h"

#include <QApplication>
#include <QProcess>
#include <QProcessEnvironment>
#include <QRect>
#include <QTemporaryDir>
#include <QTest>

#include <memory>

namespace desktop {

// The kestrel to test: $KESTREL_DESKTOP_BINARY when set (an older build, to see a check fail),
// else `built`.
QString kestrelBinary(const QString &built);

class KestrelOnDesktop {
public:
    struct Options {
        QString binary;
        QByteArray robotini; // the configuration file; empty: the suite's default one
        QStringList env;     // more "NAME=value" for the program, e.g. QT_NO_GLIB=1
    };

    KestrelOnDesktop(const RobotLayout &layout, Options options);
    ~KestrelOnDesktop();

    // Xvfb up, the line ready, kestrel started and its main window shown and painted, with
    // start-up done (STOP disabled, RUN enabled). The error says what failed.
    [[nodiscard]] bool start(int timeoutMs = 30000);
    QString error() const { return m_error; }

    XClient &x() { return *m_x; }
    QSize screenSize() const { return m_screen.size(); }
    PacedLine &line() { return m_line; }
    QProcess &process() { return m_process; }
    qint64 pid() const { return m_process.processId(); }
    // The program's working directory, where it keeps "robotmov.kmv", and a free place for the
    // test's own files.
    QString folder() const { return m_dir.path(); }
    QString configFolder() const { return m_dir.path() + QStringLiteral("/config/kestrel"); }
    Window mainWindow() const;

    // A control on the screen, and in the main window.
    QRect rectOf(const QString &control) const;
    QRect windowRectOf(const QString &control) const;
    QPoint centreOf(const QString &control) const { return rectOf(control).center(); }
    void click(const QString &control);
    // Moves the pointer off every control, onto the window's empty black surface.
    void moveAway();
    // The caption of a text button as the screen shows it now.
    Caption caption(const QString &control) const;
    // Waits until the button's caption satisfies `is`.
    bool waitForCaption(const QString &control, const std::function<bool(const Caption &)> &is,
                        int timeoutMs, Caption *last = nullptr);

    // Opens a menu of the menu bar with the mouse and clicks one of its entries.
    [[nodiscard]] bool choose(const QString &menu, const QString &action, int timeoutMs = 10000);
    // A window of the program, other than the main window, titled `title`, shown and given the
    // keyboard; id 0 when it did not come or never got the keyboard.
    Window waitForDialog(const QString &title, int timeoutMs = 10000);
    bool waitForDialogGone(const QString &title, int timeoutMs = 10000);
    // Until the main window is the program's only window on the screen (no menu, no pop-up).
    bool waitForOnlyMainWindow(int timeoutMs = 10000);

    // File, then `action` ("Open_men", "Saveas_men"): Qt's file dialog opens with the file-name
    // field focused; the path is typed and Return pressed, and the dialog goes.
    [[nodiscard]] bool fileThroughDialog(const QString &action, const QString &path,
                                         int timeoutMs = 15000);

    // The whole screen, for looking at what a failed test saw.
    QImage screenshot() const;
    // When $KESTREL_DESKTOP_SHOTS names a folder, saves the screen there as <name>.png.
    void keepScreenshot(const QString &name) const;

    // Ends the program if it still runs.
    void kill();

private:
    const RobotLayout &m_layout;
    Options m_options;
    VirtualScreen m_screen;
    std::unique_ptr<XClient> m_x;
    PacedLine m_line;
    QTemporaryDir m_dir;
    QProcess m_process;
    unsigned long m_main = 0;
    QString m_error;
};

// The frame every desktop test case shares: the layout learnt once, one program started per
// test function (the kestrel built beside the test, or $KESTREL_DESKTOP_BINARY), and a
// screenshot kept of each test function that failed.
class DesktopTestCase : public QObject {
    Q_OBJECT
public:
    explicit DesktopTestCase(const QString &builtBinary) : m_binary(kestrelBinary(builtBinary)) {}

protected:
    // A program made for the test function that runs; not yet started.
    KestrelOnDesktop &launch(const QStringList &env = {});
    const QString m_binary;
    std::unique_ptr<RobotLayout> m_layout;
    std::unique_ptr<KestrelOnDesktop> m_k;

private Q_SLOTS:
    void initTestCase();
    void cleanup();
};

// The test's main: this process only lays the window out, offscreen; the program under test
// has the display.
#define KESTREL_DESKTOP_TEST_MAIN(TestCase)                                                        \
    int main(int argc, char *argv[])                                                               \
    {                                                                                              \
        qputenv("QT_QPA_PLATFORM", "offscreen");                                                   \
        QApplication app(argc, argv);                                                              \
        TestCase t;                                                                                \
        return QTest::qExec(&t, argc, argv);                                                       \
    }

// The line's bytes for a frame, and what start-up sends with every home at 127: the probe,
// then the four axes that start away from the centre (grip, shoulder, elbow, wrist).
QByteArray frameBytes(int channel, int position);
QByteArray startUpBytes();

} // namespace desktop
