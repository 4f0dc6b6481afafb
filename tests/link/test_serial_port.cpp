// The real serial port on a pseudo-terminal: line settings, bytes unchanged, the probe, the
// exclusive open, links that lead elsewhere or nowhere, and a device that goes away.

#include "core/link/serial_port.h"
#include "support/idle.h"
#include "support/pty.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>
#include <termios.h>
#include <unistd.h>

class SerialPortTest : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

private Q_SLOTS:
    void opensTheLinkAt9600EightNoneOneRaw()
    {
        Pty pty;
        QVERIFY(pty.ok());
        QVERIFY(pty.linkAs(m_dir.filePath("COM1")));
        SerialPort port(m_dir.path());
        QCOMPARE(port.open(1), 0);
        QVERIFY(port.isOpen());
        QVERIFY(port.device().contains(pty.slavePath()));

        termios t{};
        QVERIFY(pty.lineSettings(&t));
        QCOMPARE(cfgetospeed(&t), speed_t(B9600));
        QCOMPARE(t.c_cflag & CSIZE, tcflag_t(CS8));
        QVERIFY(!(t.c_cflag & PARENB));
        QVERIFY(!(t.c_cflag & CSTOPB));
        QVERIFY(!(t.c_cflag & CRTSCTS));
        QVERIFY(!(t.c_lflag & (ICANON | ECHO)));
        QVERIFY(!(t.c_oflag & OPOST));
        QVERIFY(!(t.c_iflag & (IXON | IXOFF)));

        // Carriage returns and 255 go out as they are.
        const QByteArray bytes = QByteArray::fromHex("FF000D0DFF04FF0D0A");
        port.write(bytes);
        QCOMPARE(pty.readCount(bytes.size()), bytes);
    }

    void theProbeReadsWhatCameBack_data()
    {
        QTest::addColumn<QByteArray>("answer");
        QTest::newRow("nothing") << QByteArray();
        QTest::newRow("an echo") << QByteArray("B");
        QTest::newRow("more than an echo") << QByteArray("BB");
    }
    void theProbeReadsWhatCameBack()
    {
        QFETCH(QByteArray, answer);
        Pty pty;
        QVERIFY(pty.linkAs(m_dir.filePath("COM2")));
        SerialPort port(m_dir.path());
        QCOMPARE(port.open(2), 0);
        port.write("B");
        QCOMPARE(pty.readCount(1), QByteArray("B"));
        pty.write(answer);
        QElapsedTimer clock;
        clock.start();
        QCOMPARE(port.readAfter(1000), answer);
        QVERIFY2(clock.elapsed() >= 1000, "the probe waits its full second");
        QFile::remove(m_dir.filePath("COM2"));
    }

    void oneDeviceThroughTwoNamesOpensOnce()
    {
        Pty pty;
        QVERIFY(pty.linkAs(m_dir.filePath("COM3")));
        QVERIFY(pty.linkAs(m_dir.filePath("COM4")));
        SerialPort first(m_dir.path()), second(m_dir.path());
        QCOMPARE(first.open(3), 0);
        QCOMPARE(second.open(4), 8005);
        QCOMPARE(second.open(3), 8005);
        QVERIFY(!second.isOpen());
        // The first keeps working, and once it lets go the device opens again.
        first.write("x");
        QCOMPARE(pty.readCount(1), QByteArray("x"));
        first.close();
        QCOMPARE(second.open(4), 0);
    }

    void aMissingDeviceIsNotAvailable()
    {
        QVERIFY(QFile::link(m_dir.filePath("unplugged"), m_dir.filePath("COM5")));
        SerialPort port(m_dir.path());
        QCOMPARE(port.open(5), 8002);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.device(),
                 m_dir.filePath("COM5") + " -> " + m_dir.filePath("unplugged") + " (not found)");
        // Writing to a closed port drops the bytes.
        port.write("B");
        QVERIFY(!port.isOpen());
    }

    // Whatever the link leads to, only a character device is opened; the device line shows
    // where the link led.
    void aLinkToWhatIsNoDeviceIsNotSerial_data()
    {
        QTest::addColumn<QString>("kind");
        QTest::newRow("a plain file") << "file";
        QTest::newRow("a folder") << "folder";
        QTest::newRow("a named pipe") << "fifo";
    }
    void aLinkToWhatIsNoDeviceIsNotSerial()
    {
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString target = dir.filePath("target");
        if (kind == "file") {
            QFile plain(target);
            QVERIFY(plain.open(QIODevice::WriteOnly));
        } else if (kind == "folder") {
            QVERIFY(QDir().mkdir(target));
        } else {
            QCOMPARE(::mkfifo(QFile::encodeName(target).constData(), 0600), 0);
        }
        QVERIFY(QFile::link(target, dir.filePath("COM1")));
        SerialPort port(dir.path());
        QCOMPARE(port.open(1), 8015);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.device(), dir.filePath("COM1") + " -> " + target);
    }

    // A link that loops or leads nowhere is "not available", and the device line follows it
    // as far as it goes: each target made absolute, the path met twice or the path that is not
    // there last.
    void aLinkThatLoopsOrLeadsNowhereIsNotAvailable_data()
    {
        QTest::addColumn<QStringList>("links"); // name, target; name, target...
        QTest::addColumn<QString>("device");    // with @ for the folder
        QTest::newRow("to itself") << QStringList{"COM1", "COM1"} << "@/COM1 -> @/COM1 (loop)";
        QTest::newRow("through two links") << QStringList{"COM1", "a", "a", "@/b", "b", "a"}
                                           << "@/COM1 -> @/a -> @/b -> @/a (loop)";
        QTest::newRow("back to the start")
            << QStringList{"COM1", "a", "a", "COM1"} << "@/COM1 -> @/a -> @/COM1 (loop)";
        QTest::newRow("to a folder that loops")
            << QStringList{"COM1", "d/ttyUSB0", "d", "d"} << "@/COM1 -> @/d/ttyUSB0 (loop)";
        QTest::newRow("to nothing, relatively")
            << QStringList{"COM1", "sub/../gone"} << "@/COM1 -> @/gone (not found)";
        QTest::newRow("to a folder that is not there")
            << QStringList{"COM1", "@/no/such/folder/ttyUSB0"}
            << "@/COM1 -> @/no/such/folder/ttyUSB0 (not found)";
        QTest::newRow("through a file as if a folder")
            << QStringList{"COM1", "plain/ttyUSB0"} << "@/COM1 -> @/plain/ttyUSB0 (not found)";
        QTest::newRow("to a link that leads nowhere")
            << QStringList{"COM1", "by-id/usb-adapter", "by-id/usb-adapter", "../ttyUSB9"}
            << "@/COM1 -> @/by-id/usb-adapter -> @/ttyUSB9 (not found)";
    }
    void aLinkThatLoopsOrLeadsNowhereIsNotAvailable()
    {
        QFETCH(QStringList, links);
        QFETCH(QString, device);
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.filePath("sub")));
        QVERIFY(QDir().mkdir(dir.filePath("by-id")));
        QFile plain(dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        for (int i = 0; i + 1 < links.size(); i += 2) {
            const QString target = QString(links[i + 1]).replace("@", dir.path());
            QCOMPARE(::symlink(QFile::encodeName(target).constData(),
                               QFile::encodeName(dir.filePath(links[i])).constData()),
                     0);
        }
        SerialPort port(dir.path());
        QCOMPARE(port.open(1), 8002);
        QVERIFY(!port.isOpen());
        QCOMPARE(port.device(), QString(device).replace("@", dir.path()));
    }

    void aRouteOfLinksIsShownStepByStepAndOpens()
    {
        // As udev names an adapter: a link by its identity, relative to the device.
        Pty pty;
        QVERIFY(pty.ok());
        QTemporaryDir dir;
        QVERIFY(QDir().mkdir(dir.filePath("by-id")));
        QVERIFY(pty.linkAs(dir.filePath("tty")));
        QVERIFY(QFile::link("../tty", dir.filePath("by-id/usb-adapter")));
        QVERIFY(QFile::link(dir.filePath("by-id/usb-adapter"), dir.filePath("COM1")));
        SerialPort port(dir.path());
        QCOMPARE(port.open(1), 0);
        QCOMPARE(port.device(), dir.filePath("COM1") + " -> " + dir.filePath("by-id/usb-adapter") +
                                    " -> " + dir.filePath("tty") + " -> " + pty.slavePath());
        port.write("x");
        QCOMPARE(pty.readCount(1), QByteArray("x"));
    }

    void aDeviceThatGoesAwayIsClosedOnceWithoutSpinning()
    {
        auto pty = std::make_unique<Pty>();
        QVERIFY(pty->linkAs(m_dir.filePath("COM7")));
        SerialPort port(m_dir.path());
        QSignalSpy lost(&port, &Port::lost);
        QCOMPARE(port.open(7), 0);
        pty.reset(); // the far end hangs up
        QTRY_COMPARE_WITH_TIMEOUT(lost.count(), 1, 2000);
        QVERIFY(!port.isOpen());
        // A second of event loop afterwards costs next to no CPU, and no further report.
        const double share = coreShareWhileRunningEvents();
        QVERIFY2(
            share < spinningShare,
            qPrintable(
                QStringLiteral("the event loop spins after the hang-up: %1 of a core").arg(share)));
        QCOMPARE(lost.count(), 1);
    }

    void waitingForTheLineLetsItDrain()
    {
        Pty pty;
        QVERIFY(pty.linkAs(m_dir.filePath("COM8")));
        SerialPort port(m_dir.path());
        QCOMPARE(port.open(8), 0);
        for (int i = 0; i < 24; ++i)
            port.write(QByteArray::fromHex("FF017F0D"));
        // 24 frames are 0.1 s of line; the wait leaves at most two frames still on their way.
        // A pseudo-terminal answers 0 to "how much do you hold" whatever it holds: it counts as
        // telling nothing, and the clock alone paces it.
        QCOMPARE(port.bytesQueued(), std::nullopt);
        port.waitForLine(2);
        QVERIFY(port.line().bytesInFlight(LineClock::Clock::now()) <= 8);
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "test_serial_port.moc"
