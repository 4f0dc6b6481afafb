// The simulator as a user runs it: kestrel-sim --headless publishes COM1, decodes what is
// written to it at the pace of a 9600-baud line, and takes its link away when told to stop.

#include <QElapsedTimer>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

#include <csignal>
#include <fcntl.h>
#include <poll.h>
#include <unistd.h>

namespace {

const QString binary = QStringLiteral(KESTREL_SIM_BINARY);

QByteArray frameBytes(int channel, int position)
{
    QByteArray b(4, '\0');
    b[0] = char(0xFF);
    b[1] = char(channel);
    b[2] = char(position);
    b[3] = char(0x0D);
    return b;
}

QStringList readLines(const QString &path)
{
    QFile f(path);
    if (!f.open(QIODevice::ReadOnly))
        return {};
    QStringList lines = QString::fromUtf8(f.readAll()).split(QLatin1Char('\n'));
    if (!lines.isEmpty() && lines.constLast().isEmpty())
        lines.removeLast();
    return lines;
}

// A running simulator; stopped with SIGKILL if a test fails half-way, so no process is left.
struct Sim {
    QProcess process;
    ~Sim()
    {
        if (process.state() != QProcess::NotRunning) {
            process.kill();
            process.waitForFinished(5000);
        }
    }
    bool start(const QStringList &args, const QString &link)
    {
        process.start(binary, args);
        return process.waitForStarted(5000) &&
               QTest::qWaitFor([&] { return QFileInfo(link).isSymLink(); }, 10000);
    }
};

int openPort(const QString &link)
{
    return ::open(QFile::encodeName(link).constData(), O_RDWR | O_NOCTTY);
}

} // namespace

class TestSimProcess : public QObject {
    Q_OBJECT
private slots:
    void decodesAtLinePaceAndLeavesOnSigterm();
    void leavesOnCtrlC();
    void refusesAnExistingCom1();
    void probeEcho_data();
    void probeEcho();
    void refusesABadProfile_data();
    void refusesABadProfile();
};

void TestSimProcess::decodesAtLinePaceAndLeavesOnSigterm()
{
    QTemporaryDir tmp;
    const QString folder = tmp.filePath(QStringLiteral("not/yet/kestrel"));
    const QString link = folder + QStringLiteral("/COM1");
    const QString log = tmp.filePath(QStringLiteral("sim.log"));
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--headless"), QStringLiteral("--config-dir"), folder,
                       QStringLiteral("--log"), log},
                      link));
    sim.process.setReadChannel(QProcess::StandardError);
    QVERIFY(QTest::qWaitFor([&] { return sim.process.canReadLine(); }, 5000));
    const QString announce = QString::fromLocal8Bit(sim.process.readLine()).trimmed();
    QCOMPARE(announce, QStringLiteral("COM1 -> ") + QFileInfo(link).canonicalFilePath());

    // Frames with junk between them, 480 bytes in one write: far more than the line carries
    // in the time the write takes.
    QByteArray line =
        frameBytes(1, 127) + QByteArray("zzz") + frameBytes(2, 255) + QByteArray(1, char(0x13));
    QStringList expected{QStringLiteral("FF 01 7F 0D shoulder 127"),
                         QStringLiteral("junk 7A"),
                         QStringLiteral("junk 7A"),
                         QStringLiteral("junk 7A"),
                         QStringLiteral("FF 02 FF 0D elbow 255"),
                         QStringLiteral("junk 13")};
    for (int i = 0; line.size() < 476; ++i) {
        line += frameBytes(4, i);
        expected << QStringLiteral("FF 04 %1 0D grip %2")
                        .arg(QByteArray(1, char(i)).toHex().toUpper(), QString::number(i));
    }
    line += frameBytes(0, 13); // a position that is the end byte
    expected << QStringLiteral("FF 00 0D 0D base 13");
    QCOMPARE(line.size(), 480);

    const int port = openPort(link);
    QVERIFY(port >= 0);
    QElapsedTimer wall;
    wall.start();
    QCOMPARE(::write(port, line.constData(), size_t(line.size())), ssize_t(line.size()));
    QVERIFY(QTest::qWaitFor([&] { return readLines(log).size() >= expected.size(); }, 15000));
    const qint64 wallMs = wall.elapsed();
    ::close(port);

    const QStringList lines = readLines(log);
    QCOMPARE(lines.size(), expected.size());
    QStringList described;
    double previous = 0;
    for (const QString &l : lines) {
        const int space = l.indexOf(QLatin1Char(' '));
        bool ok = false;
        const double seconds = l.left(space).toDouble(&ok);
        QVERIFY2(ok && seconds >= previous, qPrintable(l));
        previous = seconds;
        described << l.mid(space + 1);
    }
    QCOMPARE(described, expected);

    // Paced like the wire: 960 bytes a second at most, seen both from outside and in the
    // simulator's own times (the first read may hold a few bytes already).
    QVERIFY2(wallMs >= 450, qPrintable(QString::number(wallMs)));
    const double span = lines.constLast().section(QLatin1Char(' '), 0, 0).toDouble() -
                        lines.constFirst().section(QLatin1Char(' '), 0, 0).toDouble();
    QVERIFY2(span >= (480 - 16) / 960.0, qPrintable(QString::number(span)));

    sim.process.terminate(); // SIGTERM
    QVERIFY(sim.process.waitForFinished(10000));
    QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
    QVERIFY(QFileInfo(folder).isDir());
}

