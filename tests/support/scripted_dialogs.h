#pragma once
// Dialogs answered from a script. Every message is kept with what the parent window looked
// like at that moment, so tests can check the order of start-up.

#include "windows/widgets/dialogs.h"

#include <QList>
#include <QStringList>
#include <functional>

class ScriptedDialogs : public Dialogs {
public:
    struct Shown {
        QString text;
        QString title;
        Icon icon;
        Buttons buttons;
        bool parentVisible;
    };
    QList<Shown> shown;
    // Answers for the next questions; when none is left, Ok (or No for a Yes/No question).
    QList<Answer> answers;
    QStringList openPaths; // next paths the open dialog returns ("" = cancelled)
    QStringList savePaths;
    QStringList fileTitles; // titles the file dialogs were shown with
    QStringList fileFilters;
    // Runs while a message is up, e.g. to check state at that moment.
    std::function<void(const Shown &)> whileShown;

    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
                   Buttons buttons) override;
    QString openFile(QWidget *parent, const QString &title, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &filter) override;

    QStringList titles() const;
};
