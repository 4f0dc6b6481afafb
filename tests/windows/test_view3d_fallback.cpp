// Without OpenGL there is no 3D view: the editor's preview and the simulator's window show one
// line saying why in its place, and their flat pictures as always. Offscreen there is none to be
// had, whatever display the environment names; KESTREL_NO_3D=1 says no anywhere.

#include "core/arm/profile.h"
#include "edit/scripted_questions.h"
#include "edit/window/editor_window.h"
#include "sim/core/pty_link.h"
#include "sim/core/simulator.h"
#include "sim/window/arm_window.h"
#include "support/scripted_dialogs.h"
#include "windows/view3d/opengl_check.h"

#include <QApplication>
#include <QLabel>
#include <QTemporaryDir>
#include <QTest>

class TestView3DFallback : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void checkSaysWhy_data()
    {
        QTest::addColumn<QByteArray>("noThreeD"); // KESTREL_NO_3D; "-" for unset
        QTest::addColumn<QString>("why");
        const QString noGl = QStringLiteral("No 3D view: OpenGL is not available on this display.");
        QTest::newRow("unset") << QByteArray("-") << noGl;
        QTest::newRow("0 asks nothing") << QByteArray("0") << noGl;
        QTest::newRow("1 turns it off")
            << QByteArray("1") << QStringLiteral("No 3D view: KESTREL_NO_3D=1 turns it off.");
    }
    void checkSaysWhy()
    {
        QFETCH(QByteArray, noThreeD);
        QFETCH(QString, why);
        if (noThreeD == "-")
            qunsetenv(view3d::noThreeD);
        else
            qputenv(view3d::noThreeD, noThreeD);
        QCOMPARE(view3d::checkOpenGL(), std::optional(why));
        qunsetenv(view3d::noThreeD);
    }

    void windowsShowTheLineInstead()
    {
        const QString why = QStringLiteral("No 3D view: OpenGL is not available on this display.");
        QTemporaryDir dir;
        ScriptedDialogs dialogs;
        ScriptedQuestions questions;
        EditorServices services;
        services.dialogs = &dialogs;
        services.questions = &questions;
        services.stateFolder = dir.path();
        EditorWindow editor(services);
        editor.show();

        sim::PtyLink::Opened opened = sim::PtyLink::publish(dir.path(), 4);
        QVERIFY2(opened.link, qPrintable(opened.error));
        sim::Simulator simulator(opened.link->masterFd(), false, nullptr);
        sim::ArmWindow simWindow(simulator, QStringLiteral("COM4"), opened.link->slavePath(), false,
                                 arm::defaults());
        simWindow.show();

        for (QWidget *w : {static_cast<QWidget *>(&editor), static_cast<QWidget *>(&simWindow)}) {
            // The editor's comes after its first paint.
            QTRY_VERIFY(w->findChild<QLabel *>(QStringLiteral("view3dFallback")));
            const auto *line = w->findChild<QLabel *>(QStringLiteral("view3dFallback"));
            QVERIFY(line->isVisible());
            QCOMPARE(line->text(), why);
            QVERIFY(!w->findChild<QWidget *>(QStringLiteral("view3d")));
            QVERIFY(w->findChild<QWidget *>(QStringLiteral("sideView"))->isVisible());
        }
    }
};

int main(int argc, char *argv[])
{
    qunsetenv(view3d::noThreeD);
    QApplication app(argc, argv);
    TestView3DFallback t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_view3d_fallback.moc"
