#include "DataDirectoryLock.h"

#include <QDir>
#include <QFile>

#include <cerrno>
#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta
{

DataDirectoryLock::~DataDirectoryLock()
{
    if (m_fd >= 0)
        ::close(m_fd); // releases the lock
}

DataDirectoryLock::State DataDirectoryLock::tryLock(const QString &dir)
{
    if (m_state == Held)
        return m_state;
    const QByteArray path = QFile::encodeName(QDir(dir).filePath(fileName()));
    // Only a regular file is locked; a link, FIFO or the like in its place (never
    // a console's own lock file) is removed first, a link without following it.
    int fd = -1;
    for (int attempt = 0; attempt < 2 && fd < 0; ++attempt) {
        fd = ::open(path.constData(), O_RDWR | O_CREAT | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC, 0600);
        struct stat st;
        if (fd >= 0 && (::fstat(fd, &st) != 0 || !S_ISREG(st.st_mode))) {
            ::close(fd);
            fd = -1;
        }
        if (fd < 0) {
            struct stat st;
            if (::lstat(path.constData(), &st) == 0 && !S_ISREG(st.st_mode) && !S_ISDIR(st.st_mode))
                ::unlink(path.constData());
        }
    }
    if (fd < 0)
        return m_state = Failed;
    int locked;
    do
        locked = ::flock(fd, LOCK_EX | LOCK_NB);
    while (locked != 0 && errno == EINTR);
    if (locked != 0) {
        const bool elsewhere = errno == EWOULDBLOCK;
        ::close(fd);
        return m_state = elsewhere ? HeldElsewhere : Failed;
    }
    m_fd = fd;
    return m_state = Held;
}

} // namespace orvanta
