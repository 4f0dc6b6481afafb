// The real kestrel-edit on a real X desktop: a movement file opened from the command line, a
// step picked on the timeline with a real click and deleted with the Delete key, undo and redo
// from the keyboard with the title following; then the process killed with SIGKILL, and the
// next start offering the work back, which Y takes and Ctrl+S saves. With an arm profile the
// motion breaks, Fit to Limits from the keyboard and Ctrl+S save the fitted motion; with caps in
// the profile, Close the Loop from the keyboard appends the timed move back to the start pose.

#include "core/arm/limit_check.h"
#include "core/arm/profile_file.h"
#include "core/edit/fit_to_limits.h"
#include "core/edit/recovery.h"
#include "core/edit/timed_move.h"
#include "edit/window/editor_window.h"
#include "edit/window/questions.h"
#include "edit/window/timeline_view.h"
#include "support/edit_files.h"
#include "support/files.h"
#include "support/scripted_dialogs.h"
#include "support/x_desktop.h"

#include <QApplication>
#include <QDir>
#include <QProcess>
#include <QTemporaryDir>
#include <QtTest>

#include <csignal>

using namespace desktop;

namespace {

const QString binary = QStringLiteral(KESTREL_EDIT_BINARY);

std::vector<Step> motion(int n)
{
    std::vector<Step> r;
    for (int i = 0; i < n; ++i)
        r.push_back(Step{qint16(i % 5), qint16(40 + 5 * i)});
    return r;
}

// Where record index `i` is drawn, in the window: the same window built here offscreen, with
// the same file, at the size the real one has.
QPoint whereIndexIs(const QString &file, QSize size, int i)
{
    ScriptedDialogs dialogs;
    ask::DialogQuestions questions;
    QTemporaryDir state;
    EditorServices services;
    services.dialogs = &dialogs;
    services.questions = &questions;
    services.stateFolder = state.path();
    EditorWindow w(services);
    w.resize(size);
    w.show();
    if (!w.openFile(file) || !QTest::qWaitForWindowExposed(&w))
        return {};
    auto *view = w.findChild<TimelineView *>(QStringLiteral("timeline"));
    const timing::TimedStep *t = w.document().timed(i);
    const QPoint inView(int(view->xOf(t->startByte + t->bytes / 2.0)), view->height() / 2);
    return view->mapTo(&w, inView);
}

} // namespace

class DesktopEdit : public QObject {
    Q_OBJECT

    VirtualScreen m_screen;
    std::unique_ptr<XClient> m_x;
    QTemporaryDir m_dir;

    void start(QProcess &p, const QString &file)
    {
        QProcessEnvironment env = m_screen.childEnvironment();
        env.insert(QStringLiteral("HOME"), m_dir.path());
        env.insert(QStringLiteral("XDG_CONFIG_HOME"), m_dir.path() + QStringLiteral("/config"));
        env.insert(QStringLiteral("XDG_STATE_HOME"), stateHome());
        env.insert(QStringLiteral("ASAN_OPTIONS"), QStringLiteral("detect_leaks=0"));
        p.setProcessEnvironment(env);
        p.setProcessChannelMode(QProcess::ForwardedErrorChannel);
        endWithThisProcess(p);
        p.start(binary, {file});
    }
    QString stateHome() const { return m_dir.path() + QStringLiteral("/state"); }
    QString stateFolder() const { return stateHome() + QStringLiteral("/kestrel"); }

private Q_SLOTS:
    void initTestCase()
    {
        QVERIFY2(m_screen.start(), qPrintable(m_screen.error()));
        m_x = std::make_unique<XClient>(m_screen.display());
        QVERIFY2(m_x->ok(), qPrintable(m_x->error()));
    }

    void editsWithRealInputAndRecoversAfterAKill()
    {
        const QString file = m_dir.path() + QStringLiteral("/taught.kmv");
        const std::vector<Step> original = motion(30);
        QVERIFY(writeFile(file, movementText(original)));
        const QString clean = QStringLiteral("taught.kmv \u2014 Kestrel Edit");
        const QString changed = QStringLiteral("taught.kmv* \u2014 Kestrel Edit");

        QProcess first;
        start(first, file);
        Window main = m_x->waitForWindow(first.processId(), clean, 20000);
        QVERIFY2(main.id, "the editor's window did not appear");
        const QPoint record8 = whereIndexIs(file, main.geometry.size(), 7);
        QVERIFY(!record8.isNull());
        m_x->click(main.geometry.topLeft() + record8);
        QVERIFY(m_x->waitForFocus(main.id, 10000));
        m_x->key(QStringLiteral("Delete"));
        QVERIFY2(m_x->waitForWindow(first.processId(), changed, 10000).id,
                 "Delete did not change the motion");
        m_x->key(QStringLiteral("ctrl+z"));
        QVERIFY2(m_x->waitForWindow(first.processId(), clean, 10000).id, "Ctrl+Z did not undo");
        m_x->key(QStringLiteral("ctrl+shift+z"));
        QVERIFY2(m_x->waitForWindow(first.processId(), changed, 10000).id,
                 "Ctrl+Shift+Z did not redo");
        std::vector<Step> edited = original;
        edited.erase(edited.begin() + 7);
        QTRY_VERIFY_WITH_TIMEOUT(
            keptMotions(stateFolder()) == std::vector<std::vector<Step>>{edited}, 10000);

        // Killed as a crash would end it: nothing of its own runs.
        ::kill(pid_t(first.processId()), SIGKILL);
        QVERIFY(first.waitForFinished(10000));
        QCOMPARE(first.exitStatus(), QProcess::CrashExit);
        QCOMPARE(readAll(file), movementText(original));

        QProcess second;
        start(second, file);
        const Window question =
            m_x->waitForWindow(second.processId(), QStringLiteral("Kestrel Edit"), 20000);
        QVERIFY2(question.id, "the next start did not offer the work back");
        QVERIFY(m_x->waitForFocus(question.id, 10000));
        m_x->key(QStringLiteral("y"));
        main = m_x->waitForWindow(second.processId(), changed, 10000);
        QVERIFY2(main.id, "the recovered motion is not shown as changed");
        QVERIFY(m_x->waitForFocus(main.id, 10000));
        m_x->key(QStringLiteral("ctrl+s"));
        QVERIFY2(m_x->waitForWindow(second.processId(), clean, 10000).id, "Ctrl+S did not save");
        QCOMPARE(readAll(file), movementText(edited));
        // Saved, nothing is left to recover; Ctrl+Q ends without a question.
        QVERIFY(keptMotions(stateFolder()).empty());
        m_x->key(QStringLiteral("ctrl+q"));
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
    }

