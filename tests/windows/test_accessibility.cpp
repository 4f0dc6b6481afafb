// The windows as screen readers and automation tools meet them, through Qt's accessibility
// interface (what the desktop's accessibility bus is fed from): true values, a name for every
// control, the menus from the keyboard, and the logo's click.

#include "support/robot_controls.h"
#include "support/robot_harness.h"
#include "windows/help/helpwindow.h"
#include "windows/product/product_windows.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAccessible>
#include <QAccessibleValueInterface>
#include <QAction>
#include <QLabel>
#include <QLineEdit>
#include <QMenu>
#include <QMenuBar>
#include <QPushButton>
#include <QRadioButton>
#include <QTest>

namespace {

QAccessibleValueInterface *valueOf(QWidget *w)
{
    QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
    return iface ? iface->valueInterface() : nullptr;
}

// "value min..max" as a screen reader would read it.
QString reading(QWidget *w)
{
    QAccessibleValueInterface *v = valueOf(w);
    if (!v)
        return QStringLiteral("no value");
    return QStringLiteral("%1 %2..%3")
        .arg(v->currentValue().toInt())
        .arg(v->minimumValue().toInt())
        .arg(v->maximumValue().toInt());
}

// The controls of a window that take input or show state, as the user meets them: visible,
// and not one of Qt's own inner widgets.
QList<QWidget *> controls(QWidget *window)
{
    QList<QWidget *> out;
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().startsWith(QLatin1String("qt_")) || w->isHidden())
            continue;
        if (w->focusPolicy() != Qt::NoFocus || qobject_cast<QAbstractButton *>(w) ||
            qobject_cast<QAbstractSlider *>(w) || qobject_cast<QMenu *>(w) ||
            (qobject_cast<QLabel *>(w) && !static_cast<QLabel *>(w)->pixmap().isNull()))
            out << w;
    }
    return out;
}

QAccessible::Role expectedRole(QWidget *w)
{
    if (qobject_cast<QScrollBar *>(w))
        return QAccessible::ScrollBar;
    if (qobject_cast<QLineEdit *>(w))
        return QAccessible::EditableText;
    if (qobject_cast<QRadioButton *>(w))
        return QAccessible::RadioButton;
    if (qobject_cast<QPushButton *>(w))
        return QAccessible::Button;
    if (qobject_cast<QMenu *>(w))
        return QAccessible::PopupMenu;
    if (auto *l = qobject_cast<QLabel *>(w))
        return l->pixmap().isNull() ? QAccessible::StaticText : QAccessible::Graphic;
    return QAccessible::NoRole;
}

// Every control has a name of its own within its window, and the role of its kind.
void checkNames(QWidget *window)
{
    QStringList names;
    for (QWidget *w : controls(window)) {
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(w);
        QVERIFY2(iface, qPrintable(w->objectName()));
        const QString name = iface->text(QAccessible::Name);
        QVERIFY2(!name.trimmed().isEmpty(), qPrintable(w->objectName() + " has no name"));
        QVERIFY2(!names.contains(name), qPrintable(w->objectName() + " shares its name: " + name));
        names << name;
        const QAccessible::Role role = expectedRole(w);
        if (role != QAccessible::NoRole)
            QVERIFY2(
                iface->role() == role,
                qPrintable(QStringLiteral("%1: role %2").arg(w->objectName()).arg(iface->role())));
    }
    QVERIFY(!names.isEmpty());
}

} // namespace

class TestAccessibility : public QObject {
    Q_OBJECT
private slots:
    void initTestCase() { look::setUpApplication(); }
    void theBarsReadInTheProgramsTerms_data();
    void theBarsReadInTheProgramsTerms();
    void theLoopCountReadsWhatTheBoxSays();
    void settingAValueMovesTheBarAsADragWould();
    void settingAValueIsRoundedHeldAndRefusedWhileDisabled();
    void everyControlOfTheMainWindowIsNamed();
    void thePausePictureIsNamedAfterItsTwin();
    void everyMenuEntryIsNamed();
    void everyControlOfTheOtherWindowsIsNamed();
    void theMenusAnswerTheKeyboard_data();
    void theMenusAnswerTheKeyboard();
    void theLogoAnswersALeftClickOnly();
};

