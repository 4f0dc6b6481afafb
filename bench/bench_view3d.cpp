// The 3D view with the longest motion Kestrel keeps (12,010 records): the tool point's path
// worked out and handed to the view, then the camera turned a few degrees a frame for a few
// seconds, and the frames drawn per second, with the resident memory. Run it where the 3D view
// is to be measured, e.g. on Xvfb with Mesa's software renderer:
//     xvfb-run -a -s "-screen 0 1280x1024x24" env QT_QPA_PLATFORM=xcb build/bench/bench_view3d
//
// Frames are counted twice. First by Qt 3D's frame action, run once for each frame of Qt 3D's
// loop: the camera moves at each one, and the view draws only when something changed, so each
// is a frame the renderer draws, at the pace it can draw them. Then by read-backs of the
// rendered picture (Qt 3D's render capture): each reply arrives only once a frame with the
// camera where the last turn put it has been drawn and its pixels read back, and the next turn
// waits for it. That count cannot include a frame that was skipped, but it loses the overlap of
// one frame's drawing with the next one's preparation and pays for the read-back: a floor.
//
// A report, not a test: it exits 0 whatever the figures are, and only a broken set-up exits 1.

#include "bench_support.h"
#include "core/edit/motion_document.h"
#include "core/edit/tool_path.h"
#include "windows/view3d/arm_shape.h"
#include "windows/view3d/arm_view3d.h"
#include "windows/view3d/opengl_check.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QTest>
#include <QTimer>
#include <Qt3DCore/QEntity>
#include <Qt3DLogic/QFrameAction>
#include <Qt3DRender/QRenderCaptureReply>

#include <algorithm>
#include <cstdio>
#include <memory>

namespace {

constexpr int records = 12010;
constexpr double orbitSeconds = 5;
constexpr double degreesPerFrame = 2;

void row(const char *what, double value, const char *unit, const char *goal = nullptr,
         bool met = true)
{
    if (!goal)
        std::printf("  %-44s %9.2f %s\n", what, value, unit);
    else
        std::printf("  %-44s %9.2f %-3s (goal %s)  %s\n", what, value, unit, goal,
                    met ? "PASS" : "FAIL");
}

// Turns the camera and asks for the next frame each time the last one is back; the frames drawn
// a second over `seconds`.
double orbitFrames(view3d::ArmView3D &view, double seconds)
{
    view3d::OrbitPlace place = view.orbit().place();
    int frames = 0;
    QElapsedTimer clock;
    QEventLoop loop;
    std::function<void()> next = [&] {
        place.yaw += degreesPerFrame;
        view.showFrom(place);
        Qt3DRender::QRenderCaptureReply *reply = view.capture();
        QObject::connect(reply, &Qt3DRender::QRenderCaptureReply::completed, &view, [&, reply] {
            reply->deleteLater();
            ++frames;
            if (clock.nsecsElapsed() < qint64(seconds * 1e9))
                next();
            else
                loop.quit();
        });
    };
    clock.start();
    next();
    QTimer::singleShot(int(seconds * 1000) + 10000, &loop, &QEventLoop::quit); // a stuck renderer
    loop.exec();
    return frames / (clock.nsecsElapsed() / 1e9);
}

// Turns the camera at every frame of Qt 3D's own loop (its frame action, run once for each frame
// the renderer is given) for `seconds`; the frames a second. The view draws only when something
// changed, and here the camera changes every frame, so every frame of the loop is drawn.
double loopFrames(view3d::ArmView3D &view, double seconds)
{
    view3d::OrbitPlace place = view.orbit().place();
    auto *action = new Qt3DLogic::QFrameAction(view.scene());
    int frames = -1;
    QElapsedTimer clock;
    QObject::connect(action, &Qt3DLogic::QFrameAction::triggered, &view, [&] {
        if (++frames == 0)
            clock.start();
        place.yaw += degreesPerFrame;
        view.showFrom(place);
    });
    view.scene()->addComponent(action);
    QTest::qWait(int(seconds * 1000));
    const double fps = frames / (clock.nsecsElapsed() / 1e9);
    view.scene()->removeComponent(action);
    delete action;
    return fps;
}

int measure()
{
    if (const std::optional<QString> &why = view3d::whyNo3D()) {
        std::fprintf(stderr, "%s\n", qPrintable(*why));
        return 1;
    }
    const long before = bench::residentKb();
    const arm::Profile profile = arm::defaults();
    MotionDocument document(timing::Pose{127, 127, 127, 127, 127});
    document.setState(bench::longMotion(), {0, 0});
    QElapsedTimer t;
    t.start();
    const std::vector<arm::Point> path = preview::motionToolPath(document, profile);
    const double pathMs = t.nsecsElapsed() / 1e6;

    view3d::ArmView3D view(&profile);
    view.resize(960, 720);
    view.show();
    if (!QTest::qWaitForWindowExposed(&view))
        return 1;
    t.start();
    view.setPath(path);
    const double setMs = t.nsecsElapsed() / 1e6;
    view.setPose({90, 150, 60, 110, 127});
    const double fps = loopFrames(view, orbitSeconds);
    const double readBack = orbitFrames(view, orbitSeconds);

    std::printf("3D view, 960x720, a %d-point path, on %s:\n", view.pathPointCount(),
                qPrintable(QGuiApplication::platformName()));
    row("tool-point path of 12,010 records", pathMs, "ms");
    row("path handed to the view", setMs, "ms");
    row("frames drawn per second while orbiting", fps, "fps", ">= 30", fps >= 30);
    row("the same, each frame read back before the next", readBack, "fps");
    row("resident memory with OpenGL, before the view", before / 1024.0, "MB");
    row("resident memory after orbiting", bench::residentKb() / 1024.0, "MB");
    std::fflush(stdout);
    return view.pathPointCount() == records ? 0 : 1;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    return measure();
}
