#include "windows/view3d/opengl_check.h"

#include <QGuiApplication>
#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace view3d {

std::optional<QString> checkOpenGL()
{
    if (qEnvironmentVariable(noThreeD) == QLatin1String("1"))
        return QStringLiteral("No 3D view: %1=1 turns it off.").arg(QLatin1String(noThreeD));
    const QString noGl = QStringLiteral("No 3D view: OpenGL is not available on this display.");
    // The offscreen platform shows no window, yet with DISPLAY set it can make a context through
    // the X server: asked there, the answer would depend on the shell the tests run from.
    const QString platform = QGuiApplication::platformName();
    if (platform == QLatin1String("offscreen") || platform == QLatin1String("minimal"))
        return noGl;
    QSurfaceFormat format = QSurfaceFormat::defaultFormat();
    format.setDepthBufferSize(24);
    QOpenGLContext context;
    context.setFormat(format);
    if (!context.create())
        return noGl;
    QOffscreenSurface surface;
    surface.setFormat(context.format());
    surface.create();
    if (!surface.isValid() || !context.makeCurrent(&surface))
        return noGl;
    context.doneCurrent();
    return std::nullopt;
}

const std::optional<QString> &whyNo3D()
{
    static const std::optional<QString> answer = checkOpenGL();
    return answer;
}

} // namespace view3d