void TestAccessibility::theBarsReadInTheProgramsTerms_data()
{
    QTest::addColumn<QString>("bar");
    for (const char *name : {"HScroll1", "VScroll1", "VScroll3", "VScroll4", "HScroll2"})
        QTest::newRow(name) << QString(name);
}

void TestAccessibility::theBarsReadInTheProgramsTerms()
{
    QFETCH(QString, bar);
    RobotHarness h;
    robot &w = h.start();
    auto *s = w.findChild<ScrollBar *>(bar);
    QVERIFY(s);
    // After start-up every axis stands at 127, whichever way its bar runs.
    QCOMPARE(reading(s), QString("127 0..255"));
    // Both ends and back, by the program and by the operator's keys.
    for (int v : {0, 255, 1, 254, 127}) {
        QVERIFY(s->setValueTo(v));
        QCOMPARE(reading(s), QStringLiteral("%1 0..255").arg(v));
    }
    s->triggerAction(QAbstractSlider::SliderToMaximum);
    QCOMPARE(reading(s), QStringLiteral("%1 0..255").arg(s->Max()));
    s->triggerAction(QAbstractSlider::SliderSingleStepAdd);
    QCOMPARE(reading(s), QStringLiteral("%1 0..255").arg(s->Max()));
    s->triggerAction(QAbstractSlider::SliderToMinimum);
    QCOMPARE(reading(s), QStringLiteral("%1 0..255").arg(s->Min()));
}

void TestAccessibility::theLoopCountReadsWhatTheBoxSays()
{
    RobotHarness h;
    robot &w = h.start();
    QCOMPARE(reading(ui(w).HScroll3), QString("1 1..100"));
    for (const char *typed : {"7", "100", "1"}) {
        ui(w).Text5->setText(typed);
        QCOMPARE(reading(ui(w).HScroll3), QStringLiteral("%1 1..100").arg(typed));
    }
}

void TestAccessibility::settingAValueMovesTheBarAsADragWould()
{
    // The same move twice, while recording: once as a drag of the thumb, once through the
    // accessibility interface. The setting is one change, one frame and one step, as the drag's
    // one scroll is; the drag's release then repeats its frame and step.
    QList<QByteArray> written;
    QList<Steps> recorded;
    for (bool accessibly : {false, true}) {
        RobotHarness h;
        robot &w = h.start();
        ScrollBar *shoulder = ui(w).VScroll1;
        ui(w).Command3->click();
        h.port.clearWritten();
        if (accessibly) {
            valueOf(shoulder)->setCurrentValue(200);
        } else {
            // Qt's positions run from the Min end: 255 - 200 for the shoulder.
            shoulder->setSliderDown(true);
            shoulder->setSliderPosition(255 - 200);
            shoulder->setSliderDown(false);
        }
        QCOMPARE(shoulder->Value(), 200);
        QCOMPARE(ui(w).Text2->text(), QString("200"));
        written << h.port.written;
        recorded << stepsOf(w);
    }
    QCOMPARE(written[1], QByteArray::fromHex("FF01C80D"));
    QCOMPARE(written[0], written[1] + written[1]);
    QCOMPARE(recorded[1], (Steps{{1, 200}}));
    QCOMPARE(recorded[0], recorded[1] + recorded[1]);
}

