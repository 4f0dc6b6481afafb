// The Arm Profile dialog offscreen: the two measured points show at_0 and at_255 as they are
// typed; what OK saves is what the programs read back; a bad entry or a failed save is said and
// keeps the dialog open with nothing written; the editor's menu entry hands the saved profile
// to the window without touching the motion.

#include "core/arm/profile_file.h"
#include "core/program/cannot.h"
#include "core/store/save_file.h"
#include "edit/window/editor_window.h"
#include "edit/window/profile_dialog.h"
#include "scripted_questions.h"
#include "support/scripted_dialogs.h"

#include <QAction>
#include <QApplication>
#include <QDialogButtonBox>
#include <QDir>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <functional>

using Change = std::function<void(arm::Profile &)>;
Q_DECLARE_METATYPE(Change)

namespace {

// Types each "objectName=text" of a list with spaces between into its field.
void type(QWidget &dialog, const QString &edits)
{
    for (const QString &e : edits.split(QLatin1Char(' '), Qt::SkipEmptyParts)) {
        auto *field = dialog.findChild<QLineEdit *>(e.section(QLatin1Char('='), 0, 0));
        QVERIFY2(field, qPrintable(e));
        field->setText(e.section(QLatin1Char('='), 1));
    }
}

void pressOk(QWidget &dialog)
{
    dialog.findChild<QDialogButtonBox *>()->button(QDialogButtonBox::Ok)->click();
}

// The profile the dialog opens: the defaults with a named pose, which it shows nowhere but keeps.
arm::Profile opened()
{
    arm::Profile p = arm::defaults();
    p.poses = {{QStringLiteral("rest"), {127, 127, 127, 127, 127}}};
    return p;
}

arm::Profile changed(const Change &change)
{
    arm::Profile p = opened();
    change(p);
    return p;
}

} // namespace

class TestProfileDialog : public QObject {
    Q_OBJECT
private slots:
    // Numbers are typed with a point even where the locale writes a comma.
    void initTestCase() { QLocale::setDefault(QLocale(QLocale::German, QLocale::Germany)); }
    void showsTheCalibrationAsTyped_data();
    void showsTheCalibrationAsTyped();
    void okSavesOrSaysWhy_data();
    void okSavesOrSaysWhy();
    void isNamedInTabOrderAndFits();
    void menuEntryChangesTheProfileNotTheMotion();
};

void TestProfileDialog::showsTheCalibrationAsTyped_data()
{
    QTest::addColumn<QString>("points"); // position, angle, position, angle
    QTest::addColumn<QString>("shown");  // at_0, at_255
    const auto row = [](const char *name, const char *points, const char *shown) {
        QTest::newRow(name) << QString::fromUtf8(points) << QString::fromUtf8(shown);
    };
    row("opened", "", "89.6471 -90.3529");
    row("the ends", "0 -90 255 90", "-90 90");
    row("between", "100 10 200 60", "-40 87.5");
    row("falling", "27 45 227 -45", "57.15 -57.6");
    row("decimals", "63.75 0.5 191.25 45.5", "-22 68");
    row("comma", "0 0 255 12,5", "\u2013 \u2013");
    row("same position", "9 0 9 30", "\u2013 \u2013");
}

void TestProfileDialog::showsTheCalibrationAsTyped()
{
    QFETCH(QString, points);
    QFETCH(QString, shown);
    ScriptedDialogs dialogs;
    ask::ProfileDialog d(nullptr, dialogs, QStringLiteral("/nowhere/arm.ini"), arm::defaults());
    const QStringList typed = points.split(QLatin1Char(' '), Qt::SkipEmptyParts);
    const char *fields[] = {"Position1", "Angle1", "Position2", "Angle2"};
    for (int i = 0; i < typed.size(); ++i)
        type(d, QStringLiteral("base") + QString::fromLatin1(fields[i]) + '=' + typed[i]);
    QCOMPARE(d.findChild<QLabel *>(QStringLiteral("baseAt0"))->text() + ' ' +
                 d.findChild<QLabel *>(QStringLiteral("baseAt255"))->text(),
             shown);
}

