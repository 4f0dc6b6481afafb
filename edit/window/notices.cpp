#include "edit/window/notices.h"

#include "windows/widgets/dialogs.h"

#include <QMainWindow>
#include <QStatusBar>

void Notices::say(const QString &text, int ms) const
{
    m_window->statusBar()->showMessage(text, ms);
}

void Notices::showMessage(const QString &text) const
{
    m_dialogs->message(m_window, text, QStringLiteral("Kestrel Edit"), Dialogs::Icon::Critical,
                       Dialogs::Buttons::Ok);
}

bool Notices::confirm(const QString &text) const
{
    return m_dialogs->message(m_window, text, QStringLiteral("Kestrel Edit"),
                              Dialogs::Icon::Question, Dialogs::Buttons::YesNo) == Dialogs::Yes;
}