    void fitsToTheProfileFromTheKeyboard()
    {
        const std::optional<arm::Profile> profile =
            writeProfile("[elbow]\nmax = 150\nmax_step = 20\n");
        QVERIFY(profile);
        const std::vector<Step> original{{0, 0}, {2, 200}, {2, 100}, {1, 60}};
        const config::Settings settings;
        QVERIFY(arm::checkMotion(*profile, original, settings, 1).breach);
        const edits::Fitted fitted =
            edits::fittedToLimits(original, *profile, timing::passStartPose(settings));
        QVERIFY(!arm::checkMotion(*profile, fitted.records, settings, 1).breach);
        keyThenSave(QStringLiteral("limits.kmv"), original, QStringLiteral("ctrl+shift+f"),
                    fitted.records);
    }

    void closesTheLoopFromTheKeyboard()
    {
        const std::optional<arm::Profile> profile =
            writeProfile("[base]\nmax_speed = 90\nmax_accel = 360\n"
                         "[elbow]\nmax_speed = 60\nmax_accel = 200\n");
        QVERIFY(profile);
        const std::vector<Step> original{{0, 0}, {0, 200}, {2, 60}};
        const timing::Pose home = timing::passStartPose(config::Settings{});
        const moves::Planned back =
            moves::plan(*profile, {timing::firstPass(original, home).steps.back().pose, home,
                                   moves::Ease::Smooth, std::nullopt});
        QVERIFY2(back.path, qPrintable(back.error));
        std::vector<Step> closed = original;
        for (const Step &s : moves::steps(*back.path))
            closed.push_back(s);
        keyThenSave(QStringLiteral("loop.kmv"), original, QStringLiteral("ctrl+shift+l"), closed);
    }

private:
    // arm.ini in the editor's configuration folder, as the programs read it back; none when they
    // would refuse it.
    std::optional<arm::Profile> writeProfile(const QByteArray &text)
    {
        const QString config = m_dir.path() + QStringLiteral("/config/kestrel");
        const QString profileFile = arm::profilePath(config);
        if (!QDir().mkpath(config) || !writeFile(profileFile, text))
            return std::nullopt;
        const arm::ProfileRead read = arm::load(profileFile, false);
        return read.ok() ? std::optional(read.profile) : std::nullopt;
    }

    // `original` saved as `name` and opened in the real editor; `key` must change it, and Ctrl+S
    // must then save exactly `expected`.
    void keyThenSave(const QString &name, const std::vector<Step> &original, const QString &key,
                     const std::vector<Step> &expected)
    {
        const QString file = m_dir.path() + QLatin1Char('/') + name;
        QVERIFY(writeFile(file, movementText(original)));
        QProcess editor;
        start(editor, file);
        const QString clean = name + QStringLiteral(" \u2014 Kestrel Edit");
        const Window main = m_x->waitForWindow(editor.processId(), clean, 20000);
        QVERIFY2(main.id, "the editor's window did not appear");
        QVERIFY(m_x->waitForFocus(main.id, 10000));
        m_x->key(key);
        QVERIFY2(m_x->waitForWindow(editor.processId(),
                                    name + QStringLiteral("* \u2014 Kestrel Edit"), 10000)
                     .id,
                 qPrintable(key + QStringLiteral(" did not change the motion")));
        m_x->key(QStringLiteral("ctrl+s"));
        QVERIFY2(m_x->waitForWindow(editor.processId(), clean, 10000).id, "Ctrl+S did not save");
        QCOMPARE(readAll(file), movementText(expected));
        m_x->key(QStringLiteral("ctrl+q"));
        QVERIFY(editor.waitForFinished(10000));
        QCOMPARE(editor.exitCode(), 0);
    }
};

int main(int argc, char *argv[])
{
    // This process only lays the window out, offscreen; the program under test has the display.
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    DesktopEdit t;
    return QTest::qExec(&t, argc, argv);
}

#include "test_desktop_edit.moc"
