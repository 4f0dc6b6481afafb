#include "core/pad/pad_node.h"

#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <unistd.h>

std::unique_ptr<PadNode> PadNode::open(const QString &path)
{
    if (path.isEmpty())
        return nullptr;
    const int fd = ::open(QFile::encodeName(path).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (fd < 0)
        return nullptr;
    return std::unique_ptr<PadNode>(new PadNode(fd));
}

PadNode::PadNode(int fd) : m_fd(fd), m_notifier(fd, QSocketNotifier::Read)
{
    connect(&m_notifier, &QSocketNotifier::activated, this, &PadNode::readAway);
}

PadNode::~PadNode() { ::close(m_fd); }

void PadNode::readAway()
{
    // An input node hands out whole events of 24 bytes, and refuses a read too short for one.
    char events[24 * 64];
    ssize_t got = 0;
    do
        got = ::read(m_fd, events, sizeof events);
    while (got > 0 || (got < 0 && errno == EINTR));
    if (got == 0 || errno != EAGAIN) {
        m_notifier.setEnabled(false);
        Q_EMIT failed();
        return;
    }
    Q_EMIT stirred();
}
