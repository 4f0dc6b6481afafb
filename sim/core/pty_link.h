#pragma once
// The simulator's end of the line: a pseudo-terminal whose slave side is published as COMn in
// the configuration folder, where the program looks for its ports first. The link is ours
// alone: an existing path is never replaced, and on the way out the link is removed only if it
// still points where we made it point, so a link the user has remade in the meantime survives.
//
// The link points at the terminal through this process's own descriptor of it,
// /proc/<pid>/fd/<n>, not at /dev/pts/<k>: a simulator killed outright cannot remove its link,
// and the system soon gives the number k to another program's terminal (a shell's, say), where
// a program following a plain link would send its frames. The descriptor's path goes with the
// process, so the link it leaves leads nowhere instead.

#include "sim/core/pseudo_terminal.h"

#include <QString>
#include <memory>

namespace sim {

class PtyLink {
public:
    struct Opened {
        std::unique_ptr<PtyLink> link; // null when error is set
        QString error;                 // a sentence for the user
    };

    // Creates the folder when it is missing, then the terminal, then the link folder/COMn.
    [[nodiscard]] static Opened publish(const QString &folder, int port);
    ~PtyLink();
    PtyLink(const PtyLink &) = delete;
    PtyLink &operator=(const PtyLink &) = delete;

    // The side the simulator reads and answers on; non-blocking.
    int masterFd() const { return m_terminal.master(); }
    QString slavePath() const { return m_terminal.slavePath(); }
    QString linkPath() const { return m_linkPath; }
    // Where the link points.
    QString target() const { return m_target; }

    // Removes the link if it still points where we made it point; safe to call more than once.
    void unpublish();

private:
    PtyLink() = default;

    // Its slave side is held open for the simulator's whole life: without it, the master side
    // sees a hang-up each time the program closes the port, and the terminal's line settings
    // would be reset between the program's opens.
    PseudoTerminal m_terminal;
    QString m_linkPath;
    QString m_target;
};

} // namespace sim
