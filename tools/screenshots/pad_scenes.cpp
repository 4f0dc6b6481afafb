// The pictures of what a game controller does: the help topic's (the main window) and the
// README's (the main window and the editor). Every word on them comes from the program's own
// table of the pad and of the axes, so a picture cannot say otherwise than the program does.

#include "pad_drawing.h"
#include "picture.h"
#include "scenes.h"

#include "core/motion/axes.h"

#include <QDir>
#include <QFont>
#include <QPainter>
#include <cstdio>

namespace shots {

namespace {

// As the main window's captions write them: "BASE".
QString axisCaption(int channel)
{
    return QString::fromLatin1(axes::all[static_cast<std::size_t>(channel)].name).toUpper();
}

// A trigger works the grip one way: GRIP's 255 is open, so the one that raises it opens it.
QString driveAction(const pad::Drive &d)
{
    if (d.channel != axes::Grip)
        return axisCaption(d.channel);
    return axisCaption(d.channel) +
           (d.sign > 0 ? QStringLiteral(" open") : QStringLiteral(" close"));
}

PadLabel driveLabel(const pad::Drive &d)
{
    return {d.stick, pad::stickName(d.stick), driveAction(d)};
}

QList<PadLabel> windowLabels()
{
    QList<PadLabel> labels;
    for (const pad::Drive &d : pad::windowDrives())
        labels << driveLabel(d);
    for (const pad::Press &p : pad::windowPresses())
        labels << PadLabel{p.button, pad::buttonName(p.button), pad::transportName(p.transport)};
    return labels;
}

// "x +100 mm/s": how far the tool point goes in a second at a full push up or to the right.
QString tipAction(const pad::TipDrive &d)
{
    static const std::array<const char *, 4> names{"x", "y", "z", "pitch"};
    const bool pitch = d.axis == jog::Axis::Pitch;
    return QStringLiteral("%1 %2%3%4")
        .arg(QLatin1String(names[static_cast<std::size_t>(d.axis)]),
             d.perSecond < 0 ? QStringLiteral("\u2212") : QStringLiteral("+"))
        .arg(std::abs(d.perSecond))
        .arg(pitch ? QStringLiteral("\u00b0/s") : QStringLiteral(" mm/s"));
}

// The editor jogging the tool point: its sticks, the grip's triggers as in the main window,
// and its own three buttons.
QList<PadLabel> editorLabels()
{
    QList<PadLabel> labels;
    for (const pad::TipDrive &d : pad::editorTipDrives())
        labels << PadLabel{d.stick, pad::stickName(d.stick), tipAction(d)};
    for (const pad::Drive &d : pad::windowDrives())
        if (d.channel == axes::Grip)
            labels << driveLabel(d);
    const auto button = [&](pad::Button b, const char *action) {
        labels << PadLabel{b, pad::buttonName(b), QString::fromUtf8(action)};
    };
    button(pad::insertPose, "Insert pose here");
    button(pad::showClock, "Back to playhead");
    button(pad::switchJog, "Joints / tool point");
    return labels;
}

QFont headingFont(double size, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setPixelSize(qRound(size));
    font.setWeight(weight);
    return font;
}

// One of the README picture's two parts: a heading, the pad, and a note under it.
void drawPanel(QPainter &p, double top, double scale, const QString &heading,
               const QList<PadLabel> &labels, const QString &note)
{
    const double width = padDrawingArea.width() * scale;
    const QRectF padArea(0, top + 24 * scale, width, padDrawingArea.height() * scale);
    p.fillRect(QRectF(0, top, width, padArea.height() + 40 * scale), QColor(247, 247, 244));
    p.setPen(QColor(20, 20, 20));
    p.setFont(headingFont(11 * scale, QFont::Bold));
    p.drawText(QRectF(8 * scale, top, width, 24 * scale), Qt::AlignLeft | Qt::AlignVCenter,
               heading);
    drawPad(p, padArea, labels);
    p.setPen(QColor(95, 95, 95));
    p.setFont(headingFont(8.5 * scale, QFont::Normal));
    p.drawText(QRectF(8 * scale, padArea.bottom(), width - 16 * scale, 16 * scale),
               Qt::AlignLeft | Qt::AlignVCenter, note);
}

} // namespace

QImage padMap(const QString &)
{
    QImage picture(pictureSize, QImage::Format_RGB32);
    QPainter painter(&picture);
    drawPad(painter, QRectF(QPointF(0, 0), QSizeF(pictureSize)), windowLabels());
    return picture;
}

QImage padMapForReadme()
{
    constexpr double scale = 2.5;
    const double panel = (padDrawingArea.height() + 40) * scale;
    QImage picture(qRound(padDrawingArea.width() * scale), qRound(2 * panel + 4 * scale),
                   QImage::Format_RGB32);
    picture.fill(QColor(200, 200, 196));
    QPainter p(&picture);
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::TextAntialiasing);
    drawPanel(p, 0, scale, QStringLiteral("The main window"), windowLabels(),
              QStringLiteral("A stick moves its slider faster the further it is pushed."));
    drawPanel(p, panel + 4 * scale, scale, QStringLiteral("The editor, jogging the tool point"),
              editorLabels(),
              QStringLiteral("At a full push up or to the right. Jogging the joints, the sticks "
                             "are the main window's."));
    return picture;
}

} // namespace shots
