#include "windows/widgets/arm_view.h"

#include "core/motion/axes.h"
#include "core/motion/servo_angle.h"

#include <QPainter>
#include <QPainterPath>
#include <QtMath>

namespace armview {

// How the servo angles become a picture. The arm reaches to the right in the side view, and
// each segment turns about the end of the one before it. Directions follow the program's
// sliders: pushing the shoulder, elbow or wrist slider up raises its segment, and pushing the
// base slider right turns the base clockwise as seen from above. With every servo at 127 the
// upper arm stands upright and the forearm and hand point level, forward: the elbow's centre
// is drawn as a right angle, the usual rest pose of such arms. Grip 0 is closed, 255 open.

namespace {

const QColor paper(248, 249, 251);
const QColor grid(226, 230, 236);
const QColor ink(60, 66, 80);
const QColor faint(180, 188, 200);
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

struct SidePose {
    QPointF shoulder, elbow, wrist, tip;
    double handDegrees;
};

SidePose sidePose(const Positions &s, QPointF shoulder)
{
    constexpr double upperArm = 100, forearm = 90, hand = 42;
    const double a1 = servo::degrees(s(axes::Shoulder));
    const double a2 = a1 - 90 - servo::degrees(s(axes::Elbow));
    const double a3 = a2 + servo::degrees(s(axes::Wrist));
    SidePose pose;
    pose.shoulder = shoulder;
    pose.elbow = shoulder + heading(a1, upperArm);
    pose.wrist = pose.elbow + heading(a2, forearm);
    pose.tip = pose.wrist + heading(a3, hand);
    pose.handDegrees = a3;
    return pose;
}

} // namespace

SideView::SideView(Positions positions, const arm::Profile *profile, QWidget *parent)
    : QWidget(parent), m_positions(std::move(positions)), m_profile(profile)
{
    setMinimumSize(320, 230);
}

void SideView::paintEvent(QPaintEvent *)
{
    const QSizeF canvas(480, 340);
    QPainter p(this);
    p.setRenderHint(QPainter::Antialiasing);
    drawBackground(p, *this);
    drawCaptions(p, *this, tr("Side view"));
    fitCanvas(p, *this, canvas);

    const double groundY = 310;
    const QPointF shoulder(200, 250);
    // Table and pedestal: the base's turn cannot be seen from the side.
    p.setPen(QPen(ink, 3));
    p.drawLine(QPointF(20, groundY), QPointF(460, groundY));
    p.setPen(QPen(ink.darker(110), 1));
    p.setBrush(segmentColours[axes::Base]);
    p.drawRoundedRect(QRectF(shoulder.x() - 45, groundY - 22, 90, 22), 4, 4);
    p.drawRoundedRect(QRectF(shoulder.x() - 22, shoulder.y(), 44, groundY - 22 - shoulder.y()), 4,
                      4);

    // The servo's travel around the shoulder, and where home would be, faintly.
    p.setPen(QPen(faint, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(shoulder - QPointF(40, 40), QSizeF(80, 80)), 0, 180 * 16);

    const SidePose pose = sidePose(m_positions, shoulder);
    drawSegment(p, pose.shoulder, pose.elbow, segmentColours[axes::Shoulder], 16);
    drawSegment(p, pose.elbow, pose.wrist, segmentColours[axes::Elbow], 13);
    drawSegment(p, pose.wrist, pose.tip, segmentColours[axes::Wrist], 10);
    drawJaws(p, pose.tip, pose.handDegrees, openingOf(m_positions(axes::Grip)), 22);
    drawJoint(p, pose.shoulder, 11);
    drawJoint(p, pose.elbow, 9);
    drawJoint(p, pose.wrist, 7);
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

    const QPointF centre(100, 110);
    const double radius = 55;
    // The half circle the base can sweep, with its ends and its centre marked.
    p.setPen(QPen(faint, 1, Qt::DashLine));
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre - QPointF(radius + 12, radius + 12),
                     QSizeF(2 * radius + 24, 2 * radius + 24)),
              0, 180 * 16);
    for (int position : {axes::lowest, axes::centre, axes::highest}) {
        const double h = servo::degrees(position);
        p.drawLine(centre + heading(-h, radius + 6), centre + heading(-h, radius + 18));
    }

    p.setPen(QPen(ink.darker(110), 1));
    p.setBrush(segmentColours[axes::Base].lighter(150));
    p.drawEllipse(centre, 30, 30);
    // Clockwise from the front: heading() turns counter-clockwise, hence the minus.
    const double h = servo::degrees(m_positions(axes::Base));
    drawSegment(p, centre, centre + heading(-h, radius), segmentColours[axes::Shoulder], 14);
    drawJoint(p, centre, 9);
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
