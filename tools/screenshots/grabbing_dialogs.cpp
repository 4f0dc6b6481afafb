#include "grabbing_dialogs.h"

#include "picture.h"

#include <QApplication>
#include <QDialog>
#include <QTimer>
#include <cstdio>
#include <cstdlib>

namespace {

[[noreturn]] void giveUp()
{
    // The handler that asked waits in the dialog's event loop; nothing would ever end it.
    std::fprintf(stderr, "kestrel-shots: a dialog was asked for but never came up\n");
    std::exit(1);
}

} // namespace

Dialogs::Answer GrabbingDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                         Icon icon, Buttons buttons)
{
    arm();
    return QtDialogs::message(parent, text, title, icon, buttons);
}

QString GrabbingDialogs::openFile(QWidget *parent, const QString &title, const QString &filter)
{
    arm();
    return QtDialogs::openFile(parent, title, filter);
}

QString GrabbingDialogs::saveFile(QWidget *parent, const QString &title, const QString &filter)
{
    arm();
    return QtDialogs::saveFile(parent, title, filter);
}

void GrabbingDialogs::arm()
{
    // Set before the dialog's own event loop starts; its first turn finds the dialog shown.
    QTimer::singleShot(0, QCoreApplication::instance(), [this] { catchDialog(100); });
}

void GrabbingDialogs::catchDialog(int triesLeft)
{
    auto *dialog = qobject_cast<QDialog *>(QApplication::activeModalWidget());
    if (!dialog || !dialog->isVisible()) {
        if (triesLeft > 0)
            QTimer::singleShot(10, QCoreApplication::instance(),
                               [this, triesLeft] { catchDialog(triesLeft - 1); });
        else
            giveUp();
        return;
    }
    if (prepare)
        prepare(dialog);
    QWidget *parent = dialog->parentWidget();
    caught << Caught{shots::withTitleBar(dialog), dialog->windowTitle(),
                     parent ? shots::withTitleBar(parent->window()) : QImage()};
    dialog->reject();
}
