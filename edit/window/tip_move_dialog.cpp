#include "edit/window/tip_move_dialog.h"

#include "core/arm/named_poses.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>
#include <QSignalBlocker>

namespace ask {

namespace {

// Farther than any arm a hobby servo turns: the solve says why a point beyond its reach is.
constexpr double farthest = 2000;

bool anyCap(const arm::Profile &p)
{
    for (const arm::Joint &j : p.joints)
        if (j.maxSpeed || j.maxAccel)
            return true;
    return false;
}

} // namespace

TipMoveDialog::TipMoveDialog(QWidget *parent, const TipMoveSetup &setup)
    : Form(parent, QStringLiteral("Move Tip To")), m_profile(setup.profile), m_from(setup.from)
{
    setObjectName(QStringLiteral("tipMoveDialog"));
    addTarget(arm::forward(m_profile, m_from));
    addKind();
    for (QDoubleSpinBox *box : m_target)
        connect(box, &QDoubleSpinBox::valueChanged, this, &TipMoveDialog::showPlan);
    connect(m_named, &QComboBox::activated, this, [this](int i) {
        if (i >= 0 && size_t(i) < m_profile.poses.size())
            showTarget(arm::forward(m_profile, m_profile.poses[size_t(i)].positions));
    });
    connect(m_kind, &QComboBox::currentIndexChanged, this, &TipMoveDialog::showPlan);
    connect(m_timing.ease, &QComboBox::currentIndexChanged, this, &TipMoveDialog::showPlan);
    connect(m_timing.fastest, &QCheckBox::toggled, this, &TipMoveDialog::showPlan);
    connect(m_timing.seconds, &QDoubleSpinBox::valueChanged, this, &TipMoveDialog::showPlan);
    connect(m_speed, &QDoubleSpinBox::valueChanged, this, &TipMoveDialog::showPlan);
    showPlan();
}

void TipMoveDialog::addTarget(const arm::Reach &start)
{
    const char *labels[] = {"&X, mm:", "&Y, mm:", "&Z, mm:", "&Pitch, \u00b0:"};
    const char *names[] = {"tipX", "tipY", "tipZ", "tipPitch"};
    for (size_t i = 0; i < m_target.size(); ++i)
        m_target[i] =
            add(QString::fromUtf8(labels[i]), QString::fromLatin1(names[i]),
                i < 3 ? decimal(-farthest, farthest, 0, 2, 1) : decimal(-180, 180, 0, 1, 1));
    m_named = add(QStringLiteral("&Named pose's tool point:"), QStringLiteral("namedPose"),
                  new QComboBox);
    for (const arm::NamedPose &p : m_profile.poses)
        m_named->addItem(p.name + QStringLiteral(" (") + arm::positionsText(p.positions) +
                         QLatin1Char(')'));
    m_named->setPlaceholderText(m_profile.poses.empty() ? QStringLiteral("None in the arm profile")
                                                        : QStringLiteral("Choose one"));
    m_named->setCurrentIndex(-1);
    m_named->setEnabled(!m_profile.poses.empty());
    showTarget(start);
}

void TipMoveDialog::addKind()
{
    m_kind = add(QStringLiteral("&Move:"), QStringLiteral("tipKind"), new QComboBox);
    m_kind->addItems({QStringLiteral("joint move"), QStringLiteral("straight line")});
    m_kind->setCurrentIndex(int(tips::Kind::Line));
    m_speed = add(QStringLiteral("Line's &speed, mm/s:"), QStringLiteral("speed"),
                  decimal(0.1, lines::mostSpeed, 50, 1, 5));
    m_timing = addTiming(*this, QStringLiteral("tipResult"));
    m_timing.fastest->setChecked(anyCap(m_profile));
}

// The fields set at once, planned once.
void TipMoveDialog::showTarget(const arm::Reach &reach)
{
    const double values[] = {reach.tool.x, reach.tool.y, reach.tool.z, reach.pitch};
    for (size_t i = 0; i < m_target.size(); ++i) {
        const QSignalBlocker quiet(m_target[i]);
        m_target[i]->setValue(values[i]);
    }
    if (m_timing.result)
        showPlan();
}

tips::Request TipMoveDialog::chosen() const
{
    tips::Request r;
    r.target = {{m_target[0]->value(), m_target[1]->value(), m_target[2]->value()},
                m_target[3]->value()};
    r.kind =
        m_kind->currentIndex() == int(tips::Kind::Joint) ? tips::Kind::Joint : tips::Kind::Line;
    r.ease = m_timing.chosenEase();
    r.seconds = m_timing.chosenSeconds();
    r.speed = m_speed->value();
    return r;
}

tips::Planned TipMoveDialog::planned() const
{
    return tips::plan(m_profile, m_from, chosen());
}

void TipMoveDialog::showPlan()
{
    const bool joint = m_kind->currentIndex() == int(tips::Kind::Joint);
    m_speed->setEnabled(!joint);
    m_timing.fastest->setEnabled(joint);
    m_timing.seconds->setEnabled(joint && !m_timing.fastest->isChecked());
    const tips::Planned p = planned();
    okButton()->setEnabled(p.error.isEmpty());
    m_timing.result->setText(tips::summary(m_profile, p));
}

std::optional<tips::Request> DialogQuestions::tipMove(QWidget *parent, const TipMoveSetup &setup)
{
    TipMoveDialog dialog(parent, setup);
    if (!dialog.ok())
        return std::nullopt;
    return dialog.chosen();
}

} // namespace ask
