#pragma once
// The windows the main window opens: the help window, Welcome, About and Author. Each is a
// top-level window of its own, made when first asked for and brought to the front when asked
// again; they all go with the main window.

#include <QObject>
#include <QPointer>
#include <QString>
#include <functional>

class helpwindow;
class Welcome;
class About;
class Author;
class QWidget;

class WindowOpeners : public QObject {
    Q_OBJECT
public:
    // `main` is the main window, which Welcome's and Author's buttons bring back; `endProgram`
    // ends the program, as their exit buttons do.
    WindowOpeners(QWidget *main, QString helpFolder, std::function<void()> endProgram);
    ~WindowOpeners() override;

    void openHelp();
    void openWelcome();
    void openAbout();
    void openAuthor();

private:
    void showMain();

    QWidget *m_main;
    QString m_helpFolder;
    std::function<void()> m_endProgram;
    QPointer<helpwindow> m_help;
    QPointer<Welcome> m_welcome;
    QPointer<About> m_about;
    QPointer<Author> m_author;
};
