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
    QByteArray readAfter(int ms) override;

protected:
    void send(const QByteArray &bytes) override;

private:
    int openDevice(const QString &path);
    void onError(QSerialPort::SerialPortError error);

    QString m_configDir;
    QString m_device;
    QSerialPort m_port;
};
