#include "support/scripted_dialogs.h"

#include <QWidget>

Dialogs::Answer ScriptedDialogs::message(QWidget *parent, const QString &text, const QString &title,
                                         Icon icon, Buttons buttons)
{
    shown << Shown{text, title, icon, buttons, parent && parent->isVisible()};
    if (whileShown)
        whileShown(shown.last());
    if (!answers.isEmpty())
        return answers.takeFirst();
    return buttons == Buttons::YesNo ? No : Ok;
}

QString ScriptedDialogs::openFile(QWidget *, const QString &title, const QString &filter)
{
    fileTitles << title;
    fileFilters << filter;
    return openPaths.isEmpty() ? QString() : openPaths.takeFirst();
}

QString ScriptedDialogs::saveFile(QWidget *, const QString &title, const QString &filter)
{
    fileTitles << title;
    fileFilters << filter;
    return savePaths.isEmpty() ? QString() : savePaths.takeFirst();
}

QStringList ScriptedDialogs::titles() const
{
    QStringList out;
    for (const Shown &s : shown)
        out << s.title;
    return out;
}
