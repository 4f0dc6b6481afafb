#pragma once
// The pad's own device node (/dev/input/eventN), watched so that a resting pad costs nothing: a
// pad that nobody touches sends nothing, and the program sleeps until it does. Every reader of an
// input node gets its own copy of the pad's events, so what is read here is taken from nobody:
// SDL reads the pad's state from its own. What arrives here is only a sign to read the pad.

#include <QObject>
#include <QSocketNotifier>
#include <QString>

#include <memory>

class PadNode : public QObject {
    Q_OBJECT
public:
    // None where the node cannot be opened (no such node, no permission): the pad is then read
    // on a timer instead.
    static std::unique_ptr<PadNode> open(const QString &path);
    ~PadNode() override;

    void setWatching(bool watching) { m_notifier.setEnabled(watching); }
    bool watching() const { return m_notifier.isEnabled(); }

Q_SIGNALS:
    // The pad sent something; what came has been read away.
    void stirred();
    // The node failed (the pad was pulled out): it is watched no more.
    void failed();

private:
    explicit PadNode(int fd);
    void readAway();

    int m_fd;
    QSocketNotifier m_notifier;
};
