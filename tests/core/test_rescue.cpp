// The steps of recovery: the snapshots left behind are offered newest first, a declined one is
// removed, the taken one only once its work is safe elsewhere, and the rest wait; a taken one is
// recovered on top of its file as it is on disk; an editor's own snapshot is kept while the
// motion differs from the saved one, and trouble keeping it is said once.

#include "core/edit/rescue.h"
#include "support/edit_files.h"
#include "support/files.h"

#include <QFile>
#include <QTemporaryDir>
#include <QTest>

namespace {

const recovery::Snapshot older{QStringLiteral("/a/m.kmv"), {{0, 10}, {1, 20}}, 1, 0};
const recovery::Snapshot newer{QString(), {{4, 200}, {2, 7}, {2, 8}}, 3, -1};

// Two editors that ended without closing: `older` a minute before `newer`.
void leaveTwo(const QString &folder)
{
    QString path;
    {
        recovery::Keeper k(folder);
        QVERIFY(k.save(older).ok);
        path = k.snapshotPath();
    }
    QFile f(path);
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-60),
                          QFileDevice::FileModificationTime));
    f.close();
    recovery::Keeper k(folder);
    QVERIFY(k.save(newer).ok);
}

} // namespace

class TestRescue : public QObject {
    Q_OBJECT
private slots:
    void offer_data();
    void offer();
    void savedState();
    void setAsideText();
    void keep();
};

void TestRescue::offer_data()
{
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<bool>("safe"); // what take says
    QTest::addColumn<int>("asked");
    QTest::addColumn<int>("taken"); // records of the one taken; 0: none
    QTest::addColumn<int>("left");  // snapshots still on disk
    QTest::newRow("both declined: both go") << QList<bool>{false, false} << true << 2 << 0 << 0;
    QTest::newRow("newest taken and safe: it goes, the older waits")
        << QList<bool>{true} << true << 1 << 3 << 1;
    QTest::newRow("newest taken, not safe: it stays") << QList<bool>{true} << false << 1 << 3 << 2;
    QTest::newRow("newest declined, older taken")
        << QList<bool>{false, true} << true << 2 << 2 << 0;
}

void TestRescue::offer()
{
    QFETCH(QList<bool>, answers);
    QFETCH(bool, safe);
    QFETCH(int, asked);
    QFETCH(int, taken);
    QFETCH(int, left);
    QTemporaryDir dir;
    leaveTwo(dir.path());
    QStringList questions;
    int took = 0;
    const recovery::Offered offered = recovery::offer(
        dir.path(),
        [&](const recovery::LeftBehind &l) {
            questions << recovery::offerText(l);
            return answers.value(questions.size() - 1);
        },
        [&](const recovery::Snapshot &s) {
            took = int(s.records.size());
            return safe;
        });
    QCOMPARE(offered.taken, taken > 0);
    QCOMPARE(offered.setAside, QString());
    QCOMPARE(questions.size(), asked);
    QCOMPARE(took, taken);
    QCOMPARE(int(recoverySnapshots(dir.path()).size()), left);
    QVERIFY2(questions[0].startsWith("Kestrel Edit ended without saving the changes to a new "
                                     "motion (3 records), last kept "),
             qPrintable(questions[0]));
    QVERIFY(questions[0].endsWith(QChar(13) + QStringLiteral("Recover them?")));
    if (asked > 1)
        QVERIFY2(questions[1].contains("to '/a/m.kmv' (2 records)"), qPrintable(questions[1]));
}

void TestRescue::savedState()
{
    QTemporaryDir dir;
    const QString file = dir.filePath("m.kmv");
    const std::vector<Step> onDisk{{0, 1}, {3, 90}};
    QVERIFY(writeFile(file, movementText(onDisk)));
    QCOMPARE(recovery::savedState({file, {{1, 1}}, 1, 0}), onDisk);
    QCOMPARE(recovery::savedState({dir.filePath("gone.kmv"), {{1, 1}}, 1, 0}), std::vector<Step>{});
    QCOMPARE(recovery::savedState({QString(), {{1, 1}}, 1, -1}), std::vector<Step>{});
}

void TestRescue::setAsideText()
{
    QCOMPARE(recovery::setAsideText(1, "/s"),
             "A damaged recovery snapshot could not be offered: it was set aside as "
             "'/s/damaged.snapshot'.");
    QCOMPARE(recovery::setAsideText(3, "/s"),
             "3 damaged recovery snapshots could not be offered: the newest was set aside as "
             "'/s/damaged.snapshot', the others removed.");
}

void TestRescue::keep()
{
    QTemporaryDir dir;
    recovery::Rescue rescue(dir.path());
    recovery::Kept k = rescue.keep(newer, false);
    QVERIFY(k.ok && k.message.isEmpty());
    QCOMPARE(int(recoverySnapshots(dir.path()).size()), 1);
    k = rescue.keep(newer, true); // as saved: nothing to rescue
    QVERIFY(k.ok);
    QVERIFY(recoverySnapshots(dir.path()).empty());

    // A folder that cannot be made (a file is in its way): said once, then only refused.
    const QString blocked = dir.filePath("file/state");
    QVERIFY(writeFile(dir.filePath("file"), "x"));
    recovery::Rescue troubled(blocked);
    k = troubled.keep(newer, false);
    QVERIFY(!k.ok);
    QVERIFY2(k.message.startsWith("Cannot keep a copy of the motion for recovery in '" + blocked +
                                  "'" + QChar(13)),
             qPrintable(k.message));
    k = troubled.keep(newer, false);
    QVERIFY(!k.ok && k.message.isEmpty());
}

QTEST_GUILESS_MAIN(TestRescue)
#include "test_rescue.moc"
