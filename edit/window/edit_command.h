#pragma once
// One edit on the undo stack: the span of records it changed and the selection before and after
// it. Every edit the editor makes is one of these, so undo gives back exactly the records it had,
// whatever the edit was, while the stack holds only what each edit touched. What the edit does is
// core's (selection_edits.h), and so is working out and applying its span (record_span.h).

#include "core/edit/record_span.h"
#include "core/edit/selection_edits.h"

#include <QUndoCommand>

class MotionDocument;

class EditCommand : public QUndoCommand {
public:
    EditCommand(MotionDocument &document, const QString &name, const edits::Edited &after);
    void undo() override;
    void redo() override;

private:
    void take(const edits::Span &span, edits::Range selection,
              const std::vector<edits::TimedSpan> &timed);

    MotionDocument &m_document;
    edits::Span m_span; // before -> after
    edits::Range m_selectionBefore, m_selectionAfter;
    std::vector<edits::TimedSpan> m_timedBefore, m_timedAfter; // a few each: kept whole
};
