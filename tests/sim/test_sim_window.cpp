// The simulator's window follows the line: what arrives on the published port shows up in the
// joints' numbers, the tool point's readout (by the window's profile), the counters and the list
// of what was received.

#include "core/arm/profile.h"
#include "sim/core/pty_link.h"
#include "sim/core/simulator.h"
#include "sim/window/arm_window.h"

#include <QFile>
#include <QLabel>
#include <QPlainTextEdit>
#include <QTemporaryDir>
#include <QTest>

#include <fcntl.h>
#include <unistd.h>

class TestSimWindow : public QObject {
    Q_OBJECT
private slots:
    void showsWhatTheLineSaid();
};

void TestSimWindow::showsWhatTheLineSaid()
{
    QTemporaryDir tmp;
    sim::PtyLink::Opened opened = sim::PtyLink::publish(tmp.path(), 4);
    QVERIFY2(opened.link, qPrintable(opened.error));
    sim::Simulator simulator(opened.link->masterFd(), false, nullptr);
    arm::Profile profile = arm::defaults();
    profile.arm.upperArm = 150;
    sim::ArmWindow window(simulator, QStringLiteral("COM4"), opened.link->slavePath(), false,
                          profile);
    window.show();
    QCOMPARE(window.windowTitle(), QStringLiteral("Kestrel simulated arm \u2014 COM4"));

    auto *shoulder = window.findChild<QLabel *>(QStringLiteral("position1"));
    auto *shoulderAngle = window.findChild<QLabel *>(QStringLiteral("angle1"));
    auto *grip = window.findChild<QLabel *>(QStringLiteral("position4"));
    auto *bad = window.findChild<QLabel *>(QStringLiteral("badBytes"));
    auto *probes = window.findChild<QLabel *>(QStringLiteral("probes"));
    auto *frames = window.findChild<QLabel *>(QStringLiteral("frames"));
    auto *recent = window.findChild<QPlainTextEdit *>(QStringLiteral("recent"));
    QVERIFY(shoulder && shoulderAngle && grip && bad && probes && frames && recent);
    QCOMPARE(shoulder->text(), QStringLiteral("(127)")); // nothing heard yet

    const int port =
        ::open(QFile::encodeName(opened.link->linkPath()).constData(), O_RDWR | O_NOCTTY);
    QVERIFY(port >= 0);
    // The program's probe comes alone, before any frame.
    QCOMPARE(::write(port, "B", 1), ssize_t(1));
    QVERIFY(QTest::qWaitFor([&] { return probes->text() == QLatin1String("1"); }, 5000));
    const QByteArray line("\xFF\x01\x00\x0D"
                          "!?"
                          "\xFF\x04\xC8\x0D",
                          10);
    QCOMPARE(::write(port, line.constData(), size_t(line.size())), ssize_t(line.size()));
    QVERIFY(QTest::qWaitFor([&] { return frames->text() == QLatin1String("2"); }, 5000));
    ::close(port);

    QCOMPARE(shoulder->text(), QStringLiteral("0"));
    QCOMPARE(shoulderAngle->text(), QStringLiteral("+0.4\u00B0")); // 90 - 127 * 180 / 255
    QCOMPARE(grip->text(), QStringLiteral("200"));
    QCOMPARE(bad->text(), QStringLiteral("2"));
    // Upper arm 150 almost level, forearm and hand 132 almost straight down from it.
    QStringList readout;
    for (const char *name : {"toolX", "toolY", "toolZ", "toolPitch"})
        readout << window.findChild<QLabel *>(QLatin1String(name))->text();
    QCOMPARE(readout, QStringList({"150.8 mm", "0.0 mm", "-71.1 mm", "-89.6\u00B0"}));
    const QStringList shown = recent->toPlainText().split(QLatin1Char('\n')).mid(1); // the probe's
    QCOMPARE(shown.size(), 4);
    QVERIFY2(shown[0].endsWith(QLatin1String("  FF 01 00 0D shoulder 0")), qPrintable(shown[0]));
    QVERIFY2(shown[1].endsWith(QLatin1String("  junk 21")), qPrintable(shown[1]));
    QVERIFY2(shown[3].endsWith(QLatin1String("  FF 04 C8 0D grip 200")), qPrintable(shown[3]));

    // The pictures paint at any size without trouble, down to the smallest window.
    window.resize(window.minimumSizeHint());
    QVERIFY(!window.grab().isNull());
}

QTEST_MAIN(TestSimWindow)
#include "test_sim_window.moc"
