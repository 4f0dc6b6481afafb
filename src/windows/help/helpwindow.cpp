#include "windows/help/helpwindow.h"

#include "core/store/folders.h"
#include "core/text/twips.h"
#include "windows/widgets/look.h"

#include <QFontMetrics>
#include <QIcon>
#include <QImageReader>
#include <QLabel>
#include <QPainter>
#include <QPixmap>
#include <QRadioButton>
#include <QScrollBar>
#include <algorithm>

namespace {

// The option's template: every topic option copies its place, size, colours and font.
const QRect templateRect = twips::rect(120, 840, 3015, 255);
constexpr int optionStepTwips = 300;

// The longest start of text that fits in width, cut after a "/" where one fits, so that a
// long path breaks between its folders.
qsizetype fittingLength(const QString &text, const QFontMetrics &fm, int width)
{
    qsizetype fits = 1;
    while (fits < text.size() && fm.horizontalAdvance(text.left(fits + 1)) <= width)
        ++fits;
    if (fits == text.size())
        return fits;
    const qsizetype slash = text.lastIndexOf(QLatin1Char('/'), fits - 1);
    return slash > 0 ? slash + 1 : fits;
}

// Breaks text into lines that fit the width; for messages, never for help text, whose lines
// the help file's authors lay out themselves.
QStringList wrapped(const QString &text, const QFontMetrics &fm, int width)
{
    QStringList lines;
    QString rest = text;
    while (!rest.isEmpty()) {
        const qsizetype n = fittingLength(rest, fm, width);
        lines << rest.left(n);
        rest = rest.mid(n);
    }
    return lines;
}

} // namespace

HelpTextArea::HelpTextArea(QWidget *parent) : QWidget(parent)
{
    look::setBackColour(this, look::black);
    look::setTextColour(this, look::white);
    setFont(look::arial(8.25));
}

void HelpTextArea::clear()
{
    m_lines.clear();
    setAccessibleDescription(QString());
    update();
}

void HelpTextArea::writeLines(const QStringList &lines)
{
    m_lines += lines;
    // A screen reader reads the page as its description.
    setAccessibleDescription(m_lines.join(QLatin1Char('\n')));
    update();
}

void HelpTextArea::paintEvent(QPaintEvent *)
{
    QPainter painter(this);
    painter.setPen(look::white);
    painter.setFont(font());
    const QFontMetrics fm(font());
    int baseline = fm.ascent();
    for (const QString &line : std::as_const(m_lines)) {
        painter.drawText(0, baseline, line);
        baseline += fm.height();
    }
}

helpwindow::helpwindow(const QString &helpFolder, QWidget *parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowCloseButtonHint |
                          Qt::CustomizeWindowHint),
      m_helpFolder(helpFolder)
{
    // Each opening makes a new window; closing discards it, so the next one re-reads the file.
    setAttribute(Qt::WA_DeleteOnClose);
    setObjectName(QStringLiteral("helpwindow"));
    setWindowTitle(QStringLiteral("Kestrel                  HELP"));
    setWindowIcon(QIcon(look::appIconPath()));
    setFixedSize(twips::px(8325), twips::px(5415));
    look::setBackColour(this, look::black);
    buildControls();
    load();
}

// Made in this order, which is the order of the tab key.
void helpwindow::buildControls()
{
    buildPictures();
    buildLabels();
    buildScrollBar();
}

void helpwindow::buildPictures()
{
    m_optionTemplate = new QRadioButton(this);
    m_optionTemplate->setObjectName(QStringLiteral("Option1_0"));
    m_optionTemplate->setGeometry(templateRect);
    look::setBackColour(m_optionTemplate, look::black);
    look::setTextColour(m_optionTemplate, look::yellow);
    m_optionTemplate->setFont(look::arial(8.25));
    m_optionTemplate->hide();

    Picture1 = new QLabel(this);
    Picture1->setObjectName(QStringLiteral("Picture1"));
    Picture1->setGeometry(twips::rect(3360, 180, 4875, 2595));
    Picture1->setAlignment(Qt::AlignCenter);
    Picture1->setFocusPolicy(Qt::StrongFocus);
    look::setBackColour(Picture1, look::black);
    Picture1->setAccessibleName(QStringLiteral("Topic picture"));

    Picture2 = new HelpTextArea(this);
    Picture2->setObjectName(QStringLiteral("Picture2"));
    Picture2->setGeometry(twips::rect(3360, 3090, 4665, 2175));
    Picture2->setFocusPolicy(Qt::StrongFocus);
    Picture2->setAccessibleName(QStringLiteral("Topic page"));
}

void helpwindow::buildLabels()
{
    Label1 = new QLabel(this);
    Label1->setObjectName(QStringLiteral("Label1"));
    Label1->setGeometry(twips::rect(3360, 2820, 4905, 255));
    Label1->setTextFormat(Qt::PlainText);
    Label1->setFont(look::arial(8.25));
    look::setBackColour(Label1, look::darkBlue);
    look::setTextColour(Label1, look::yellow);

    Label2 = new QLabel(QStringLiteral("HELP TOPICS"), this);
    Label2->setObjectName(QStringLiteral("Label2"));
    Label2->setGeometry(twips::rect(210, 0, 2775, 255));
    Label2->setAlignment(Qt::AlignCenter);
    Label2->setFont(look::arial(9.75, true));
    look::setBackColour(Label2, look::black);
    look::setTextColour(Label2, look::green);
}

