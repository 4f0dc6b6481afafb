// kestrel-edit --move-to run as a script runs it, then kestrel-play --dry-run on what it wrote:
// the appended move's frames come out at exactly the bytes the pass timing gives its steps, and a
// move the caps refuse, or to a pose the profile does not name, leaves the output as it was.

#include "core/arm/profile_file.h"
#include "core/edit/path_steps.h"
#include "core/edit/timed_move.h"
#include "core/link/frame.h"
#include "core/store/movement_file.h"
#include "support/dry_run.h"
#include "support/files.h"

#include <QFile>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>

class TestMoveTo : public QObject {
    Q_OBJECT
    QTemporaryDir m_dir;
    QString m_motion;

    // kestrel-edit's exit status, its standard error in *err.
    int edit(const QStringList &args, QString *err)
    {
        QProcess p;
        p.start(KESTREL_EDIT_BINARY, QStringList{"--config-dir", m_dir.path()} + args);
        if (!p.waitForFinished(30000))
            return -1;
        *err = QString::fromLocal8Bit(p.readAllStandardError());
        return p.exitCode();
    }

private slots:
    void initTestCase()
    {
        QByteArray caps;
        for (const char *joint : {"base", "shoulder", "elbow", "wrist", "grip"})
            caps += QByteArray("[") + joint + "]\nmax_speed = 90\nmax_accel = 360\n";
        QVERIFY(writeFile(m_dir.filePath("arm.ini"), caps + "[poses]\nlift = 200,40,180,90,10\n"));
        QVERIFY(writeFile(m_dir.filePath("robotini.txt"),
                          "======== Velmora ==========\r\nMOTOR0= 100\r\nMOTOR3= 140.5\r\n"));
        m_motion = m_dir.filePath("m.kmv");
        QVERIFY(writeFile(m_motion, "0,0\r\n0,127\r\n1,150\r\n2,100\r\n7,3\r\n4,60\r\n"));
    }

    void appendedMovePlaysAtItsTimes()
    {
        const QString out = m_dir.filePath("out.kmv");
        QString err;
        QCOMPARE(edit({"--move-to", "200,40,180,90,10", "--seconds", "1.5", "--ease", "trapezoid",
                       "-o", out, m_motion},
                      &err),
                 0);
        const std::vector<Step> before = movement::load(m_motion).records;
        const std::vector<Step> after = movement::load(out).records;
        QVERIFY(after.size() > before.size());
        QVERIFY(std::equal(before.begin(), before.end(), after.begin()));
        const std::vector<Step> move(after.begin() + qsizetype(before.size()), after.end());

        // The move the core plans from where the file's pass ends, under the profile's caps.
        const timing::Pose start =
            timing::passStartPose(config::load(m_dir.filePath("robotini.txt")).settings);
        const timing::Pass pass = timing::firstPass(before, start);
        const timing::Pose from = pass.steps.back().pose;
        const moves::Planned planned =
            moves::plan(arm::load(m_dir.filePath("arm.ini"), false).profile,
                        {from, {200, 40, 180, 90, 10}, moves::Ease::Trapezoid, 1.5});
        QVERIFY2(planned.path, qPrintable(planned.error));
        QVERIFY(move == moves::steps(*planned.path));
        // The same pose by its name in the profile.
        const QString named = m_dir.filePath("named.kmv");
        QCOMPARE(edit({"--move-to", "lift", "--seconds", "1.5", "--ease", "trapezoid", "-o", named,
                       m_motion},
                      &err),
                 0);
        QCOMPARE(readAll(named), readAll(out));

        const QList<frame::Frame> printed = dryRunFrames(m_dir.path(), out);
        QVERIFY(!printed.isEmpty());
        // The move's frames end the dry run; each step's fill the frames up to the next one's.
        const std::vector<moves::StepTime> times = moves::stepTimes(move, from);
        const qsizetype moveFrom = printed.size() -
                                   timing::passBytes(after, start) / timing::bytesPerFrame +
                                   pass.totalBytes / timing::bytesPerFrame;
        const auto frameOf = [&](std::size_t k) {
            return moveFrom +
                   qRound(times[k].seconds * timing::bytesPerSecond) / timing::bytesPerFrame;
        };
        for (std::size_t k = 0; k < move.size(); ++k) {
            const qsizetype next = k + 1 < move.size() ? frameOf(k + 1) : printed.size();
            QVERIFY(next > frameOf(k));
            for (qsizetype i = frameOf(k); i < next; ++i)
                QCOMPARE(printed.at(i), (frame::Frame{move[k].channel, move[k].position}));
        }
    }

    void refusedMoveLeavesTheOutput()
    {
        const QString kept = m_dir.filePath("kept.kmv");
        QVERIFY(writeFile(kept, "0,0\r\n1,1\r\n"));
        const QString absent = m_dir.filePath("absent.kmv");
        for (const QString &out : {kept, absent}) {
            QString err;
            QCOMPARE(edit({"--move-to", "255,0,255,0,255", "--seconds", "0.2", "-o", out, m_motion},
                          &err),
                     3);
            QVERIFY2(err.contains("is too quick for the joints' caps"), qPrintable(err));
            QCOMPARE(edit({"--move-to", "nowhere", "-o", out, m_motion}, &err), 3);
            QVERIFY2(err.contains("has no pose named 'nowhere'"), qPrintable(err));
        }
        QCOMPARE(readAll(kept), QByteArray("0,0\r\n1,1\r\n"));
        QVERIFY(!QFile::exists(absent));
    }
};

QTEST_GUILESS_MAIN(TestMoveTo)
#include "test_move_to.moc"
