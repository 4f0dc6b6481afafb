// Draws every picture that Kestrel keeps in resources/pictures/.
//
// Usage: draw_pictures OUT_DIR STAGE_DIR ICON_DIR
//   OUT_DIR   receives the finished pictures that are PNG files (none at present).
//   ICON_DIR  receives the application icon at the desktop's sizes, as the hicolor icon theme
//             lays them out (16x16/apps/kestrel.png ... 256x256/apps/kestrel.png).
//   STAGE_DIR receives one PNG per GIF, ICO and JPEG picture; draw.sh turns
//             those into their final formats with ImageMagick, because Qt
//             cannot write GIF or palette ICO files and always subsamples the
//             colour of JPEG files, which smears yellow lettering on black.

#include <QtMath>
#include <QDir>
#include <QFont>
#include <QGuiApplication>
#include <QImage>
#include <QLinearGradient>
#include <QPainter>
#include <QPainterPath>
#include <QRadialGradient>

#include <cmath>
#include <cstdio>

namespace {

const QColor kYellow(255, 255, 0);
const QColor kAmber(255, 190, 0);

QString gOutDir;
QString gStageDir;
bool gFailed = false;

void writePicture(const QImage &image, const QString &dir, const QString &name)
{
    const QString path = QDir(dir).filePath(name);
    if (!image.save(path, "PNG")) {
        std::fprintf(stderr, "draw_pictures: cannot write %s\n", qPrintable(path));
        gFailed = true;
    }
}

QImage newCanvas(int width, int height, const QColor &fill = Qt::transparent)
{
    QImage image(width, height, QImage::Format_ARGB32_Premultiplied);
    image.fill(fill);
    return image;
}

void beginPainting(QPainter &p)
{
    p.setRenderHint(QPainter::Antialiasing);
    p.setRenderHint(QPainter::SmoothPixmapTransform);
    p.setRenderHint(QPainter::TextAntialiasing);
}

// ICO files keep transparency as a one-bit mask: every pixel is either fully
// shown or fully hidden, so soft edges are settled here rather than left to
// the converter.
QImage hardenAlpha(const QImage &source)
{
    QImage image = source.convertToFormat(QImage::Format_ARGB32);
    for (int y = 0; y < image.height(); ++y) {
        auto *line = reinterpret_cast<QRgb *>(image.scanLine(y));
        for (int x = 0; x < image.width(); ++x) {
            const QRgb c = line[x];
            line[x] = qAlpha(c) < 128 ? qRgba(0, 0, 0, 0) : qRgba(qRed(c), qGreen(c), qBlue(c), 255);
        }
    }
    return image;
}

QFont sansFont(double pixelSize, QFont::Weight weight = QFont::Bold, double spacing = 0)
{
    QFont font;
    font.setFamilies({QStringLiteral("Liberation Sans"), QStringLiteral("Arial")});
    font.setStyleHint(QFont::SansSerif);
    font.setPixelSize(qRound(pixelSize));
    font.setWeight(weight);
    font.setHintingPreference(QFont::PreferNoHinting);
    if (spacing != 0)
        font.setLetterSpacing(QFont::AbsoluteSpacing, spacing);
    return font;
}

double textWidth(const QString &text, const QFont &font)
{
    QPainterPath path;
    path.addText(0, 0, font, text);
    return path.boundingRect().width();
}

// Lettering as a filled outline, so it can carry a gradient and a rim.
void drawLettering(QPainter &p, const QString &text, const QFont &font, QPointF baseline,
                   const QBrush &fill, const QColor &rim = Qt::transparent, double rimWidth = 1.0)
{
    QPainterPath path;
    path.addText(baseline, font, text);
    path.translate(-path.boundingRect().left() + baseline.x(), 0);
    if (rim.alpha() > 0)
        p.strokePath(path, QPen(rim, rimWidth, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    p.fillPath(path, fill);
}

QLinearGradient verticalGradient(double top, double bottom,
                                 std::initializer_list<std::pair<double, QColor>> stops)
{
    QLinearGradient g(0, top, 0, bottom);
    for (const auto &[at, color] : stops)
        g.setColorAt(at, color);
    return g;
}

// Soft elliptical shadow or glow centred on `centre`.
void drawSoftEllipse(QPainter &p, QPointF centre, double rx, double ry, const QColor &inner)
{
    p.save();
    p.translate(centre);
    p.scale(1.0, ry / rx);
    QRadialGradient g(QPointF(0, 0), rx);
    g.setColorAt(0, inner);
    QColor outer = inner;
    outer.setAlpha(0);
    g.setColorAt(1, outer);
    p.setPen(Qt::NoPen);
    p.setBrush(g);
    p.drawEllipse(QPointF(0, 0), rx, rx);
    p.restore();
}

// ---------------------------------------------------------------------------
// The arm, seen from the side. Drawing units: the base stands on y = 0 with
// its turning axis on x = 0; callers place and scale it with the painter.

struct ArmPose {
    double shoulder; // upper arm, degrees above horizontal
    double elbow;    // forearm, degrees relative to the upper arm
    double wrist;    // wrist, degrees relative to the forearm
    double grip;     // 0 closed .. 1 wide open
};

constexpr double kShoulderHeight = 46;
constexpr double kUpperArmLength = 70;
constexpr double kForearmLength = 58;
constexpr double kWristLength = 18;

struct Finish {
    QColor light, mid, dark, edge;
};

const Finish kYellowFinish{QColor(255, 246, 140), QColor(250, 206, 0), QColor(160, 110, 0),
                           QColor(90, 60, 0)};
const Finish kServoFinish{QColor(112, 118, 130), QColor(56, 59, 67), QColor(24, 25, 29),
                          QColor(8, 8, 10)};
const Finish kMetalFinish{QColor(238, 241, 246), QColor(168, 174, 184), QColor(88, 92, 102),
                          QColor(40, 42, 48)};

QPointF heading(double degrees)
{
    const double r = qDegreesToRadians(degrees);
    return QPointF(std::cos(r), -std::sin(r));
}

// A rounded bar from `from` to `to`, shaded as if lit from above whichever
// way it points.
void drawLink(QPainter &p, QPointF from, QPointF to, double width, const Finish &finish,
              bool slot)
{
    const QLineF line(from, to);
    const double half = width / 2;
    p.save();
    p.translate(from);
    p.rotate(-line.angle());
    const bool litFromBelow = std::cos(qDegreesToRadians(line.angle())) < 0;
    QLinearGradient g(0, litFromBelow ? half : -half, 0, litFromBelow ? -half : half);
    g.setColorAt(0, finish.light);
    g.setColorAt(0.45, finish.mid);
    g.setColorAt(1, finish.dark);
    const QRectF body(-half, -half, line.length() + width, width);
    QPen rim(finish.edge, 1.0);
    rim.setCosmetic(true);
    p.setPen(rim);
    p.setBrush(g);
    p.drawRoundedRect(body, half, half);
    if (slot && line.length() > width * 1.6) {
        // The cut-out of a folded bracket.
        const double inset = width * 0.9;
        const QRectF cut(inset, -width * 0.16, line.length() - 2 * inset, width * 0.32);
        p.setPen(Qt::NoPen);
        p.setBrush(QColor(60, 40, 0, 150));
        p.drawRoundedRect(cut, cut.height() / 2, cut.height() / 2);
    }
    p.restore();
}

void drawJoint(QPainter &p, QPointF centre, double radius)
{
    QRadialGradient body(centre - QPointF(radius * 0.35, radius * 0.35), radius * 1.3);
    body.setColorAt(0, kServoFinish.light);
    body.setColorAt(0.55, kServoFinish.mid);
    body.setColorAt(1, kServoFinish.dark);
    QPen rim(kServoFinish.edge, 1.0);
    rim.setCosmetic(true);
    p.setPen(rim);
    p.setBrush(body);
    p.drawEllipse(centre, radius, radius);

    p.setPen(QPen(QColor(255, 220, 0, 210), radius * 0.14));
    p.setBrush(Qt::NoBrush);
    p.drawEllipse(centre, radius * 0.72, radius * 0.72);

    const double capRadius = radius * 0.38;
    QRadialGradient cap(centre - QPointF(capRadius * 0.4, capRadius * 0.4), capRadius * 1.4);
    cap.setColorAt(0, kMetalFinish.light);
    cap.setColorAt(1, kMetalFinish.dark);
    p.setPen(Qt::NoPen);
    p.setBrush(cap);
    p.drawEllipse(centre, capRadius, capRadius);
}

void drawBase(QPainter &p)
{
    QPen rim(kServoFinish.edge, 1.0);
    rim.setCosmetic(true);

    // Foot plate.
    p.setPen(rim);
    p.setBrush(verticalGradient(-8, 0, {{0, QColor(96, 100, 110)}, {0.4, QColor(58, 61, 68)},
                                       {1, QColor(22, 23, 26)}}));
    p.drawRoundedRect(QRectF(-32, -8, 64, 8), 2, 2);

    // Turntable: a short yellow cylinder.
    QLinearGradient side(-24, 0, 24, 0);
    side.setColorAt(0, kYellowFinish.dark);
    side.setColorAt(0.3, kYellowFinish.light);
    side.setColorAt(0.65, kYellowFinish.mid);
    side.setColorAt(1, kYellowFinish.dark);
    QPainterPath drum;
    drum.moveTo(-24, -20);
    drum.lineTo(-24, -10);
    drum.arcTo(QRectF(-24, -14, 48, 8), 180, 180);
    drum.lineTo(24, -20);
    drum.closeSubpath();
    QPen yellowRim(kYellowFinish.edge, 1.0);
    yellowRim.setCosmetic(true);
    p.setPen(yellowRim);
    p.setBrush(side);
    p.drawPath(drum);
    p.setBrush(QColor(255, 232, 80));
    p.drawEllipse(QRectF(-24, -24, 48, 8));

    // Shoulder servo housing standing on the turntable.
    QLinearGradient housing(-15, 0, 15, 0);
    housing.setColorAt(0, kServoFinish.dark);
    housing.setColorAt(0.35, kServoFinish.light);
    housing.setColorAt(1, kServoFinish.dark);
    QPainterPath tower;
    tower.moveTo(-15, -19);
    tower.lineTo(-12, -kShoulderHeight);
    tower.lineTo(12, -kShoulderHeight);
    tower.lineTo(15, -19);
    tower.arcTo(QRectF(-15, -22, 30, 6), 0, -180);
    tower.closeSubpath();
    p.setPen(rim);
    p.setBrush(housing);
    p.drawPath(tower);
    // A yellow label band on the housing.
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(255, 220, 0, 200));
    p.drawRect(QRectF(-13.2, -31, 26.4, 2.2));
}

void drawGripper(QPainter &p, QPointF at, double degrees, double grip)
{
    p.save();
    p.translate(at);
    p.rotate(-degrees);
    QPen rim(kMetalFinish.edge, 1.0);
    rim.setCosmetic(true);
    p.setPen(rim);

    QLinearGradient palm(0, 0, 6, 0);
    palm.setColorAt(0, kMetalFinish.mid);
    palm.setColorAt(0.4, kMetalFinish.light);
    palm.setColorAt(1, kMetalFinish.dark);
    p.setBrush(palm);
    p.drawRoundedRect(QRectF(-1, -12, 7, 24), 1.5, 1.5);

    const double spread = 3.2 + 6.5 * grip;
    for (const int side : {-1, 1}) {
        const double y = side * spread;
        const double s = side;
        QPolygonF finger;
        finger << QPointF(5, y - 2.2 * s) << QPointF(18, y - 2.2 * s) << QPointF(23.5, y - 4.6 * s)
               << QPointF(24.5, y - 2.4 * s) << QPointF(20, y + 2.2 * s) << QPointF(5, y + 2.2 * s);
        QLinearGradient g(0, y - 2.2, 0, y + 2.2);
        g.setColorAt(0, kMetalFinish.light);
        g.setColorAt(1, kMetalFinish.dark);
        p.setBrush(g);
        p.drawPolygon(finger);
    }
    p.restore();
}

struct ArmPoints {
    QPointF shoulder, elbow, wrist, hand;
};

ArmPoints armPoints(const ArmPose &pose)
{
    ArmPoints pts;
    const double upper = pose.shoulder;
    const double fore = upper + pose.elbow;
    const double hand = fore + pose.wrist;
    pts.shoulder = QPointF(0, -kShoulderHeight);
    pts.elbow = pts.shoulder + heading(upper) * kUpperArmLength;
    pts.wrist = pts.elbow + heading(fore) * kForearmLength;
    pts.hand = pts.wrist + heading(hand) * kWristLength;
    return pts;
}

void drawArm(QPainter &p, const ArmPose &pose)
{
    const ArmPoints pts = armPoints(pose);
    const double handDegrees = pose.shoulder + pose.elbow + pose.wrist;
    drawBase(p);
    drawLink(p, pts.shoulder, pts.elbow, 18, kYellowFinish, true);
    drawJoint(p, pts.shoulder, 11.5);
    drawLink(p, pts.elbow, pts.wrist, 14, kYellowFinish, true);
    drawJoint(p, pts.elbow, 9.5);
    drawLink(p, pts.wrist, pts.hand, 12, kServoFinish, false);
    drawGripper(p, pts.hand, handDegrees, pose.grip);
    drawJoint(p, pts.wrist, 7);
}

// Places the arm with its foot centre at `foot`, `scale` pixels per unit.
void drawArmAt(QPainter &p, QPointF foot, double scale, const ArmPose &pose, bool mirrored = false)
{
    drawSoftEllipse(p, foot + QPointF(0, -1), 44 * scale, 7 * scale, QColor(0, 0, 0, 190));
    p.save();
    p.translate(foot);
    p.scale(mirrored ? -scale : scale, scale);
    drawArm(p, pose);
    p.restore();
}

// ---------------------------------------------------------------------------
// Picture buttons: 31x26, light face, one pictogram each.

constexpr int kButtonWidth = 31;
constexpr int kButtonHeight = 26;

QImage buttonFace()
{
    QImage image = newCanvas(kButtonWidth, kButtonHeight, Qt::white);
    QPainter p(&image);
    p.fillRect(image.rect(), verticalGradient(0, kButtonHeight, {{0, QColor(252, 252, 250)},
                                                                 {1, QColor(218, 219, 214)}}));
    return image;
}

// Fills a pictogram with a gradient and gives it a crisp one-pixel inner rim.
void drawPictogram(QImage &image, const QPainterPath &shape, const QColor &light, const QColor &dark,
                   const QColor &rim)
{
    QPainter p(&image);
    beginPainting(p);
    const QRectF box = shape.boundingRect();
    // A faint drop shadow lifts the shape off the face.
    p.fillPath(shape.translated(0.6, 1.0), QColor(0, 0, 0, 45));
    QLinearGradient g(box.topLeft(), box.bottomRight());
    g.setColorAt(0, light);
    g.setColorAt(1, dark);
    p.fillPath(shape, g);
    p.setClipPath(shape);
    p.strokePath(shape, QPen(rim, 2.0, Qt::SolidLine, Qt::FlatCap, Qt::MiterJoin));
    // Gloss across the upper half.
    QPainterPath gloss;
    gloss.addRect(QRectF(box.left(), box.top(), box.width(), box.height() * 0.45));
    p.fillPath(gloss.intersected(shape),
               verticalGradient(box.top(), box.top() + box.height() * 0.45,
                                {{0, QColor(255, 255, 255, 110)}, {1, QColor(255, 255, 255, 0)}}));
}

QImage recordButton()
{
    QImage image = buttonFace();
    QPainterPath dot;
    dot.addEllipse(QPointF(15.5, 13), 7.5, 7.5);
    drawPictogram(image, dot, QColor(255, 110, 96), QColor(178, 0, 0), QColor(120, 0, 0));
    return image;
}

QImage stopButton()
{
    QImage image = buttonFace();
    QPainterPath square;
    square.addRoundedRect(QRectF(9, 6, 13, 14), 1.5, 1.5);
    drawPictogram(image, square, QColor(110, 116, 128), QColor(28, 30, 34), QColor(14, 14, 16));
    return image;
}

QImage runButton()
{
    QImage image = buttonFace();
    QPainterPath triangle;
    triangle.addPolygon(QPolygonF({QPointF(10.5, 5), QPointF(23.5, 13), QPointF(10.5, 21)}));
    triangle.closeSubpath();
    drawPictogram(image, triangle, QColor(130, 236, 110), QColor(16, 140, 30), QColor(8, 86, 18));
    return image;
}

QImage pauseButton()
{
    QImage image = buttonFace();
    QPainterPath bars;
    bars.addRoundedRect(QRectF(9, 6, 5, 14), 1, 1);
    bars.addRoundedRect(QRectF(17, 6, 5, 14), 1, 1);
    drawPictogram(image, bars, QColor(110, 116, 128), QColor(28, 30, 34), QColor(14, 14, 16));
    return image;
}

QImage backButton()
{
    QImage image = buttonFace();
    QPainterPath arrows;
    arrows.addPolygon(QPolygonF({QPointF(15.5, 6), QPointF(15.5, 20), QPointF(5, 13)}));
    arrows.closeSubpath();
    arrows.addPolygon(QPolygonF({QPointF(26, 6), QPointF(26, 20), QPointF(15.5, 13)}));
    arrows.closeSubpath();
    drawPictogram(image, arrows, QColor(120, 176, 255), QColor(16, 70, 180), QColor(8, 40, 110));
    return image;
}

// ---------------------------------------------------------------------------
// Icons.

// The HOME button's house, drawn pixel by pixel in a few flat colours so that
// it survives a sixteen-colour palette unchanged.
QImage homeIcon()
{
    QImage image = newCanvas(32, 32);
    QPainter p(&image);
    p.setPen(Qt::NoPen);
    const QColor outline(52, 26, 14);
    const QColor roof(206, 40, 28), roofLight(246, 104, 66);
    const QColor wall(252, 238, 196), wallShade(222, 200, 150);
    const QColor door(128, 74, 30), doorLight(170, 110, 50);
    const QColor glass(96, 168, 236), glassLight(200, 232, 255);
    const QColor chimney(150, 60, 40);
    const QColor step(150, 150, 150);

    // Chimney behind the roof.
    p.fillRect(20, 3, 5, 9, outline);
    p.fillRect(21, 4, 3, 8, chimney);

    // Walls.
    p.fillRect(6, 15, 20, 14, outline);
    p.fillRect(7, 15, 18, 13, wall);
    p.fillRect(7, 26, 18, 2, wallShade);

    // Roof: a stepped triangle, one pixel across per row, with a lit edge.
    for (int row = 0; row < 13; ++row) {
        const int y = 3 + row;
        const int left = 15 - row, right = 16 + row;
        p.fillRect(left, y, right - left + 1, 1, outline);
        if (row >= 1 && row <= 11)
            p.fillRect(left + 2, y, right - left - 3, 1, row < 4 ? roofLight : roof);
        if (row >= 4 && row <= 11)
            p.fillRect(left + 2, y, 2, 1, roofLight);
    }

    // Door.
    p.fillRect(9, 18, 7, 11, outline);
    p.fillRect(10, 19, 5, 10, door);
    p.fillRect(10, 19, 1, 10, doorLight);
    p.fillRect(13, 23, 1, 2, QColor(250, 210, 60));

    // Window with a cross frame.
    p.fillRect(18, 18, 6, 6, outline);
    p.fillRect(19, 19, 4, 4, glass);
    p.fillRect(19, 19, 2, 2, glassLight);
    p.fillRect(18, 20, 6, 1, outline);
    p.fillRect(20, 18, 1, 6, outline);

    // Ground line and door step.
    p.fillRect(4, 29, 24, 1, outline);
    p.fillRect(8, 28, 9, 1, step);
    return image;
}

// The window icon: a yellow arm on a dark rounded tile, laid out on a 32-unit
// grid so the 32-pixel icon stays sharp and the larger copy keeps its shape.
void drawAppIcon(QPainter &p, int size)
{
    p.save();
    p.scale(size / 32.0, size / 32.0);
    const double px = 32.0 / size; // one device pixel in grid units

    QPainterPath tile;
    tile.addRoundedRect(QRectF(0.5, 0.5, 31, 31), 6, 6);
    QLinearGradient tileFill(0, 0, 0, 32);
    tileFill.setColorAt(0, QColor(36, 52, 96));
    tileFill.setColorAt(1, QColor(6, 9, 20));
    p.fillPath(tile, tileFill);
    p.strokePath(tile, QPen(QColor(255, 220, 0), 1.0));

    // Light behind the arm.
    QRadialGradient glow(QPointF(17, 13), 14);
    glow.setColorAt(0, QColor(90, 120, 200, 120));
    glow.setColorAt(1, QColor(90, 120, 200, 0));
    p.fillPath(tile, glow);

    const QColor rimColor(30, 20, 0);
    const double rim = 1.5 * px; // dark edge, one and a half device pixels each side
    const QPointF shoulder(9.5, 21), elbow(14, 8.5), wrist(23.5, 11.5), hand(23.5, 17.5);
    auto bar = [&](QPointF a, QPointF b, double width, const QBrush &fill) {
        QPainterPath line(a);
        line.lineTo(b);
        p.strokePath(line, QPen(rimColor, width + 2 * rim, Qt::SolidLine, Qt::RoundCap));
        p.strokePath(line, QPen(fill, width, Qt::SolidLine, Qt::RoundCap));
    };
    auto yellow = [](QPointF a, QPointF b) {
        QLinearGradient g(a, b);
        g.setColorAt(0, QColor(255, 255, 90));
        g.setColorAt(1, QColor(240, 190, 0));
        return QBrush(g);
    };

    // Base block on a grey plate.
    p.fillRect(QRectF(3, 26.5, 14, 2), QColor(150, 160, 180));
    QPainterPath base;
    base.addRoundedRect(QRectF(4.5, 21.5, 10, 5.5), 1.2, 1.2);
    p.fillPath(base, verticalGradient(21.5, 27, {{0, QColor(255, 236, 60)}, {1, QColor(200, 140, 0)}}));
    p.strokePath(base, QPen(rimColor, rim));

    bar(shoulder, elbow, 4.2, yellow(shoulder, elbow));
    bar(elbow, wrist, 3.4, yellow(elbow, wrist));

    // Gripper: a palm and two fingers closing in at the tips, like a claw.
    QPainterPath gripper;
    gripper.moveTo(hand + QPointF(-1.4, 5.6));
    gripper.lineTo(hand + QPointF(-3.2, 3.8));
    gripper.lineTo(hand + QPointF(-3.2, 0));
    gripper.lineTo(hand + QPointF(3.2, 0));
    gripper.lineTo(hand + QPointF(3.2, 3.8));
    gripper.lineTo(hand + QPointF(1.4, 5.6));
    const QPen metalRim(rimColor, 1.8 + 2 * rim, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin);
    p.strokePath(gripper, metalRim);
    p.strokePath(gripper, QPen(QColor(232, 238, 248), 1.8, Qt::SolidLine, Qt::RoundCap, Qt::RoundJoin));
    bar(wrist, hand - QPointF(0, 1), 2.6, QColor(150, 156, 172));

    auto joint = [&](QPointF c, double r) {
        QRadialGradient g(c - QPointF(r * 0.4, r * 0.4), r * 1.4);
        g.setColorAt(0, QColor(130, 136, 150));
        g.setColorAt(1, QColor(16, 18, 24));
        p.setPen(QPen(QColor(255, 230, 0), 0.9));
        p.setBrush(g);
        p.drawEllipse(c, r, r);
    };
    joint(shoulder, 2.6);
    joint(elbow, 2.2);
    joint(wrist, 1.9);
    p.restore();
}

QImage appIcon(int size)
{
    QImage image = newCanvas(size, size);
    QPainter p(&image);
    beginPainting(p);
    drawAppIcon(p, size);
    return image;
}

// The maker's mark: a bold V of two arms, the right one a shade deeper, as if
// folded from one yellow ribbon. `box` is the square the mark fills.
void drawVMark(QPainter &p, const QRectF &box)
{
    auto at = [&](double x, double y) {
        return QPointF(box.left() + x * box.width(), box.top() + y * box.height());
    };
    QPainterPath left;
    left.addPolygon(QPolygonF({at(0.05, 0.14), at(0.31, 0.14), at(0.5, 0.58), at(0.5, 0.88),
                               at(0.39, 0.88)}));
    left.closeSubpath();
    QPainterPath right;
    right.addPolygon(QPolygonF({at(0.69, 0.14), at(0.95, 0.14), at(0.61, 0.88), at(0.5, 0.88),
                                at(0.5, 0.58)}));
    right.closeSubpath();

    p.fillPath(left, verticalGradient(box.top(), box.bottom(), {{0, kYellow}, {1, QColor(255, 232, 0)}}));
    p.fillPath(right, verticalGradient(box.top(), box.bottom(), {{0, QColor(255, 214, 0)}, {1, kAmber}}));
}

QImage velmoraIcon()
{
    QImage image = newCanvas(32, 32);
    QPainter p(&image);
    beginPainting(p);
    QPainterPath tile;
    tile.addRoundedRect(QRectF(0, 0, 32, 32), 5, 5);
    p.fillPath(tile, Qt::black);
    drawVMark(p, QRectF(3, 3, 26, 26));
    return hardenAlpha(image);
}

QImage logoPicture()
{
    QImage image = newCanvas(40, 40, Qt::black);
    QPainter p(&image);
    beginPainting(p);
    drawVMark(p, QRectF(3, 3, 34, 34));
    return image;
}

// ---------------------------------------------------------------------------
// Larger pictures.

void drawGrid(QPainter &p, const QRect &area, int step, const QColor &minor, const QColor &major,
              int majorEvery)
{
    for (int i = 0, x = area.left(); x <= area.right(); x += step, ++i)
        p.fillRect(QRectF(x, area.top(), 1, area.height()), i % majorEvery ? minor : major);
    for (int i = 0, y = area.top(); y <= area.bottom(); y += step, ++i)
        p.fillRect(QRectF(area.left(), y, area.width(), 1), i % majorEvery ? minor : major);
}

// A dashed arc around the shoulder through the fingertips of `pose`: the
// path the hand sweeps when only the shoulder turns.
void drawReachArc(QPainter &p, QPointF foot, double scale, const ArmPose &pose, double fromDeg,
                  double spanDeg, const QColor &color)
{
    const ArmPoints pts = armPoints(pose);
    const QPointF tips = pts.hand + heading(pose.shoulder + pose.elbow + pose.wrist) * 24;
    const double reach = QLineF(pts.shoulder, tips).length() * scale;
    const QPointF centre = foot + QPointF(0, -kShoulderHeight * scale);
    QPen pen(color, 1.0, Qt::CustomDashLine, Qt::FlatCap);
    pen.setDashPattern({4, 3});
    p.setPen(pen);
    p.setBrush(Qt::NoBrush);
    p.drawArc(QRectF(centre.x() - reach, centre.y() - reach, 2 * reach, 2 * reach),
              qRound(fromDeg * 16), qRound(spanDeg * 16));
}

QImage splashPicture()
{
    const int w = 164, h = 162;
    QImage image = newCanvas(w, h, Qt::black);
    QPainter p(&image);
    beginPainting(p);
    p.fillRect(image.rect(), verticalGradient(0, h, {{0, QColor(16, 24, 48)}, {0.65, QColor(6, 8, 16)},
                                                     {1, QColor(0, 0, 0)}}));
    drawSoftEllipse(p, QPointF(92, 66), 86, 74, QColor(52, 80, 150, 150));

    const QPointF foot(50, 146);
    const double scale = 1.05;

    // A lit round stage under the base.
    drawSoftEllipse(p, foot, 62, 11, QColor(255, 220, 0, 60));
    p.setPen(QPen(QColor(255, 230, 0, 170), 1.2));
    p.setBrush(QColor(20, 24, 34));
    p.drawEllipse(foot, 46, 7.5);

    const ArmPose pose{68, -98, -48, 0.75};
    drawReachArc(p, foot, scale, pose, -30, 140, QColor(255, 255, 0, 90));
    drawArmAt(p, foot, scale, pose);

    // Fade into the black caption area below.
    p.fillRect(QRectF(0, h - 10, w, 10), verticalGradient(h - 10, h, {{0, QColor(0, 0, 0, 0)},
                                                                      {1, QColor(0, 0, 0, 255)}}));
    return image;
}

QImage aboutPicture()
{
    const int w = 260, h = 170;
    QImage image = newCanvas(w, h, Qt::black);
    QPainter p(&image);
    beginPainting(p);
    p.fillRect(image.rect(), verticalGradient(0, h, {{0, QColor(12, 18, 36)}, {1, QColor(3, 4, 8)}}));
    drawGrid(p, image.rect(), 10, QColor(255, 255, 0, 12), QColor(255, 255, 0, 30), 5);
    drawSoftEllipse(p, QPointF(70, 80), 90, 80, QColor(40, 70, 140, 120));

    const QPointF foot(54, 156);
    const double scale = 0.86;
    const ArmPose pose{80, -120, -50, 0.6};
    drawArmAt(p, foot, scale, pose);

    const QFont title = sansFont(34, QFont::Bold);
    const double titleWidth = textWidth(QStringLiteral("Kestrel"), title);
    const double left = w - 14 - titleWidth;
    drawLettering(p, QStringLiteral("Kestrel"), title, QPointF(left, 78),
                  verticalGradient(52, 80, {{0, QColor(255, 255, 150)}, {0.5, kYellow},
                                            {1, QColor(236, 176, 0)}}),
                  QColor(0, 0, 0, 200), 3);
    p.fillRect(QRectF(left, 88, titleWidth, 2), kYellow);
    drawLettering(p, QStringLiteral("ROBOT ARM"), sansFont(12, QFont::Bold, 2.6),
                  QPointF(left + 1, 106), QColor(226, 230, 238));
    drawLettering(p, QStringLiteral("FIVE AXES"), sansFont(9, QFont::Bold, 2.0),
                  QPointF(left + 1, 122), QColor(255, 255, 0, 190));

    // Vignette.
    QRadialGradient v(QPointF(w / 2.0, h / 2.0), w * 0.7);
    v.setColorAt(0.6, QColor(0, 0, 0, 0));
    v.setColorAt(1, QColor(0, 0, 0, 150));
    p.fillRect(image.rect(), v);
    return image;
}

void drawWrench(QPainter &p, QPointF at, double degrees, double length)
{
    p.save();
    p.translate(at);
    p.rotate(degrees);
    QPainterPath shape;
    shape.addRoundedRect(QRectF(-2.6, 0, 5.2, length), 2.6, 2.6);
    shape.addEllipse(QPointF(0, 0), 6.2, 6.2);
    shape.addEllipse(QPointF(0, length), 5.2, 5.2);
    shape = shape.simplified();
    QPainterPath jaw;
    jaw.addRect(QRectF(-2.4, -7, 4.8, 6.6));
    shape = shape.subtracted(jaw);
    QPainterPath ring;
    ring.addEllipse(QPointF(0, length), 2.6, 2.6);
    shape = shape.subtracted(ring);
    QLinearGradient g(-5, 0, 5, 0);
    g.setColorAt(0, QColor(110, 116, 128));
    g.setColorAt(0.4, QColor(226, 230, 238));
    g.setColorAt(1, QColor(84, 88, 98));
    p.fillPath(shape, g);
    p.strokePath(shape, QPen(QColor(20, 20, 24), 0.8));
    p.restore();
}

void drawScrewdriver(QPainter &p, QPointF at, double degrees, const QColor &handle)
{
    p.save();
    p.translate(at);
    p.rotate(degrees);
    QLinearGradient shaft(-1.2, 0, 1.2, 0);
    shaft.setColorAt(0, QColor(120, 124, 134));
    shaft.setColorAt(0.5, QColor(230, 234, 240));
    shaft.setColorAt(1, QColor(100, 104, 114));
    p.setPen(Qt::NoPen);
    p.setBrush(shaft);
    p.drawRect(QRectF(-1.1, 20, 2.2, 22));
    p.drawRect(QRectF(-1.8, 41, 3.6, 2));
    QLinearGradient grip(-3.5, 0, 3.5, 0);
    grip.setColorAt(0, handle.darker(220));
    grip.setColorAt(0.35, handle.lighter(140));
    grip.setColorAt(1, handle.darker(200));
    p.setPen(QPen(QColor(0, 0, 0, 200), 0.8));
    p.setBrush(grip);
    p.drawRoundedRect(QRectF(-3.5, 0, 7, 21), 3, 3);
    p.setPen(QPen(QColor(0, 0, 0, 90), 0.8));
    for (double x : {-1.5, 0.0, 1.5})
        p.drawLine(QPointF(x, 4), QPointF(x, 18));
    p.restore();
}

void drawPeg(QPainter &p, QPointF at)
{
    p.setPen(Qt::NoPen);
    p.setBrush(QColor(190, 194, 200));
    p.drawEllipse(at, 1.2, 1.2);
}

// A coil of cable hanging from a peg.
void drawCableCoil(QPainter &p, QPointF centre, double radius, const QColor &color)
{
    for (int i = 0; i < 4; ++i) {
        const double r = radius - i * 1.1;
        p.setPen(QPen(color.darker(100 + i * 25), 2.0));
        p.setBrush(Qt::NoBrush);
        p.drawEllipse(centre + QPointF(i * 0.5, i * 0.8), r, r * 1.08);
    }
}

QImage authorPicture()
{
    const int w = 312, h = 233;
    const double benchTop = 178;
    QImage image = newCanvas(w, h, Qt::black);
    QPainter p(&image);
    beginPainting(p);

    // Workshop wall: dark pegboard, its holes fading out in the middle so that
    // the caption and the button above and below stay easy to read.
    p.fillRect(QRectF(0, 0, w, benchTop),
               verticalGradient(0, benchTop, {{0, QColor(26, 28, 34)}, {1, QColor(40, 38, 40)}}));
    for (int y = 6; y < benchTop - 4; y += 9) {
        for (int x = 5; x < w; x += 9) {
            const double fromCentre = std::abs(x - 122.0) / 122.0;
            const int alpha = qBound(0, int(110 * (fromCentre - 0.35) / 0.65), 110);
            if (alpha <= 0)
                continue;
            p.setPen(Qt::NoPen);
            p.setBrush(QColor(4, 4, 6, alpha));
            p.drawEllipse(QPointF(x, y), 1.2, 1.2);
        }
    }

    // Lamp light falling on the arm from the upper right.
    drawSoftEllipse(p, QPointF(262, 120), 110, 90, QColor(255, 214, 120, 55));
    QPainterPath cone;
    cone.moveTo(274, 34);
    cone.lineTo(300, 38);
    cone.lineTo(316, benchTop);
    cone.lineTo(206, benchTop);
    cone.closeSubpath();
    QLinearGradient coneFill(0, 34, 0, benchTop);
    coneFill.setColorAt(0, QColor(255, 236, 160, 70));
    coneFill.setColorAt(1, QColor(255, 236, 160, 0));
    p.fillPath(cone, coneFill);

    // The lamp: a post from the top edge and a shade.
    p.setPen(QPen(QColor(12, 12, 14), 3.6, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({QPointF(306, -2), QPointF(298, 16), QPointF(288, 25)}));
    p.setPen(QPen(QColor(150, 154, 164), 1.8, Qt::SolidLine, Qt::RoundCap));
    p.drawPolyline(QPolygonF({QPointF(306, -2), QPointF(298, 16), QPointF(288, 25)}));
    p.setPen(QPen(QColor(10, 10, 12), 0.8));
    p.setBrush(QColor(180, 184, 194));
    p.drawEllipse(QPointF(298, 16), 2.2, 2.2);
    QPainterPath shade;
    shade.moveTo(276, 22);
    shade.lineTo(296, 26);
    shade.lineTo(303, 40);
    shade.lineTo(271, 34);
    shade.closeSubpath();
    QLinearGradient shadeFill(270, 20, 300, 40);
    shadeFill.setColorAt(0, QColor(255, 230, 0));
    shadeFill.setColorAt(1, QColor(170, 120, 0));
    p.setPen(QPen(QColor(50, 34, 0), 1));
    p.setBrush(shadeFill);
    p.drawPath(shade);
    drawSoftEllipse(p, QPointF(287, 37), 10, 3.5, QColor(255, 255, 220, 230));

    // Tools on the left edge of the pegboard.
    drawPeg(p, QPointF(12, 49));
    drawWrench(p, QPointF(12, 58), 0, 42);
    drawPeg(p, QPointF(27, 46));
    drawScrewdriver(p, QPointF(27, 48), 0, QColor(220, 40, 30));
    drawPeg(p, QPointF(27, 104));
    drawScrewdriver(p, QPointF(27, 106), 0, QColor(255, 210, 0));
    drawPeg(p, QPointF(13, 118));
    drawCableCoil(p, QPointF(13, 134), 10, QColor(60, 90, 200));
    // A small shelf of parts on the top left.
    p.fillRect(QRectF(0, 30, 36, 3), QColor(86, 62, 40));
    p.fillRect(QRectF(2, 19, 10, 11), QColor(40, 42, 48));
    p.fillRect(QRectF(2, 19, 10, 2), QColor(255, 220, 0));
    p.fillRect(QRectF(14, 22, 13, 8), QColor(30, 70, 140));
    p.fillRect(QRectF(28, 24, 7, 6), QColor(110, 110, 116));

    // Bench: a lit top edge and a dark front with a faint grain.
    p.fillRect(QRectF(0, benchTop, w, 8),
               verticalGradient(benchTop, benchTop + 8, {{0, QColor(150, 108, 66)}, {1, QColor(96, 66, 40)}}));
    p.fillRect(QRectF(0, benchTop + 8, w, h - benchTop - 8),
               verticalGradient(benchTop + 8, h, {{0, QColor(52, 36, 24)}, {1, QColor(22, 15, 10)}}));
    p.setPen(QPen(QColor(0, 0, 0, 40), 1));
    for (int i = 0; i < 7; ++i) {
        QPainterPath grain;
        const double y = benchTop + 13 + i * 6.5;
        grain.moveTo(0, y);
        for (int x = 0; x <= w; x += 26)
            grain.quadTo(x + 13, y + ((i + x / 26) % 2 ? 1.5 : -1.5), x + 26, y);
        p.drawPath(grain);
    }
    // Drawer fronts on both edges of the bench.
    auto drawer = [&](const QRectF &r) {
        p.setPen(QPen(QColor(12, 8, 5), 1));
        p.setBrush(verticalGradient(r.top(), r.bottom(), {{0, QColor(74, 52, 34)}, {1, QColor(40, 28, 18)}}));
        p.drawRect(r);
        const QPointF handle(r.center().x(), r.top() + 9);
        p.setPen(QPen(QColor(200, 204, 212), 2, Qt::SolidLine, Qt::RoundCap));
        p.drawLine(handle - QPointF(7, 0), handle + QPointF(7, 0));
    };
    drawer(QRectF(224.5, benchTop + 12.5, 80, 38));
    drawer(QRectF(-10.5, benchTop + 12.5, 42, 38));

    // The arm on the bench under the lamp, with a controller box beside it.
    p.setPen(QPen(QColor(10, 10, 12), 1));
    p.setBrush(verticalGradient(benchTop - 14, benchTop, {{0, QColor(60, 64, 72)}, {1, QColor(26, 28, 32)}}));
    p.drawRoundedRect(QRectF(216, benchTop - 13, 22, 13), 1.5, 1.5);
    p.fillRect(QRectF(219, benchTop - 10, 4, 2), QColor(0, 230, 60));
    p.fillRect(QRectF(225, benchTop - 10, 4, 2), QColor(255, 220, 0));
    QPainterPath cable;
    cable.moveTo(237, benchTop - 6);
    cable.cubicTo(246, benchTop + 2, 254, benchTop - 1, 262, benchTop - 5);
    p.setPen(QPen(QColor(20, 20, 22), 1.6));
    p.setBrush(Qt::NoBrush);
    p.drawPath(cable);
    drawArmAt(p, QPointF(272, benchTop + 2), 0.84, {98, -122, -52, 0.55}, true);

    // Darken the edges so the picture sits as a frame around the window.
    QRadialGradient v(QPointF(w / 2.0, h / 2.0), w * 0.72);
    v.setColorAt(0.55, QColor(0, 0, 0, 0));
    v.setColorAt(1, QColor(0, 0, 0, 170));
    p.fillRect(image.rect(), v);
    return image;
}

// Yellow and black warning stripes across `band`.
void drawStripes(QPainter &p, const QRectF &band)
{
    p.save();
    p.setClipRect(band);
    p.fillRect(band, Qt::black);
    p.setPen(Qt::NoPen);
    p.setBrush(kYellow);
    const double step = 12;
    for (double x = band.left() - band.height(); x < band.right(); x += step) {
        p.drawPolygon(QPolygonF({QPointF(x, band.bottom()), QPointF(x + band.height(), band.top()),
                                 QPointF(x + band.height() + step / 2, band.top()),
                                 QPointF(x + step / 2, band.bottom())}));
    }
    p.restore();
}

QImage helpBanner()
{
    const int w = 325, h = 173;
    QImage image = newCanvas(w, h, Qt::black);
    QPainter p(&image);
    beginPainting(p);
    QLinearGradient sky(0, 0, w, h);
    sky.setColorAt(0, QColor(0, 0, 0));
    sky.setColorAt(0.55, QColor(6, 14, 46));
    sky.setColorAt(1, QColor(12, 28, 84));
    p.fillRect(image.rect(), sky);
    QImage grid = newCanvas(w, h);
    {
        QPainter g(&grid);
        drawGrid(g, grid.rect(), 12, QColor(255, 255, 0, 14), QColor(255, 255, 0, 30), 4);
        g.setCompositionMode(QPainter::CompositionMode_DestinationIn);
        QLinearGradient fade(150, 0, 250, 0);
        fade.setColorAt(0, QColor(0, 0, 0, 0));
        fade.setColorAt(1, QColor(0, 0, 0, 255));
        g.fillRect(grid.rect(), fade);
    }
    p.drawImage(0, 0, grid);
    drawSoftEllipse(p, QPointF(262, 92), 80, 70, QColor(70, 110, 220, 110));

    const QPointF foot(274, 148);
    const double scale = 0.78;
    p.setPen(QPen(QColor(255, 230, 0, 150), 1));
    p.setBrush(QColor(14, 20, 40));
    p.drawEllipse(foot, 36, 6);
    const ArmPose pose{84, -118, -56, 0.8};
    drawArmAt(p, foot, scale, pose, true);

    const QFont title = sansFont(50, QFont::Bold);
    const double left = 22;
    drawLettering(p, QStringLiteral("Kestrel"), title, QPointF(left, 78),
                  verticalGradient(40, 80, {{0, QColor(255, 255, 160)}, {0.5, kYellow},
                                            {1, QColor(236, 176, 0)}}),
                  QColor(0, 0, 0, 220), 3);
    const double titleWidth = textWidth(QStringLiteral("Kestrel"), title);
    p.fillRect(QRectF(left, 88, titleWidth, 2), kYellow);

    // HELP as black lettering on a yellow plate.
    const QFont helpFont = sansFont(20, QFont::Bold, 4);
    const QRectF plate(left, 100, textWidth(QStringLiteral("HELP"), helpFont) + 22, 30);
    p.setPen(Qt::NoPen);
    p.setBrush(verticalGradient(plate.top(), plate.bottom(), {{0, QColor(255, 255, 90)}, {1, QColor(240, 200, 0)}}));
    p.drawRoundedRect(plate, 3, 3);
    drawLettering(p, QStringLiteral("HELP"), helpFont, QPointF(plate.left() + 11, plate.bottom() - 7.5),
                  QColor(0, 0, 0));
    drawLettering(p, QStringLiteral("ROBOT ARM"), sansFont(11, QFont::Bold, 2.2),
                  QPointF(plate.right() + 12, plate.bottom() - 10), QColor(220, 226, 240));

    drawStripes(p, QRectF(0, 0, w, 5));
    drawStripes(p, QRectF(0, h - 5, w, 5));
    return image;
}

} // namespace

int main(int argc, char **argv)
{
    QGuiApplication app(argc, argv);
    if (argc != 4) {
        std::fprintf(stderr, "usage: draw_pictures OUT_DIR STAGE_DIR ICON_DIR\n");
        return 2;
    }
    gOutDir = QString::fromLocal8Bit(argv[1]);
    gStageDir = QString::fromLocal8Bit(argv[2]);
    QDir().mkpath(gOutDir);
    QDir().mkpath(gStageDir);

    writePicture(recordButton(), gStageDir, "rec.png");
    writePicture(stopButton(), gStageDir, "stop.png");
    writePicture(runButton(), gStageDir, "run.png");
    writePicture(pauseButton(), gStageDir, "pause.png");
    writePicture(backButton(), gStageDir, "back.png");

    writePicture(homeIcon(), gStageDir, "home.png");
    writePicture(hardenAlpha(appIcon(32)), gStageDir, "kestrel.png");
    writePicture(velmoraIcon(), gStageDir, "velmora.png");
    for (int size : {16, 22, 24, 32, 48, 64, 128, 256}) {
        const QString dir =
            QStringLiteral("%1/%2x%2/apps").arg(QString::fromLocal8Bit(argv[3])).arg(size);
        QDir().mkpath(dir);
        writePicture(appIcon(size), dir, "kestrel.png");
    }

    writePicture(logoPicture(), gStageDir, "logo.png");
    writePicture(splashPicture(), gStageDir, "splash.png");
    writePicture(aboutPicture(), gStageDir, "about.png");
    writePicture(authorPicture(), gStageDir, "author.png");
    writePicture(helpBanner(), gStageDir, "vm.png");
    return gFailed ? 1 : 0;
}
