// The edits as the menus make them: each gives the records core's pure edit makes of the
// selection, and the selection after it (the copy, the holds, the walk, the range); an edit that
// would leave more than the editor keeps is refused with its message.

#include "core/edit/motion_document.h"
#include "core/edit/selection_edits.h"

#include <QTest>
#include <functional>

namespace {

const timing::Pose start{127, 127, 127, 127, 127};

// Records 1..n: channel i % 6 (5 is a channel no servo hangs off), position 10 + 3i.
std::vector<Step> motion(int n)
{
    std::vector<Step> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Step{qint16(i % 6), qint16((10 + 3 * i) % 256)});
    return r;
}

using Edit = std::function<edits::Edited(const MotionDocument &)>;

} // namespace

Q_DECLARE_METATYPE(Edit)
Q_DECLARE_METATYPE(edits::Range)
Q_DECLARE_METATYPE(std::vector<Step>)

class TestSelectionEdits : public QObject {
    Q_OBJECT
private slots:
    void editGivesRecordsAndSelection_data();
    void editGivesRecordsAndSelection();
    void refusesTooManyRecords();
};

void TestSelectionEdits::editGivesRecordsAndSelection_data()
{
    QTest::addColumn<edits::Range>("selected");
    QTest::addColumn<Edit>("edit");
    QTest::addColumn<std::vector<Step>>("records");
    QTest::addColumn<edits::Range>("after");
    const std::vector<Step> m = motion(30);
    const edits::Range r{3, 6};
    const std::vector<Step> clip{{1, 1}, {2, 2}};
    const auto grown = [&](const std::vector<Step> &a) {
        return edits::Range{3, 6 + int(a.size()) - 30};
    };
    const auto added = [](int first, const std::vector<Step> &a) {
        return edits::Range{first, int(a.size()) - 30};
    };

    QTest::newRow("delete: the place where it was")
        << r << Edit(edits::deleteSelected) << edits::removed(m, r) << edits::Range{3, 0};
    QTest::newRow("paste after the range: the clip")
        << r << Edit([clip](auto &d) { return edits::paste(d, clip); }) << edits::inserted(m, 9, clip)
        << edits::Range{9, 2};
    QTest::newRow("paste at the end")
        << edits::Range{30, 0} << Edit([clip](auto &d) { return edits::paste(d, clip); })
        << edits::inserted(m, 30, clip) << edits::Range{30, 2};
    QTest::newRow("duplicate: the copy")
        << r << Edit(edits::duplicateSelected) << edits::duplicated(m, r) << edits::Range{9, 6};
    QTest::newRow("reverse: the range")
        << r << Edit(edits::reverseSelected) << edits::reversed(m, r) << r;
    QTest::newRow("set") << r << Edit([](auto &d) { return edits::setSelected(d, 4, 200); })
                         << edits::positionsSet(m, r, 4, 200) << r;
    QTest::newRow("offset") << r << Edit([](auto &d) { return edits::offsetSelected(d, 1, -50); })
                            << edits::positionsOffset(m, r, 1, -50) << r;
    QTest::newRow("scale") << r << Edit([](auto &d) { return edits::scaleSelected(d, 3, 2.5, 20); })
                           << edits::positionsScaled(m, r, 3, 2.5, 20) << r;
    const auto hold = edits::holdInserted(m, 3, 60, start);
    QTest::newRow("hold: the holds")
        << r << Edit([](auto &d) { return edits::holdBeforeSelection(d, 60); }) << hold
        << added(3, hold);
    const auto firstHold = edits::holdInserted(m, 0, 5, start);
    QTest::newRow("hold before record 1: after it")
        << edits::Range{0, 0} << Edit([](auto &d) { return edits::holdBeforeSelection(d, 5); })
        << firstHold << added(1, firstHold);
    const auto slow = edits::slowed(m, r, 3, start);
    QTest::newRow("slow: the range and its holds")
        << r << Edit([](auto &d) { return edits::slowSelected(d, 3); }) << slow << grown(slow);
    const timing::Pose target{0, 255, 10, 100, 140};
    const auto pose = edits::poseMoveInserted(m, 3, edits::poseAfter(m, 2, start), target,
                                              edits::PoseOrder::Interleaved, 2);
    QTest::newRow("move to pose: the walk") << r << Edit([target](auto &d) {
        return edits::poseMoveBeforeSelection(d, target, edits::PoseOrder::Interleaved, 2);
    }) << pose << added(3, pose);
    const auto smooth = edits::smoothed(m, r, 2, 1, start);
    QTest::newRow("smooth: the range and its walks")
        << r << Edit([](auto &d) { return edits::smoothSelected(d, 2, 1); }) << smooth
        << grown(smooth);
}

void TestSelectionEdits::editGivesRecordsAndSelection()
{
    QFETCH(edits::Range, selected);
    QFETCH(Edit, edit);
    QFETCH(std::vector<Step>, records);
    QFETCH(edits::Range, after);
    MotionDocument d(start);
    d.setState(motion(30), selected);
    const edits::Edited e = edit(d);
    QVERIFY(e.records != d.records());
    QCOMPARE(e.records, records);
    QCOMPARE(e.selection.first, after.first);
    QCOMPARE(e.selection.count, after.count);
    QVERIFY(edits::refusal(QStringLiteral("Edit"), e).isEmpty());
}

void TestSelectionEdits::refusesTooManyRecords()
{
    edits::Edited e{std::vector<Step>(size_t(edits::mostRecords), Step{0, 1}), {0, 0}};
    QVERIFY(edits::refusal(QStringLiteral("Insert Hold"), e).isEmpty());
    e.records.push_back(Step{0, 1});
    QCOMPARE(edits::refusal(QStringLiteral("Insert Hold"), e),
             QStringLiteral("Insert Hold would make 250001 records; the editor keeps at most "
                            "250000. Nothing was changed."));
}

QTEST_GUILESS_MAIN(TestSelectionEdits)
#include "test_selection_edits.moc"