void TestSimProcess::leavesOnCtrlC()
{
    QTemporaryDir tmp;
    const QString link = tmp.filePath(QStringLiteral("COM2"));
    Sim sim;
    QVERIFY(sim.start({QStringLiteral("--headless"), QStringLiteral("--port"), QStringLiteral("2"),
                       QStringLiteral("--config-dir"), tmp.path()},
                      link));
    QCOMPARE(::kill(pid_t(sim.process.processId()), SIGINT), 0);
    QVERIFY(sim.process.waitForFinished(10000));
    QCOMPARE(sim.process.exitStatus(), QProcess::NormalExit);
    QCOMPARE(sim.process.exitCode(), 0);
    QVERIFY(!QFileInfo(link).isSymLink());
}

void TestSimProcess::refusesAnExistingCom1()
{
    QTemporaryDir tmp;
    const QString path = tmp.filePath(QStringLiteral("COM1"));
    QVERIFY(QFile::link(QStringLiteral("/dev/null"), path)); // e.g. the user's own adapter
    QProcess process;
    process.start(binary,
                  {QStringLiteral("--headless"), QStringLiteral("--config-dir"), tmp.path()});
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitStatus(), QProcess::NormalExit);
    QVERIFY(process.exitCode() != 0);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.contains(path) && error.contains(QLatin1String("exists")), qPrintable(error));
    QCOMPARE(QFileInfo(path).symLinkTarget(), QStringLiteral("/dev/null"));
}

void TestSimProcess::probeEcho_data()
{
    QTest::addColumn<bool>("echo");
    QTest::newRow("like a modem") << true;
    QTest::newRow("like the controller") << false;
}

void TestSimProcess::probeEcho()
{
    QFETCH(bool, echo);
    QTemporaryDir tmp;
    const QString link = tmp.filePath(QStringLiteral("COM1"));
    QStringList args{QStringLiteral("--headless"), QStringLiteral("--config-dir"), tmp.path()};
    if (echo)
        args << QStringLiteral("--echo");
    Sim sim;
    QVERIFY(sim.start(args, link));
    const int port = openPort(link);
    QVERIFY(port >= 0);

    // As the program probes: one "B" after opening, then a wait for an answer.
    QCOMPARE(::write(port, "B", 1), ssize_t(1));
    pollfd p{port, POLLIN, 0};
    const bool answered = ::poll(&p, 1, echo ? 5000 : 500) == 1;
    QCOMPARE(answered, echo);
    if (answered) {
        char c = 0;
        QCOMPARE(::read(port, &c, 1), ssize_t(1));
        QCOMPARE(c, 'B');
    }
    // Headless without --log writes to standard output.
    QVERIFY(QTest::qWaitFor([&] { return sim.process.canReadLine(); }, 5000));
    const QString line = QString::fromUtf8(sim.process.readLine()).trimmed();
    QVERIFY2(line.endsWith(QLatin1String(" probe 42")), qPrintable(line));
    ::close(port);
}

void TestSimProcess::refusesABadProfile_data()
{
    QTest::addColumn<QStringList>("args"); // in the folder, where a bad arm.ini is
    QTest::newRow("--profile names no file") << QStringList{"--headless", "--profile", "none.ini"};
    QTest::newRow("arm.ini is bad") << QStringList{"--headless"};
    QTest::newRow("arm.ini is bad, with the window") << QStringList{"-platform", "offscreen"};
}

void TestSimProcess::refusesABadProfile()
{
    QFETCH(QStringList, args);
    QTemporaryDir tmp;
    QFile f(tmp.filePath(QStringLiteral("arm.ini")));
    QVERIFY(f.open(QIODevice::WriteOnly) && f.write("[elbow]\nmx = 200\n") > 0);
    f.close();
    // The message names the file it could not use.
    const QString named = args.contains("--profile") ? args.last() : QStringLiteral("arm.ini");
    QProcess process;
    process.setWorkingDirectory(tmp.path());
    process.start(binary, args << QStringLiteral("--config-dir") << tmp.path());
    QVERIFY(process.waitForFinished(10000));
    QCOMPARE(process.exitCode(), 3);
    const QString error = QString::fromLocal8Bit(process.readAllStandardError());
    QVERIFY2(error.contains(named), qPrintable(error));
    QVERIFY(process.readAllStandardOutput().isEmpty());
    QVERIFY(!QFileInfo::exists(tmp.filePath(QStringLiteral("COM1"))));
}

QTEST_GUILESS_MAIN(TestSimProcess)
#include "test_sim_process.moc"
