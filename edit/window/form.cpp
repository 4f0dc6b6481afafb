#include "edit/window/form.h"

#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
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
