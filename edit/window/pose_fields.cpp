#include "edit/window/pose_fields.h"

#include "core/arm/named_poses.h"
#include "core/edit/motion_document.h"
#include "edit/window/form.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QPushButton>
#include <QSpinBox>

namespace ask {

namespace {

// "Take the pose after step" and the step's number: the button calls `take` with the number.
void addTakeRow(Form &form, int records, const std::function<void(int)> &take)
{
    auto *takeRow = new QWidget;
    auto *row = new QHBoxLayout(takeRow);
    row->setContentsMargins(0, 0, 0, 0);
    QSpinBox *record = spin(1, std::max(records, 1), std::max(records, 1));
    record->setObjectName(QStringLiteral("poseRecord"));
    record->setAccessibleName(QStringLiteral("Step to take the pose from"));
    auto *takeButton = new QPushButton(QStringLiteral("&Take the pose after step"));
    takeButton->setObjectName(QStringLiteral("takePose"));
    takeButton->setAccessibleName(takeButton->text().remove(QLatin1Char('&')));
    row->addWidget(takeButton);
    row->addWidget(record);
    form.addRow(takeRow);
    QObject::connect(takeButton, &QPushButton::clicked, &form,
                     [record, take] { take(record->value()); });
}

// The profile's named poses, each shown with its positions; choosing one fills the fields. None
// is chosen at first, so that the fields keep the pose they were opened with.
QComboBox *namedPoses(const std::vector<arm::NamedPose> &named)
{
    auto *box = new QComboBox;
    for (const arm::NamedPose &p : named)
        box->addItem(p.name + QStringLiteral(" (") + arm::positionsText(p.positions) +
                     QLatin1Char(')'));
    box->setPlaceholderText(named.empty() ? QStringLiteral("None in the arm profile")
                                          : QStringLiteral("Choose one"));
    box->setCurrentIndex(-1);
    box->setEnabled(!named.empty());
    return box;
}

} // namespace

PoseSources poseSources(const MotionDocument &document, const arm::Profile &profile)
{
    const MotionDocument *d = &document;
    return {document.size(),
            [d](int record) { return edits::poseAfter(d->records(), record - 1, d->passStart()); },
            profile.poses};
}

timing::Pose PoseFields::pose() const
{
    timing::Pose p{};
    for (size_t i = 0; i < boxes.size(); ++i)
        p[i] = boxes[i]->value();
    return p;
}

void PoseFields::show(const timing::Pose &pose) const
{
    for (size_t i = 0; i < boxes.size(); ++i)
        boxes[i]->setValue(pose[i]);
}

PoseFields addPoseFields(Form &form, const timing::Pose &shown, const PoseSources &sources)
{
    PoseFields f;
    for (const axes::Axis &a : axes::all) {
        const QString name = QString::fromLatin1(a.name);
        f.boxes[size_t(a.channel)] =
            form.add(QStringLiteral("&") + name.at(0).toUpper() + name.mid(1) + QLatin1Char(':'),
                     QStringLiteral("pose") + QString::number(a.channel),
                     spin(0, 255, shown[size_t(a.channel)]));
    }
    const PoseAt poseAt = sources.poseAt;
    addTakeRow(form, sources.records, [f, poseAt](int record) { f.show(poseAt(record)); });
    f.named = form.add(QStringLiteral("&Named pose:"), QStringLiteral("namedPose"),
                       namedPoses(sources.named));
    const std::vector<arm::NamedPose> named = sources.named;
    QObject::connect(f.named, &QComboBox::activated, &form, [f, named](int i) {
        if (i >= 0 && size_t(i) < named.size())
            f.show(named[size_t(i)].positions);
    });
    return f;
}

} // namespace ask
