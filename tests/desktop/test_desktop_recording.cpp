// Recording on the real desktop: REC, the base moved by clicks on its slider's arrow, BACK,
// which walks the motion backwards and records the way back, then HOME and a RUN of what was
// recorded, all through XTEST input to the real kestrel on Xvfb, with the line compared byte
// for byte.
//
// KESTREL_DESKTOP_BINARY names another kestrel to try.

#include "support/kestrel_desktop.h"

#include <QApplication>
#include <QtTest>

using namespace desktop;

namespace {

QByteArray base(std::initializer_list<int> positions)
{
    QByteArray out;
    for (int p : positions)
        out += frameBytes(0, p);
    return out;
}

} // namespace

class DesktopRecording : public DesktopTestCase {
    Q_OBJECT

public:
    DesktopRecording() : DesktopTestCase(QStringLiteral(KESTREL_BINARY)) {}

private:
    // Clicks the base slider's arrow towards 255 and waits for its frame.
    bool stepBaseRight()
    {
        KestrelOnDesktop &k = *m_k;
        const std::size_t before = k.line().count();
        const QRect slider = k.rectOf(QStringLiteral("HScroll1"));
        k.x().click(QPoint(slider.right() - 4, slider.center().y()));
        return k.line().waitForCount(before + 4, 10000);
    }

    // What the line carried after `from` bytes, once it has carried `expected`'s length.
    QByteArray lineAfter(std::size_t from, const QByteArray &expected)
    {
        m_k->line().waitForCount(from + std::size_t(expected.size()), 20000);
        m_k->line().waitForDrained(5000);
        return m_k->line().data().mid(int(from));
    }

private Q_SLOTS:
    void backRetracesARecordingAndHomeCentres()
    {
        launch();
        KestrelOnDesktop &k = *m_k;
        QVERIFY2(k.start(), qPrintable(k.error()));
        QVERIFY(k.line().waitForCount(std::size_t(startUpBytes().size()), 10000));
        std::size_t mark = k.line().count();

        // REC: BACK becomes usable, RUN does not.
        k.click(QStringLiteral("Command3"));
        k.moveAway();
        QVERIFY2(k.waitForCaption(QStringLiteral("Backbutt"), &Caption::enabled, 10000),
                 "REC did not enable BACK");
        QVERIFY(!k.caption(QStringLiteral("Command5")).enabled());
        for (int i = 0; i < 3; ++i)
            QVERIFY(stepBaseRight());
        QCOMPARE(lineAfter(mark, base({128, 129, 130})).toHex(' '),
                 base({128, 129, 130}).toHex(' '));
        mark = k.line().count();

        // BACK sends the steps last first; each one that moves the slider goes out a second
        // time from its box, and is recorded. Then it ends the recording as STOP does.
        k.click(QStringLiteral("Backbutt"));
        k.moveAway();
        const QByteArray back = base({130, 129, 129, 128, 128});
        QCOMPARE(lineAfter(mark, back).toHex(' '), back.toHex(' '));
        QVERIFY2(k.waitForCaption(QStringLiteral("Command3"), &Caption::enabled, 10000),
                 "BACK did not end the recording");
        QVERIFY(k.waitForCaption(
            QStringLiteral("Backbutt"), [](const Caption &c) { return c.shown() && !c.enabled(); },
            10000));
        mark = k.line().count();

        // HOME walks the base back to its home, one position a frame.
        QVERIFY(stepBaseRight());
        QVERIFY(stepBaseRight());
        k.click(QStringLiteral("Command2"));
        const QByteArray home = base({129, 130, 129, 128, 127});
        QCOMPARE(lineAfter(mark, home).toHex(' '), home.toHex(' '));
        mark = k.line().count();

        // RUN plays the recording and its way back: five steps, each moving the slider.
        k.click(QStringLiteral("Command5"));
        k.moveAway();
        const QByteArray run = base({128, 128, 129, 129, 130, 130, 129, 129, 128, 128});
        QCOMPARE(lineAfter(mark, run).toHex(' '), run.toHex(' '));
        QVERIFY2(k.waitForCaption(QStringLiteral("Command5"), &Caption::enabled, 10000),
                 "RUN did not end by itself");
    }
};

KESTREL_DESKTOP_TEST_MAIN(DesktopRecording)

#include "test_desktop_recording.moc"
