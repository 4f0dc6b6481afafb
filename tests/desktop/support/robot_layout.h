#pragma once
// Where the main window's controls stand, and what their captions show. The places come from
// the program's own layout: the same main window built in this process (which needs a
// QApplication on the offscreen platform) with the program's own look. The captions are read
// from the pixels of the real window.

#include <QHash>
#include <QImage>
#include <QRect>
#include <QString>

namespace desktop {

// The main window's controls and menus where the program lays them out.
class RobotLayout {
public:
    RobotLayout();
    ~RobotLayout();
    // A control by objectName ("Command6"), in window co-ordinates, and the window's size.
    QRect control(const QString &name) const;
    QSize windowSize() const { return m_size; }
    // A menu bar title by its menu's objectName ("File_men"), in window co-ordinates.
    QRect menuTitle(const QString &menu) const;
    // An entry by the objectName of its action ("Open_men"), in the menu's own co-ordinates,
    // and the menu's size.
    QRect menuEntry(const QString &menu, const QString &action) const;
    QSize menuSize(const QString &menu) const;

private:
    QSize m_size;
    QHash<QString, QRect> m_controls, m_titles, m_entries;
    QHash<QString, QSize> m_menus;
};

// What a text button's caption shows, read from the screen: the columns its text covers and
// whether it is drawn dark (enabled) or grey (disabled).
struct Caption {
    int left = -1, right = -1; // columns of ink inside the button; -1 when none
    int dark = 0;              // pixels of enabled text
    int grey = 0;              // pixels of disabled text
    int width() const { return left < 0 ? 0 : right - left + 1; }
    bool enabled() const { return dark > 0; }
    bool shown() const { return dark + grey > 0; }
    static Caption of(const QImage &button);
};

} // namespace desktop
