#pragma once
// The main window with a fake port, scripted dialogs and folders of its own, for window tests.

#include "support/fake_port.h"
#include "support/printing.h"
#include "support/scripted_dialogs.h"
#include "windows/robot/robot.h"

#include <QTemporaryDir>
#include <memory>

class GamePads;

struct RobotHarness {
    QTemporaryDir dir;
    FakePort port;
    ScriptedDialogs dialogs;
    int ended = 0;            // times the program was ended
    GamePads *pads = nullptr; // the window's game controllers; none unless a test gives some
    std::unique_ptr<robot> window;

    // Folders in the temporary folder; a configuration file with every home at 127 unless
    // `config` says otherwise (empty QByteArray: none).
    explicit RobotHarness(const QByteArray &config = defaultConfig());
    Folders folders() const;
    // Creates the window (it is not yet loaded).
    robot &create();
    // Creates and loads the window.
    robot &start();

    // Opens a movement file that holds `records` (buffer indices 1, 2, ...) through File,
    // "Open", as the operator would.
    void openRecords(const Steps &records);

    static QByteArray defaultConfig();
    static QByteArray configWith(const QByteArray &lines);

private:
    int m_opened = 0;
};

// The steps from index `from` to the step count.
Steps stepsOf(const robot &w, int from = 2);
// Puts steps at index 2 onwards, as a recording would have left them, by opening a file whose
// first record, the placeholder slot, is (0, 0).
void setSteps(RobotHarness &h, const Steps &steps);
// Presses REC and moves the base through the positions.
void recordBase(robot &w, std::initializer_list<int> positions);
