#pragma once
// Move Tip To: asks for the point, the pitch and the kind of move, solves and times it by the arm
// profile (tip_move.h) and takes it, inserted before the selection, as one command on the undo
// history.

class EditHistory;
class EditorProfile;
class MotionDocument;
class Notices;
namespace ask {
class Questions;
}

class TipHandlers {
public:
    TipHandlers(MotionDocument &document, EditHistory &history, ask::Questions *questions,
                const Notices &notices, const EditorProfile &profile);

    // A joint move or a straight line of the tool point to the point asked for, from the pose
    // before the selection; the move becomes the selection.
    void moveTipTo();

private:
    MotionDocument &m_document;
    EditHistory &m_history;
    ask::Questions *m_questions;
    const Notices &m_notices;
    const EditorProfile &m_profile;
};
