// The pads through SDL, with SDL's virtual joystick standing for a pad: SDL starts only what
// the game-controller layer needs and leaves the signals alone; a pad plugged in or out is
// noticed by the readings' own timer; sticks, triggers and buttons read as the table names them.

#include "core/pad/game_pads.h"
#include "support/virtual_pad.h"

#include <QSignalSpy>
#include <QTemporaryDir>
#include <QTest>
#include <SDL.h>
#include <csignal>

using pad::Button;
using pad::Stick;

class TestGamePads : public QObject {
    Q_OBJECT
private slots:
    void startsOnlyTheControllerLayer();
    void plugInReadAndUnplug();
    void aRestingPadSleepsUntilItsNodeStirs();
};

namespace {

void (*handlerOf(int signal))(int)
{
    struct sigaction now {};
    sigaction(signal, nullptr, &now);
    return now.sa_handler;
}

} // namespace

void TestGamePads::startsOnlyTheControllerLayer()
{
    const auto marked = [](int) {};
    std::signal(SIGINT, +marked);
    std::signal(SIGTERM, +marked);
    GamePads pads;
    QVERIFY2(pads.start(), qPrintable(pads.error()));
    QCOMPARE(SDL_WasInit(SDL_INIT_EVERYTHING),
             Uint32(SDL_INIT_GAMECONTROLLER | SDL_INIT_JOYSTICK | SDL_INIT_EVENTS));
    QVERIFY(handlerOf(SIGINT) == +marked);
    QVERIFY(handlerOf(SIGTERM) == +marked);
    QVERIFY(pads.name().isEmpty());
    QVERIFY(pads.status().isEmpty());
    std::signal(SIGINT, SIG_DFL);
    std::signal(SIGTERM, SIG_DFL);
}

void TestGamePads::plugInReadAndUnplug()
{
    GamePads pads;
    QVERIFY(pads.start());
    QSignalSpy changed(&pads, &GamePads::padChanged);
    QSignalSpy moved(&pads, &GamePads::moved);
    QSignalSpy pressed(&pads, &GamePads::pressed);

    // Plugged in: the idle readings notice it within a second, with no help.
    auto virtualPad = std::make_unique<VirtualPad>();
    QVERIFY(virtualPad->plugged());
    QVERIFY(changed.wait(1000 + GamePads::idleMs));
    QCOMPARE(changed.last().at(0).toString(), QString::fromLatin1(VirtualPad::name));
    QCOMPARE(pads.status(), QStringLiteral("Game controller: %1").arg(VirtualPad::name));

    // Up is up, a trigger runs from 0, and a resting pad announces nothing.
    pads.poll();
    QCOMPARE(moved.count(), 0);
    virtualPad->set(Stick::LeftY, 20000);
    virtualPad->set(Stick::RightTrigger, 32767);
    virtualPad->set(Button::Start, true);
    pads.poll();
    QCOMPARE(pads.state().stick(Stick::LeftY), 20000);
    QCOMPARE(pads.state().stick(Stick::RightTrigger), 32767);
    QCOMPARE(pads.state().stick(Stick::LeftTrigger), 0);
    QVERIFY(pads.state().held(Button::Start));
    QCOMPARE(moved.count(), 1);
    QCOMPARE(pressed.count(), 1);
    QCOMPARE(pressed.last().at(0).value<Button>(), Button::Start);
    pads.poll(); // held: a reading each time, no second press
    QCOMPARE(moved.count(), 2);
    QCOMPARE(pressed.count(), 1);

    // Pulled out while held: gone, and at rest.
    virtualPad.reset();
    QVERIFY(changed.wait(1000 + GamePads::idleMs));
    QVERIFY(changed.last().at(0).toString().isEmpty());
    QVERIFY(pads.status().isEmpty());
    QVERIFY(pad::resting(moved.last().at(0).value<pad::State>()));
}

void TestGamePads::aRestingPadSleepsUntilItsNodeStirs()
{
    QTemporaryDir dir;
    PadsWithNode pads(dir.filePath(QStringLiteral("event7")));
    QVERIFY(pads.start());
    QSignalSpy changed(&pads, &GamePads::padChanged);
    QSignalSpy moved(&pads, &GamePads::moved);
    VirtualPad virtualPad;
    QVERIFY(changed.wait(1000 + GamePads::idleMs));
    QVERIFY(!pads.polling()); // at rest, nothing but the node wakes the program

    QVERIFY(pads.openWriter());
    virtualPad.set(Stick::LeftX, 30000);
    pads.stir();
    QVERIFY(moved.wait(5000));
    QVERIFY(pads.polling()); // held over: read at the line's pace
    virtualPad.set(Stick::LeftX, 0);
    QTRY_VERIFY(!pads.polling());

    // The node fails (the pad pulled out): the timer reads the pad again, so SDL can tell.
    pads.closeWriter();
    QTRY_VERIFY(pads.polling());
}

QTEST_GUILESS_MAIN(TestGamePads)
#include "test_game_pads.moc"
