#pragma once
// Colours, fonts and placement shared by every window.

#include <QColor>
#include <QFont>
#include <QString>

class QLabel;
class QWidget;

namespace look {

inline const QColor yellow{255, 255, 0};
inline const QColor black{0, 0, 0};
inline const QColor red{255, 0, 0};
inline const QColor green{0, 255, 0};
inline const QColor lightGrey{192, 192, 192};
inline const QColor white{255, 255, 255};
inline const QColor darkBlue{0, 0, 192};
// Classic desktop colours for roles that Qt's palette does not have.
inline const QColor activeBorder{212, 208, 200};
inline const QColor windowFrame{0, 0, 0};
inline const QColor buttonText{0, 0, 0};

// A font by family and point size, as the windows ask for them ("Arial", 8.25).
QFont font(const QString &family, double points, bool bold = false);
inline QFont arial(double points, bool bold = false)
{
    return font(QStringLiteral("Arial"), points, bold);
}

// The background ("back colour") of a button, label or box, and the text colour.
void setBackColour(QWidget *w, const QColor &c);
QColor backColour(const QWidget *w);
void setTextColour(QWidget *w, const QColor &c);
// Gives a control the desktop's own colours, whatever the window behind it is painted in.
void useDesktopColours(QWidget *w);
// Narrows a label's font, if need be, so that its caption fits its width.
void fitCaption(QLabel *label);

// Names the application and gives it the program's style. Fusion paints buttons in their
// palette colour, which REC and RUN use to show their state. Call once the QApplication exists.
void setUpApplication();

// Places a window in the middle of its screen's available area. A desktop without a window
// manager places nothing by itself.
void centreOnScreen(QWidget *w);

// The program's own window icons, drawn for it and stored in it.
QString appIconPath();     // main window and help window
QString productIconPath(); // Welcome, About and Author

} // namespace look
