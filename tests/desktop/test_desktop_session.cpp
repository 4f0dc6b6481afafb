// The real kestrel on the real desktop from start to end: start-up to the main window, the
// quit question answered from the keyboard (No, then Yes, which walks the arm back to the
// centre and ends the program), a message box closed with a key, and a movement file opened
// and saved through Qt's own file dialog, typed into as a person does.
//
// KESTREL_DESKTOP_BINARY names another kestrel to try.

#include "support/files.h"
#include "support/kestrel_desktop.h"

#include <QApplication>
#include <QtTest>

using namespace desktop;

namespace {

const QString quitTitle = QStringLiteral("Quit Kestrel Robot");

// The base slider's arrow towards 255, clicked once: one position further, one frame.
bool stepBaseRight(KestrelOnDesktop &k, int to)
{
    const std::size_t before = k.line().count();
    const QRect slider = k.rectOf(QStringLiteral("HScroll1"));
    k.x().click(QPoint(slider.right() - 4, slider.center().y()));
    return k.line().waitForCount(before + 4, 10000) &&
           k.line().data().mid(int(before)) == frameBytes(0, to);
}

} // namespace

class DesktopSession : public DesktopTestCase {
    Q_OBJECT

public:
    DesktopSession() : DesktopTestCase(QStringLiteral(KESTREL_BINARY)) {}

private:
    KestrelOnDesktop &started() { return launch(); }

private Q_SLOTS:
    void startsAndQuitsFromTheKeyboard()
    {
        KestrelOnDesktop &k = started();
        QVERIFY2(k.start(), qPrintable(k.error()));
        // The probe, then the four axes that start away from the centre; homing to 127 sends
        // nothing more.
        QVERIFY(k.line().waitForCount(std::size_t(startUpBytes().size()), 10000));
        QCOMPARE(k.line().data().toHex(' '), startUpBytes().toHex(' '));
        // With no window manager to place it, the window centres itself on the screen.
        const QPoint centre = k.mainWindow().geometry.center();
        const QPoint screenCentre(k.screenSize().width() / 2, k.screenSize().height() / 2);
        QVERIFY2(
            (centre - screenCentre).manhattanLength() <= 2,
            qPrintable(
                QStringLiteral("the window's centre is at %1,%2").arg(centre.x()).arg(centre.y())));
        for (int to : {128, 129, 130})
            QVERIFY2(stepBaseRight(k, to), k.line().data().toHex(' ').constData());

        // File, "Exit" asks; No leaves everything as it was.
        QVERIFY2(k.choose(QStringLiteral("File_men"), QStringLiteral("ExitMen")),
                 qPrintable(k.error()));
        QVERIFY2(k.waitForDialog(quitTitle).id, "File, Exit did not ask");
        k.x().key(QStringLiteral("n"));
        QVERIFY2(k.waitForDialogGone(quitTitle), "N did not answer the question");
        QVERIFY(k.mainWindow().viewable);
        QCOMPARE(k.process().state(), QProcess::Running);
        const std::size_t afterNo = k.line().count();
        QVERIFY2(stepBaseRight(k, 131), "the window did not go on working after No");

        // The close box asks the same; Yes walks the base back to the centre and ends.
        k.x().askToClose(k.mainWindow().id);
        QVERIFY2(k.waitForDialog(quitTitle).id, "closing the window did not ask");
        k.x().key(QStringLiteral("y"));
        QVERIFY2(k.process().waitForFinished(20000), "Yes did not end the program");
        QCOMPARE(k.process().exitStatus(), QProcess::NormalExit);
        QCOMPARE(k.process().exitCode(), 0);
        QVERIFY(k.line().waitForDrained(5000));
        const QByteArray walk = frameBytes(0, 131) + frameBytes(0, 130) + frameBytes(0, 129) +
                                frameBytes(0, 128) + frameBytes(0, 127);
        QCOMPARE(k.line().data().mid(int(afterNo)).toHex(' '), walk.toHex(' '));
    }

    void answersAMessageAndKeepsFilesThroughTheFileDialog()
    {
        KestrelOnDesktop &k = started();
        QVERIFY2(k.start(), qPrintable(k.error()));

        // Options, "Show Current Setting": a message box, closed from the keyboard.
        QVERIFY2(k.choose(QStringLiteral("PortMen"), QStringLiteral("Show_men")),
                 qPrintable(k.error()));
        const QString settings = QStringLiteral("CURRENT SETTINGS");
        QVERIFY2(k.waitForDialog(settings).id, "no settings message");
        k.x().key(QStringLiteral("Return"));
        QVERIFY2(k.waitForDialogGone(settings), "Return did not close the message");
        QVERIFY(k.waitForOnlyMainWindow());

        // Open, typed into the file dialog; Save As to another name writes the same records in
        // the writer's own form.
        QByteArray given = "0,0\r\n";
        QByteArray written = " 0 , 0 \r\n";
        for (int i = 0; i < 12; ++i) {
            const int channel = i % 5, position = 100 + 10 * i;
            given += QByteArray::number(channel) + ',' + QByteArray::number(position) + "\r\n";
            written +=
                ' ' + QByteArray::number(channel) + " , " + QByteArray::number(position) + " \r\n";
        }
        const QString opened = k.folder() + QStringLiteral("/Taught Motion.kmv");
        const QString saved = k.folder() + QStringLiteral("/Saved_Again.kmv");
        QVERIFY(writeFile(opened, given));
        QVERIFY2(k.fileThroughDialog(QStringLiteral("Open_men"), opened), qPrintable(k.error()));
        QVERIFY2(k.fileThroughDialog(QStringLiteral("Saveas_men"), saved), qPrintable(k.error()));
        // The dialog goes before the handler writes.
        QTRY_COMPARE_WITH_TIMEOUT(readAll(saved), written, 10000);
        QCOMPARE(readAll(opened), given);
    }
};

KESTREL_DESKTOP_TEST_MAIN(DesktopSession)

#include "test_desktop_session.moc"
