#pragma once
// The menus: every edit, the files, the view and the preview, each with its keys. Every entry
// has a mnemonic, so the whole editor can be worked from the keyboard. Each entry only calls a
// handler; which entries are enabled follows the document.

#include <QKeySequence>
#include <QString>
#include <functional>
#include <map>
#include <vector>

class Dialogs;
class EditHandlers;
class EditorFiles;
class EditorProfile;
class MotionDocument;
class PoseSaver;
class PreviewPanel;
class QAction;
class QMainWindow;
class QMenu;
class QUndoStack;
class QWidget;
class TimedHandlers;
class TipJogger;
class TimelineView;
class TipHandlers;

class EditorMenus {
public:
    // What the menus work on.
    struct Targets {
        EditorFiles &files;
        EditHandlers &edits;
        TimedHandlers &timed;
        TipHandlers &tips;
        PoseSaver &poses;
        QUndoStack &stack;
        TimelineView *timeline;
        QWidget *steps;
        PreviewPanel *preview;
        TipJogger *jogger;
        EditorProfile &profile;
        Dialogs &dialogs;
    };
    EditorMenus(QMainWindow *window, const Targets &targets);

    // The action of a menu entry, by its objectName ("deleteSteps").
    QAction *action(const QString &name) const;
    // The edits of a selection need one; Select All needs a record.
    void showEnabled(const MotionDocument &document);

private:
    struct Entry {
        const char *name = nullptr; // none: a separator
        const char *text = nullptr;
        const char *keys = nullptr;
        std::function<void()> handler;
        const char *tip = nullptr;
    };
    void add(QMenu *menu, const std::vector<Entry> &entries);
    void addExisting(QMenu *menu, QAction *action, const QKeySequence &keys);
    void buildFileAndEdit(const Targets &t);
    void buildPositionsAndTiming(const Targets &t);
    void buildViewAndPreview(const Targets &t);

    QMainWindow *m_window;
    std::map<QString, QAction *> m_actions;
};
