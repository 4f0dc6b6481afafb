// kestrel-edit --solve run as a script runs it, with no display: its two lines are arm::solve's
// answer for the same profile and pose to stay near, an unreachable target's reason is on
// standard error alone, and command lines that cannot be used end with 2.

#include "core/arm/inverse.h"
#include "core/arm/named_poses.h"
#include "core/arm/profile_file.h"
#include "support/files.h"
#include "support/no_display.h"

#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

namespace {

struct Ran {
    int status = -1;
    QString out, err;
};

// The answer as a user reads it: two decimals, and no minus on a zero.
QString printed(double v)
{
    const QString text = QString::number(v, 'f', 2);
    return text == "-0.00" ? QStringLiteral("0.00") : text;
}

QString expectedLines(const arm::Solution &s)
{
    QStringList positions;
    for (const int p : s.pose)
        positions << QString::number(p);
    return positions.join(' ') + '\n' + printed(s.reached.tool.x) + ' ' +
           printed(s.reached.tool.y) + ' ' + printed(s.reached.tool.z) + ' ' + printed(s.distance) +
           '\n';
}

arm::Target targetOf(const QString &text)
{
    const QStringList v = text.split(',');
    return {{v[0].toDouble(), v[1].toDouble(), v[2].toDouble()}, v[3].toDouble()};
}

} // namespace

class TestSolve : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;

    Ran edit(const QStringList &args)
    {
        QProcess p;
        p.setProcessEnvironment(environmentWithoutDisplay());
        p.start(KESTREL_EDIT_BINARY, QStringList{"--config-dir", m_dir.path()} + args);
        if (!p.waitForFinished(30000))
            return {};
        return {p.exitCode(), QString::fromUtf8(p.readAllStandardOutput()),
                QString::fromUtf8(p.readAllStandardError())};
    }

    arm::Profile profile(const QString &file)
    {
        return arm::load(file.isEmpty() ? m_dir.filePath("arm.ini") : m_dir.filePath(file), false)
            .profile;
    }

