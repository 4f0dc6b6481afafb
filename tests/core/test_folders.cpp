// Where the configuration and the help are looked for.

#include "core/store/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>

class FoldersTest : public QObject {
    Q_OBJECT
private Q_SLOTS:
    void theConfigurationFolderFollowsXdg()
    {
        QTemporaryDir home;
        qputenv("XDG_CONFIG_HOME", home.path().toLocal8Bit());
        const Folders f = Folders::standard();
        QCOMPARE(f.config, home.filePath("kestrel"));
        QCOMPARE(f.configFile(), home.filePath("kestrel/robotini.txt"));
    }

    void helpIsSearchedInTheUsersDataThenBesideTheProgramThenTheSourceTree()
    {
        QTemporaryDir data;
        qputenv("XDG_DATA_HOME", data.path().toLocal8Bit());
        qputenv("XDG_DATA_DIRS", "/nonexistent/share");
        const QStringList list = Folders::helpCandidates();
        QCOMPARE(list.first(), data.filePath("kestrel"));
        QVERIFY(list.contains("/nonexistent/share/kestrel"));
        QCOMPARE(list.at(list.size() - 2),
                 QDir::cleanPath(QCoreApplication::applicationDirPath() + "/../share/kestrel"));
        QCOMPARE(list.last(), QString(KESTREL_SOURCE_HELP_DIR));

        // Without a help file in the user's folder, the shipped one is found.
        QCOMPARE(Folders::firstHelpFolder(list), QDir::cleanPath(KESTREL_SOURCE_HELP_DIR));
        // A help file of the user's own comes first.
        QVERIFY(QDir().mkpath(data.filePath("kestrel")));
        QFile own(data.filePath("kestrel/kestrel.vmh"));
        QVERIFY(own.open(QIODevice::WriteOnly));
        own.close();
        QCOMPARE(Folders::firstHelpFolder(Folders::helpCandidates()), data.filePath("kestrel"));
    }

    void withNoHelpAnywhereTheFirstFolderIsNamed()
    {
        QCOMPARE(Folders::firstHelpFolder({"/nonexistent/a", "/nonexistent/b"}),
                 QString("/nonexistent/a"));
        QCOMPARE(Folders::firstHelpFolder({}), QString());
    }
};

QTEST_GUILESS_MAIN(FoldersTest)
#include "test_folders.moc"
