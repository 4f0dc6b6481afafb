// The 3D view on a real X display (Xvfb, xcb, Mesa's software OpenGL): the editor opened on a
// motion shows it, not the line that stands in for it, draws a frame, and its path has a point
// for every record; the simulator's window shows it too, its trail growing with each new pose
// that arrives on the line. The windows run in a child of this test, which the test starts on an
// Xvfb of its own: Qt picks its platform once, when the application is made.

#include "core/arm/profile.h"
#include "edit/scripted_questions.h"
#include "edit/window/editor_window.h"
#include "sim/core/pty_link.h"
#include "sim/core/simulator.h"
#include "sim/window/arm_window.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"
#include "support/x_desktop.h"
#include "windows/view3d/arm_view3d.h"

#include <QApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QOpenGLFunctions>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <QWheelEvent>
#include <Qt3DExtras/Qt3DWindow>
#include <Qt3DRender/QRenderCaptureReply>

#include <fcntl.h>
#include <unistd.h>

namespace {

const char childMark[] = "KESTREL_TEST_VIEW3D_CHILD";

// The view draws: within a few frames (the first may come before the scene is loaded), one
// comes back that is not all background.
bool drawsAFrame(view3d::ArmView3D &view)
{
    for (int frame = 0; frame < 10; ++frame) {
        std::unique_ptr<Qt3DRender::QRenderCaptureReply> reply(view.capture());
        QSignalSpy done(reply.get(), &Qt3DRender::QRenderCaptureReply::completed);
        if (!done.wait(20000))
            return false;
        const QImage image = reply->image();
        for (int y = 0; y < image.height(); y += 4)
            for (int x = 0; x < image.width(); x += 4)
                if (image.pixel(x, y) != image.pixel(0, 0))
                    return true;
    }
    return false;
}

} // namespace

