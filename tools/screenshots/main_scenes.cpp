// The main window's scenes. Each one starts a fresh main window, drives it through its own
// handlers, the way a user's clicks and keys do, and grabs it at the moment that matters.

#include "grabbing_dialogs.h"
#include "picture.h"
#include "scenes.h"

#include "core/link/frame.h"
#include "core/store/config_file.h"
#include "core/text/twips.h"
#include "support/fake_port.h"
#include "support/robot_controls.h"
#include "windows/robot/robot.h"
#include "windows/widgets/scroll_bar.h"

#include <QApplication>
#include <QDir>
#include <QFile>
#include <QFileDialog>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdlib>
#include <memory>

namespace shots {

namespace {

using Pose = std::array<int, axes::count>; // by channel: base, shoulder, elbow, wrist, grip

// A port that opens and never answers, like a servo controller, and names the device a USB
// adapter would have. It can watch the frames go out, to grab a window in the middle of a
// long operation.
class ShotPort : public FakePort {
public:
    std::function<void()> eachFrame;
    QString device() const override { return QStringLiteral("/dev/ttyUSB0"); }

protected:
    void send(const QByteArray &bytes) override
    {
        FakePort::send(bytes);
        if (eachFrame && bytes.size() == frame::size)
            eachFrame();
    }
};

// A main window with that port, the real dialogs (grabbed and dismissed), and a configuration
// folder of its own holding a settings file with the given homes.
struct Bench {
    QTemporaryDir dir;
    ShotPort port;
    GrabbingDialogs dialogs;
    std::unique_ptr<robot> window;

    explicit Bench(const Pose &homes = {127, 127, 127, 127, 127})
    {
        const Folders folders{dir.filePath(QStringLiteral("config")),
                              dir.filePath(QStringLiteral("help"))};
        QDir().mkpath(folders.config);
        QFile file(folders.configFile());
        if (file.open(QIODevice::WriteOnly))
            file.write(config::write(homes, 5, 1));
        window = std::make_unique<robot>(Services{&port, &dialogs, folders, [] {}});
    }

