#include "windows/widgets/dialogs.h"

#include "core/program/terminal.h"
#include "core/text/program.h"

#include <QApplication>
#include <QFileDialog>
#include <QMessageBox>

Dialogs::Answer QtDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                   Icon icon, Buttons buttons)
{
    QMessageBox box(parent);
    box.setWindowTitle(title.isEmpty() ? program::displayName() : title);
    box.setText(program::withLineFeeds(text));
    box.setIcon(icon == Icon::Critical   ? QMessageBox::Critical
                : icon == Icon::Question ? QMessageBox::Question
                                         : QMessageBox::NoIcon);
    switch (buttons) {
    case Buttons::Ok:
        box.setStandardButtons(QMessageBox::Ok);
        break;
    case Buttons::OkCancel:
        box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
        break;
    case Buttons::YesNo:
        box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        break;
    }
    switch (box.exec()) {
    case QMessageBox::Yes:
        return Yes;
    case QMessageBox::No:
        return No;
    case QMessageBox::Cancel:
        return Cancel;
    default:
        return Ok;
    }
}

QString QtDialogs::openFile(QWidget *parent, const QString &title, const QString &filter)
{
    return QFileDialog::getOpenFileName(parent, title, QString(), filter);
}

QString QtDialogs::saveFile(QWidget *parent, const QString &title, const QString &filter)
{
    // The program asks no question before it replaces a file; the dialog does not either.
    return QFileDialog::getSaveFileName(parent, title, QString(), filter, nullptr,
                                        QFileDialog::DontConfirmOverwrite);
}
