#include "edit/window/edit_command.h"

#include "core/edit/motion_document.h"

EditCommand::EditCommand(MotionDocument &document, const QString &name, const edits::Edited &after)
    : QUndoCommand(name), m_document(document),
      m_span(edits::spanBetween(document.records(), after.records)),
      m_selectionBefore(document.selection()), m_selectionAfter(after.selection),
      m_timedBefore(document.timedSpans()),
      m_timedAfter(edits::spansAfter(m_timedBefore, m_span, after.timed))
{
}

void EditCommand::undo()
{
    take(edits::inverse(m_span), m_selectionBefore, m_timedBefore);
}

void EditCommand::redo()
{
    take(m_span, m_selectionAfter, m_timedAfter);
}

void EditCommand::take(const edits::Span &span, edits::Range selection,
                       const std::vector<edits::TimedSpan> &timed)
{
    // Every change of the records goes through the stack, so they are always the ones this
    // command's span was taken from; were they not, the motion is left as it is rather than
    // patched into something no one made.
    const auto records = edits::applied(m_document.records(), span);
    Q_ASSERT(records);
    if (records)
        m_document.setState(*records, selection, timed);
}
