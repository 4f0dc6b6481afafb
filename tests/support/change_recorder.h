#pragma once
// The changes a window's named controls go through, in the order they happen, one line each:
// "Command4 off", "Open_men on", "Command6 'CONT'", "Text5 '3'", "HScroll3 3",
// "Command3 light grey". Frames a fake port writes meanwhile come between them ("frame 0 128"),
// and a test adds what else it sees (a message box) with note().
//
// Only real changes can be seen: a control set to the state it has raises nothing, so a test
// that wants every step of an operation listed starts each control in the other state. A
// caption raises no event at all (and screen readers' notices need a platform that has them,
// which offscreen has not): it is seen at the next change of anything else.

#include <QList>
#include <QObject>
#include <QString>
#include <QStringList>

class FakePort;
class QWidget;

class ChangeRecorder : public QObject {
    Q_OBJECT
public:
    // Records from now on, until destroyed.
    explicit ChangeRecorder(QWidget *window, const FakePort *port = nullptr);

    void note(const QString &what);
    // What was recorded so far, the frames written since the last change included.
    QStringList changes();

protected:
    bool eventFilter(QObject *watched, QEvent *event) override;

private:
    struct Control {
        QObject *control;
        QStringList shown; // its facets as last recorded
    };
    void look(QObject *changed);
    void take(Control &c);
    void takeFrames();

    const FakePort *m_port;
    qsizetype m_bytesSeen = 0;
    QStringList m_changes;
    QList<Control> m_controls;
};
