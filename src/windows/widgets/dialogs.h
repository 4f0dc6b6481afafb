#pragma once
// Message boxes and file dialogs go through here, so that tests can answer them from a script
// and read back what was shown.

#include <QString>

class QWidget;

class Dialogs {
public:
    enum class Icon { None, Critical, Question };
    enum class Buttons { Ok, OkCancel, YesNo };
    enum Answer { Ok, Cancel, Yes, No };

    virtual ~Dialogs() = default;

    // A modal message box. Lines of `text` are separated by carriage returns (13). An empty
    // title shows the application's name.
    virtual Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
                           Buttons buttons) = 0;
    // The chosen path, or empty when cancelled. `filter` is Qt's form: "kestrel (*.kmv)".
    virtual QString openFile(QWidget *parent, const QString &title, const QString &filter) = 0;
    virtual QString saveFile(QWidget *parent, const QString &title, const QString &filter) = 0;
};

// The real dialogs: QMessageBox and QFileDialog.
class QtDialogs : public Dialogs {
public:
    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
                   Buttons buttons) override;
    QString openFile(QWidget *parent, const QString &title, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &filter) override;
};
