#include "edit/window/questions.h"

#include "core/motion/axes.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <functional>

namespace ask {

namespace {

// A dialog with a form and OK / Cancel; each field is named for screen readers and labelled.
class Form : public QDialog {
public:
    Form(QWidget *parent, const QString &title) : QDialog(parent), m_form(new QFormLayout)
    {
        setWindowTitle(title);
        auto *layout = new QVBoxLayout(this);
        layout->addLayout(m_form);
        auto *buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel);
        layout->addWidget(buttons);
        connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
        connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    }
    template <class W> W *add(const QString &label, const QString &name, W *field)
    {
        field->setObjectName(name);
        field->setAccessibleName(QString(label).remove(QLatin1Char('&')).remove(QLatin1Char(':')));
        m_form->addRow(label, field);
        return field;
    }
    void addRow(QWidget *w) { m_form->addRow(w); }
    bool ok() { return exec() == QDialog::Accepted; }

private:
    QFormLayout *m_form;
};

QComboBox *axisBox(int channel)
{
    auto *box = new QComboBox;
    for (const axes::Axis &a : axes::all)
        box->addItem(QString::fromLatin1(a.name), a.channel);
    box->setCurrentIndex(std::clamp(channel, 0, axes::count - 1));
    return box;
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

// A rate box and the label that says what the line can make of it: 240 / (2 + k) positions a
// second, the nearest to the one asked for. The holds chosen are read from the label's k.
struct RateField {
    QDoubleSpinBox *box;
    QLabel *made;
    int holds() const { return edits::holdsForRate(box->value()); }
};

RateField addRate(Form &form)
{
    RateField r{decimal(1, 120, 120, 1, 10), new QLabel};
    form.add(QStringLiteral("&Rate, positions a second:"), QStringLiteral("rate"), r.box);
    r.made->setObjectName(QStringLiteral("rateMade"));
    form.addRow(r.made);
    const auto show = [r] {
        r.made->setText(QStringLiteral("Makes ") + rateText(r.holds()) +
                        QStringLiteral(" (%1 hold(s) after each position)").arg(r.holds()));
    };
    QObject::connect(r.box, &QDoubleSpinBox::valueChanged, r.made, show);
    show();
    return r;
}

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

} // namespace

QString rateText(int holdsPerPosition)
{
    return QStringLiteral("%1 positions a second")
        .arg(QString::number(edits::rateOf(holdsPerPosition), 'f', 1));
}

std::optional<AxisChange> DialogQuestions::axisChange(QWidget *parent, AxisChange::Kind kind,
                                                      int channel)
{
    const QString titles[] = {QStringLiteral("Set Positions"), QStringLiteral("Offset Positions"),
                              QStringLiteral("Scale Positions")};
    Form form(parent, titles[kind]);
    QComboBox *axis = form.add(QStringLiteral("&Axis:"), QStringLiteral("axis"), axisBox(channel));
    QSpinBox *value = nullptr;
    QDoubleSpinBox *factor = nullptr;
    QSpinBox *pivot = nullptr;
    if (kind == AxisChange::Set)
        value = form.add(QStringLiteral("&Position:"), QStringLiteral("value"), spin(0, 255, 127));
    else if (kind == AxisChange::Offset)
        value = form.add(QStringLiteral("&Add:"), QStringLiteral("value"), spin(-255, 255, 0));
    else {
        factor = form.add(QStringLiteral("&Factor:"), QStringLiteral("factor"),
                          decimal(-10, 10, 1, 3, 0.1));
        pivot = form.add(QStringLiteral("&About position:"), QStringLiteral("pivot"),
                         spin(0, 255, 127));
    }
    if (!form.ok())
        return std::nullopt;
    AxisChange c;
    c.kind = kind;
    c.channel = axis->currentData().toInt();
    if (value)
        c.value = value->value();
    if (factor) {
        c.factor = factor->value();
        c.pivot = pivot->value();
    }
    return c;
}

std::optional<double> DialogQuestions::holdSeconds(QWidget *parent)
{
    Form form(parent, QStringLiteral("Insert Hold"));
    QDoubleSpinBox *seconds = form.add(QStringLiteral("&Seconds:"), QStringLiteral("seconds"),
                                       decimal(0.005, 600, 1, 3, 0.25));
    auto *note = new QLabel(QStringLiteral("A hold repeats a position: 1/240 s each."));
    form.addRow(note);
    if (!form.ok())
        return std::nullopt;
    return seconds->value();
}

std::optional<double> DialogQuestions::slowFactor(QWidget *parent)
{
    Form form(parent, QStringLiteral("Slow Down"));
    QDoubleSpinBox *factor = form.add(QStringLiteral("&Times slower:"), QStringLiteral("factor"),
                                      decimal(1, 100, 2, 2, 0.5));
    if (!form.ok())
        return std::nullopt;
    return factor->value();
}

std::optional<PoseMove> DialogQuestions::poseMove(QWidget *parent, const timing::Pose &from,
                                                  int records, const PoseAt &poseAt)
{
    Form form(parent, QStringLiteral("Move to Pose"));
    std::array<QSpinBox *, axes::count> boxes{};
    for (const axes::Axis &a : axes::all) {
        const QString name = QString::fromLatin1(a.name);
        boxes[size_t(a.channel)] =
            form.add(QStringLiteral("&") + name.at(0).toUpper() + name.mid(1) + QLatin1Char(':'),
                     QStringLiteral("pose") + QString::number(a.channel),
                     spin(0, 255, from[size_t(a.channel)]));
    }
    addTakeRow(form, records, [&](int record) {
        const timing::Pose p = poseAt(record);
        for (size_t i = 0; i < boxes.size(); ++i)
            boxes[i]->setValue(p[i]);
    });
    auto *order = form.add(QStringLiteral("&Order:"), QStringLiteral("order"), new QComboBox);
    order->addItem(QStringLiteral("Axis after axis, grip first"));
    order->addItem(QStringLiteral("Interleaved, one position each in turn"));
    const RateField rate = addRate(form);
    if (!form.ok())
        return std::nullopt;
    PoseMove m;
    for (size_t i = 0; i < boxes.size(); ++i)
        m.target[i] = boxes[i]->value();
    m.order = order->currentIndex() == 0 ? edits::PoseOrder::AxisAfterAxis
                                         : edits::PoseOrder::Interleaved;
    m.holdsPerPosition = rate.holds();
    return m;
}

std::optional<Smoothing> DialogQuestions::smoothing(QWidget *parent)
{
    Form form(parent, QStringLiteral("Smooth"));
    QSpinBox *jump =
        form.add(QStringLiteral("&Largest jump kept:"), QStringLiteral("maxJump"), spin(1, 254, 4));
    const RateField rate = addRate(form);
    if (!form.ok())
        return std::nullopt;
    return Smoothing{jump->value(), rate.holds()};
}

std::optional<ExportChoice> DialogQuestions::exportChoice(QWidget *parent)
{
    Form form(parent, QStringLiteral("Export"));
    auto *formats = new QComboBox;
    for (const exports::FormatInfo &f : exports::formats())
        formats->addItem(QString::fromUtf8(f.title));
    form.add(QStringLiteral("&Format:"), QStringLiteral("format"), formats);
    QSpinBox *loops = form.add(QStringLiteral("&Passes (0: again and again):"),
                               QStringLiteral("loops"), spin(0, 100, 1));
    // The table is the first pass alone; the bytes of a play need an end; the sketch may play
    // for as long as the board has power.
    const auto follow = [formats, loops] {
        const exports::Format f =
            exports::formats().at(std::size_t(formats->currentIndex())).format;
        loops->setEnabled(f != exports::Format::Csv);
        loops->setMinimum(f == exports::Format::Arduino ? 0 : 1);
    };
    QObject::connect(formats, &QComboBox::currentIndexChanged, loops, follow);
    follow();
    if (!form.ok())
        return std::nullopt;
    return ExportChoice{exports::formats().at(std::size_t(formats->currentIndex())).format,
                        loops->value()};
}

Unsaved DialogQuestions::unsavedChanges(QWidget *parent, const QString &text)
{
    QMessageBox box(QMessageBox::Question, QStringLiteral("Kestrel Edit"), text,
                    QMessageBox::Save | QMessageBox::Discard | QMessageBox::Cancel, parent);
    box.setDefaultButton(QMessageBox::Save);
    switch (box.exec()) {
    case QMessageBox::Save:
        return Unsaved::Save;
    case QMessageBox::Discard:
        return Unsaved::Discard;
    default:
        return Unsaved::Cancel;
    }
}

} // namespace ask
