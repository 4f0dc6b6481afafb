// A game controller in the editor, offscreen, SDL's virtual joystick for a pad: a held stick jogs
// a joint of the preview's pose up to its limit, or after Y the tool point; A inserts a timed move
// to the pose, B shows the clock's; the status bar names the pad. How far a stick goes is core's.

#include "core/edit/timed_edits.h"
#include "core/pad/game_pads.h"
#include "edit/window/editor_window.h"
#include "edit/window/preview_panel.h"
#include "scripted_questions.h"
#include "support/scripted_dialogs.h"
#include "support/virtual_pad.h"

#include <QLabel>
#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <cmath>

using pad::Button;
using pad::Stick;

class TestEditPad : public QObject {
    Q_OBJECT
private slots:
    void jointsInsertAndTheClock();
    void toolPointAndStatus();
};

namespace {

struct Editor {
    explicit Editor(GamePads *pads)
        : window({.dialogs = &dialogs,
                  .questions = &questions,
                  .stateFolder = dir.filePath(QStringLiteral("state")),
                  .settings = {},
                  .profilePath = dir.filePath(QStringLiteral("arm.ini")),
                  .pads = pads})
    {
        // The timed moves are timed by the caps, so none asks for a duration.
        arm::Profile capped = arm::defaults();
        for (arm::Joint &j : capped.joints)
            j.maxSpeed = 180.0;
        window.profile().set(capped);
    }
    PreviewPanel *preview() const { return window.findChild<PreviewPanel *>("preview"); }
    QLabel *status() const { return window.findChild<QLabel *>(QStringLiteral("padStatus")); }
    arm::Point tool() { return arm::forward(window.profile().profile(), preview()->pose()).tool; }

    QTemporaryDir dir;
    ScriptedDialogs dialogs;
    ScriptedQuestions questions;
    EditorWindow window;
};

// A button pressed, or a stick pushed full up or right, for one reading.
template <typename Control> void tap(GamePads &pads, VirtualPad &pad, Control control)
{
    if constexpr (std::is_same_v<Control, Button>)
        pad.set(control, true);
    else
        pad.set(control, 32767);
    pads.poll();
    pad.set(control, {});
    pads.poll();
}

} // namespace

void TestEditPad::jointsInsertAndTheClock()
{
    GamePads pads;
    QVERIFY2(pads.start(), qPrintable(pads.error()));
    Editor e(&pads);
    MotionDocument &doc = e.window.document();
    const timing::Pose clock = e.preview()->pose();
    arm::Profile profile = e.window.profile().profile();
    profile.joints[axes::Base].max = clock[axes::Base] + 3;
    e.window.profile().set(profile);
    VirtualPad pad;
    pads.poll();
    QSignalSpy moved(&pads, &GamePads::moved);
    pad.set(Stick::LeftX, 32767);
    pads.poll();
    QCOMPARE(e.preview()->pose()[axes::Base], clock[axes::Base] + 1); // at once
    QTRY_COMPARE(e.preview()->pose()[axes::Base], clock[axes::Base] + 3);
    // Many readings later (each a frame's time; three made the limit) it has gone no further.
    QTRY_VERIFY(moved.count() > 25);
    pad.set(Stick::LeftX, 0);
    pads.poll();
    timing::Pose jogged = clock;
    jogged[axes::Base] += 3;
    QCOMPARE(e.preview()->pose(), jogged);
    tap(pads, pad, Button::B);
    QCOMPARE(e.preview()->pose(), clock);
    QVERIFY(!e.preview()->showingGiven());

    tap(pads, pad, Stick::RightY); // the elbow's thumb up: its position down
    jogged = clock;
    --jogged[axes::Elbow];
    const auto planned = moves::plan(
        profile, {edits::poseBeforeSelection(doc), jogged, moves::Ease::Smooth, std::nullopt});
    QVERIFY(planned.path);
    const edits::Edited made = edits::timedMoveBeforeSelection(doc, *planned.path);
    tap(pads, pad, Button::A);
    QCOMPARE(doc.records(), made.records);
    QCOMPARE(e.window.undoStack().count(), 1);
    e.window.action(QStringLiteral("undo"))->trigger();
    QVERIFY(doc.records().empty());
}

void TestEditPad::toolPointAndStatus()
{
    QVERIFY(!Editor(nullptr).status()); // no pads: nothing of the editor changes
    GamePads pads;
    QVERIFY(pads.start());
    Editor e(&pads);
    auto pad = std::make_unique<VirtualPad>();
    pads.poll();
    QCOMPARE(e.status()->text(),
             QStringLiteral("Game controller: %1, jogging joints").arg(VirtualPad::name));
    QVERIFY(!e.status()->isHidden());
    tap(pads, *pad, Button::Y);
    QVERIFY(e.status()->text().endsWith(QStringLiteral(", jogging the tool point")));

    const arm::Point start = e.tool();
    pad->set(Stick::LeftY, 32767); // up: away from the base, along x
    QTRY_VERIFY(e.tool().x > start.x + 3);
    QVERIFY(std::hypot(e.tool().y - start.y, e.tool().z - start.z) < 1);
    pad.reset();
    pads.poll();
    QVERIFY(e.status()->isHidden());
}

QTEST_MAIN(TestEditPad)
#include "test_edit_pad.moc"
