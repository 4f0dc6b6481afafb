#include "edit/window/edit_command.h"

#include "core/edit/motion_document.h"

EditCommand::EditCommand(MotionDocument &document, const QString &name, edits::Edited after)
    : QUndoCommand(name), m_document(document), m_before{document.records(), document.selection()},
      m_after(std::move(after))
{
}

void EditCommand::undo()
{
    m_document.setState(m_before.records, m_before.selection);
}

void EditCommand::redo()
{
    m_document.setState(m_after.records, m_after.selection);
}
