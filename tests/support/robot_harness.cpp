#include "support/robot_harness.h"

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
    window = std::make_unique<robot>(Services{&port, &dialogs, folders(), [this] { ++ended; }});
    return *window;
}

robot &RobotHarness::start()
{
    create();
    window->Form_Load();
    return *window;
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
    for (int i = from; i <= w.step_buffer.stepCount(); ++i)
        out << w.step_buffer.at(i);
    return out;
}

void setSteps(robot &w, const Steps &steps)
{
    for (int i = 0; i < steps.size(); ++i)
        w.step_buffer.put(i + 2, steps[i]);
    w.step_buffer.setStepCount(int(steps.size()) + 1);
}

void recordBase(robot &w, std::initializer_list<int> positions)
{
    w.Command3->click();
    for (int p : positions)
        w.HScroll1->setValueTo(p);
}
