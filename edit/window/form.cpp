#include "edit/window/form.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QLabel>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ask {

Form::Form(QWidget *parent, const QString &title) : QDialog(parent), m_form(new QFormLayout)
{
    setWindowTitle(title);
    auto *layout = new QVBoxLayout(this);
    layout->addLayout(m_form);
    auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
    layout->addWidget(buttons);
    m_ok = buttons->button(QDialogButtonBox::Ok);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void Form::addRow(QWidget *w)
{
    m_form->addRow(w);
}

void Form::addLabelled(const QString &label, QWidget *field)
{
    m_form->addRow(label, field);
}

namespace {

constexpr moves::Ease eases[] = {moves::Ease::Linear, moves::Ease::Smooth, moves::Ease::Trapezoid};

} // namespace

TimingFields addTiming(Form &form, const QString &resultName)
{
    TimingFields f;
    f.fastest = form.add(QStringLiteral("As &fast as the caps allow:"), QStringLiteral("fastest"),
                         new QCheckBox);
    f.seconds = form.add(QStringLiteral("&Duration, seconds:"), QStringLiteral("seconds"),
                         decimal(0.01, moves::mostSeconds, 1, 2, 0.1));
    f.ease = form.add(QStringLiteral("E&ase:"), QStringLiteral("ease"), new QComboBox);
    for (moves::Ease e : eases)
        f.ease->addItem(moves::easeName(e));
    f.ease->setCurrentIndex(int(moves::Ease::Smooth));
    f.result = new QLabel;
    f.result->setObjectName(resultName);
    f.result->setWordWrap(true);
    form.addRow(f.result);
    return f;
}

moves::Ease TimingFields::chosenEase() const
{
    return eases[std::clamp(ease->currentIndex(), 0, int(std::size(eases)) - 1)];
}

std::optional<double> TimingFields::chosenSeconds() const
{
    if (fastest->isChecked())
        return std::nullopt;
    return seconds->value();
}

QSpinBox *spin(int min, int max, int value)
{
    auto *box = new QSpinBox;
    box->setRange(min, max);
    box->setValue(value);
    return box;
}

QDoubleSpinBox *decimal(double min, double max, double value, int decimals, double step)
{
    auto *box = new QDoubleSpinBox;
    box->setRange(min, max);
    box->setDecimals(decimals);
    box->setSingleStep(step);
    box->setValue(value);
    return box;
}

} // namespace ask
