// Draws the README's picture of the 3D view: the default arm reaching forward and down, the
// path of a sweep that takes its tool point across in front of it, lower in the middle, seen
// from the camera's home, and written as a PNG. The picture is what the X server shows in the
// window, once the renderer has handed back a few finished frames.

#include "core/edit/motion_document.h"
#include "core/edit/tool_path.h"
#include "windows/view3d/arm_view3d.h"
#include "windows/view3d/opengl_check.h"

#include <QApplication>
#include <QScreen>
#include <QSignalSpy>
#include <QTest>
#include <Qt3DRender/QRenderCaptureReply>

#include <cstdio>
#include <memory>

namespace {

constexpr int from = 70, to = 190; // the base's sweep

// The base swung from the arm's right to its left while the shoulder lowers the hand towards
// the middle of the sweep and raises it again: a path that goes in all three directions.
std::vector<Step> sweep()
{
    std::vector<Step> r{{0, qint16(from)}};
    for (int b = from + 1; b <= to; ++b) {
        r.push_back(Step{0, qint16(b)});
        const int lean = 30 - std::abs(b - (from + to) / 2) / 2; // 0 at the ends, 30 mid-way
        r.push_back(Step{1, qint16(110 - lean / 2)});
        r.push_back(Step{2, qint16(150 - lean)});
    }
    return r;
}

bool framesDrawn(view3d::ArmView3D &view, int frames)
{
    for (int i = 0; i < frames; ++i) {
        std::unique_ptr<Qt3DRender::QRenderCaptureReply> reply(view.capture());
        QSignalSpy done(reply.get(), &Qt3DRender::QRenderCaptureReply::completed);
        if (!done.wait(20000))
            return false;
    }
    return true;
}

} // namespace

int main(int argc, char *argv[])
{
    QApplication app(argc, argv);
    if (argc != 2) {
        std::fprintf(stderr, "usage: kestrel-arm3d-picture OUT.png\n");
        return 2;
    }
    if (const std::optional<QString> &why = view3d::whyNo3D()) {
        std::fprintf(stderr, "%s\n", qPrintable(*why));
        return 1;
    }
    const arm::Profile profile = arm::defaults();
    MotionDocument document(timing::Pose{from, 110, 150, 100, 127});
    document.setState(sweep(), {0, 0});
    view3d::ArmView3D view(&profile);
    view.resize(800, 560);
    view.setPath(preview::motionToolPath(document, profile));
    view.setPose(document.poseAfter(document.size() * 2 / 3));
    view.show();
    if (!QTest::qWaitForWindowExposed(&view) || !framesDrawn(view, 5)) {
        std::fprintf(stderr, "the 3D view drew nothing\n");
        return 1;
    }
    const QPixmap shown = view.screen()->grabWindow(view.winId());
    if (!shown.save(QString::fromLocal8Bit(argv[1]))) {
        std::fprintf(stderr, "cannot write %s\n", argv[1]);
        return 1;
    }
    return 0;
}
