#include "windows/widgets/arm_view.h"

#include "core/motion/axes.h"
#include "windows/widgets/arm_view_geometry.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>
#include <algorithm>

namespace armview {

// How the positions become a picture: by the profile, whose model (core/arm/kinematics) says
// where each joint stands; the side view lays it into the arm's plane (arm_view_geometry). The
// arm reaches to the right in the side view, and front is up in the view from above. With the
// default profile, pushing the shoulder, elbow or wrist slider up raises its segment, pushing
// the base slider right turns the base clockwise as seen from above, and at 127 the upper arm
// stands upright and the forearm and hand point level, forward. Grip 0 is closed, 255 open.

namespace {

const QColor paper(248, 249, 251);
const QColor grid(226, 230, 236);
const QColor ink(60, 66, 80);
const QColor faint(180, 188, 200);
const QColor tableColour(200, 96, 80);
const QColor segmentColours[axes::count] = {QColor(90, 110, 140),  // base
                                            QColor(220, 120, 40),  // shoulder: upper arm
                                            QColor(50, 140, 200),  // elbow: forearm
                                            QColor(90, 170, 90),   // wrist: hand
                                            QColor(170, 90, 160)}; // grip: jaws

// A direction given in degrees from straight up, counter-clockwise on the screen.
QPointF heading(double degrees, double length)
{
    const double r = qDegreesToRadians(degrees);
    return {-std::sin(r) * length, -std::cos(r) * length};
}

// The captions stay at the font's own size whatever the picture's scale, so they are drawn in
// the widget's coordinates, before the canvas is fitted in.
void drawCaptions(QPainter &p, const QWidget &w, const QString &left, const QString &right = {})
{
    const QRectF band(8, 4, w.width() - 16, p.fontMetrics().height() + 4);
    p.setPen(ink);
    p.drawText(band, Qt::AlignLeft | Qt::AlignVCenter, left);
    p.drawText(band, Qt::AlignRight | Qt::AlignVCenter, right);
}

// Fits a logical canvas of the given size into the widget, centred, keeping its proportions.
void fitCanvas(QPainter &p, const QWidget &w, QSizeF canvas)
{
    const double scale = std::min(w.width() / canvas.width(), w.height() / canvas.height());
    p.translate((w.width() - canvas.width() * scale) / 2,
                (w.height() - canvas.height() * scale) / 2);
    p.scale(scale, scale);
}

// Squared paper over the whole widget, drawn before the canvas is fitted in.
void drawBackground(QPainter &p, const QWidget &w)
{
    p.fillRect(w.rect(), paper);
    p.setPen(QPen(grid, 1));
    for (int x = 20; x < w.width(); x += 20)
        p.drawLine(x, 0, x, w.height());
    for (int y = 20; y < w.height(); y += 20)
        p.drawLine(0, y, w.width(), y);
}

void drawSegment(QPainter &p, QPointF from, QPointF to, const QColor &colour, double width)
{
    p.setPen(QPen(colour.darker(130), width + 3, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
    p.setPen(QPen(colour, width, Qt::SolidLine, Qt::RoundCap));
    p.drawLine(from, to);
}

void drawJoint(QPainter &p, QPointF at, double radius)
{
    p.setPen(QPen(ink, 2));
    p.setBrush(Qt::white);
    p.drawEllipse(at, radius, radius);
    p.setBrush(ink);
    p.drawEllipse(at, radius / 3, radius / 3);
}

// Two jaws at the tip, along the hand's heading, spread by the grip's opening (0 to 1).
void drawJaws(QPainter &p, QPointF tip, double handDegrees, double opening, double size)
{
    const double spread = 8 + 28 * opening;
    p.setPen(QPen(segmentColours[axes::Grip], 6, Qt::SolidLine, Qt::RoundCap));
    for (int side : {-1, 1}) {
        const QPointF root = tip + heading(handDegrees + 90 * side, spread / 2);
        p.drawLine(root, root + heading(handDegrees - 6 * side * opening, size));
    }
    p.drawLine(tip + heading(handDegrees + 90, spread / 2),
               tip + heading(handDegrees - 90, spread / 2));
}

double openingOf(int position)
{
    return position / 255.0;
}

// The ground the arm stands on, its pedestal and, when the profile sets one, the table height
// the arm is kept above.
void drawStand(QPainter &p, const SidePicture &pic)
{
    p.setPen(QPen(ink, 3));
    p.drawLine(QPointF(pic.leftX, pic.groundY), QPointF(pic.rightX, pic.groundY));
    if (pic.tableY) {
        p.setPen(QPen(tableColour, 2, Qt::DashLine));
        p.drawLine(QPointF(pic.leftX, *pic.tableY), QPointF(pic.rightX, *pic.tableY));
        // At the font's own size, like the captions.
        const QPointF at = p.transform().map(QPointF(pic.leftX, *pic.tableY));
        p.save();
        p.resetTransform();
        p.drawText(at + QPointF(2, -4), SideView::tr("table"));
        p.restore();
    }
    // The base's turn cannot be seen from the side: a foot and a column up to the shoulder.
    const double x = pic.shoulder.x();
    const double foot = std::min(22.0, pic.groundY - pic.shoulder.y());
    p.setPen(QPen(ink.darker(110), 1));
    p.setBrush(segmentColours[axes::Base]);
    if (foot > 0)
        p.drawRoundedRect(QRectF(x - 45, pic.groundY - foot, 90, foot), 4, 4);
    const double column = pic.groundY - foot - pic.shoulder.y();
    if (column > 0)
        p.drawRoundedRect(QRectF(x - 22, pic.shoulder.y(), 44, column), 4, 4);
}

// Each joint's sweep between its limits, faintly, about the joint.
void drawTravel(QPainter &p, const SidePicture &pic)
{
    p.setPen(QPen(faint, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    for (const TravelArc &a : pic.travel) {
        const QRectF box(a.centre - QPointF(a.radius, a.radius),
                         QSizeF(2 * a.radius, 2 * a.radius));
        p.drawArc(box, qRound(a.start * 16), qRound(a.span * 16));
    }
}

const arm::Profile &orDefaults(const arm::Profile *profile)
{
    static const arm::Profile fallback = arm::defaults();
    return profile ? *profile : fallback;
}

} // namespace

SideView::SideView(Positions positions, const arm::Profile *profile, QWidget *parent)
    : QWidget(parent), m_positions(std::move(positions)), m_profile(profile)
{
    setMinimumSize(320, 230);
}

void SideView::paintEvent(QPaintEvent *)
{
    arm::Positions pose;
    for (int channel = 0; channel < axes::count; ++channel)
        pose[channel] = m_positions(channel);
    const SidePicture pic = sidePicture(orDefaults(m_profile), pose);

    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p, *this);
    drawCaptions(p, *this, tr("Side view"));
    fitCanvas(p, *this, pic.canvas);
    drawStand(p, pic);
    drawTravel(p, pic);

    const arm::Profile &profile = orDefaults(m_profile);
    const Placed placed = [&profile](const arm::Reach &r) {
        return sidePoint(profile, r.tool, r.base);
    };
    drawOverlayLine(p, m_overlay, placed);
    drawSegment(p, pic.shoulder, pic.elbow, segmentColours[axes::Shoulder], 16);
    drawSegment(p, pic.elbow, pic.wrist, segmentColours[axes::Elbow], 13);
    drawSegment(p, pic.wrist, pic.tool, segmentColours[axes::Wrist], 10);
    // heading() counts from straight up, the pitch from level.
    drawJaws(p, pic.tool, pic.pitch - 90, openingOf(m_positions(axes::Grip)), 22);
    drawJoint(p, pic.shoulder, 11);
    drawJoint(p, pic.elbow, 9);
    drawJoint(p, pic.wrist, 7);
    drawOverlayMark(p, m_overlay, placed);
}

void SideView::setOverlay(PathOverlay overlay)
{
    m_overlay = std::move(overlay);
    update();
}

TopView::TopView(Positions positions, const arm::Profile *profile, QWidget *parent)
    : QWidget(parent), m_positions(std::move(positions)), m_profile(profile)
{
    setMinimumSize(150, 135);
}

void TopView::paintEvent(QPaintEvent *)
{
    const QSizeF canvas(200, 180);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p, *this);
    drawCaptions(p, *this, tr("Base, from above"), tr("front \u2191"));
    fitCanvas(p, *this, canvas);

    const QPointF centre = topCentre;
    const double radius = topRadius;
    // Front is up; heading() turns counter-clockwise from up, as the base's angle does from
    // above.
    const arm::Joint &base = orDefaults(m_profile).joints[axes::Base];
    // The sweep between the base's limits, with its ends and the centre marked, faintly.
    p.setPen(QPen(faint, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    const double from = base.degrees(base.min);
    const double span = std::clamp(base.degrees(base.max) - from, -360.0, 360.0);
    p.drawArc(QRectF(centre - QPointF(radius + 12, radius + 12),
                     QSizeF(2 * radius + 24, 2 * radius + 24)),
              qRound((90 + from) * 16), qRound(span * 16));
    for (int position : {base.min, axes::centre, base.max}) {
        const double h = base.degrees(position);
        p.drawLine(centre + heading(h, radius + 6), centre + heading(h, radius + 18));
    }

    p.setPen(QPen(ink.darker(110), 1));
    p.setBrush(segmentColours[axes::Base].lighter(150));
    p.drawEllipse(centre, 30, 30);
    const arm::Profile &profile = orDefaults(m_profile);
    const Placed placed = [&profile](const arm::Reach &r) { return topPoint(profile, r.tool); };
    drawOverlayLine(p, m_overlay, placed);
    const double h = base.degrees(m_positions(axes::Base));
    drawSegment(p, centre, centre + heading(h, radius), segmentColours[axes::Shoulder], 14);
    drawJoint(p, centre, 9);
    drawOverlayMark(p, m_overlay, placed);
}

void TopView::setOverlay(PathOverlay overlay)
{
    m_overlay = std::move(overlay);
    update();
}

GripView::GripView(Positions positions, QWidget *parent)
    : QWidget(parent), m_positions(std::move(positions))
{
    setMinimumSize(150, 90);
}

void GripView::paintEvent(QPaintEvent *)
{
    const QSizeF canvas(200, 120);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    const double opening = openingOf(m_positions(axes::Grip));
    drawBackground(p, *this);
    drawCaptions(p, *this, tr("Grip"), tr("%1 % open").arg(qRound(opening * 100)));
    fitCanvas(p, *this, canvas);

    const double gap = 6 + 90 * opening;
    const QColor c = segmentColours[axes::Grip];
    p.setPen(QPen(c.darker(130), 2));
    p.setBrush(c);
    p.drawRoundedRect(QRectF(100 - gap / 2 - 18, 40, 18, 60), 5, 5);
    p.drawRoundedRect(QRectF(100 + gap / 2, 40, 18, 60), 5, 5);
    p.setBrush(segmentColours[axes::Wrist]);
    p.drawRoundedRect(QRectF(40, 96, 120, 14), 4, 4);
}

} // namespace armview
