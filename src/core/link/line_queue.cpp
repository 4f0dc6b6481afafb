#include "core/link/line_queue.h"

#include <sys/ioctl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace linequeue {

namespace {

// The device numbers of pseudo-terminal ends: the Unix98 ones (/dev/pts/n, majors 136 to 143,
// and /dev/ptmx, 5:2) and the legacy BSD ones (masters major 2, slaves major 3).
bool isPseudoTerminal(int fd)
{
    struct stat st;
    if (::fstat(fd, &st) != 0 || !S_ISCHR(st.st_mode))
        return false;
    const unsigned int maj = major(st.st_rdev);
    return (maj >= 136 && maj <= 143) || maj == 2 || maj == 3 ||
           (maj == 5 && minor(st.st_rdev) == 2);
}

} // namespace

bool reports(int fd)
{
    return fd >= 0 && ::isatty(fd) && !isPseudoTerminal(fd) && held(fd).has_value();
}

std::optional<int> held(int fd)
{
    int bytes = 0;
    if (fd < 0 || ::ioctl(fd, TIOCOUTQ, &bytes) != 0 || bytes < 0)
        return std::nullopt;
    return bytes;
}

} // namespace linequeue
