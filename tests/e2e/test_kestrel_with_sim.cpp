// The real program against the real simulator: start-up's frames as the arm receives them, and
// the link that a simulator killed outright leaves behind.

#include "core/link/serial_port.h"
#include "support/headless_sim.h"
#include "support/pty.h"

#include <QDir>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QTemporaryDir>
#include <QtTest>
#include <memory>
#include <vector>

class KestrelWithSim : public QObject {
    Q_OBJECT

    static void stop(QProcess &p)
    {
        if (p.state() == QProcess::NotRunning)
            return;
        p.terminate();
        if (!p.waitForFinished(5000))
            p.kill();
        p.waitForFinished(5000);
    }

private Q_SLOTS:
    void startUpCentresThenHomesTheGrip()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath("kestrel");
        QVERIFY(QDir().mkpath(config));
        // With a configuration file no message box waits; the grip's home is 50.
        QFile ini(config + "/robotini.txt");
        QVERIFY(ini.open(QIODevice::WriteOnly));
        ini.write("======== Velmora ==========\r\nMOTOR4= 50       'Grip\r\n");
        ini.close();

        HeadlessSim sim(KESTREL_SIM_BINARY, config, dir.filePath("frames.log"));
        QVERIFY(sim.start());

        QProcess kestrel;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert("XDG_CONFIG_HOME", dir.path());
        // The platform comes from Qt's own option, which Kestrel leaves to Qt: X11 without a
        // display, as the environment says, would end the program at once.
        env.insert("QT_QPA_PLATFORM", "xcb");
        env.remove("DISPLAY");
        env.remove("WAYLAND_DISPLAY");
        kestrel.setProcessEnvironment(env);
        kestrel.start(KESTREL_BINARY, {"-platform", "offscreen"});
        QVERIFY(kestrel.waitForStarted());

        // The probe, 4 centring frames and 77 grip frames: 325 bytes, a third of a second of
        // line. Once they are all through, Kestrel is ended, so that it can send nothing more,
        // and a marker frame is put on the line after whatever it did send: when the marker
        // comes through, everything Kestrel sent has.
        QTRY_VERIFY_WITH_TIMEOUT(sim.lines().size() >= 82, 30000);
        stop(kestrel);
        const QStringList lines = sim.linesBeforeMarker();
        QVERIFY(!lines.isEmpty());
        sim.stop();

        QStringList frames;
        QList<double> times;
        for (const QString &line : lines) {
            const QStringList parts = line.split(' ', Qt::SkipEmptyParts);
            QVERIFY2(parts.size() >= 2, qPrintable(line));
            times << parts[0].toDouble();
            frames << parts.mid(1, 4).join(' ');
        }
        QVERIFY2(lines[0].contains("probe 42"), qPrintable(lines[0]));
        QStringList expected{"FF 04 7F 0D", "FF 01 7F 0D", "FF 02 7F 0D", "FF 03 7F 0D"};
        for (int p = 126; p >= 50; --p)
            expected << QString("FF 04 %1 0D").arg(p, 2, 16, QChar('0')).toUpper();
        QCOMPARE(frames.mid(1), expected);
        // The line carries at most 240 frames a second, and the simulator reads at its pace.
        QVERIFY(times.last() - times[1] >= 80.0 / 240 - 0.01);
        QVERIFY(!QFileInfo::exists(config + "/COM1") && !QFileInfo(config + "/COM1").isSymLink());
    }

    // The system numbers pseudo-terminals lowest free first, so the number of a simulator killed
    // outright soon goes to another program's terminal. Its link must not lead the port there.
    void aLinkLeftByAKilledSimulatorLeadsNowhere()
    {
        QTemporaryDir dir;
        const QString config = dir.filePath("kestrel");
        const QString link = config + "/COM1";
        // Other tests make pseudo-terminals in parallel and may take the number first; then the
        // simulator is started and killed again.
        for (int attempt = 1; attempt <= 5; ++attempt) {
            QProcess sim;
            sim.start(KESTREL_SIM_BINARY, {"--headless", "--config-dir", config});
            QVERIFY(sim.waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(QFileInfo(link).isSymLink(), 10000);
            const QString target = QFileInfo(link).symLinkTarget();
            QVERIFY2(QRegularExpression(QString("^/proc/%1/fd/[0-9]+$").arg(sim.processId()))
                         .match(target)
                         .hasMatch(),
                     qPrintable(target));
            const QString terminal = QFileInfo(link).canonicalFilePath();
            QVERIFY2(terminal.startsWith("/dev/pts/"), qPrintable(terminal));
            {
                // While the simulator runs, its link leads to its terminal, step by step.
                SerialPort port(config);
                QCOMPARE(port.open(1), 0);
                QCOMPARE(port.device(), link + " -> " + target + " -> " + terminal);
            }

            sim.kill();
            QVERIFY(sim.waitForFinished(10000));
            QVERIFY(QFileInfo(link).isSymLink()); // left behind

            // Terminals are made until one has the number, or a higher one shows that another
            // program has it.
            const int number = terminal.section('/', -1).toInt();
            std::vector<std::unique_ptr<Pty>> made;
            Pty *taker = nullptr;
            while (!taker && made.size() < 64) {
                made.push_back(std::make_unique<Pty>());
                QVERIFY(made.back()->ok());
                const int got = made.back()->slavePath().section('/', -1).toInt();
                if (got == number)
                    taker = made.back().get();
                else if (got > number)
                    break;
            }
            if (!taker) {
                QVERIFY(QFile::remove(link));
                continue;
            }
            QCOMPARE(taker->slavePath(), terminal);

            SerialPort port(config);
            QCOMPARE(port.open(1), 8002);
            QVERIFY(!port.isOpen());
            QCOMPARE(port.device(), link + " -> " + target + " (not found)");
            port.write("B");
            // Nothing reached the other terminal: a marker written to it now is the first thing
            // on its line.
            const QByteArray marker = QByteArray::fromHex("FF002A0D");
            QVERIFY(taker->writeAsDevice(marker));
            QCOMPARE(taker->readUntil(marker), marker);
            return;
        }
        QFAIL("other programs took the killed simulator's terminal number five times over");
    }
};

QTEST_GUILESS_MAIN(KestrelWithSim)
#include "test_kestrel_with_sim.moc"