    // Start-up, as the program runs it, then the window made the active one.
    robot &start()
    {
        window->Form_Load();
        window->activateWindow();
        QApplication::processEvents();
        return *window;
    }
};

// A rectangle of the window's surface in twips, as the layout states it, in the coordinates
// of a grab of the whole window without its title bar.
QRect onWindow(const robot &w, int left, int top, int width, int height)
{
    return twips::rect(left, top, width, height).translated(w.centralWidget()->pos());
}

// Moves each slider a position at a time, as a drag does: every position on the way is a move
// of its own (and a step, while recording).
void walkTo(robot &w, const Pose &pose)
{
    for (int channel = 0; channel < axes::count; ++channel) {
        ScrollBar *s = ui(w).slider[channel];
        const int direction = pose[channel] > s->Value() ? 1 : -1;
        while (s->Value() != pose[channel])
            s->setValueTo(s->Value() + direction);
    }
}

// A left click with the mouse, press and release, so that REC and RUN colour themselves.
void click(QWidget *button)
{
    QTest::mouseClick(button, Qt::LeftButton);
}

// A dialog over the window that was behind it, where a desktop centres it, and the part of the
// two around the dialog.
QImage dialogOverWindow(const GrabbingDialogs::Caught &caught)
{
    const QSize size = caught.picture.size();
    if (caught.behind.isNull() || size.boundedTo(caught.behind.size()) != size)
        return fitted(caught.picture);
    const QPoint at = centred(size, caught.behind.size());
    QImage both = over(caught.behind, caught.picture, at);
    const QRect box(at, size);
    const double scale = std::max({1.0, (box.width() + 24.0) / pictureSize.width(),
                                   (box.height() + 24.0) / pictureSize.height()});
    return fitted(cutAround(both, box.center(), scale));
}

QImage lastDialog(const Bench &bench)
{
    if (bench.dialogs.caught.isEmpty())
        return {};
    return dialogOverWindow(bench.dialogs.caught.last());
}

} // namespace

QImage mainAfterStartUp(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    return fitted(withTitleBar(&w));
}

QImage optionsMenu(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    // Opened from the menu bar, as a click on "Options" opens it; Comm 1 carries the check mark
    // of the port that opened.
    w.menuBar()->setActiveAction(ui(w).PortMen->menuAction());
    QApplication::processEvents();
    const QImage window = grab(&w);
    const QImage menu = grab(ui(w).PortMen);
    const QPoint at = ui(w).PortMen->pos() - w.mapToGlobal(QPoint(0, 0));
    ui(w).PortMen->hide();

    const QImage both = over(window, menu, at);
    const QRect shown(at, menu.size());
    return fitted(cutAround(both, QPoint(shown.center().x(), pictureSize.height() / 2)));
}

QImage portError(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    // Options, Comm 1 again while the adapter is unplugged.
    bench.port.openResult = 8002;
    w.Com1_Click();
    return lastDialog(bench);
}

QImage modemWarning(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    // Options, Comm 1 with a modem on the line: the probe byte comes back.
    bench.port.probeAnswer = QByteArrayLiteral("B");
    w.Com1_Click();
    return lastDialog(bench);
}

QImage currentSettings(const QString &)
{
    Bench bench({127, 140, 100, 127, 90});
    robot &w = bench.start();
    w.Show_men_Click();
    return lastDialog(bench);
}

QImage sliders(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    walkTo(w, {80, 190, 70, 160, 200});
    // The three frames of sliders under the window's heading, 1:1.
    return fitted(cut(grab(&w), onWindow(w, 120, 60, 4815, 2595)));
}

QImage valueBoxes(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    walkTo(w, {90, 127, 127, 127, 160});
    // Typed over the selected position: the box says 200, the slider stays until Enter.
    ui(w).Text2->setFocus();
    ui(w).Text2->selectAll();
    QTest::keyClicks(ui(w).Text2, QStringLiteral("200"));
    QApplication::processEvents();
    // From the grip's box to the loop count, 1:1, the frames' captions included.
    const QRect part = onWindow(w, 1440, 360, 4770, 2355);
    return fitted(cut(grab(&w), QRect(part.right() + 1 - pictureSize.width(), part.top(),
                                      pictureSize.width(), part.height())));
}

QImage homing(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    const Pose away{200, 210, 40, 200, 60};
    walkTo(w, away);
    // HOME walks the grip back first, a move per position, then the wrist: caught halfway
    // through the wrist's walk.
    const int caughtAt =
        std::abs(away[axes::Grip] - axes::centre) + std::abs(away[axes::Wrist] - axes::centre) / 2;
    QImage shot;
    int frames = 0;
    bench.port.eachFrame = [&] {
        if (++frames == caughtAt)
            shot = grab(&w);
    };
    click(ui(w).Command2);
    bench.port.eachFrame = nullptr;
    const QRect part = onWindow(w, 0, 420, 6210, 3480);
    return fitted(cut(shot, part));
}

QImage recording(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    // REC pressed with the mouse turns red; every position the sliders pass is a step.
    click(ui(w).Command3);
    walkTo(w, {100, 180, 80, 150, 60});
    const QRect part = onWindow(w, 0, 420, 6210, 3480);
    return fitted(cut(grab(&w), part));
}

QImage replay(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    click(ui(w).Command3);
    walkTo(w, {100, 180, 80, 150, 60});
    click(ui(w).Command4);
    ui(w).HScroll3->setValueTo(3);

    // Caught in the middle of the first of three passes.
    QImage shot;
    const int middle = w.session().stepBuffer().stepCount() / 2;
    bench.port.eachFrame = [&] {
        if (shot.isNull() && w.session().replayIndex() == middle && ui(w).Text5->text() == QLatin1String("3"))
            shot = grab(&w);
    };
    click(ui(w).Command5);
    bench.port.eachFrame = nullptr;
    const QRect part = onWindow(w, 0, 420, 6210, 3480);
    return fitted(cut(shot, part));
}

QImage openDialog(const QString &)
{
    Bench bench;
    robot &w = bench.start();
    // A folder with a few movement files, where the dialog starts. Its name is fixed, so that
    // the picture is the same at every run; what is made here is removed again, nothing else.
    const QDir movements(QDir::tempPath() + QStringLiteral("/kestrel-motions"));
    const bool made = QDir().mkdir(movements.path());
    const QStringList names{QStringLiteral("robotmov.kmv"), QStringLiteral("pick-and-place.kmv"),
                            QStringLiteral("wave.kmv"), QStringLiteral("stack.kmv")};
    QStringList written;
    for (const QString &name : names) {
        QFile file(movements.filePath(name));
        if (!file.exists() && file.open(QIODevice::WriteOnly)) {
            file.write(" 0 , 127 \r\n");
            written << file.fileName();
        }
    }
    const QString before = QDir::currentPath();
    QDir::setCurrent(movements.path());
    bench.dialogs.prepare = [](QDialog *dialog) {
        // Its first size is meant for a large screen; smaller, it still shows everything.
        dialog->resize(dialog->minimumSizeHint().expandedTo(QSize(470, 236)));
        if (auto *files = qobject_cast<QFileDialog *>(dialog))
            files->selectFile(QStringLiteral("pick-and-place.kmv"));
        // The folder is listed and sorted in the background.
        QTest::qWait(300);
    };
    w.Open_men_Click();
    QDir::setCurrent(before);
    for (const QString &path : std::as_const(written))
        QFile::remove(path);
    if (made)
        QDir().rmdir(movements.path());
    if (bench.dialogs.caught.isEmpty())
        return {};
    return fitted(bench.dialogs.caught.last().picture);
}

} // namespace shots
