#pragma once
// A pseudo-terminal standing in for the far end of a serial line. The test holds the master
// side; the program opens the slave side through a COMn link, as it would a real device.

#include <QByteArray>
#include <QString>

class Pty {
public:
    Pty();
    ~Pty();
    Pty(const Pty &) = delete;
    Pty &operator=(const Pty &) = delete;

    bool ok() const { return m_master >= 0; }
    QString slavePath() const { return m_slave; }
    // Makes `linkPath` a symbolic link to the slave side.
    bool linkAs(const QString &linkPath) const;

    // The settings of the line as the program left them (the master side reports the slave's).
    bool lineSettings(struct termios *t) const;

    // Everything that arrives within `ms` milliseconds after the first byte, waiting at most
    // `firstMs` for that first byte.
    QByteArray read(int firstMs, int ms = 50);
    void write(const QByteArray &bytes);
    // Closes the master side: the slave then sees a hang-up, as when an adapter is pulled out.
    void closeMaster();

private:
    int m_master = -1;
    QString m_slave;
};
