#include "picture.h"

#include <QApplication>
#include <QImageWriter>
#include <QPainter>
#include <QPixmap>
#include <QStyle>
#include <QStyleOptionTitleBar>
#include <QWidget>
#include <cstdio>

namespace shots {

namespace {

QStyleOptionTitleBar titleBarOption(QWidget *window)
{
    QStyleOptionTitleBar option;
    option.initFrom(window);
    // The desktop's colours, not those of the window's own background.
    option.palette = QApplication::palette();
    option.text = window->windowTitle();
    option.icon = window->windowIcon();
    option.titleBarFlags =
        Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint | Qt::WindowCloseButtonHint;
    option.titleBarState = Qt::WindowActive;
    option.subControls = QStyle::SC_TitleBarLabel | QStyle::SC_TitleBarCloseButton;
    // A window without an icon gets none; the style would draw one of its own in its place.
    if (!window->windowIcon().isNull())
        option.subControls |= QStyle::SC_TitleBarSysMenu;
    option.state |= QStyle::State_Active | QStyle::State_Enabled;
    return option;
}

} // namespace

QImage grab(QWidget *window)
{
    return window->grab().toImage().convertToFormat(QImage::Format_RGB32);
}

int titleBarHeight(QWidget *window)
{
    const QStyleOptionTitleBar option = titleBarOption(window);
    return window->style()->pixelMetric(QStyle::PM_TitleBarHeight, &option, window);
}

QImage withTitleBar(QWidget *window)
{
    const QImage client = grab(window);
    const int border = frameBorder;
    const int bar = titleBarHeight(window);
    QImage framed(client.width() + 2 * border, client.height() + bar + 2 * border,
                  QImage::Format_RGB32);
    framed.fill(QApplication::palette().color(QPalette::Shadow));

    QPainter painter(&framed);
    QStyleOptionTitleBar option = titleBarOption(window);
    option.rect = QRect(border, border, client.width(), bar);
    window->style()->drawComplexControl(QStyle::CC_TitleBar, &option, &painter, window);
    painter.drawImage(border, border + bar, client);
    return framed;
}

QImage over(const QImage &bottom, const QImage &top, QPoint at)
{
    QImage out = bottom.convertToFormat(QImage::Format_RGB32);
    QPainter painter(&out);
    painter.drawImage(at, top);
    return out;
}

QPoint centred(QSize dialog, QSize window)
{
    return QPoint((window.width() - dialog.width()) / 2, (window.height() - dialog.height()) / 2);
}

QImage cut(const QImage &image, const QRect &part)
{
    return image.copy(part.intersected(image.rect()));
}

QImage cutAround(const QImage &image, QPoint centre, double scale)
{
    const QSize size(qRound(pictureSize.width() * scale), qRound(pictureSize.height() * scale));
    QRect part(QPoint(0, 0), size);
    part.moveCenter(centre);
    // Pushed back inside the image where it sticks out, so no black band is cut in.
    part.moveLeft(std::clamp(part.left(), 0, std::max(0, image.width() - size.width())));
    part.moveTop(std::clamp(part.top(), 0, std::max(0, image.height() - size.height())));
    return cut(image, part);
}

QImage fitted(const QImage &image)
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    picture.fill(Qt::black);
    QImage shown = image;
    if (image.width() > pictureSize.width() || image.height() > pictureSize.height())
        shown = image.scaled(pictureSize, Qt::KeepAspectRatio, Qt::SmoothTransformation);
    QPainter painter(&picture);
    painter.drawImage(centred(shown.size(), pictureSize), shown);
    return picture;
}

bool saveJpeg(const QImage &picture, const QString &path)
{
    QImageWriter writer(path, "jpeg");
    writer.setQuality(92);
    writer.setOptimizedWrite(true);
    if (writer.write(picture))
        return true;
    std::fprintf(stderr, "kestrel-shots: cannot write %s: %s\n", qPrintable(path),
                 qPrintable(writer.errorString()));
    return false;
}

} // namespace shots
