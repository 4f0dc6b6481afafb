#pragma once
// The document's undo history: the window's, since QUndoStack is Qt Gui. Every change of the
// records goes through here, as one command per edit, so that undo and redo and the saved state
// (the stack's clean index) are one thing.

#include "core/edit/selection_edits.h"

#include <QUndoStack>

class MotionDocument;

class EditHistory {
public:
    explicit EditHistory(MotionDocument &document);

    QUndoStack &stack() { return m_stack; }
    const QUndoStack &stack() const { return m_stack; }
    bool isClean() const { return m_stack.isClean(); }

    // The edit as one undoable command. An edit that changes nothing pushes nothing, so that the
    // motion is not marked changed by it, but its selection is taken. Returns why the edit was
    // refused (nothing changed then); empty when it was taken.
    [[nodiscard]] QString apply(const QString &name, edits::Edited edited);
    // A different motion: the history is cleared and the new one is the saved state.
    void replace(const std::vector<Step> &records, const QString &file);

private:
    MotionDocument &m_document;
    QUndoStack m_stack;
};
