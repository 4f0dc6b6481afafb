#pragma once
// The port manager: choosing "Comm n", opening it, probing it for an echo, and losing it when
// the device goes away; with port_status and the motion controls that the port's state allows
// (enable_all / disable_all). Every outcome is announced at once, from inside the operation, so
// a view tells it before the operation goes on.

#include <QObject>
#include <QString>
#include <functional>

class Port;

class PortLink : public QObject {
    Q_OBJECT
public:
    // The outcome of choosing a port, as port_status and the signals also tell it.
    enum class Outcome {
        Usable, // opened, and the probe found no echo: port_status 0
        Failed, // the open failed: port_status is its error number, the port is closed
        Echoed, // the probe came back: port_status 13, the port stays open
        Lost,   // the device went away during the probe: port_status 8002, the port is closed
    };

    explicit PortLink(Port &port, QObject *parent = nullptr);

    // 0 while command frames may be sent; otherwise the error number of a failed open, or 13
    // after an echo.
    int status() const { return port_status; }
    bool motionControlsEnabled() const { return m_motionEnabled; }

    // init_port: opens port `number` ("Comm n") with a fresh port_status, and probes it. The
    // open is made by `open` when given (a device named by its path): 0 or the error number.
    [[nodiscard]] Outcome choose(int number, const std::function<int()> &open = {});

    // An axis's frame, written only while port_status is 0: what a value box sends.
    void sendAxis(int channel, int position) const;

Q_SIGNALS:
    // The open succeeded (the view moves the check mark); the probe follows.
    void portOpened(int number);
    // The open failed: the view tells it with comdevice::failureText of these.
    void portFailed(int error, int number, const QString &device, const QString &note);
    // The probe was echoed: the view tells it with comdevice::echoText.
    void portEchoed(int number);
    // The device went away while open; the port is closed.
    void portLost(int number, const QString &device);
    // enable_all or disable_all ran. Announced every time, also when the state stays, because
    // the group is set again as a whole: enable_all enables STOP and PAUSE too, whatever the
    // layout had made of them.
    void motionControlsSet(bool enabled);

private:
    void check_if_modem();
    void onLost();
    void setMotionControls(bool enabled);
    Outcome outcome() const;

    Port &m_port;
    int m_number = 1; // port_number, as last chosen
    int port_status = 0;
    bool m_motionEnabled = false;
    bool m_lostInProbe = false;
};
