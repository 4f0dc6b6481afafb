#include "sim/window/arm_window.h"

#include "core/arm/kinematics.h"
#include "core/motion/axes.h"
#include "core/text/numbers.h"
#include "sim/core/simulator.h"
#include "windows/view3d/arm_view3d.h"
#include "windows/view3d/view3d_slot.h"
#include "windows/widgets/arm_view.h"

#include <QFontDatabase>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QVBoxLayout>

namespace sim {

namespace {

QLabel *numberLabel(QWidget *parent, const QString &name)
{
    auto *label = new QLabel(parent);
    label->setObjectName(name);
    label->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    label->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    label->setMinimumWidth(label->fontMetrics().horizontalAdvance(QStringLiteral("+000.0\u00B0")));
    return label;
}

// One decimal, rounded half-even as the program's numbers are, and never "-0.0".
QString oneDecimal(double value)
{
    const double tenths = numbers::roundHalfEven(value * 10);
    return QString::number(tenths == 0 ? 0.0 : tenths / 10, 'f', 1);
}

QString angleText(double degrees)
{
    const QString digits = oneDecimal(degrees);
    return (digits.startsWith(QLatin1Char('-')) ? digits : QLatin1Char('+') + digits) +
           QStringLiteral("\u00B0");
}

} // namespace

ArmWindow::ArmWindow(const Simulator &simulator, const QString &portName, const QString &device,
                     bool echo, const arm::Profile &profile)
    : m_simulator(simulator), m_profile(profile)
{
    setWindowTitle(tr("Kestrel simulated arm \u2014 %1").arg(portName));
    setObjectName(QStringLiteral("ArmWindow"));

    // Made in this order, which is the order of the tab key.
    QLayout *pictures = makePictures();
    QWidget *recentBox = makeRecent(portName);
    auto *facts = new QVBoxLayout;
    facts->addWidget(makeJoints());
    facts->addWidget(makeLine(portName, device, echo));
    facts->addStretch();
    auto *lower = new QHBoxLayout;
    lower->addLayout(facts, 2);
    lower->addWidget(recentBox, 3);

    auto *layout = new QVBoxLayout(this);
    layout->addLayout(pictures, 3);
    layout->addLayout(lower, 2);

    m_refresh.setInterval(50);
    connect(&m_refresh, &QTimer::timeout, this, &ArmWindow::refresh);
    connect(&simulator, &Simulator::happened, this, [this] { m_dirty = true; });
    m_refresh.start();
    refresh();
    resize(m_view3d ? 1200 : 900, 680);
}

QLayout *ArmWindow::makePictures()
{
    // The pictures read the positions last received.
    const armview::Positions received = [&state = m_simulator.state()](int channel) {
        return state.position(channel);
    };
    m_side = new armview::SideView(received, &m_profile, this);
    m_side->setObjectName(QStringLiteral("sideView"));
    m_top = new armview::TopView(received, &m_profile, this);
    m_top->setObjectName(QStringLiteral("topView"));
    m_grip = new armview::GripView(received, this);
    m_grip->setObjectName(QStringLiteral("gripView"));

    auto *small = new QVBoxLayout;
    small->addWidget(m_top, 3);
    small->addWidget(m_grip, 2);
    small->addWidget(makeReadout());
    const view3d::Slot inDepth = view3d::makeSlot(&m_profile, this);
    m_view3d = inDepth.view;
    auto *pictures = new QHBoxLayout;
    pictures->addWidget(m_side, 5);
    pictures->addWidget(inDepth.widget, 5);
    pictures->addLayout(small, 2);
    return pictures;
}

QWidget *ArmWindow::makeReadout()
{
    auto *box = new QGroupBox(tr("Tool point"), this);
    auto *grid = new QGridLayout(box);
    const char *names[] = {"toolX", "toolY", "toolZ", "toolPitch"};
    const QString captions[] = {tr("x"), tr("y"), tr("z"), tr("pitch")};
    for (int row = 0; row < int(m_tool.size()); ++row) {
        grid->addWidget(new QLabel(captions[row], box), row, 0);
        m_tool[row] = numberLabel(box, QString::fromLatin1(names[row]));
        grid->addWidget(m_tool[row], row, 1);
    }
    return box;
}

QWidget *ArmWindow::makeRecent(const QString &portName)
{
    auto *recentBox = new QGroupBox(tr("Last received"), this);
    m_recent = new QPlainTextEdit(recentBox);
    m_recent->setObjectName(QStringLiteral("recent"));
    m_recent->setReadOnly(true);
    m_recent->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_recent->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    const QFontMetrics metrics = m_recent->fontMetrics();
    m_recent->setMinimumSize(
        metrics.horizontalAdvance(QStringLiteral("0000.000  FF 00 00 0D shoulder 000")) + 24,
        metrics.lineSpacing() * (recentCapacity + 1));
    m_recent->setPlaceholderText(
        tr("Nothing yet: choose %1 in Kestrel's Options menu.").arg(portName));
    (new QVBoxLayout(recentBox))->addWidget(m_recent);
    return recentBox;
}

QWidget *ArmWindow::makeJoints()
{
    auto *box = new QGroupBox(tr("Joints"), this);
    auto *grid = new QGridLayout(box);
    grid->addWidget(new QLabel(tr("<b>axis</b>"), box), 0, 0);
    grid->addWidget(new QLabel(tr("<b>position</b>"), box), 0, 1, Qt::AlignRight);
    grid->addWidget(new QLabel(tr("<b>angle</b>"), box), 0, 2, Qt::AlignRight);
    for (const axes::Axis &axis : axes::all) {
        const int row = axis.channel + 1;
        grid->addWidget(new QLabel(QString::fromLatin1(axis.name), box), row, 0);
        m_positions[axis.channel] =
            numberLabel(box, QStringLiteral("position%1").arg(axis.channel));
        m_angles[axis.channel] = numberLabel(box, QStringLiteral("angle%1").arg(axis.channel));
        grid->addWidget(m_positions[axis.channel], row, 1);
        grid->addWidget(m_angles[axis.channel], row, 2);
    }
    return box;
}

QWidget *ArmWindow::makeLine(const QString &portName, const QString &device, bool echo)
{
    auto *box = new QGroupBox(tr("Line"), this);
    auto *grid = new QGridLayout(box);
    m_framesPerSecond = numberLabel(box, QStringLiteral("framesPerSecond"));
    m_frames = numberLabel(box, QStringLiteral("frames"));
    m_badBytes = numberLabel(box, QStringLiteral("badBytes"));
    grid->addWidget(new QLabel(tr("port"), box), 0, 0);
    grid->addWidget(new QLabel(QStringLiteral("%1 \u2192 %2").arg(portName, device), box), 0, 1,
                    Qt::AlignRight);
    grid->addWidget(new QLabel(tr("probe echo"), box), 1, 0);
    grid->addWidget(new QLabel(echo ? tr("on (like a modem)") : tr("off"), box), 1, 1,
                    Qt::AlignRight);
    grid->addWidget(new QLabel(tr("frames per second"), box), 2, 0);
    grid->addWidget(m_framesPerSecond, 2, 1);
    grid->addWidget(new QLabel(tr("frames"), box), 3, 0);
    grid->addWidget(m_frames, 3, 1);
    grid->addWidget(new QLabel(tr("bad bytes"), box), 4, 0);
    grid->addWidget(m_badBytes, 4, 1);
    // Counted apart from the bad bytes: the program sends one whenever it opens the port.
    m_probes = numberLabel(box, QStringLiteral("probes"));
    grid->addWidget(new QLabel(tr("probes"), box), 5, 0);
    grid->addWidget(m_probes, 5, 1);
    return box;
}

void ArmWindow::refresh()
{
    const ArmState &s = m_simulator.state();
    // Frames per second falls back to 0 on a quiet line, so it is refreshed every time.
    m_framesPerSecond->setText(QString::number(s.framesPerSecond(m_simulator.elapsedMs())));
    if (!m_dirty)
        return;
    m_dirty = false;

    showPose();
    m_frames->setText(QString::number(s.frames()));
    m_badBytes->setText(QString::number(s.badBytes()));
    m_probes->setText(QString::number(s.probes()));

    QString text;
    for (const Event &event : s.recent())
        text += QStringLiteral("%1  %2\n").arg(event.ms / 1000.0, 8, 'f', 3).arg(describe(event));
    text.chop(1);
    m_recent->setPlainText(text);
    m_side->update();
    m_top->update();
    m_grip->update();
}

void ArmWindow::showPose()
{
    const ArmState &s = m_simulator.state();
    std::array<int, axes::count> pose{};
    for (int ch = 0; ch < axes::count; ++ch) {
        pose[ch] = s.position(ch);
        // Until a frame arrives the arm is drawn at the centre, but the number says it is a guess.
        m_positions[ch]->setText(s.heard(ch) ? QString::number(pose[ch]) : tr("(127)"));
        m_angles[ch]->setText(angleText(m_profile.degrees(ch, pose[ch])));
    }
    const arm::Reach at = arm::forward(m_profile, pose);
    m_tool[0]->setText(tr("%1 mm").arg(oneDecimal(at.tool.x)));
    m_tool[1]->setText(tr("%1 mm").arg(oneDecimal(at.tool.y)));
    m_tool[2]->setText(tr("%1 mm").arg(oneDecimal(at.tool.z)));
    m_tool[3]->setText(angleText(at.pitch));
    showInDepth(pose, at.tool);
}

void ArmWindow::showInDepth(const std::array<int, axes::count> &pose, const arm::Point &tool)
{
    if (!m_view3d)
        return;
    m_view3d->setPose(pose);
    // Only a pose not seen last moves the trail, and only then is its buffer filled again.
    if (m_trail.add(pose, tool))
        m_view3d->setPath(m_trail.points());
}

} // namespace sim
