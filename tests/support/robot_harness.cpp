#include "support/robot_harness.h"

#include "support/files.h"
#include "support/robot_controls.h"

#include "windows/widgets/scroll_bar.h"

#include <QDir>
#include <QFile>
#include <QPushButton>

RobotHarness::RobotHarness(const QByteArray &config)
{
    QDir().mkpath(folders().config);
    if (!config.isNull()) {
        QFile f(folders().configFile());
        if (f.open(QIODevice::WriteOnly))
            f.write(config);
    }
}

Folders RobotHarness::folders() const
{
    return Folders{dir.path() + QStringLiteral("/config"), dir.path() + QStringLiteral("/help")};
}

robot &RobotHarness::create()
{
    window =
        std::make_unique<robot>(Services{&port, &dialogs, folders(), [this] { ++ended; }, pads});
    return *window;
}

robot &RobotHarness::start()
{
    create();
    window->Form_Load();
    return *window;
}

void RobotHarness::openRecords(const Steps &records)
{
    QByteArray text;
    for (const Step &s : records)
        text += QByteArray::number(s.channel) + " , " + QByteArray::number(s.position) + "\r\n";
    const QString path = dir.filePath(QStringLiteral("opened-%1.kmv").arg(++m_opened));
    if (!writeFile(path, text))
        qFatal("cannot write %s", qPrintable(path));
    // The file dialog's record keeps only what the test itself asked for.
    const auto titles = dialogs.fileTitles;
    const auto filters = dialogs.fileFilters;
    dialogs.openPaths << path;
    window->Open_men_Click();
    dialogs.fileTitles = titles;
    dialogs.fileFilters = filters;
    if (window->session().stepBuffer().stepCount() != records.size())
        qFatal("the movement file %s did not open", qPrintable(path));
}

QByteArray RobotHarness::defaultConfig()
{
    return configWith({});
}

QByteArray RobotHarness::configWith(const QByteArray &lines)
{
    return QByteArrayLiteral("======== Velmora ==========\r\n") + lines;
}

Steps stepsOf(const robot &w, int from)
{
    Steps out;
    for (int i = from; i <= w.session().stepBuffer().stepCount(); ++i)
        out << w.session().stepBuffer().at(i);
    return out;
}

void setSteps(RobotHarness &h, const Steps &steps)
{
    h.openRecords(Steps{Step{}} + steps);
}

void recordBase(robot &w, std::initializer_list<int> positions)
{
    ui(w).Command3->click();
    for (int p : positions)
        ui(w).HScroll1->setValueTo(p);
}
