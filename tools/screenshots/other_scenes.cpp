// The scenes of the windows that stand on their own: the simulator's, the product windows and
// the help window.

#include "picture.h"
#include "scenes.h"

#include "core/arm/profile.h"
#include "core/link/frame.h"
#include "sim/core/pty_link.h"
#include "sim/core/simulator.h"
#include "sim/window/arm_window.h"
#include "windows/help/helpwindow.h"
#include "windows/product/product_windows.h"

#include <QApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QPainter>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QTest>
#include <cstdio>
#include <fcntl.h>
#include <unistd.h>

namespace shots {

namespace {

// What the program sends while a user moves the arm: each axis walked from the centre to a
// pose, a position at a time.
QByteArray sessionBytes(const std::array<int, 5> &pose)
{
    QByteArray bytes;
    for (int channel : {4, 3, 2, 1, 0}) {
        const int direction = pose[channel] > 127 ? 1 : -1;
        for (int p = 127; p != pose[channel];) {
            p += direction;
            bytes += frame::build(channel, p).value_or(QByteArray());
        }
    }
    return bytes;
}

} // namespace

QImage simulatedArm(const QString &)
{
    QTemporaryDir dir;
    sim::PtyLink::Opened opened = sim::PtyLink::publish(dir.path(), 1);
    if (!opened.link) {
        std::fprintf(stderr, "kestrel-shots: %s\n", qPrintable(opened.error));
        return {};
    }
    sim::Simulator simulator(opened.link->masterFd(), false, nullptr);
    sim::ArmWindow window(simulator, QStringLiteral("COM1"), opened.link->slavePath(), false,
                          arm::defaults());
    window.resize(660, 620);
    window.show();

    // The program's end of the line: the published terminal, never a serial device.
    const int line =
        ::open(QFile::encodeName(opened.link->linkPath()).constData(), O_RDWR | O_NOCTTY);
    if (line < 0) {
        std::fprintf(stderr, "kestrel-shots: cannot open %s\n",
                     qPrintable(opened.link->linkPath()));
        return {};
    }
    // The probe comes alone, as the program sends it, and the moves after a pause.
    [[maybe_unused]] const auto probe = ::write(line, "B", 1);
    QTest::qWait(300);
    const QByteArray bytes = sessionBytes({100, 185, 90, 150, 70});
    [[maybe_unused]] const auto written = ::write(line, bytes.constData(), size_t(bytes.size()));
    const qint64 frames = bytes.size() / frame::size;
    // The simulator reads at the wire's pace, 960 bytes a second.
    const bool arrived =
        QTest::qWaitFor([&] { return simulator.state().frames() >= frames; }, 10000);
    QTest::qWait(200); // the window's next refresh
    ::close(line);
    if (!arrived)
        std::fprintf(stderr, "kestrel-shots: the simulator did not get every frame\n");
    // The title and the pictures of the arm; the numbers below them are too small to read in
    // the help's picture area.
    const QImage whole = withTitleBar(&window);
    const QWidget *side = window.findChild<QWidget *>(QStringLiteral("sideView"));
    if (!side)
        return fitted(whole);
    const int bottom = titleBarHeight(&window) + frameBorder + side->geometry().bottom() + 6;
    return fitted(cut(whole, QRect(0, 0, whole.width(), bottom)));
}

QImage productWindows(const QString &)
{
    About about({}, {});
    Welcome welcome({}, {});
    Author author({}, {});
    const QImage a = withTitleBar(&about);
    const QImage w = withTitleBar(&welcome);
    const QImage u = withTitleBar(&author);

    // As if the three were open at once: the splash and the maker's window behind, About in
    // front between them.
    const int width = w.width() + a.width() + u.width() - 160;
    const int height = std::max({w.height(), u.height(), a.height() + 40});
    QImage all(width, height, QImage::Format_RGB32);
    all.fill(Qt::black);
    QPainter painter(&all);
    painter.drawImage(0, 0, w);
    painter.drawImage(width - u.width(), 0, u);
    painter.drawImage((width - a.width()) / 2 - 30, height - a.height(), a);
    painter.end();
    return fitted(all);
}

QImage helpWindow(const QString &folder)
{
    // The shipped help with the pictures just made.
    QTemporaryDir dir;
    const QDir source(QStringLiteral(KESTREL_SOURCE_HELP_DIR));
    for (const QString &name : {QStringLiteral("kestrel.vmh"), QStringLiteral("vm.jpg")})
        QFile::copy(source.filePath(name), dir.filePath(name));
    const QDir made(folder);
    for (const QString &name : made.entryList({QStringLiteral("shot-*.jpg")}, QDir::Files))
        QFile::copy(made.filePath(name), dir.filePath(name));

    helpwindow window(dir.path());
    window.show();
    if (auto *option = window.findChild<QRadioButton *>(QStringLiteral("Option1_8")))
        option->click();
    QApplication::processEvents();
    return fitted(withTitleBar(&window));
}

} // namespace shots
