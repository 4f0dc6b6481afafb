#include "support/change_recorder.h"

#include "support/fake_port.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAbstractButton>
#include <QAction>
#include <QEvent>
#include <QLineEdit>

namespace {

QString colourName(const QColor &c)
{
    if (c == look::lightGrey)
        return QStringLiteral("light grey");
    if (c == look::red)
        return QStringLiteral("red");
    if (c == look::green)
        return QStringLiteral("green");
    return c.name();
}

// The parts of a control's state a change line can show, each as the line shows it.
QStringList facetsOf(QObject *control)
{
    const auto onOff = [](bool on) { return on ? QStringLiteral("on") : QStringLiteral("off"); };
    const auto quoted = [](const QString &text) { return u'\'' + text + u'\''; };
    if (auto *entry = qobject_cast<QAction *>(control))
        return {onOff(entry->isEnabled())};
    auto *w = static_cast<QWidget *>(control);
    QStringList facets{onOff(w->isEnabled())};
    if (auto *button = qobject_cast<QAbstractButton *>(w))
        facets << quoted(button->text()) << colourName(look::backColour(button));
    else if (auto *box = qobject_cast<QLineEdit *>(w))
        facets << quoted(box->text());
    else if (auto *slider = qobject_cast<ScrollBar *>(w))
        facets << QString::number(slider->Value());
    return facets;
}

} // namespace

ChangeRecorder::ChangeRecorder(QWidget *window, const FakePort *port)
    : m_port(port), m_bytesSeen(port ? port->written.size() : 0)
{
    const auto follow = [this](QObject *control) { return [this, control] { look(control); }; };
    for (QAction *entry : window->findChildren<QAction *>()) {
        if (entry->objectName().isEmpty())
            continue;
        m_controls << Control{entry, facetsOf(entry)};
        connect(entry, &QAction::changed, this, follow(entry));
    }
    for (QWidget *w : window->findChildren<QWidget *>()) {
        if (w->objectName().isEmpty() ||
            !(qobject_cast<QAbstractButton *>(w) || qobject_cast<QLineEdit *>(w) ||
              qobject_cast<ScrollBar *>(w)))
            continue;
        m_controls << Control{w, facetsOf(w)};
        w->installEventFilter(this);
        if (auto *box = qobject_cast<QLineEdit *>(w))
            connect(box, &QLineEdit::textChanged, this, follow(w));
        if (auto *slider = qobject_cast<ScrollBar *>(w))
            connect(slider, &ScrollBar::valueChanged, this, follow(w));
    }
}

bool ChangeRecorder::eventFilter(QObject *watched, QEvent *event)
{
    if (event->type() == QEvent::EnabledChange || event->type() == QEvent::PaletteChange)
        look(watched);
    return QObject::eventFilter(watched, event);
}

void ChangeRecorder::look(QObject *changed)
{
    // What changed before this one and is not seen yet comes first: a caption (which raises
    // nothing), or a change whose signal reaches the window's own handlers before this
    // recorder, whose handling changed `changed`.
    takeFrames();
    for (Control &c : m_controls) {
        if (c.control != changed)
            take(c);
    }
    for (Control &c : m_controls) {
        if (c.control == changed)
            take(c);
    }
}

void ChangeRecorder::take(Control &c)
{
    const QStringList now = facetsOf(c.control);
    for (int i = 0; i < now.size(); ++i) {
        if (now[i] != c.shown[i])
            m_changes << c.control->objectName() + u' ' + now[i];
    }
    c.shown = now;
}

void ChangeRecorder::note(const QString &what)
{
    look(nullptr);
    m_changes << what;
}

QStringList ChangeRecorder::changes()
{
    look(nullptr);
    return m_changes;
}

void ChangeRecorder::takeFrames()
{
    if (!m_port)
        return;
    if (m_port->written.size() < m_bytesSeen) // the test cleared them
        m_bytesSeen = 0;
    const QByteArray bytes = m_port->written.mid(m_bytesSeen);
    m_bytesSeen = m_port->written.size();
    // Whole frames (255, channel, position, 13); any other byte, such as the probe, alone.
    for (qsizetype i = 0; i < bytes.size();) {
        const QByteArray f = bytes.mid(i, frame::size);
        if (f.size() == frame::size && uchar(f[0]) == 255 && f[3] == 13) {
            m_changes << QStringLiteral("frame %1 %2").arg(uchar(f[1])).arg(uchar(f[2]));
            i += frame::size;
        } else {
            m_changes << QStringLiteral("byte %1").arg(uchar(bytes[i++]));
        }
    }
}
