#pragma once
// One edit on the undo stack: the records and the selection before and after it. Every edit
// the editor makes is one of these, so undo gives back exactly the records it had, whatever the
// edit was. What the edit does is core's (selection_edits.h); the command only keeps its result.

#include "core/edit/selection_edits.h"

#include <QUndoCommand>
#include <vector>

class MotionDocument;

class EditCommand : public QUndoCommand {
public:
    EditCommand(MotionDocument &document, const QString &name, edits::Edited after);
    void undo() override;
    void redo() override;

private:
    MotionDocument &m_document;
    edits::Edited m_before, m_after;
};
