#include "support/headless_sim.h"

#include "sim/core/pseudo_terminal.h"

#include <QFile>
#include <QFileInfo>
#include <QTest>

HeadlessSim::HeadlessSim(const QString &binary, const QString &config, const QString &log)
    : m_binary(binary), m_config(config), m_log(log)
{
}

HeadlessSim::~HeadlessSim()
{
    stop();
}

bool HeadlessSim::start()
{
    m_process.start(m_binary, {"--headless", "--config-dir", m_config, "--log", m_log});
    return m_process.waitForStarted() &&
           QTest::qWaitFor([this] { return QFileInfo(m_config + "/COM1").isSymLink(); }, 10000);
}

QStringList HeadlessSim::lines() const
{
    QFile f(m_log);
    return f.open(QIODevice::ReadOnly)
               ? QString::fromUtf8(f.readAll()).split('\n', Qt::SkipEmptyParts)
               : QStringList();
}

QStringList HeadlessSim::linesBeforeMarker()
{
    if (!sim::PseudoTerminal::writeToDevice(m_config + "/COM1", QByteArray::fromHex("FF002A0D")))
        return {};
    const auto marked = [this] {
        const QStringList now = lines();
        return !now.isEmpty() && now.last().endsWith("FF 00 2A 0D base 42");
    };
    if (!QTest::qWaitFor(marked, 30000))
        return {};
    QStringList before = lines();
    before.removeLast();
    return before;
}

void HeadlessSim::stop()
{
    if (m_process.state() == QProcess::NotRunning)
        return;
    m_process.terminate();
    if (!m_process.waitForFinished(5000))
        m_process.kill();
    m_process.waitForFinished(5000);
}
