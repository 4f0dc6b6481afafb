// The side view draws the arm where the model puts it, laid into the arm's plane, in a picture
// that holds the arm's whole reach whatever its lengths.

#include "windows/widgets/arm_view_geometry.h"

#include <QTest>

namespace {

// Angles that are round at positions 0, 127.5 and 255: the base turns counter-clockwise, the
// shoulder from level forward to level behind, the elbow and the wrist each their own way.
arm::Profile named(const QString &name)
{
    arm::Profile p = arm::defaults();
    if (name == QLatin1String("defaults"))
        return p;
    const double ends[axes::count][2] = {{0, 180}, {0, 180}, {90, -90}, {-90, 90}, {0, 90}};
    for (int c = 0; c < axes::count; ++c) {
        p.joints[c].at0 = ends[c][0];
        p.joints[c].at255 = ends[c][1];
    }
    p.joints[axes::Elbow].min = 50;
    p.joints[axes::Elbow].max = 200;
    p.arm = name == QLatin1String("long and low") ? arm::Geometry{10, 900, 300, 40, -50.0}
                                                  : arm::Geometry{120, 200, 50, 30, 20.0};
    return p;
}

// A point of the model in the arm's plane: its distance from the base's axis, negative behind
// it, and its height.
QPointF inPlane(const arm::Point &p, double b)
{
    const bool behind =
        p.x * std::cos(qDegreesToRadians(b)) + p.y * std::sin(qDegreesToRadians(b)) < -1e-9;
    return {(behind ? -1 : 1) * std::hypot(p.x, p.y), p.z};
}

} // namespace

class TestArmView : public QObject {
    Q_OBJECT
private slots:
    void pointsLieWhereTheModelSays_data();
    void pointsLieWhereTheModelSays();
};

void TestArmView::pointsLieWhereTheModelSays_data()
{
    QTest::addColumn<QString>("profile");
    QTest::addColumn<QList<double>>("pose");
    QTest::addColumn<QPointF>("elbowArc"); // min's direction, and the sweep to max
    QTest::newRow("defaults at the centre")
        << "defaults" << QList<double>{127, 127, 127, 127, 127} << QPointF(89.647, -180);
    QTest::newRow("odd, turned about, hand down")
        << "odd" << QList<double>{255, 127.5, 255, 0, 0} << QPointF(144.706, -105.882);
    QTest::newRow("odd, turned left, reaching behind")
        << "odd" << QList<double>{127.5, 255, 127.5, 127.5, 0} << QPointF(234.706, -105.882);
    QTest::newRow("long and low, reaching behind, table under the ground")
        << "long and low" << QList<double>{0, 255, 127.5, 127.5, 0} << QPointF(234.706, -105.882);
}

void TestArmView::pointsLieWhereTheModelSays()
{
    QFETCH(QString, profile);
    QFETCH(QList<double>, pose);
    QFETCH(QPointF, elbowArc);
    const arm::Profile p = named(profile);
    arm::Positions at;
    std::copy(pose.begin(), pose.end(), at.begin());
    const armview::SidePicture pic = armview::sidePicture(p, at);
    const arm::Reach reach = arm::forward(p, at);

    // Millimetres from where the base's axis, in the middle, meets the ground; z up.
    const auto mm = [&](QPointF at) {
        return QPointF(at.x() - pic.canvas.width() / 2, pic.groundY - at.y()) / pic.unitsPerMm;
    };
    const QPointF drawn[] = {pic.shoulder, pic.elbow, pic.wrist, pic.tool};
    const arm::Point model[] = {reach.shoulder, reach.elbow, reach.wrist, reach.tool};
    for (int i = 0; i < 4; ++i)
        QVERIFY2((mm(drawn[i]) - inPlane(model[i], reach.base)).manhattanLength() < 1e-6,
                 qPrintable(QString::number(i)));
    QCOMPARE(pic.pitch, reach.pitch);
    QVERIFY((QPointF(pic.travel[1].start, pic.travel[1].span) - elbowArc).manhattanLength() < 1e-3);
    QCOMPARE(pic.travel[1].centre, pic.elbow);

    // The whole reach, the ground and the table are in the picture; the default arm keeps the
    // old drawing's scale, a picture unit to the millimetre.
    const QRectF canvas(QPointF(0, 0), pic.canvas);
    const double table = pic.tableY.value_or(pic.groundY);
    QVERIFY(canvas.contains(pic.tool) && pic.groundY > pic.shoulder.y() &&
            canvas.contains(QPointF(pic.leftX, std::max(table, pic.groundY))) &&
            canvas.contains(QPointF(pic.rightX, std::min(table, pic.groundY))));
    QCOMPARE(bool(pic.tableY), bool(p.arm.table));
    QCOMPARE(profile == QLatin1String("defaults"), pic.unitsPerMm == 1);
}

QTEST_GUILESS_MAIN(TestArmView)
#include "test_arm_view.moc"
