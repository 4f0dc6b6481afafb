#include "pad_shape.h"

#include <QPainter>
#include <QPainterPath>

namespace shots {

namespace {

using pad::Button;
using pad::Stick;

const QColor bodyFill(222, 222, 218);
const QColor partFill(250, 250, 248);
const QColor outline(50, 50, 50);
const QColor ink(20, 20, 20);

QPointF at(double x, double y)
{
    return {padLeft + x, padTop + y};
}
QRectF box(double x, double y, double w, double h)
{
    return {at(x, y), QSizeF(w, h)};
}

Shape shapeOf(Button b)
{
    switch (b) {
    case Button::A:
        return {at(79, 30), 3.8};
    case Button::B:
        return {at(86.5, 22), 3.8};
    case Button::X:
        return {at(71.5, 22), 3.8, padTop + 11};
    case Button::Y:
        return {at(79, 14), 3.8, padTop};
    case Button::Back:
        return {at(42, 22), 2};
    case Button::Start:
        return {at(58, 22), 2};
    case Button::Guide:
        return {at(50, 12), 4};
    case Button::LeftStick:
        return {at(22, 22), 7.5};
    case Button::RightStick:
        return {at(64, 40), 7.5};
    case Button::LeftShoulder:
        return {at(21, 3), 1};
    case Button::RightShoulder:
        return {at(79, 3), 1};
    default:
        return {at(36, 40), 6}; // the d-pad
    }
}

Shape shapeOf(Stick s)
{
    switch (s) {
    case Stick::LeftX:
    case Stick::LeftY:
        return shapeOf(Button::LeftStick);
    case Stick::RightX:
    case Stick::RightY:
        return shapeOf(Button::RightStick);
    case Stick::LeftTrigger:
        return {at(20, -3), 0, padTop - 19};
    case Stick::RightTrigger:
        return {at(80, -3), 0, padTop - 19};
    }
    return {};
}

} // namespace

Shape shapeOf(const PadPart &part)
{
    return std::visit([](auto p) { return shapeOf(p); }, part);
}

QFont padFont(double pixelSize, QFont::Weight weight)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    return font;
}

namespace {

QPainterPath bodyPath()
{
    // United one by one: shapes added to one path would cut holes where they overlap.
    const auto shape = [](const QRectF &r, double radius) {
        QPainterPath path;
        path.addRoundedRect(r, radius, radius);
        return path;
    };
    return shape(box(0, 4, 100, 36), 16)
        .united(shape(box(2, 12, 32, 54), 16))
        .united(shape(box(66, 12, 32, 54), 16))
        .united(shape(box(14, 8, 72, 42), 18))
        .simplified();
}

void drawShoulders(QPainter &p)
{
    p.setPen(QPen(outline, 1));
    p.setBrush(bodyFill.darker(108));
    for (double x : {8.0, 68.0}) // the triggers, then the bumpers in front of them
        p.drawRoundedRect(box(x, -7, 24, 14), 4, 4);
    p.setBrush(bodyFill);
    for (double x : {6.0, 64.0})
        p.drawRoundedRect(box(x, 0, 30, 7), 3, 3);
}

void drawStick(QPainter &p, QPointF centre)
{
    p.setBrush(bodyFill.darker(125));
    p.drawEllipse(centre, 7.5, 7.5);
    p.setBrush(partFill);
    p.drawEllipse(centre, 5, 5);
}

void drawDpad(QPainter &p, QPointF centre)
{
    QPainterPath cross;
    cross.addRect(QRectF(centre.x() - 6, centre.y() - 2.2, 12, 4.4));
    cross.addRect(QRectF(centre.x() - 2.2, centre.y() - 6, 4.4, 12));
    p.setBrush(partFill);
    p.drawPath(cross.simplified());
}

void drawFaceButtons(QPainter &p)
{
    p.setFont(padFont(5.5, QFont::Bold));
    for (Button b : {Button::A, Button::B, Button::X, Button::Y}) {
        const Shape s = shapeOf(b);
        p.setPen(QPen(outline, 0.8));
        p.setBrush(partFill);
        p.drawEllipse(s.centre, s.radius, s.radius);
        p.setPen(ink);
        const QRectF inside(s.centre - QPointF(s.radius, s.radius), QSizeF(2, 2) * s.radius);
        p.drawText(inside, Qt::AlignCenter, pad::buttonName(b));
    }
}

} // namespace

void drawPadBody(QPainter &p)
{
    drawShoulders(p);
    p.setPen(QPen(outline, 1.2));
    p.setBrush(bodyFill);
    p.drawPath(bodyPath());
    p.setPen(QPen(outline, 0.8));
    drawStick(p, shapeOf(Button::LeftStick).centre);
    drawStick(p, shapeOf(Button::RightStick).centre);
    drawDpad(p, shapeOf(Button::DpadUp).centre);
    p.setBrush(partFill);
    for (Button b : {Button::Back, Button::Start})
        p.drawRoundedRect(QRectF(shapeOf(b).centre - QPointF(3.5, 1.8), QSizeF(7, 3.6)), 1.8, 1.8);
    p.drawEllipse(shapeOf(Button::Guide).centre, 4, 4);
    drawFaceButtons(p);
}

} // namespace shots
