#pragma once
// Files for tests: read and write whole, and a disk that fills.

#include <QByteArray>
#include <QString>
#include <sys/resource.h>

QByteArray readAll(const QString &path);
// Writes the bytes; false if the file could not be written whole.
[[nodiscard]] bool writeFile(const QString &path, const QByteArray &bytes);

// A character device that a test may offer as a target a save must refuse. As root, a node of
// the null device made in `folder`, so that a save that wrongly replaced it would replace only
// that node and never the system's /dev/null; as anyone else /dev/null itself, which they
// cannot replace.
QString deviceToRefuse(const QString &folder);

// Limits the size of any file this process writes, for the lifetime of the object: past the
// limit a write comes up short, as on a full disk or over a quota. Needs no privileges.
class FileSizeLimit {
public:
    explicit FileSizeLimit(rlim_t bytes);
    ~FileSizeLimit();
    FileSizeLimit(const FileSizeLimit &) = delete;
    FileSizeLimit &operator=(const FileSizeLimit &) = delete;
    bool ok() const { return m_ok; }

private:
    rlimit m_saved{};
    void (*m_savedHandler)(int) = nullptr;
    bool m_ok = false;
};
