#include "edit/window/edit_command.h"

#include "edit/window/motion_document.h"

EditCommand::EditCommand(MotionDocument &document, const QString &name, std::vector<Step> after,
                         edits::Range selectedAfter)
    : QUndoCommand(name), m_document(document), m_before(document.records()),
      m_after(std::move(after)), m_selectedBefore(document.selection()),
      m_selectedAfter(selectedAfter)
{
}

void EditCommand::undo()
{
    m_document.setState(m_before, m_selectedBefore);
}

void EditCommand::redo()
{
    m_document.setState(m_after, m_selectedAfter);
}
