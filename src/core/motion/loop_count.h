#pragma once
// The loop count: how many passes a replay has left, counting the one under way, as the box
// Text5 and the slider HScroll3 show it. The number is what the replay counts down; the text is
// only what the box shows, which may be a count the operator typed as a fraction ("5.4" where
// the slider stands at 5 stays as typed).

#include <QString>

class LoopCount {
public:
    // The passes left, counting the current one.
    int passes() const { return m_passes; }
    // Where the slider stands, 1..100.
    int slider() const { return m_slider; }
    // What the box shows.
    const QString &text() const { return m_text; }

    // A text put into the box, by the operator or the program, under the box's rule: a count of
    // 1..100 is accepted and moves the slider, whose own count then replaces a text that rounds
    // elsewhere; 0 becomes 1; anything else (a word, an empty box, 101, -3, 0.3) gives back the
    // last accepted text. A text that rounds to where the slider stands stays as it was typed.
    void enter(const QString &text);
    // A count the program puts in the box (a replay counting down, a player's --loops): taken as
    // it stands, beyond the slider's range too. The slider follows where it can.
    void set(int count);

private:
    void accept(int count);

    int m_passes = 1;
    int m_slider = 1;
    QString m_text = QStringLiteral("1");
    QString m_accepted = QStringLiteral("1"); // given back for a refused text
};
