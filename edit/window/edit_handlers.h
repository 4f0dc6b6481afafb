#pragma once
// The Edit, Positions and Timing menus' handlers: each asks for what it needs, calls core's edit
// (selection_edits.h, fit_to_limits.h), which says what the records and the selection become, and
// takes the result as one command on the undo history.

#include "core/edit/selection_edits.h"

class EditHistory;
class EditorProfile;
class MotionDocument;
class Notices;
namespace ask {
class Questions;
}

class EditHandlers {
public:
    EditHandlers(MotionDocument &document, EditHistory &history, ask::Questions *questions,
                 const Notices &notices, const EditorProfile &profile);

    void deleteSteps();
    void cutSteps();
    void copySteps();
    void pasteSteps();
    void duplicateSteps();
    void reverseSteps();
    void selectAll();
    void setPositions();
    void offsetPositions();
    void scalePositions();
    void insertHold();
    void slowDown();
    void moveToPose();
    void smoothSteps();
    // The whole motion into the arm's limits (fit_to_limits.h), or a word that nothing needed it.
    void fitToLimits();

private:
    void changePositions(int kind);
    // Takes the edit, or says why it was refused (false then).
    bool push(const QString &name, edits::Edited edited);

    MotionDocument &m_document;
    EditHistory &m_history;
    ask::Questions *m_questions;
    const Notices &m_notices;
    const EditorProfile &m_profile;
};
