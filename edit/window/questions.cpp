#include "edit/window/questions.h"

#include "core/arm/named_poses.h"
#include "core/motion/axes.h"
#include "edit/window/form.h"

#include <QComboBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>

namespace ask {

namespace {

QComboBox *axisBox(int channel)
{
    auto *box = new QComboBox;
    for (const axes::Axis &a : axes::all)
        box->addItem(QString::fromLatin1(a.name), a.channel);
    box->setCurrentIndex(std::clamp(channel, 0, axes::count - 1));
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
                                                  const PoseSources &sources)
{
    Form form(parent, QStringLiteral("Move to Pose"));
    const PoseFields pose = addPoseFields(form, from, sources);
    auto *order = form.add(QStringLiteral("&Order:"), QStringLiteral("order"), new QComboBox);
    order->addItem(QStringLiteral("Axis after axis, grip first"));
    order->addItem(QStringLiteral("Interleaved, one position each in turn"));
    const RateField rate = addRate(form);
    if (!form.ok())
        return std::nullopt;
    PoseMove m;
    m.target = pose.pose();
    m.order = order->currentIndex() == 0 ? edits::PoseOrder::AxisAfterAxis
                                         : edits::PoseOrder::Interleaved;
    m.holdsPerPosition = rate.holds();
    return m;
}

std::optional<double> DialogQuestions::retimeSeconds(QWidget *parent, double now)
{
    Form form(parent, QStringLiteral("Retime Selection"));
    auto *was = new QLabel(QStringLiteral("The selection takes %1 s now.").arg(now, 0, 'f', 3));
    was->setObjectName(QStringLiteral("retimeNow"));
    form.addRow(was);
    QDoubleSpinBox *seconds =
        form.add(QStringLiteral("&Seconds:"), QStringLiteral("seconds"),
                 decimal(0.001, moves::mostSeconds, std::max(now, 0.001), 3, 0.1));
    if (!form.ok())
        return std::nullopt;
    return seconds->value();
}

std::optional<QString> DialogQuestions::poseName(QWidget *parent, const QStringList &named)
{
    Form form(parent, QStringLiteral("Save Pose As"));
    QLineEdit *name = form.add(QStringLiteral("&Name:"), QStringLiteral("poseName"), new QLineEdit);
    auto *note =
        new QLabel(QStringLiteral("Letters, digits, '_' and '-', at most 40.") +
                   (named.isEmpty() ? QString()
                                    : QStringLiteral(" The profile names: ") +
                                          named.join(QStringLiteral(", ")) + QLatin1Char('.')));
    note->setObjectName(QStringLiteral("poseNameNote"));
    note->setWordWrap(true);
    form.addRow(note);
    const auto follow = [&form, name] {
        form.okButton()->setEnabled(arm::validPoseName(name->text()));
    };
    QObject::connect(name, &QLineEdit::textChanged, &form, follow);
    follow();
    if (!form.ok())
        return std::nullopt;
    return name->text();
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
