#include "edit/window/profile_dialog.h"

#include "core/arm/profile_file.h"
#include "core/program/cannot.h"
#include "core/store/save_file.h"
#include "edit/window/profile_fields.h"
#include "windows/widgets/dialogs.h"

#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QVBoxLayout>
#include <vector>

namespace ask {

namespace {

// A titled grid named `name`: a heading over each column ("limitsHeading2"), then the rows.
QGroupBox *grid(const QString &name, const QString &title, const QStringList &headings,
                const std::vector<std::vector<QWidget *>> &rows)
{
    auto *box = new QGroupBox(title);
    box->setObjectName(name);
    auto *g = new QGridLayout(box);
    for (int c = 0; c < headings.size(); ++c) {
        auto *heading = new QLabel(headings[c]);
        heading->setObjectName(name + QStringLiteral("Heading") + QString::number(c));
        g->addWidget(heading, 0, c);
    }
    for (std::size_t r = 0; r < rows.size(); ++r)
        for (std::size_t c = 0; c < rows[r].size(); ++c)
            g->addWidget(rows[r][c], int(r) + 1, int(c));
    return box;
}

} // namespace

struct ProfileDialog::Fields {
    NumberField shoulderHeight, upperArm, forearm, hand, table;
    std::array<JointFields, axes::count> joints;
};

ProfileDialog::ProfileDialog(QWidget *parent, Dialogs &dialogs, QString path,
                             const arm::Profile &current)
    : QDialog(parent), m_dialogs(dialogs), m_path(std::move(path)), m_poses(current.poses)
{
    setObjectName(QStringLiteral("armProfileDialog"));
    setWindowTitle(QStringLiteral("Arm Profile"));
    const arm::Geometry &g = current.arm;
    m_fields.reset(new Fields{
        numberField(QStringLiteral("Shoulder height, mm"), QStringLiteral("shoulderHeight"),
                    g.shoulderHeight),
        numberField(QStringLiteral("Upper arm, mm"), QStringLiteral("upperArm"), g.upperArm),
        numberField(QStringLiteral("Forearm, mm"), QStringLiteral("forearm"), g.forearm),
        numberField(QStringLiteral("Hand, mm"), QStringLiteral("hand"), g.hand),
        numberField(QStringLiteral("Table, mm"), QStringLiteral("table"), g.table,
                    QStringLiteral("no check")),
        {}});
    for (const axes::Axis &a : axes::all)
        m_fields->joints[size_t(a.channel)] =
            jointFields(QString::fromLatin1(a.name), current.joints[size_t(a.channel)]);
    layOut();
    followCalibration();
}

ProfileDialog::~ProfileDialog() = default;

void ProfileDialog::layOut()
{
    Fields &f = *m_fields;
    auto *layout = new QVBoxLayout(this);
    auto *file = new QLabel(QStringLiteral("Saved to ") + m_path);
    file->setObjectName(QStringLiteral("profileFile"));
    layout->addWidget(file);
    const std::vector<QWidget *> geometry{f.shoulderHeight.edit, f.upperArm.edit, f.forearm.edit,
                                          f.hand.edit, f.table.edit};
    // Headings between bars, the first over the axes' names.
    const auto headings = [](const char *text) { return QString::fromUtf8(text).split('|'); };
    layout->addWidget(grid(QStringLiteral("arm"), QStringLiteral("The arm, in millimetres"),
                           headings("Shoulder height|Upper arm|Forearm|Hand|Table (lowest reach)"),
                           {geometry}));
    std::vector<std::vector<QWidget *>> limits, points;
    for (const JointFields &j : f.joints) {
        const auto axisName = [&j](const char *group) {
            auto *l = new QLabel(j.name);
            l->setObjectName(j.name.toLower() + QString::fromLatin1(group)); // "shoulderLimits"
            return l;
        };
        limits.push_back({axisName("Limits"), j.min.edit, j.max.edit, j.maxStep.edit,
                          j.maxSpeed.edit, j.maxAccel.edit});
        points.push_back({axisName("Calibration"), j.position1.edit, j.angle1.edit,
                          j.position2.edit, j.angle2.edit, j.at0, j.at255});
    }
    layout->addWidget(
        grid(QStringLiteral("limits"), QStringLiteral("Limits, in positions 0 to 255"),
             headings("|Min|Max|Max step|Max speed, \u00b0/s|Max accel, \u00b0/s\u00b2"), limits));
    layout->addWidget(grid(QStringLiteral("calibration"),
                           QStringLiteral("Calibration: at position P the joint stands at A "
                                          "degrees, measured twice"),
                           headings("|Position P|Angle A, \u00b0|Position P|Angle A, \u00b0|"
                                    "at_0, \u00b0|at_255, \u00b0"),
                           points));
    layout->addWidget(buttons());
    keyInOrder(geometry, limits, points);
}

QDialogButtonBox *ProfileDialog::buttons()
{
    auto *box = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    box->setObjectName(QStringLiteral("buttons"));
    connect(box, &QDialogButtonBox::accepted, this, &ProfileDialog::accept);
    connect(box, &QDialogButtonBox::rejected, this, &QDialog::reject);
    return box;
}

// Tab walks the fields as they are read: the arm, then the axes' limits row by row, then their
// calibration row by row.
void ProfileDialog::keyInOrder(const std::vector<QWidget *> &geometry,
                               const std::vector<std::vector<QWidget *>> &limits,
                               const std::vector<std::vector<QWidget *>> &points)
{
    std::vector<QWidget *> order = geometry;
    for (const auto *rows : {&limits, &points})
        for (const std::vector<QWidget *> &row : *rows)
            for (QWidget *w : row)
                if (qobject_cast<QLineEdit *>(w))
                    order.push_back(w);
    for (std::size_t i = 1; i < order.size(); ++i)
        setTabOrder(order[i - 1], order[i]);
}

// at_0 and at_255 follow the two measured points as they are typed.
void ProfileDialog::followCalibration()
{
    for (int c = 0; c < axes::count; ++c) {
        const JointFields &j = m_fields->joints[size_t(c)];
        for (const NumberField *n : {&j.position1, &j.angle1, &j.position2, &j.angle2})
            connect(n->edit, &QLineEdit::textChanged, this, [this, c] { showCalibration(c); });
        showCalibration(c);
    }
}

void ProfileDialog::showCalibration(int channel)
{
    JointFields &j = m_fields->joints[size_t(channel)];
    FieldReader r;
    const std::optional<arm::Calibration> c = calibration(r, j);
    const QString none = QStringLiteral("\u2013");
    j.at0->setText(c ? decimals(c->at0) : none);
    j.at255->setText(c ? decimals(c->at255) : none);
}

std::optional<arm::Profile> ProfileDialog::typed()
{
    const Fields &f = *m_fields;
    FieldReader r;
    arm::Profile p;
    p.poses = m_poses;
    p.arm.shoulderHeight = r.required(f.shoulderHeight);
    p.arm.upperArm = r.required(f.upperArm);
    p.arm.forearm = r.required(f.forearm);
    p.arm.hand = r.required(f.hand);
    p.arm.table = r.optional(f.table);
    for (std::size_t c = 0; c < f.joints.size(); ++c) {
        const JointFields &j = f.joints[c];
        arm::Joint &out = p.joints[c];
        out.min = r.whole(j.min);
        out.max = r.whole(j.max);
        out.maxStep = r.whole(j.maxStep);
        out.maxSpeed = r.optional(j.maxSpeed);
        out.maxAccel = r.optional(j.maxAccel);
        if (const std::optional<arm::Calibration> cal = calibration(r, j)) {
            out.at0 = cal->at0;
            out.at255 = cal->at255;
        }
    }
    if (r.error().isEmpty())
        return p;
    refuse(r.error());
    r.at()->setFocus();
    r.at()->selectAll();
    return std::nullopt;
}

void ProfileDialog::refuse(const QString &text)
{
    m_dialogs.message(this, text, QStringLiteral("Arm Profile"), Dialogs::Icon::Critical,
                      Dialogs::Buttons::Ok);
}

void ProfileDialog::accept()
{
    const std::optional<arm::Profile> profile = typed();
    if (!profile)
        return;
    const SavedProfile saved = saveProfile(m_path, *profile);
    if (!saved.profile)
        return refuse(saved.error);
    m_saved = saved.profile;
    QDialog::accept();
}

SavedProfile saveProfile(const QString &path, const arm::Profile &profile)
{
    // The file's own reader is the one judge of a profile: what it refuses here it would refuse
    // on every start of every program.
    const QByteArray text = arm::write(profile);
    const arm::ProfileRead read = arm::parse(text, path);
    if (!read.ok())
        return {std::nullopt, read.error};
    const SaveResult saved = saveWhole(path, text, true);
    if (!saved.ok)
        return {std::nullopt,
                program::cannot(QStringLiteral("Cannot save the arm profile"), path, saved.reason)};
    return {read.profile, {}};
}

std::optional<arm::Profile> editProfile(QWidget *parent, Dialogs &dialogs, const QString &path,
                                        const arm::Profile &current)
{
    ProfileDialog dialog(parent, dialogs, path, current);
    if (dialog.exec() != QDialog::Accepted)
        return std::nullopt;
    return dialog.saved();
}

} // namespace ask
