#include "edit/window/timed_move_dialog.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>

namespace ask {

namespace {

// "Peak speeds, °/s: base 95.0, shoulder 0.0, ...".
QString peaksText(const std::array<double, axes::count> &peaks)
{
    QStringList joints;
    for (const axes::Axis &a : axes::all)
        joints << QStringLiteral("%1 %2").arg(QString::fromLatin1(a.name),
                                              QString::number(peaks[size_t(a.channel)], 'f', 1));
    return QStringLiteral("Peak speeds, \u00b0/s: ") + joints.join(QStringLiteral(", "));
}

} // namespace

QString secondsText(double seconds)
{
    return QString::number(seconds, 'f', 2) + QStringLiteral(" s");
}

TimedMoveDialog::TimedMoveDialog(QWidget *parent, const TimedMoveSetup &setup)
    : Form(parent, setup.title), m_profile(setup.profile), m_from(setup.from),
      m_pose(addPoseFields(*this, setup.target, setup.sources))
{
    setObjectName(QStringLiteral("timedMoveDialog"));
    m_timing = addTiming(*this, QStringLiteral("timedResult"));
    // As fast as the caps allow when they can time the move; otherwise a duration is asked for.
    m_timing.fastest->setChecked(
        moves::plan(m_profile, {m_from, setup.target, moves::Ease::Smooth, {}}).path.has_value());
    for (QSpinBox *box : m_pose.boxes)
        connect(box, &QSpinBox::valueChanged, this, &TimedMoveDialog::showPlan);
    connect(m_timing.fastest, &QCheckBox::toggled, this, &TimedMoveDialog::showPlan);
    connect(m_timing.seconds, &QDoubleSpinBox::valueChanged, this, &TimedMoveDialog::showPlan);
    connect(m_timing.ease, &QComboBox::currentIndexChanged, this, &TimedMoveDialog::showPlan);
    showPlan();
}

TimedMove TimedMoveDialog::chosen() const
{
    TimedMove m;
    m.target = m_pose.pose();
    m.seconds = m_timing.chosenSeconds();
    m.ease = m_timing.chosenEase();
    return m;
}

moves::Planned TimedMoveDialog::planned() const
{
    const TimedMove m = chosen();
    return moves::plan(m_profile, {m_from, m.target, m.ease, m.seconds});
}

void TimedMoveDialog::showPlan()
{
    m_timing.seconds->setEnabled(!m_timing.fastest->isChecked());
    const moves::Planned p = planned();
    okButton()->setEnabled(p.path.has_value());
    if (!p.path) {
        m_timing.result->setText(p.error);
        return;
    }
    m_timing.result->setText(QStringLiteral("Takes ") + secondsText(p.path->seconds) +
                             QStringLiteral(".\n") +
                             peaksText(moves::peakDegreesPerSecond(m_profile, *p.path)));
}

std::optional<TimedMove> DialogQuestions::timedMove(QWidget *parent, const TimedMoveSetup &setup)
{
    TimedMoveDialog dialog(parent, setup);
    if (!dialog.ok())
        return std::nullopt;
    return dialog.chosen();
}

} // namespace ask
