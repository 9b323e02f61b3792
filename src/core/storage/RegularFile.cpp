#include "RegularFile.h"

#include <QDebug>
#include <QFile>
#include <QMutex>
#include <QSet>

#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>
#include <utility>

namespace orvanta
{

namespace
{

struct Skipped {
    QMutex mutex;
    QSet<QString> logged; // each path is logged once per run
    QStringList pending;  // not yet taken for a notice
};

Skipped &skipped()
{
    static Skipped s;
    return s;
}

FileRead outcome(FileRead::Status status, const QString &path, const QString &reason = {})
{
    FileRead r;
    r.status = status;
    r.reason = reason;
    if (r.skipped()) {
        Skipped &s = skipped();
        const QMutexLocker lock(&s.mutex);
        if (!s.logged.contains(path)) {
            s.logged.insert(path);
            s.pending << path;
            qWarning().noquote() << "skipped" << path << "-" << reason;
        }
    }
    return r;
}

// Opens `path` for reading without blocking; links are followed only where
// the data directory's policy allows (see the header). -1 with errno set.
int openWithoutBlocking(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    QList<QByteArray> parts = native.split('/');
    parts.removeAll(QByteArray());
    parts.removeAll(QByteArray("."));
    constexpr int kFlags = O_RDONLY | O_NONBLOCK | O_CLOEXEC;
    if (native.startsWith('/') || parts.contains("..") || parts.isEmpty())
        return ::open(native.constData(), kFlags);
    int dir = AT_FDCWD;
    for (int i = 0; i < parts.size(); ++i) {
        const bool last = i + 1 == parts.size();
        // The data directory's own entries may be links; nothing below them.
        const int flags = kFlags | (i == 0 ? 0 : O_NOFOLLOW) | (last ? 0 : O_DIRECTORY);
        const int fd = ::openat(dir, parts[i].constData(), flags);
        int error = errno;
        // A folder on the way that is a link fails as "not a folder".
        struct stat st;
        if (fd < 0 && error == ENOTDIR && i > 0 &&
            ::fstatat(dir, parts[i].constData(), &st, AT_SYMLINK_NOFOLLOW) == 0 &&
            S_ISLNK(st.st_mode))
            error = ELOOP;
        if (dir != AT_FDCWD)
            ::close(dir);
        if (fd < 0) {
            errno = error;
            return -1;
        }
        dir = fd;
    }
    return dir;
}

FileRead openChecked(const QString &path, qint64 limit, bool readContent)
{
    const int fd = openWithoutBlocking(path);
    if (fd < 0) {
        const int error = errno;
        if (error == ENOENT || error == ENOTDIR)
            return outcome(FileRead::Status::Missing, path);
        if (error == ELOOP)
            return outcome(FileRead::Status::NotRegular, path,
                           QStringLiteral("a symbolic link, which is not followed here"));
        return outcome(FileRead::Status::Failed, path,
                       QString::fromLocal8Bit(std::strerror(error)));
    }
    struct stat st;
    FileRead r;
    if (::fstat(fd, &st) != 0)
        r = outcome(FileRead::Status::Failed, path, QString::fromLocal8Bit(std::strerror(errno)));
    else if (!S_ISREG(st.st_mode))
        r = outcome(FileRead::Status::NotRegular, path, QStringLiteral("not a regular file"));
    else if (st.st_size > limit)
        r = outcome(FileRead::Status::TooLarge, path,
                    QStringLiteral("larger than %1 bytes").arg(limit));
    else
        r.status = FileRead::Status::Read;
    if (r.ok() && readContent) {
        // Reads one byte beyond the size found: a file that grew meanwhile is
        // read up to its limit and no further.
        QByteArray bytes(int(st.st_size) + 1, Qt::Uninitialized);
        qint64 got = 0;
        while (true) {
            if (got == bytes.size()) {
                if (got > limit)
                    break;
                bytes.resize(int(qMin<qint64>(limit + 1, got * 2 + 4096)));
            }
            const ssize_t n = ::read(fd, bytes.data() + got, size_t(bytes.size() - got));
            if (n < 0 && errno == EINTR)
                continue;
            if (n < 0) {
                r = outcome(FileRead::Status::Failed, path,
                            QString::fromLocal8Bit(std::strerror(errno)));
                break;
            }
            if (n == 0)
                break;
            got += n;
        }
        if (r.ok() && got > limit)
            r = outcome(FileRead::Status::TooLarge, path,
                        QStringLiteral("larger than %1 bytes").arg(limit));
        else if (r.ok())
            r.bytes = bytes.left(int(got));
    }
    ::close(fd);
    return r;
}

} // namespace

FileRead readRegularFile(const QString &path, qint64 limit)
{
    return openChecked(path, limit, true);
}

FileRead checkRegularFile(const QString &path, qint64 limit)
{
    return openChecked(path, limit, false);
}

QString appendToRegularFile(const QString &path, const QByteArray &bytes)
{
    const auto reason = [](int error) { return QString::fromLocal8Bit(std::strerror(error)); };
    const int fd = ::open(QFile::encodeName(path).constData(),
                          O_WRONLY | O_APPEND | O_CREAT | O_NONBLOCK | O_CLOEXEC, 0666);
    if (fd < 0)
        return errno == ENXIO ? QStringLiteral("not a regular file") : reason(errno);
    struct stat st;
    QString failure;
    if (::fstat(fd, &st) != 0)
        failure = reason(errno);
    else if (!S_ISREG(st.st_mode))
        failure = QStringLiteral("not a regular file");
    for (qint64 done = 0; failure.isEmpty() && done < bytes.size();) {
        const ssize_t n = ::write(fd, bytes.constData() + done, size_t(bytes.size() - done));
        if (n < 0 && errno != EINTR)
            failure = reason(errno);
        done += qMax<ssize_t>(n, 0);
    }
    if (::close(fd) != 0 && failure.isEmpty())
        failure = reason(errno);
    return failure;
}

QStringList takeSkippedFiles()
{
    Skipped &s = skipped();
    const QMutexLocker lock(&s.mutex);
    return std::exchange(s.pending, {});
}

} // namespace orvanta
