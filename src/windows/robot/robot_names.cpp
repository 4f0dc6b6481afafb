// What screen readers and automation tools call the main window's controls, and what they say
// a control does where its name cannot. Captions on screen are the window's own and do not
// change; a captioned button is named by its caption, which also follows PAUSE and CONT, and a
// picture button by its twin's caption (setPauseCaption keeps the PAUSE picture's in step).

#include "core/motion/axes.h"
#include "windows/robot/axis_panel.h"
#include "windows/robot/menu_panel.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/scroll_bar.h"

#include <QLineEdit>
#include <QMenu>
#include <QPushButton>

namespace {

void name(QWidget *w, const QString &name, const QString &description = QString())
{
    w->setAccessibleName(name);
    if (!description.isEmpty())
        w->setAccessibleDescription(description);
}

QString capitalised(const char *word)
{
    QString s = QString::fromLatin1(word);
    s[0] = s[0].toUpper();
    return s;
}

} // namespace

void AxisPanel::nameControls()
{
    for (const axes::Axis &a : axes::all) {
        const QString axis = capitalised(a.name);
        name(m_slider[a.channel], axis,
             QStringLiteral("Moves the %1, 0 to 255; the arm follows").arg(QLatin1String(a.name)));
        // The box's tooltip is its description.
        name(m_box[a.channel], axis + QStringLiteral(" position"));
    }
    name(HScroll3, QStringLiteral("Loops"),
         QStringLiteral("How many times RUN plays the motion, 1 to 100"));
    name(Text5, QStringLiteral("Loop count"));
}

void TransportPanel::nameControls()
{
    struct Described {
        Button button;
        const char *description;
    };
    for (const Described &b : {
             Described{Button::Rec, "Starts recording the moves of the arm"},
             Described{Button::Stop, "Ends a recording or a replay"},
             Described{Button::Run, "Brings the arm home, then replays the motion"},
             Described{Button::Pause, "Holds a replay, or lets it go on"},
             Described{Button::Home, "Brings the arm to its home position"},
             Described{Button::Back, "Walks the recording backwards, then ends it"},
         }) {
        QPushButton *captioned = button(b.button);
        captioned->setAccessibleDescription(QLatin1String(b.description));
        name(twin(b.button), captioned->text() + QStringLiteral(" (picture)"),
             QLatin1String(b.description));
    }
}

void MenuPanel::nameControls()
{
    name(m_file, QStringLiteral("File"));
    name(m_port, QStringLiteral("Options"),
         QStringLiteral("Serial port and configuration; also with a right click or Shift+F10"));
    name(m_help, QStringLiteral("Help"));
}