private slots:
    void initTestCase()
    {
        // A degree a position about 127.5 on every joint, so the elbow bends both ways; and an
        // odd arm with a table and narrow limits, named by --profile.
        QByteArray even = "[arm]\nshoulder_height_mm = 50\nupper_arm_mm = 100\nforearm_mm = 80\n"
                          "hand_mm = 40\n";
        for (const char *joint : {"base", "shoulder", "elbow", "wrist", "grip"})
            even += QByteArray("[") + joint + "]\nat_0 = -127.5\nat_255 = 127.5\n";
        QVERIFY(writeFile(m_dir.filePath("arm.ini"), even + "min = 10\nmax = 240\n"));
        QVERIFY(writeFile(m_dir.filePath("odd.ini"),
                          "[arm]\nshoulder_height_mm = 73.5\nupper_arm_mm = 121\nforearm_mm = "
                          "97.25\nhand_mm = 55\ntable_mm = 5\n[base]\nat_0 = -100\nat_255 = 80\n"
                          "min = 10\nmax = 240\n[shoulder]\nat_0 = 200\nat_255 = -10\nmin = 20\n"
                          "max = 230\n[elbow]\nat_0 = -150\nat_255 = 40\nmin = 5\nmax = 250\n"
                          "[wrist]\nat_0 = 95\nat_255 = -95\nmin = 30\nmax = 220\n"));
    }

    void answersAsTheSolve_data()
    {
        QTest::addColumn<QString>("profile"); // empty: arm.ini in the configuration folder
        QTest::addColumn<QString>("target");
        QTest::addColumn<QString>("from");
        QTest::newRow("elbow up") << ""
                                  << "150,40,90,-20"
                                  << "";
        QTest::newRow("elbow down, near a pose") << ""
                                                 << "150,40,90,-20"
                                                 << "127,40,200,127,90";
        // The tool point's y lands a hair below zero, which prints as 0.00.
        QTest::newRow("over the base, pointing down") << ""
                                                      << "0,0,100,-90"
                                                      << "";
        QTest::newRow("--profile") << "odd.ini"
                                   << "120.3,-35.7,80.2,-30"
                                   << "";
    }

    void answersAsTheSolve()
    {
        QFETCH(QString, profile);
        QFETCH(QString, target);
        QFETCH(QString, from);
        QStringList args{"--solve", target};
        if (!profile.isEmpty())
            args << "--profile" << m_dir.filePath(profile);
        if (!from.isEmpty())
            args << "--from" << from;
        const arm::Solved solved =
            arm::solve(this->profile(profile), targetOf(target),
                       from.isEmpty() ? std::nullopt : std::optional(*arm::positionsFrom(from)));
        QVERIFY2(solved.solution, qPrintable(solved.error));
        const Ran ran = edit(args);
        QCOMPARE(ran.status, 0);
        QCOMPARE(ran.out, expectedLines(*solved.solution));
        QCOMPARE(ran.err, QString());
    }

    // The pose to stay near reaches the solve: its elbow and its grip are kept.
    void fromKeepsElbowAndGrip()
    {
        const Ran up = edit({"--solve", "150,40,90,-20"});
        const Ran down = edit({"--solve", "150,40,90,-20", "--from", "127,40,200,127,90"});
        QCOMPARE(up.status, 0);
        QCOMPARE(down.status, 0);
        const QStringList a = up.out.split(' '), b = down.out.split(' ');
        QVERIFY2(a[2].toInt() < 127 && b[2].toInt() > 127, qPrintable(up.out + down.out));
        QCOMPARE(a[4].section('\n', 0, 0), "127");
        QCOMPARE(b[4].section('\n', 0, 0), "90");
    }

    void unreachableSaysWhy()
    {
        const arm::Target target{{300, 0, 50}, 0};
        const Ran ran = edit({"--solve", "300,0,50,0"});
        QCOMPARE(ran.status, 3);
        QCOMPARE(ran.out, QString());
        QCOMPARE(ran.err, "kestrel-edit: " + arm::solve(profile({}), target).error + '\n');
        QVERIFY2(ran.err.contains("beyond the arm's reach"), qPrintable(ran.err));
    }

    void badCommandLines_data()
    {
        QTest::addColumn<QStringList>("args");
        QTest::addColumn<QString>("says");
        const QString target = "150,40,90,-20";
        for (const char *bad : {"150,40,90", "150,40,90,-20,0", "150,x,90,-20", "nan,40,90,-20",
                                "150,inf,90,-20", "", "150;40;90;-20"})
            QTest::newRow(qPrintable(QStringLiteral("--solve ") + bad))
                << QStringList{"--solve", bad} << "--solve takes four numbers";
        for (const char *bad : {"127,127,127,127", "127,127,256,127,127", "127,127,-1,127,127",
                                "127,127,12.5,127,127", "up"})
            QTest::newRow(qPrintable(QStringLiteral("--from ") + bad))
                << QStringList{"--solve", target, "--from", bad} << "--from takes five whole";
        QTest::newRow("--from outside the limits")
            << QStringList{"--solve", target, "--from", "127,127,127,127,250"}
            << "--from puts the grip at 250, above its max 240 in the arm profile";
        QTest::newRow("--from alone")
            << QStringList{"--from", "127,127,127,127,127"} << "--from goes with --solve.";
        QTest::newRow("with --export") << QStringList{"--solve", target, "--export", "csv"}
                                       << "--export does not go with --solve";
        QTest::newRow("with -o") << QStringList{"--solve", target, "-o", "out.kmv"}
                                 << "--output does not go with --solve";
        QTest::newRow("with a movement file")
            << QStringList{"--solve", target, "m.kmv"} << "--solve reads no movement file";
        QTest::newRow("no target") << QStringList{"--solve"} << "Missing value after '--solve'";
    }

    void badCommandLines()
    {
        QFETCH(QStringList, args);
        QFETCH(QString, says);
        const Ran ran = edit(args);
        QCOMPARE(ran.status, 2);
        QCOMPARE(ran.out, QString());
        QVERIFY2(ran.err.startsWith("kestrel-edit: " + says), qPrintable(ran.err));
    }
};

QTEST_GUILESS_MAIN(TestSolve)
#include "test_solve.moc"