// OK saves what the programs read back, or says why not ("reader": the file's reader's message
// for the profile typed; "cannot": a failed save, a folder standing where the file goes).
void TestProfileDialog::okSavesOrSaysWhy_data()
{
    QTest::addColumn<QString>("edits");
    QTest::addColumn<Change>("change");
    QTest::addColumn<QString>("says");
    const Change none = [](arm::Profile &) {};
    QTest::newRow("as opened") << "" << none << "";
    QTest::newRow("typed")
        << "table=-4 gripMin=10 elbowMaxSpeed=90 "
           "shoulderPosition1=20 shoulderAngle1=0 shoulderPosition2=220 shoulderAngle2=100"
        << Change([](arm::Profile &p) {
               p.arm.table = -4;
               p.joints[axes::Grip].min = 10;
               p.joints[axes::Elbow].maxSpeed = 90;
               p.joints[axes::Shoulder].at0 = -10;
               p.joints[axes::Shoulder].at255 = 117.5;
           })
        << "";
    QTest::newRow("min above max") << "shoulderMin=200 shoulderMax=100" << Change([](auto &p) {
        p.joints[axes::Shoulder].min = 200;
        p.joints[axes::Shoulder].max = 100;
    }) << "reader";
    QTest::newRow("length 0") << "hand=0" << Change([](auto &p) { p.arm.hand = 0; }) << "reader";
    QTest::newRow("comma") << "forearm=12,5" << none << "Forearm, mm: \"12,5\" is not a number.";
    QTest::newRow("not whole") << "baseMax=254.5" << none
                               << "Base max: \"254.5\" is not a whole number.";
    QTest::newRow("empty") << "shoulderHeight=" << none << "Shoulder height, mm: no number given.";
    QTest::newRow("one position") << "elbowPosition2=0" << none
                                  << "Elbow: the two positions must differ.";
    QTest::newRow("save fails") << "" << none << "cannot";
}

void TestProfileDialog::okSavesOrSaysWhy()
{
    QFETCH(QString, edits);
    QFETCH(Change, change);
    QFETCH(QString, says);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("not yet/arm.ini")); // the folder is made
    if (says == QLatin1String("cannot"))
        QVERIFY(QDir().mkpath(path));
    ScriptedDialogs dialogs;
    ask::ProfileDialog d(nullptr, dialogs, path, opened());
    d.show();
    type(d, edits);
    pressOk(d);
    if (says == QLatin1String("reader")) {
        says = arm::parse(arm::write(changed(change)), path).error;
        QVERIFY(!says.isEmpty());
    } else if (says == QLatin1String("cannot")) {
        says = program::cannot(QStringLiteral("Cannot save the arm profile"), path,
                               saveWhole(path, {}, true).reason);
    }
    if (says.isEmpty()) {
        QVERIFY(dialogs.shown.isEmpty() && d.result() == QDialog::Accepted);
        QVERIFY(d.saved() == changed(change));
        const arm::ProfileRead read = arm::load(path, false);
        QCOMPARE(read.error, QString());
        QVERIFY(read.profile == *d.saved());
        return;
    }
    QCOMPARE(dialogs.shown.size(), 1);
    QCOMPARE(dialogs.shown[0].text, says);
    QVERIFY(d.isVisible() && !d.saved() && !QFileInfo(path).isFile());
}

void TestProfileDialog::isNamedInTabOrderAndFits()
{
    ScriptedDialogs dialogs;
    ask::ProfileDialog d(nullptr, dialogs, QStringLiteral("/nowhere/arm.ini"), arm::defaults());
    d.show();
    QVERIFY(d.sizeHint().width() <= 1024 && d.sizeHint().height() <= 768);
    QStringList order{"shoulderHeight", "upperArm", "forearm", "hand", "table"};
    for (const char *keys :
         {"Min Max MaxStep MaxSpeed MaxAccel", "Position1 Angle1 Position2 Angle2"})
        for (const axes::Axis &a : axes::all)
            for (const QString &k : QString::fromLatin1(keys).split(' '))
                order << QString::fromLatin1(a.name) + k;
    for (const QWidget *w : d.findChildren<QWidget *>())
        if (qobject_cast<const QLabel *>(w) || qobject_cast<const QGroupBox *>(w))
            QVERIFY2(!w->objectName().isEmpty(), qPrintable(w->property("text").toString()));
    // The dialog opens on the first field, and Tab walks them as they are laid out.
    QVERIFY(QTest::qWaitForWindowActive(&d));
    for (const QString &name : order) {
        QWidget *w = QApplication::focusWidget();
        QCOMPARE(w->objectName(), name);
        QVERIFY(!w->accessibleName().isEmpty());
        QTest::keyClick(w, Qt::Key_Tab);
    }
}

void TestProfileDialog::menuEntryChangesTheProfileNotTheMotion()
{
    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    EditorServices s;
    s.dialogs = &dialogs;
    s.questions = &questions;
    s.stateFolder = dir.filePath(QStringLiteral("state"));
    s.profilePath = dir.filePath(QStringLiteral("arm.ini"));
    EditorWindow w(s);
    w.show();
    QTimer::singleShot(0, &w, [] {
        QWidget *d = QApplication::activeModalWidget();
        type(*d, QStringLiteral("table=7.5"));
        pressOk(*d);
    });
    w.action(QStringLiteral("armProfile"))->trigger();
    QCOMPARE(w.profile().profile().arm.table, std::optional<double>(7.5));
    QVERIFY(arm::load(s.profilePath, false).profile == w.profile().profile());
    QCOMPARE(w.undoStack().count(), 0);
    QVERIFY(!w.isWindowModified());
}

QTEST_MAIN(TestProfileDialog)
#include "test_profile_dialog.moc"
