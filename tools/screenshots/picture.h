#pragma once
// Turning grabs of the program's windows into help pictures: a window with its title bar, a
// dialog placed over its parent, a part cut out, and the whole fitted into the help window's
// picture area on its black background.

#include <QImage>
#include <QRect>
#include <QSize>
#include <QString>

class QWidget;

namespace shots {

// The help window's picture area, in pixels. A picture of this size is shown 1:1.
inline constexpr QSize pictureSize{325, 173};

// The window as it is on screen now, its client area only.
QImage grab(QWidget *window);
// The window with a title bar drawn by the program's style above it: the caption, the icon and
// a close box, as a desktop shows them. A grab alone has no title bar, and some titles matter
// ("COMM SETTINGS", "Select File to Open").
QImage withTitleBar(QWidget *window);
// The height that withTitleBar adds above the client area, and the border it draws around it.
int titleBarHeight(QWidget *window);
inline constexpr int frameBorder = 1;

// `top` drawn over `bottom` with its top-left corner at `at`.
QImage over(const QImage &bottom, const QImage &top, QPoint at);
// Where a dialog of `dialog` size stands when centred on a window of `window` size.
QPoint centred(QSize dialog, QSize window);
// A part of the image; the part is clipped to the image.
QImage cut(const QImage &image, const QRect &part);
// The part of the image of the picture area's proportions, `pictureSize` times `scale`, whose
// centre is as near `centre` as the image allows.
QImage cutAround(const QImage &image, QPoint centre, double scale = 1.0);

// The image on a black picture of `pictureSize`, centred, scaled down with its proportions
// kept when it is larger; never scaled up.
QImage fitted(const QImage &image);

// Writes a JPEG of `pictureSize`; false with a message on stderr when it cannot.
bool saveJpeg(const QImage &picture, const QString &path);

} // namespace shots
