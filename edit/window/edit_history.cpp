#include "edit/window/edit_history.h"

#include "core/edit/motion_document.h"
#include "edit/window/edit_command.h"

EditHistory::EditHistory(MotionDocument &document) : m_document(document) {}

QString EditHistory::apply(const QString &name, edits::Edited edited)
{
    QString refused = edits::refusal(name, edited);
    if (!refused.isEmpty())
        return refused;
    if (edited.records == m_document.records())
        m_document.select(edited.selection);
    else
        m_stack.push(new EditCommand(m_document, name, edited));
    return {};
}

void EditHistory::replace(const std::vector<Step> &records, const QString &file)
{
    m_stack.clear();
    m_document.setState(records, {0, 0});
    m_document.setFile(file);
    m_stack.setClean();
}
