// The real serial port on a pseudo-terminal: line settings, bytes unchanged, the probe, the
// exclusive open, and a device that goes away.

#include "core/link/serial_port.h"
#include "support/idle.h"
#include "support/pty.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QtTest>
#include <termios.h>

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
        QCOMPARE(port.device(), m_dir.filePath("COM5"));
        // Writing to a closed port drops the bytes.
        port.write("B");
        QVERIFY(!port.isOpen());
    }

    void aFileIsNotASerialDevice()
    {
        QFile plain(m_dir.filePath("plain"));
        QVERIFY(plain.open(QIODevice::WriteOnly));
        plain.close();
        QVERIFY(QFile::link(plain.fileName(), m_dir.filePath("COM6")));
        SerialPort port(m_dir.path());
        QCOMPARE(port.open(6), 8015);
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
        port.waitForLine(2);
        QVERIFY(port.line().bytesInFlight(LineClock::Clock::now()) <= 8);
    }
};

QTEST_GUILESS_MAIN(SerialPortTest)
#include "test_serial_port.moc"
