#pragma once
// Edit, "Arm Profile...": the arm's profile in a dialog. The geometry, each axis's limits, and
// each joint's calibration entered as two measured points ("at position P the joint stands at A
// degrees"), from which at_0 and at_255 are worked out and shown as they are typed. OK checks
// the profile as the file is checked and saves it whole or not at all.

#include "core/arm/profile.h"

#include <QDialog>
#include <QString>
#include <memory>
#include <optional>
#include <vector>

class QDialogButtonBox;
class QWidget;
class Dialogs;

namespace ask {

// Shows `current` (the profile read from `path`) for editing. On OK, the profile is saved to
// `path` and returned; on Cancel, or when it could not be saved (after saying why through
// `dialogs`), nothing is returned and the file is as it was.
std::optional<arm::Profile> editProfile(QWidget *parent, Dialogs &dialogs, const QString &path,
                                        const arm::Profile &current);

struct [[nodiscard]] SavedProfile {
    std::optional<arm::Profile> profile; // as the file's reader reads it back
    QString error;                       // why nothing was saved
};

// `profile` judged by the file's own reader, then written to `path` whole or not at all.
SavedProfile saveProfile(const QString &path, const arm::Profile &profile);

// The dialog editProfile shows. Numbers are typed with a decimal point whatever the locale, so
// that a file written here reads the same everywhere. OK closes it only once the profile is
// saved: a field that is not a number, a profile the file's reader refuses, or a save that
// fails is said through `dialogs` and leaves it open with what was typed.
class ProfileDialog : public QDialog {
    Q_OBJECT
public:
    ProfileDialog(QWidget *parent, Dialogs &dialogs, QString path, const arm::Profile &current);
    ~ProfileDialog() override;

    // The profile OK saved; none before.
    const std::optional<arm::Profile> &saved() const { return m_saved; }
    void accept() override;

private:
    struct Fields;
    void layOut();
    QDialogButtonBox *buttons();
    void keyInOrder(const std::vector<QWidget *> &geometry,
                    const std::vector<std::vector<QWidget *>> &limits,
                    const std::vector<std::vector<QWidget *>> &points);
    void followCalibration();
    void showCalibration(int channel);
    std::optional<arm::Profile> typed();
    void refuse(const QString &text);

    Dialogs &m_dialogs;
    QString m_path;
    std::unique_ptr<Fields> m_fields;
    std::vector<arm::NamedPose> m_poses; // not shown here, but saved with the rest
    std::optional<arm::Profile> m_saved;
};

} // namespace ask
