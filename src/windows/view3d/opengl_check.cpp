#include "windows/view3d/opengl_check.h"

#include <QOffscreenSurface>
#include <QOpenGLContext>
#include <QSurfaceFormat>

namespace view3d {

std::optional<QString> checkOpenGL()
{
    if (qEnvironmentVariable(noThreeD) == QLatin1String("1"))
        return QStringLiteral("No 3D view: %1=1 turns it off.").arg(QLatin1String(noThreeD));
    const QString noGl = QStringLiteral("No 3D view: OpenGL is not available on this display.");
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