class DesktopView3D : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void initTestCase()
    {
        QOpenGLContext context;
        QOffscreenSurface surface;
        surface.create();
        QVERIFY(context.create() && context.makeCurrent(&surface));
        qInfo("OpenGL renderer: %s", context.functions()->glGetString(GL_RENDERER));
    }

    void editorShowsTheMotionsPath()
    {
        QTemporaryDir dir;
        std::vector<Step> motion;
        for (int i = 0; i < 300; ++i)
            motion.push_back(Step{qint16(i % 5), qint16(60 + (i * 7) % 120)});
        const QString file = dir.path() + QStringLiteral("/path.kmv");
        QVERIFY(writeFile(file, movementText(motion)));
        ScriptedDialogs dialogs;
        ScriptedQuestions questions;
        EditorServices services;
        services.dialogs = &dialogs;
        services.questions = &questions;
        services.stateFolder = dir.path() + QStringLiteral("/state");
        EditorWindow editor(services);
        editor.resize(1280, 900);
        editor.show();
        QVERIFY(editor.openFile(file));
        QVERIFY(QTest::qWaitForWindowExposed(&editor));

        // Made once the window's first paint is on the screen.
        QTRY_VERIFY2(editor.findChild<view3d::ArmView3D *>(QStringLiteral("view3d")),
                     "no 3D view in the editor's preview");
        auto *view = editor.findChild<view3d::ArmView3D *>(QStringLiteral("view3d"));
        QVERIFY(view->isVisible());
        QVERIFY(!editor.findChild<QWidget *>(QStringLiteral("view3dFallback")));
        QCOMPARE(view->pathPointCount(), int(motion.size()));
        QVERIFY2(drawsAFrame(*view), "the 3D view drew nothing");

        // The mouse, as Qt hands it to Qt 3D's window: a left drag turns the camera,
        // the wheel brings it nearer, a double click puts it back.
        const auto windows = editor.windowHandle()->findChildren<Qt3DExtras::Qt3DWindow *>();
        QCOMPARE(windows.size(), 1);
        QWindow *w3 = windows.first();
        const view3d::OrbitPlace home = view->orbit().place();
        QTest::mousePress(w3, Qt::LeftButton, {}, QPoint(100, 100));
        QTest::mouseMove(w3, QPoint(150, 100));
        QTest::mouseRelease(w3, Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(view->orbit().place().yaw, home.yaw - 50 * view3d::Orbit::degreesPerPixel);
        QWheelEvent wheel(QPointF(100, 100), w3->mapToGlobal(QPointF(100, 100)), {}, {0, 120},
                          Qt::NoButton, {}, Qt::NoScrollPhase, false);
        QCoreApplication::sendEvent(w3, &wheel);
        QVERIFY(view->orbit().place().distance < home.distance);
        QTest::mouseDClick(w3, Qt::LeftButton, {}, QPoint(150, 100));
        QCOMPARE(view->orbit().place().yaw, home.yaw);
        QCOMPARE(view->orbit().place().distance, home.distance);
    }

    void simulatorShowsTheTrail()
    {
        QTemporaryDir dir;
        sim::PtyLink::Opened opened = sim::PtyLink::publish(dir.path(), 4);
        QVERIFY2(opened.link, qPrintable(opened.error));
        sim::Simulator simulator(opened.link->masterFd(), false, nullptr);
        sim::ArmWindow window(simulator, QStringLiteral("COM4"), opened.link->slavePath(), false,
                              arm::defaults());
        window.show();
        QVERIFY(QTest::qWaitForWindowExposed(&window));
        auto *view = window.findChild<view3d::ArmView3D *>(QStringLiteral("view3d"));
        QVERIFY2(view, "no 3D view in the simulator's window");
        QVERIFY(!window.findChild<QWidget *>(QStringLiteral("view3dFallback")));
        QCOMPARE(view->pathPointCount(), 1); // where the arm is drawn before anything arrives

        const int port =
            ::open(QFile::encodeName(opened.link->linkPath()).constData(), O_RDWR | O_NOCTTY);
        QVERIFY(port >= 0);
        // A new pose, then another sent twice as a replay's step is: one point each.
        const QByteArray frames[] = {QByteArray("\xFF\x01\x28\x0D", 4),
                                     QByteArray("\xFF\x02\x50\x0D\xFF\x02\x50\x0D", 8)};
        for (int i = 0; i < 2; ++i) {
            QCOMPARE(::write(port, frames[i].constData(), size_t(frames[i].size())),
                     ssize_t(frames[i].size()));
            QTRY_COMPARE_WITH_TIMEOUT(view->pathPointCount(), 2 + i, 10000);
        }
        ::close(port);
        QVERIFY2(drawsAFrame(*view), "the 3D view drew nothing");
    }
};

int main(int argc, char *argv[])
{
    if (qEnvironmentVariableIsSet(childMark)) {
        QApplication app(argc, argv);
        DesktopView3D t;
        return QTest::qExec(&t, argc, argv);
    }
    QCoreApplication app(argc, argv);
    desktop::VirtualScreen screen;
    if (!screen.start()) {
        std::fprintf(stderr, "%s\n", qPrintable(screen.error()));
        return 1;
    }
    QProcess child;
    QProcessEnvironment env = screen.childEnvironment();
    env.insert(QString::fromLatin1(childMark), QStringLiteral("1"));
    env.remove(QStringLiteral("KESTREL_NO_3D"));
    // Mesa's compiler keeps what it compiled until the process ends, as the other desktop tests'
    // programs do with the display's libraries; leaks of our own are checked offscreen.
    env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
    child.setProcessEnvironment(env);
    child.setProcessChannelMode(QProcess::ForwardedChannels);
    desktop::endWithThisProcess(child);
    child.start(QCoreApplication::applicationFilePath(), app.arguments().mid(1));
    if (!child.waitForFinished(100000))
        return 1;
    return child.exitStatus() == QProcess::NormalExit ? child.exitCode() : 1;
}

#include "test_desktop_view3d.moc"
