#pragma once
// The three small windows that present the product: Welcome (the splash), About and Author.
// Each leaves by showing the window it leads to and hiding itself; hiding keeps it, so a later
// opening shows it unchanged. Closing one in any other way ends the program: the windows are
// handed the actions that show the next window and that end the program, and know nothing else.

#include <QWidget>
#include <functional>

class QFrame;
class QLabel;
class QLineEdit;
class QPushButton;

// Common to the three: caption, icon, fixed size with a close button only, centred when first
// shown, and the program's end when closed.
class ProductWindow : public QWidget {
    Q_OBJECT

public:
    ProductWindow(const char *name, QSize clientSize, std::function<void()> endProgram,
                  QWidget *parent);

protected:
    void showEvent(QShowEvent *event) override;
    void closeEvent(QCloseEvent *event) override;

private:
    std::function<void()> m_endProgram;
    bool m_placed = false;
};

class Welcome : public ProductWindow {
    Q_OBJECT

public:
    Welcome(std::function<void()> showMain, std::function<void()> endProgram,
            QWidget *parent = nullptr);

private:
    void Command1_Click();

    std::function<void()> m_showMain;
    QLabel *Picture1 = nullptr;
    QLabel *Label1 = nullptr;
    QPushButton *Command1 = nullptr;
};

class About : public ProductWindow {
    Q_OBJECT

public:
    About(std::function<void()> showWelcome, std::function<void()> endProgram,
          QWidget *parent = nullptr);

private:
    void Frame1_Click();
    // The maker's name in its two labels, and the version.
    void placeMakerAndVersion();

    std::function<void()> m_showWelcome;
    QFrame *Frame1 = nullptr;
    QLabel *product = nullptr;
    QLabel *Image1 = nullptr;
    QLabel *Image2 = nullptr;
    QLabel *Label3 = nullptr;
    QLabel *Label4 = nullptr;
    QLabel *Version = nullptr;
};

class Author : public ProductWindow {
    Q_OBJECT

public:
    Author(std::function<void()> showMain, std::function<void()> endProgram,
           QWidget *parent = nullptr);

private:
    void Command1_Click();

    std::function<void()> m_showMain;
    QLabel *Picture1 = nullptr;
    QLineEdit *Text1 = nullptr;
    QPushButton *Command1 = nullptr;
};
