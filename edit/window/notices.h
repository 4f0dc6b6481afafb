#pragma once
// How the editor's window tells the operator something: a line in the status bar, which goes by
// itself, or a message box for what went wrong, which waits; and a yes-or-no question.

#include <QString>

class Dialogs;
class QMainWindow;

class Notices {
public:
    Notices(QMainWindow *window, Dialogs *dialogs) : m_window(window), m_dialogs(dialogs) {}

    QMainWindow *window() const { return m_window; }
    // For `ms` milliseconds; 0 keeps it until the next.
    void say(const QString &text, int ms = 8000) const;
    void showMessage(const QString &text) const;
    // True when the answer is Yes.
    bool confirm(const QString &text) const;

private:
    QMainWindow *m_window;
    Dialogs *m_dialogs;
};