void TestAccessibility::settingAValueIsRoundedHeldAndRefusedWhileDisabled()
{
    RobotHarness h;
    robot &w = h.start();
    ScrollBar *base = ui(w).HScroll1;
    QAccessibleValueInterface *v = valueOf(base);
    const struct {
        QVariant asked;
        int then;
    } moves[] = {{128.5, 128}, {129.5, 130},        {300, 255},
                 {-7, 0},      {QString("12"), 12}, {QString("not a number"), 12},
                 {qQNaN(), 12}};
    for (const auto &m : moves) {
        v->setCurrentValue(m.asked);
        QCOMPARE(base->Value(), m.then);
    }
    // With no usable port the motion controls are disabled: nothing moves, nothing is sent.
    h.port.openResult = 8002;
    ui(w).Com1->trigger();
    QVERIFY(!base->isEnabled());
    h.port.clearWritten();
    v->setCurrentValue(100);
    QCOMPARE(base->Value(), 12);
    QVERIFY(h.port.written.isEmpty());
}

void TestAccessibility::everyControlOfTheMainWindowIsNamed()
{
    RobotHarness h;
    robot &w = h.start();
    checkNames(&w);
    // The axes by their names, the picture buttons after their captioned twins.
    const auto nameOf = [](QWidget *c) {
        return QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
    };
    QCOMPARE(nameOf(ui(w).VScroll1), QString("Shoulder"));
    QCOMPARE(nameOf(ui(w).Text2), QString("Shoulder position"));
    QCOMPARE(nameOf(ui(w).Command18), QString("HOME (picture)"));
    QCOMPARE(nameOf(ui(w).Command6), QString("PAUSE"));
    ui(w).Command6->setEnabled(true);
    ui(w).Command6->click();
    QCOMPARE(nameOf(ui(w).Command6), QString("CONT"));
    QVERIFY(!QAccessible::queryAccessibleInterface(ui(w).HScroll1)
                 ->text(QAccessible::Description)
                 .isEmpty());
    QCOMPARE(QAccessible::queryAccessibleInterface(ui(w).Text1)->text(QAccessible::Description),
             QString("Immediate Value For Horizontal"));
}

void TestAccessibility::thePausePictureIsNamedAfterItsTwin()
{
    RobotHarness h;
    robot &w = h.start();
    const auto nameOf = [](QWidget *c) {
        return QAccessible::queryAccessibleInterface(c)->text(QAccessible::Name);
    };
    QPushButton *caption = ui(w).Command6;
    QPushButton *picture = ui(w).Command17;
    QCOMPARE(nameOf(picture), QString("PAUSE (picture)"));
    caption->setEnabled(true);
    picture->setEnabled(true);

    // From either button, the two names say the same.
    caption->click();
    QCOMPARE(nameOf(caption), QString("CONT"));
    QCOMPARE(nameOf(picture), QString("CONT (picture)"));
    checkNames(&w);
    picture->click();
    QCOMPARE(nameOf(caption), QString("PAUSE"));
    QCOMPARE(nameOf(picture), QString("PAUSE (picture)"));
    picture->click();
    QCOMPARE(nameOf(picture), QString("CONT (picture)"));

    // STOP puts the caption back to PAUSE, and the picture's name with it.
    ui(w).Command4->setEnabled(true);
    ui(w).Command4->click();
    QCOMPARE(nameOf(caption), QString("PAUSE"));
    QCOMPARE(nameOf(picture), QString("PAUSE (picture)"));
}

void TestAccessibility::everyMenuEntryIsNamed()
{
    RobotHarness h;
    robot &w = h.start();
    QStringList entries;
    for (QMenu *menu : {ui(w).File_men, ui(w).PortMen, ui(w).help}) {
        menu->popup(w.mapToGlobal(QPoint(10, 10)));
        QAccessibleInterface *iface = QAccessible::queryAccessibleInterface(menu);
        QVERIFY(!iface->text(QAccessible::Name).isEmpty());
        for (int i = 0; i < iface->childCount(); ++i) {
            const QString name = iface->child(i)->text(QAccessible::Name);
            QVERIFY2(!name.isEmpty(), qPrintable(menu->objectName()));
            entries << name;
        }
        menu->hide();
    }
    QCOMPARE(entries, (QStringList{"Open", "Save", "Save As", "Exit", "Comm 1", "Comm 2", "Comm 3",
                                   "Comm 4", "Show Current Setting", "Save Configuration",
                                   "Help Topics", "About", "Author"}));
    QAccessibleInterface *bar = QAccessible::queryAccessibleInterface(w.menuBar());
    QStringList menus;
    for (int i = 0; i < bar->childCount(); ++i)
        menus << bar->child(i)->text(QAccessible::Name);
    QCOMPARE(menus, (QStringList{"File", "Options", "Help"}));
}

