#pragma once
// The real line: a QSerialPort on the device that "Comm n" names, opened by its canonical path
// and locked, so that two programs reaching one device through different names exclude each
// other.

#include "core/link/port.h"

#include <QSerialPort>

class SerialPort : public Port {
    Q_OBJECT
public:
    explicit SerialPort(const QString &configDir, QObject *parent = nullptr);
    ~SerialPort() override;

    [[nodiscard]] int open(int number) override;
    // Opens the device at path, following links, as open() opens the one "Comm n" names: for a
    // user who names the device itself.
    [[nodiscard]] int openPath(const QString &path);
    void close() override;
    bool isOpen() const override;
    QString device() const override { return m_device; }
    QString note() const override { return m_note; }
    QByteArray readAfter(int ms) override;
    // What the driver and Qt still hold for the line, where the driver tells (a UART, a USB
    // serial adapter); nothing on a pseudo-terminal.
    std::optional<int> bytesQueued() const override;

    // The lock file that QSerialPort takes for `device` (a canonical path): LCK.. and the
    // device's name under /dev with '/' as '_', in the first usable lock folder. Kept as Qt
    // keeps it, so that a refusal can be explained; empty when no folder can be used.
    static QString lockFile(const QString &device);

protected:
    void send(const QByteArray &bytes) override;

private:
    int openDevice(const QString &path);
    // Why QSerialPort could not open path, as an error number.
    int openFailure(const QString &path);
    // The note for a lock file of `device` left by a process that no longer runs; empty when
    // there is none, or its process still runs.
    static QString staleLockNote(const QString &device);
    void onError(QSerialPort::SerialPortError error);

    QString m_configDir;
    QString m_device;
    QString m_note;
    QSerialPort m_port;
    bool m_reportsQueue = false; // whether the open device tells what its driver holds
};
