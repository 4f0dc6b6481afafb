#pragma once
// One edit on the undo stack: the records and the selection before and after it. Every edit
// the editor makes is one of these, so undo gives back exactly the records it had, whatever the
// edit was.

#include "core/edit/motion_edits.h"

#include <QUndoCommand>
#include <vector>

class MotionDocument;

class EditCommand : public QUndoCommand {
public:
    EditCommand(MotionDocument &document, const QString &name, std::vector<Step> after,
                edits::Range selectedAfter);
    void undo() override;
    void redo() override;

private:
    MotionDocument &m_document;
    std::vector<Step> m_before, m_after;
    edits::Range m_selectedBefore, m_selectedAfter;
};