void TestAccessibility::everyControlOfTheOtherWindowsIsNamed()
{
    helpwindow help(QStringLiteral(KESTREL_SOURCE_HELP_DIR));
    help.show();
    checkNames(&help);
    const auto page = help.findChild<QWidget *>("Picture2");
    QCOMPARE(QAccessible::queryAccessibleInterface(page)->text(QAccessible::Name),
             QString("Topic page"));
    // The page's text is read as its description.
    QVERIFY(QAccessible::queryAccessibleInterface(page)
                ->text(QAccessible::Description)
                .contains("VELMORA Help Window"));

    Welcome welcome({}, {});
    About about({}, {});
    Author author({}, {});
    for (QWidget *w : std::initializer_list<QWidget *>{&welcome, &about, &author}) {
        w->show();
        checkNames(w);
    }
}

void TestAccessibility::theMenusAnswerTheKeyboard_data()
{
    QTest::addColumn<int>("key");
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<QString>("opens");
    QTest::newRow("F10") << int(Qt::Key_F10) << int(Qt::NoModifier) << "File_men";
    QTest::newRow("Alt alone") << int(Qt::Key_Alt) << int(Qt::NoModifier) << "File_men";
    QTest::newRow("Shift+F10") << int(Qt::Key_F10) << int(Qt::ShiftModifier) << "PortMen";
    QTest::newRow("Menu key") << int(Qt::Key_Menu) << int(Qt::NoModifier) << "PortMen";
}

void TestAccessibility::theMenusAnswerTheKeyboard()
{
    QFETCH(int, key);
    QFETCH(int, modifiers);
    QFETCH(QString, opens);

    RobotHarness h;
    robot &w = h.start();
    w.activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(&w));
    ui(w).Text1->setFocus();
    QTest::keyClick(ui(w).Text1, Qt::Key(key), Qt::KeyboardModifiers(modifiers));
    auto *menu = w.findChild<QMenu *>(opens);
    QTRY_VERIFY(menu->isVisible());
    for (QMenu *m : w.findChildren<QMenu *>())
        QCOMPARE(m->isVisible(), m == menu);
    menu->hide();
    // Typing in a box is no menu key: an Alt that goes with another key opens nothing.
    QTest::keyClick(ui(w).Text1, Qt::Key_X, Qt::AltModifier);
    for (QMenu *m : w.findChildren<QMenu *>())
        QVERIFY(!m->isVisible());
}

void TestAccessibility::theLogoAnswersALeftClickOnly()
{
    RobotHarness h;
    robot &w = h.start();
    QVERIFY(QTest::qWaitForWindowExposed(&w));
    const auto welcome = [] {
        for (QWidget *t : QApplication::topLevelWidgets())
            if (t->objectName() == QLatin1String("Welcome") && t->isVisible())
                return true;
        return false;
    };
    for (Qt::MouseButton b : {Qt::RightButton, Qt::MiddleButton}) {
        QTest::mouseClick(ui(w).Image1, b);
        QVERIFY(!welcome());
    }
    QTest::mouseClick(ui(w).Image1, Qt::LeftButton);
    QVERIFY(welcome());
}

QTEST_MAIN(TestAccessibility)
#include "test_accessibility.moc"
