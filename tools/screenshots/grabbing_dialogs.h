#pragma once
// The program's own message boxes and file dialogs, caught on screen: each one is shown exactly
// as the program shows it, grabbed with its title bar on the first turn of its event loop, and
// then dismissed, so the handler that asked goes on as if the user had closed it.

#include "windows/widgets/dialogs.h"

#include <QImage>
#include <QList>
#include <functional>

class QDialog;

class GrabbingDialogs : public QtDialogs {
public:
    struct Caught {
        QImage picture; // with its title bar
        QString title;
        // The parent's window at that moment, with its title bar; null without a parent.
        QImage behind;
    };
    // Every dialog shown so far, oldest first.
    QList<Caught> caught;
    // Runs on each dialog before it is grabbed (to size a file dialog, say).
    std::function<void(QDialog *)> prepare;

    Answer message(QWidget *parent, const QString &text, const QString &title, Icon icon,
                   Buttons buttons) override;
    QString openFile(QWidget *parent, const QString &title, const QString &filter) override;
    QString saveFile(QWidget *parent, const QString &title, const QString &filter) override;

private:
    void arm();
    void catchDialog(int triesLeft);
};
