#pragma once
// Where the program keeps its files: the configuration folder (read and written) and the help
// folder (read only). Resolved once at start; tests hand in folders of their own.

#include <QString>
#include <QStringList>

// Whether the folder of path lists an entry named exactly as path's last part, letter case
// included, that is not a folder (a link counts as what it leads to). On a file system that
// ignores letter case a file saved as "Robotini.txt" opens under the name "robotini.txt" too,
// but the folder lists it as it was saved, so it is not this name.
[[nodiscard]] bool folderListsExactly(const QString &path);

struct Folders {
    QString config; // holds robotini.txt and the COMn links
    QString help;   // holds kestrel.vmh and its pictures

    QString configFile() const { return config + QStringLiteral("/robotini.txt"); }
    QString helpFile() const { return help + QStringLiteral("/kestrel.vmh"); }

    // $XDG_CONFIG_HOME/kestrel, and the first help folder that holds kestrel.vmh.
    static Folders standard();

    // The help folders searched, in order: the user's and system data folders, the folder
    // installed beside the program, then the source tree's (for a program run from its build).
    static QStringList helpCandidates();
    // The first candidate that holds kestrel.vmh, else the first candidate.
    static QString firstHelpFolder(const QStringList &candidates);
};
