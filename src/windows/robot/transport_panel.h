#pragma once
// The main control's buttons: REC, STOP, RUN, PAUSE/CONT, HOME and BACK, each captioned and with
// its picture twin beneath it. A button and its twin are one control to the operator, so they
// are switched by one call, the captioned one first. The buttons are children of the window's
// surface, where they stand; the panel only owns them. REC and RUN colour themselves on the
// mouse press, and their picture twins colour them too; the clicks are the window's.

#include <QObject>
#include <array>

class QPushButton;
class QWidget;

class TransportPanel : public QObject {
    Q_OBJECT
public:
    enum class Button { Rec, Stop, Run, Pause, Home, Back };
    static constexpr int count = 6;

    TransportPanel(QWidget *surface, QObject *parent);

    // The captioned button, then its picture twin.
    void setEnabled(Button button, bool enabled);
    // RUN's layout, in its own order: RUN's twin goes off after PAUSE is on.
    void setRunLayout();
    // The operation whose layout the buttons show. A port chosen again while one is under way
    // must not change what it allows: enable_all then leaves the buttons it governs as its
    // layout has them (RUN's, or REC's, which BACK walks in). The full buffer keeps HOME off
    // until STOP.
    enum class Operation { None, Recording, RecordingFull, Running };
    void setOperation(Operation operation) { m_operation = operation; }
    // The buttons of the motion group, in the group's fixed order (the captioned ones, then
    // the pictures): all off, or on as far as the operation under way allows.
    void setMotionButtonsEnabled(bool enabled);
    // PAUSE or CONT on the captioned button; its picture twin's name follows.
    void setPauseCaption(bool paused);

    // What the mouse's press shows before a click that did not come from the mouse (a game
    // controller's button): REC turns red. RUN's green lasts only while the mouse is held, so
    // such a press shows none.
    void showPressed(Button button);

    QPushButton *button(Button button) const { return m_captioned[index(button)]; }
    QPushButton *twin(Button button) const { return m_picture[index(button)]; }

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    static constexpr int index(Button b) { return static_cast<int>(b); }
    bool allowed(Button b) const;
    // Any mouse button: REC turns red at the press; RUN green at the press, grey at the
    // release (the click, and so the replay, follows the release).
    void Command3_MouseDown();
    void Command5_MouseDown();
    void Command5_MouseUp();
    // robot_names.cpp: what screen readers call the buttons.
    void nameControls();

    std::array<QPushButton *, count> m_captioned{}; // Command3 4 5 6 2, Backbutt
    std::array<QPushButton *, count> m_picture{};   // Command14 15 16 17 18 20
    Operation m_operation = Operation::None;
};
