#pragma once
// kestrel-sim --headless as the far end of the programs' end-to-end tests: its COM1 published
// in a configuration folder, every byte it reads logged to a file.

#include <QProcess>
#include <QString>
#include <QStringList>

class HeadlessSim {
public:
    HeadlessSim(const QString &binary, const QString &config, const QString &log);
    ~HeadlessSim();
    // Started, and its link published (10 s at most).
    [[nodiscard]] bool start();
    // The log's lines as they stand, each "<seconds> FF 04 7F 0D grip 127".
    QStringList lines() const;
    // Puts a marker frame on the line behind whatever the program wrote and waits for it to be
    // logged (30 s at most): then everything the program wrote has been. The lines before it;
    // empty when it never came.
    QStringList linesBeforeMarker();
    void stop();

private:
    QString m_binary, m_config, m_log;
    QProcess m_process;
};
