// A straight line of the tool point, saved as a movement file and played by kestrel-play
// --dry-run: every frame the pass prints leaves the arm in a pose whose tool point lies on the
// line, within the tolerance beyond what the positions allow.

#include "core/edit/tip_line.h"
#include "core/link/frame.h"
#include "core/store/config_file.h"
#include "core/store/movement_file.h"
#include "support/dry_run.h"
#include "support/files.h"

#include <QTemporaryDir>
#include <QTest>
#include <cmath>

class TestTipLinePlay : public QObject {
    Q_OBJECT
private slots:
    void playedFramesKeepTheTipOnTheLine()
    {
        QTemporaryDir dir;
        QVERIFY(writeFile(dir.filePath("robotini.txt"),
                          "======== Velmora ==========\r\nMOTOR1= 150\r\nMOTOR2= 90\r\n"));
        const timing::Pose start =
            timing::passStartPose(config::load(dir.filePath("robotini.txt")).settings);
        const arm::Profile profile = arm::defaults(); // no arm.ini: the player's too
        const arm::Target target{{60, -90, 70}, -30};
        const lines::Planned planned =
            lines::plan(profile, {start, target, 80, moves::Ease::Smooth});
        QVERIFY2(planned.line, qPrintable(planned.error));
        std::vector<Step> records{{0, 0}};
        records.insert(records.end(), planned.line->steps.begin(), planned.line->steps.end());
        const QString file = dir.filePath("line.kmv");
        QVERIFY(writeFile(file, movement::text(records)));

        const QList<frame::Frame> printed = dryRunFrames(dir.path(), file);
        const qsizetype pass = timing::passBytes(records, start) / timing::bytesPerFrame;
        QVERIFY(pass > 0 && printed.size() >= pass);
        const arm::Point a = arm::forward(profile, start).tool, &b = target.point;
        const double length = std::hypot(b.x - a.x, b.y - a.y, b.z - a.z);
        timing::Pose pose = start;
        double farthest = 0;
        for (qsizetype i = printed.size() - pass; i < printed.size(); ++i) {
            pose[size_t(printed[i].channel)] = printed[i].position;
            const arm::Point p = arm::forward(profile, pose).tool;
            const double s = std::clamp(((p.x - a.x) * (b.x - a.x) + (p.y - a.y) * (b.y - a.y) +
                                         (p.z - a.z) * (b.z - a.z)) /
                                            (length * length),
                                        0.0, 1.0);
            farthest = std::max(farthest,
                                std::hypot(p.x - a.x - (b.x - a.x) * s, p.y - a.y - (b.y - a.y) * s,
                                           p.z - a.z - (b.z - a.z) * s));
        }
        QVERIFY2(farthest <= lines::tolerance + planned.line->bound + 1e-9,
                 qPrintable(QString::number(farthest)));
        QCOMPARE(pose, planned.line->end);
    }
};

QTEST_GUILESS_MAIN(TestTipLinePlay)
#include "test_tip_line_play.moc"