void helpwindow::buildScrollBar()
{
    VScroll1 = new QScrollBar(Qt::Vertical, this);
    VScroll1->setObjectName(QStringLiteral("VScroll1"));
    VScroll1->setGeometry(twips::rect(8040, 3090, 255, 2175));
    VScroll1->setRange(1, 10);
    VScroll1->setValue(1);
    VScroll1->setSingleStep(1);
    VScroll1->setPageStep(1);
    VScroll1->setAccessibleName(QStringLiteral("Topic page scroll bar"));
    VScroll1->setAccessibleDescription(QStringLiteral("Scrolls the topic page"));
    connect(VScroll1, &QScrollBar::valueChanged, this, &helpwindow::VScroll1_Change);
}

void helpwindow::load()
{
    Folders folders;
    folders.help = m_helpFolder;
    const QString path = folders.helpFile();
    m_file = help::readHelpFile(path);

    if (!m_file.ok()) {
        const QFontMetrics fm(Picture2->font());
        QStringList text{QStringLiteral("The help file cannot be read:")};
        text += wrapped(path, fm, Picture2->width());
        text += wrapped(m_file.error, fm, Picture2->width());
        Picture2->writeLines(text);
        VScroll1->setEnabled(false);
        return;
    }

    m_topics = help::topics(m_file);
    for (int j = 1; j <= m_topics.size(); ++j)
        addTopicOption(j, m_topics.at(j - 1));
    QList<QWidget *> chain(m_options.cbegin(), m_options.cend());
    chain << Picture1 << Picture2 << VScroll1;
    for (qsizetype i = 1; i < chain.size(); ++i)
        setTabOrder(chain.at(i - 1), chain.at(i));

    showPicture(QStringLiteral("vm.jpg"));
    if (m_topics.isEmpty()) {
        const QFontMetrics fm(Picture2->font());
        QStringList text{QStringLiteral("VELMORA Help Window"),
                         QStringLiteral("The help file holds no topics:")};
        text += wrapped(path, fm, Picture2->width());
        Picture2->writeLines(text);
    } else {
        Picture2->writeLines({QStringLiteral("VELMORA Help Window"),
                              QStringLiteral("Click on a TOPIC you want to display")});
    }
    VScroll1->setEnabled(false);
}

void helpwindow::addTopicOption(int j, const help::Topic &topic)
{
    auto *option = new QRadioButton(this);
    option->setObjectName(QStringLiteral("Option1_%1").arg(j));
    option->setGeometry(templateRect.left(), twips::px(optionStepTwips * j), templateRect.width(),
                        templateRect.height());
    option->setPalette(m_optionTemplate->palette());
    option->setAutoFillBackground(true);
    option->setFont(m_optionTemplate->font());
    // An "&" in a title is shown, not taken for a shortcut key.
    QString shown = topic.caption;
    option->setText(shown.replace(QLatin1Char('&'), QLatin1String("&&")));
    // Two topics may share a caption; a screen reader tells them apart by their number.
    const bool shared =
        std::any_of(m_options.cbegin(), m_options.cend(),
                    [&](const QRadioButton *o) { return o->text() == option->text(); });
    if (shared)
        option->setAccessibleName(topic.caption + QStringLiteral(" (topic %1)").arg(j));
    option->setAccessibleDescription(QStringLiteral("Shows this topic"));
    m_options.append(option);
    connect(option, &QRadioButton::toggled, this, [this, j](bool checked) {
        if (checked)
            Option1_Click(j);
    });
}

void helpwindow::Option1_Click(int index)
{
    disptopic(m_topics.at(index - 1).caption);
    VScroll1->setEnabled(true);
}

void helpwindow::disptopic(const QString &caption)
{
    const help::TopicView view = help::findTopic(m_file, caption);
    if (!view.found) {
        Label1->clear();
        Picture1->clear();
        Picture2->clear();
        return;
    }
    // Moving the bar shows pages as it goes; the topic's own first page is written last.
    VScroll1->setRange(view.scrollMin, view.scrollMax);
    VScroll1->setValue(view.scrollMin);
    Picture2->clear();
    Label1->setText(QStringLiteral("Topic : ") + view.title);
    showPicture(view.picture);
    // A topic without text shows an empty page, whatever follows its end marker.
    if (view.textLineCount() > 0)
        dispselected(view.firstTextLine);
}

void helpwindow::dispselected(int firstLine)
{
    Picture2->clear();
    Picture2->writeLines(help::page(m_file, firstLine));
}

void helpwindow::VScroll1_Change()
{
    dispselected(VScroll1->value() + 1);
}

void helpwindow::showPicture(const QString &fileName)
{
    Picture1->clear();
    if (fileName.isEmpty())
        return;
    QImageReader reader(m_helpFolder + QLatin1Char('/') + fileName);
    const QImage image = reader.read();
    if (image.isNull())
        return;
    // Scaled to fit the area with its proportions kept, at the screen's own resolution.
    const qreal ratio = devicePixelRatioF();
    QPixmap pixmap = QPixmap::fromImage(image.scaled(
        Picture1->contentsRect().size() * ratio, Qt::KeepAspectRatio, Qt::SmoothTransformation));
    pixmap.setDevicePixelRatio(ratio);
    Picture1->setPixmap(pixmap);
}

QStringList helpwindow::shownLines() const
{
    return Picture2->lines();
}

void helpwindow::showEvent(QShowEvent *event)
{
    QWidget::showEvent(event);
    if (!m_placed) {
        m_placed = true;
        look::centreOnScreen(this);
    }
}
