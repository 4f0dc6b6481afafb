#include "windows/robot/transport_panel.h"

#include "core/text/twips.h"
#include "windows/widgets/look.h"

#include <QEvent>
#include <QPushButton>

namespace {

constexpr int columns[] = {300, 1260, 2220, 3180, 4140, 5100};

QPushButton *textButton(QWidget *parent, const char *name, const QString &caption, int column)
{
    auto *b = new QPushButton(caption, parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(twips::rect(columns[column], 2940, 855, 255));
    b->setFont(look::arial(8.25));
    look::useDesktopColours(b);
    return b;
}

QPushButton *pictureButton(QWidget *parent, const char *name, const QString &picture, QSize size,
                           int column)
{
    auto *b = new QPushButton(parent);
    b->setObjectName(QLatin1String(name));
    b->setGeometry(twips::rect(columns[column], 3240, 855, 495));
    b->setIcon(QIcon(picture));
    b->setIconSize(size);
    look::useDesktopColours(b);
    return b;
}

} // namespace

TransportPanel::TransportPanel(QWidget *surface, QObject *parent) : QObject(parent)
{
    using enum Button;
    QWidget *w = surface;
    m_captioned[index(Rec)] = textButton(w, "Command3", QStringLiteral("REC"), 0);
    m_captioned[index(Stop)] = textButton(w, "Command4", QStringLiteral("STOP"), 1);
    m_captioned[index(Run)] = textButton(w, "Command5", QStringLiteral("RUN"), 2);
    m_captioned[index(Pause)] = textButton(w, "Command6", QStringLiteral("PAUSE"), 3);
    m_captioned[index(Home)] = textButton(w, "Command2", QStringLiteral("HOME"), 4);
    m_captioned[index(Back)] = textButton(w, "Backbutt", QStringLiteral("BACK"), 5);

    const QSize gif(31, 26);
    m_picture[index(Rec)] =
        pictureButton(w, "Command14", QStringLiteral(":/pictures/rec.gif"), gif, 0);
    m_picture[index(Stop)] =
        pictureButton(w, "Command15", QStringLiteral(":/pictures/stop.gif"), gif, 1);
    m_picture[index(Run)] =
        pictureButton(w, "Command16", QStringLiteral(":/pictures/run.gif"), gif, 2);
    m_picture[index(Pause)] =
        pictureButton(w, "Command17", QStringLiteral(":/pictures/pause.gif"), gif, 3);
    m_picture[index(Home)] =
        pictureButton(w, "Command18", QStringLiteral(":/pictures/home.ico"), QSize(32, 32), 4);
    m_picture[index(Back)] =
        pictureButton(w, "Command20", QStringLiteral(":/pictures/back.gif"), gif, 5);
    setEnabled(Back, false);
    nameControls();
    for (QPushButton *b : {button(Rec), twin(Rec), button(Run), twin(Run)})
        b->installEventFilter(this);
}

bool TransportPanel::eventFilter(QObject *watched, QEvent *event)
{
    const auto type = event->type();
    const bool down = type == QEvent::MouseButtonPress;
    // A disabled button raises nothing.
    if ((down || type == QEvent::MouseButtonRelease) &&
        static_cast<QWidget *>(watched)->isEnabled()) {
        using enum Button;
        if (watched == button(Rec) || watched == twin(Rec)) {
            if (down)
                Command3_MouseDown();
        } else if (down) {
            Command5_MouseDown();
        } else {
            Command5_MouseUp();
        }
    }
    return QObject::eventFilter(watched, event);
}

void TransportPanel::Command3_MouseDown()
{
    look::setBackColour(button(Button::Rec), look::red);
}

void TransportPanel::showPressed(Button b)
{
    if (b == Button::Rec)
        Command3_MouseDown();
}

void TransportPanel::Command5_MouseDown()
{
    look::setBackColour(button(Button::Run), look::green);
}

void TransportPanel::Command5_MouseUp()
{
    look::setBackColour(button(Button::Run), look::lightGrey);
}

void TransportPanel::setEnabled(Button b, bool enabled)
{
    button(b)->setEnabled(enabled);
    twin(b)->setEnabled(enabled);
}

void TransportPanel::setRunLayout()
{
    using enum Button;
    setEnabled(Home, false);
    setEnabled(Rec, false);
    setEnabled(Stop, true);
    button(Run)->setEnabled(false);
    setEnabled(Pause, true);
    twin(Run)->setEnabled(false);
    m_operation = Operation::Running;
}

bool TransportPanel::allowed(Button b) const
{
    using enum Button;
    switch (m_operation) {
    case Operation::None:
        return true;
    case Operation::Running:
        return b == Stop || b == Pause;
    case Operation::Recording:
        return b == Stop || b == Home;
    case Operation::RecordingFull:
        return b == Stop;
    }
    return true;
}

void TransportPanel::setMotionButtonsEnabled(bool enabled)
{
    // Each one is set again even when it already is.
    using enum Button;
    for (Button b : {Home, Rec, Stop, Run, Pause})
        button(b)->setEnabled(enabled && allowed(b));
    for (Button b : {Rec, Stop, Run, Pause, Home})
        twin(b)->setEnabled(enabled && allowed(b));
}

void TransportPanel::setPauseCaption(bool paused)
{
    const QString caption = paused ? QStringLiteral("CONT") : QStringLiteral("PAUSE");
    button(Button::Pause)->setText(caption);
    // The picture never changes, so a screen reader learns from the name what the button does
    // now, as it does from the captioned twin.
    twin(Button::Pause)->setAccessibleName(caption + QStringLiteral(" (picture)"));
}
