#pragma once
// The pieces the editor's small dialogs are made of: a form with OK / Cancel whose fields are
// named for screen readers and labelled, and the number boxes they ask with.

#include "core/edit/timed_move.h"

#include <QDialog>
#include <QString>
#include <optional>

class QCheckBox;
class QComboBox;
class QDoubleSpinBox;
class QLabel;
class QFormLayout;
class QPushButton;
class QSpinBox;

namespace ask {

class Form : public QDialog {
public:
    Form(QWidget *parent, const QString &title);

    template <class W> W *add(const QString &label, const QString &name, W *field)
    {
        field->setObjectName(name);
        field->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        addLabelled(label, field);
        return field;
    }
    void addRow(QWidget *w);
    QPushButton *okButton() const { return m_ok; }
    bool ok() { return exec() == QDialog::Accepted; }

private:
    void addLabelled(const QString &label, QWidget *field);

    QFormLayout *m_form;
    QPushButton *m_ok;
};

// The fields a timed move is asked with, in every dialog that makes one: as fast as the caps
// allow or a duration, the ease, and a line under them that says what the choice gives.
struct TimingFields {
    QCheckBox *fastest = nullptr;
    QDoubleSpinBox *seconds = nullptr;
    QComboBox *ease = nullptr;
    QLabel *result = nullptr; // named `resultName`

    moves::Ease chosenEase() const;
    std::optional<double> chosenSeconds() const; // none: as fast as the caps allow
};
TimingFields addTiming(Form &form, const QString &resultName);

QSpinBox *spin(int min, int max, int value);
QDoubleSpinBox *decimal(double min, double max, double value, int decimals, double step);

} // namespace ask
