// The main window's surface, its frames and labels, and the tab order; places in twips.

#include "windows/robot/robot_layout.h"
#include "core/text/twips.h"

#include "windows/robot/axis_panel.h"
#include "windows/robot/transport_panel.h"
#include "windows/widgets/look.h"
#include "windows/widgets/scroll_bar.h"

#include <QAction>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QMainWindow>
#include <QPushButton>

namespace {

QGroupBox *frame(QWidget *parent, const char *name, const QString &caption, QRect at)
{
    auto *f = new QGroupBox(caption, parent);
    f->setObjectName(QLatin1String(name));
    f->setGeometry(at);
    f->setFont(look::arial(8.25));
    look::setBackColour(f, look::black);
    look::setTextColour(f, look::yellow);
    // Frames only group their labels; a click on one is not a click on the window's surface.
    f->setAttribute(Qt::WA_NoMousePropagation);
    return f;
}

QLabel *label(QWidget *parent, const char *name, const QString &caption, QRect at,
              const QFont &font, const QColor &back = look::black)
{
    auto *l = new QLabel(caption, parent);
    l->setObjectName(QLatin1String(name));
    l->setGeometry(at);
    l->setFont(font);
    look::setBackColour(l, back);
    look::setTextColour(l, look::yellow);
    l->setAttribute(Qt::WA_NoMousePropagation);
    look::fitCaption(l);
    return l;
}

} // namespace

namespace robot_layout {

QWidget *buildSurface(QMainWindow *window)
{
    window->setWindowTitle(QStringLiteral("Kestrel"));
    window->setWindowIcon(QIcon(look::appIconPath()));

    auto *surface = new QWidget(window);
    surface->setObjectName(QStringLiteral("surface"));
    surface->setFixedSize(twips::px(6210), twips::px(3975));
    look::setBackColour(surface, look::black);
    window->setCentralWidget(surface);
    return surface;
}

QLabel *buildCaptions(QWidget *surface)
{
    QWidget *w = surface;
    QGroupBox *grip = frame(w, "Frame1", QStringLiteral("GRIP"), twips::rect(120, 420, 2055, 1095));
    QGroupBox *base =
        frame(w, "Frame2", QStringLiteral("BASE"), twips::rect(120, 1560, 2055, 1095));
    frame(w, "Frame4", QStringLiteral("SHOULDER - ELBOW - WRIST"),
          twips::rect(2280, 420, 2655, 2235));
    frame(w, "Frame5", QStringLiteral("LOOPS"), twips::rect(5040, 1740, 1035, 915));
    frame(w, "Frame3", QStringLiteral("MAIN CONTROL"), twips::rect(120, 2700, 5955, 1155));

    const QFont small = look::arial(8.25);
    label(w, "Label8", QStringLiteral("Kestrel ROBOT"), twips::rect(120, 60, 2055, 375),
          look::arial(14.25, true));
    label(grip, "Label2", QStringLiteral("OPEN"), twips::rect(120, 840, 435, 195), small);
    label(grip, "Label5", QStringLiteral("CLOSE"), twips::rect(1380, 840, 555, 195), small);
    label(base, "Label7", QStringLiteral("LEFT"), twips::rect(180, 840, 375, 195), small);
    label(base, "Label6", QStringLiteral("RIGHT"), twips::rect(1440, 840, 435, 195), small);
    // The maker's name is set in two labels: one beside the logo and one beneath it.
    label(w, "Label1", QStringLiteral("Vel"), twips::rect(5460, 540, 555, 195), small);
    label(w, "Label9", QStringLiteral("mora"), twips::rect(5100, 840, 1095, 255), w->font(),
          look::buttonText);

    auto *Image1 = new QLabel(w);
    Image1->setObjectName(QStringLiteral("Image1"));
    Image1->setGeometry(twips::rect(5040, 480, 375, 345));
    Image1->setPixmap(QPixmap(QStringLiteral(":/pictures/logo.jpg")));
    Image1->setScaledContents(true);
    Image1->setToolTip(QStringLiteral("About Velmora"));
    Image1->setAccessibleName(QStringLiteral("Velmora logo"));
    Image1->setAttribute(Qt::WA_NoMousePropagation);
    return Image1;
}

void setTabOrder(const AxisPanel &a, const TransportPanel &t)
{
    using namespace axes;
    using B = TransportPanel::Button;
    const auto slider = [&a](int channel) -> QWidget * { return a.slider(channel); };
    const auto box = [&a](int channel) -> QWidget * { return a.box(channel); };
    const QList<QWidget *> tabOrder{
        slider(Base),       slider(Shoulder), box(Base),         box(Shoulder),
        slider(Grip),       box(Grip),        t.button(B::Home), t.button(B::Rec),
        t.button(B::Stop),  t.button(B::Run), box(Elbow),        a.loopBox(),
        t.button(B::Pause), slider(Elbow),    slider(Wrist),     box(Wrist),
        a.loopSlider(),     t.twin(B::Rec),   t.twin(B::Stop),   t.twin(B::Run),
        t.twin(B::Pause),   t.twin(B::Home),  t.button(B::Back), t.twin(B::Back)};
    for (qsizetype i = 1; i < tabOrder.size(); ++i)
        QWidget::setTabOrder(tabOrder[i - 1], tabOrder[i]);
}

} // namespace robot_layout
