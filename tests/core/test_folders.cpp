// Where the configuration and the help are looked for.

#include "core/store/folders.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <QtTest>
#include <sys/stat.h>

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

    // The configuration file counts only when its folder lists exactly its name.
    void aFileIsListedOnlyByItsExactName()
    {
        QTemporaryDir dir;
        const auto path = [&dir](const char *name) { return dir.filePath(QString(name)); };
        const auto make = [](const QString &p) {
            QFile f(p);
            return f.open(QIODevice::WriteOnly);
        };
        QVERIFY(!folderListsExactly(path("robotini.txt")));
        QVERIFY(!folderListsExactly(path("no-such-folder/robotini.txt")));

        // Other letter case: another name, whatever the file system would open by it.
        QVERIFY(make(path("ROBOTINI.TXT")));
        QVERIFY(make(path("Robotini.txt")));
        QVERIFY(!folderListsExactly(path("robotini.txt")));
        QVERIFY(folderListsExactly(path("Robotini.txt")));

        QVERIFY(make(path("robotini.txt")));
        QVERIFY(folderListsExactly(path("robotini.txt")));

        // A folder of that name is no file; a link counts as what it leads to.
        QVERIFY(QDir(dir.path()).mkdir("folder.txt"));
        QVERIFY(!folderListsExactly(path("folder.txt")));
        QVERIFY(QFile::link(path("folder.txt"), path("to-folder.txt")));
        QVERIFY(!folderListsExactly(path("to-folder.txt")));
        QVERIFY(QFile::link(path("robotini.txt"), path("to-file.txt")));
        QVERIFY(folderListsExactly(path("to-file.txt")));
        QVERIFY(QFile::link(path("nowhere"), path("dangling.txt")));
        QVERIFY(!folderListsExactly(path("dangling.txt")));

        // Any other entry of that name is listed: it is the reader's to find it unreadable.
        QCOMPARE(::mkfifo(QFile::encodeName(path("pipe.txt")).constData(), 0600), 0);
        QVERIFY(folderListsExactly(path("pipe.txt")));
        QVERIFY(make(path(".hidden.txt")));
        QVERIFY(folderListsExactly(path(".hidden.txt")));
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
