// The wait that every hold and line wait goes through: it sleeps while nothing happens, also
// with a posted event queued that cannot be delivered at this depth, and it wakes for what
// does happen. Run once on Qt's default dispatcher (GLib on Debian) and once on its UNIX one.

#include "core/process/event_wait.h"

#include <QAbstractEventDispatcher>
#include <QPointer>
#include <QSocketNotifier>
#include <QThread>
#include <QTimer>
#include <QtTest>
#include <functional>
#include <unistd.h>

namespace {

// Runs `body` inside an event handler of a running event loop, where RUN's replay runs.
void insideAHandler(const std::function<void()> &body)
{
    QEventLoop loop;
    QTimer::singleShot(0, &loop, [&] {
        body();
        loop.quit();
    });
    loop.exec();
}

// Calls sleepUntilEvent() until `done`, at most `limit` times or until a guard timer of 5 s has
// fired; returns how many calls it took, or -1 when it took until the guard.
int sleepsUntil(const bool &done, int limit = 1000)
{
    bool gaveUp = false;
    QTimer guard;
    guard.setSingleShot(true);
    QObject::connect(&guard, &QTimer::timeout, [&] { gaveUp = true; });
    guard.start(5000);
    int calls = 0;
    while (!done && !gaveUp && calls < limit) {
        events::sleepUntilEvent();
        ++calls;
    }
    return gaveUp ? -1 : calls;
}

} // namespace

class EventWait : public QObject {
    Q_OBJECT

private Q_SLOTS:
    void initTestCase()
    {
        qInfo("dispatcher: %s", QAbstractEventDispatcher::instance()->metaObject()->className());
    }

    void sleepsWhileAnUndeliverableEventIsQueued()
    {
        bool doomedStillQueued = false;
        int calls = 0;
        insideAHandler([&] {
            // Deleted only once this handler has returned: its event stays queued meanwhile.
            auto *doomed = new QObject;
            const QPointer<QObject> watch(doomed);
            doomed->deleteLater();
            // What a window's paint flush does before each hold: posted events of one object
            // and type only.
            QObject window;
            bool due = false;
            QTimer timer;
            timer.setSingleShot(true);
            connect(&timer, &QTimer::timeout, [&] { due = true; });
            timer.start(300);
            while (!due && calls < 1000) {
                QCoreApplication::sendPostedEvents(&window, QEvent::UpdateRequest);
                events::sleepUntilEvent();
                ++calls;
            }
            doomedStillQueued = !watch.isNull();
        });
        QVERIFY2(doomedStillQueued, "the test set no trap: the deferred delete was delivered");
        // A sleeping wait returns for the timer and for little else; a spinning one returns
        // hundreds of thousands of times in 300 ms and reaches the limit.
        QVERIFY2(calls <= 20,
                 qPrintable(QString("the wait returned %1 times in 300 ms").arg(calls)));
    }

    void wakesForWhatArrives_data()
    {
        QTest::addColumn<QString>("source");
        QTest::newRow("an event posted from another thread") << "post";
        QTest::newRow("a pipe becoming readable") << "pipe";
        QTest::newRow("a timer") << "timer";
    }

    void wakesForWhatArrives()
    {
        QFETCH(QString, source);
        bool arrived = false;
        int calls = 0;
        insideAHandler([&] {
            QObject receiver;
            int fds[2];
            QVERIFY(::pipe(fds) == 0);
            QSocketNotifier notifier(fds[0], QSocketNotifier::Read);
            connect(&notifier, &QSocketNotifier::activated, [&] {
                char c;
                (void)!::read(fds[0], &c, 1);
                arrived = true;
            });
            QTimer timer;
            connect(&timer, &QTimer::timeout, [&] { arrived = true; });
            std::unique_ptr<QThread> other;
            if (source == "timer") {
                timer.setSingleShot(true);
                timer.start(100);
            } else {
                other.reset(QThread::create([&] {
                    QThread::msleep(100);
                    if (source == "pipe")
                        (void)!::write(fds[1], "x", 1);
                    else
                        QMetaObject::invokeMethod(&receiver, [&] { arrived = true; });
                }));
                other->start();
            }
            calls = sleepsUntil(arrived);
            if (other)
                other->wait();
            ::close(fds[0]);
            ::close(fds[1]);
        });
        QVERIFY2(calls >= 0, "the wait went on sleeping after it had arrived");
        QVERIFY2(calls <= 20, qPrintable(QString("%1 returns before it arrived").arg(calls)));
    }

    void runPendingNeverSleeps()
    {
        // Nothing is waiting: it returns at once, many times over, with no timer to wake it.
        QElapsedTimer clock;
        clock.start();
        for (int i = 0; i < 100; ++i)
            events::runPending();
        QVERIFY(clock.elapsed() < 5000);
    }
};

QTEST_GUILESS_MAIN(EventWait)
#include "test_event_wait.moc"
