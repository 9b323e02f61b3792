#include "DirectoryOps.h"

#include "RegularFile.h"

#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QThreadPool>
#include <QTimer>

#include <algorithm>
#include <cerrno>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace orvanta
{

namespace
{

constexpr QDir::Filters kAllEntries =
    QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot;

std::function<void()> &removalStep()
{
    static std::function<void()> step;
    return step;
}

void beforeRemovalStep()
{
    if (removalStep())
        removalStep()();
}

// Copies a file, or a folder with everything in it, stopping at the first
// failure. Anything but a folder or a regular file (a link, a FIFO, a device)
// is left out and named in `skipped`.
SaveResult copyRecursively(const QString &source, const QString &target, QStringList *skipped)
{
    const QFileInfo info(source);
    const bool taken = QFileInfo::exists(target) || QFileInfo(target).isSymLink();
    if (info.isSymLink() || !info.isDir()) {
        if (taken)
            return SaveResult(target, QStringLiteral("the file exists"));
        const FileRead in = readRegularFile(source, kSettingsFileLimit);
        if (in.skipped()) {
            if (skipped)
                *skipped << source;
            return SaveResult();
        }
        return in.ok() ? saveFile(target, in.bytes) : copyFile(source, target);
    }
    if (taken || ::mkdir(QFile::encodeName(target).constData(), 0777) != 0)
        return SaveResult(target, QString::fromLocal8Bit(std::strerror(taken ? EEXIST : errno)));
    const QDir dir(source);
    for (const QString &name : dir.entryList(kAllEntries, QDir::NoSort)) {
        const SaveResult copied =
            copyRecursively(dir.filePath(name), QDir(target).filePath(name), skipped);
        if (!copied.ok())
            return copied;
    }
    return SaveResult();
}

} // namespace

QStringList listEntries(const QString &dir)
{
    return QDir(dir).entryList(kAllEntries, QDir::NoSort);
}

int countEntries(const QString &dir)
{
    return listEntries(dir).size();
}

SaveResult copyDirectory(const QString &source, const QString &target, QStringList *skipped)
{
    const QFileInfo src(source);
    if (!src.exists())
        return SaveResult(source, QStringLiteral("does not exist"));
    if (QFileInfo::exists(target))
        return SaveResult(target, QStringLiteral("the file exists"));
    if (src.isDir()) {
        const QString from = QDir::cleanPath(src.absoluteFilePath()) + QLatin1Char('/');
        const QString to = QDir::cleanPath(QFileInfo(target).absoluteFilePath()) + QLatin1Char('/');
        if (to.startsWith(from))
            return SaveResult(target, QStringLiteral("lies inside the copied folder"));
    }
    return copyRecursively(source, target, skipped);
}

constexpr int kFlushDelayMs = 2000;

bool copyNewFile(const QString &source, const QString &target)
{
    // Without blocking: a FIFO in the installed tree must not stall the seeding.
    const int in = ::open(QFile::encodeName(source).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
    if (in < 0)
        return false;
    struct stat st;
    if (::fstat(in, &st) != 0 || !S_ISREG(st.st_mode)) {
        ::close(in);
        return false;
    }
    const QByteArray to = QFile::encodeName(target);
    const int out = ::open(to.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
    if (out < 0) {
        ::close(in);
        return false;
    }
    bool ok = ::fchmod(out, (st.st_mode & 0777) | S_IRUSR | S_IWUSR) == 0;
    char buffer[64 * 1024];
    // Reads up to the size found at the start, sparing the read that finds the end.
    for (off_t left = st.st_size; ok && left > 0;) {
        const ssize_t n = ::read(in, buffer, size_t(std::min<off_t>(left, sizeof buffer)));
        if (n < 0 && errno == EINTR)
            continue;
        if (n <= 0) {
            ok = n == 0;
            break;
        }
        left -= n;
        for (ssize_t done = 0; ok && done < n;) {
            const ssize_t w = ::write(out, buffer + done, size_t(n - done));
            if (w < 0 && errno == EINTR)
                continue;
            ok = w > 0;
            done += w;
        }
    }
    ok = ::close(out) == 0 && ok;
    ::close(in);
    if (!ok)
        ::unlink(to.constData());
    return ok;
}

void flushToDiskLater(const QStringList &files)
{
    if (files.isEmpty())
        return;
    const auto flush = [files] {
        QThreadPool::globalInstance()->start([files] {
            for (const QString &file : files) {
                const int fd =
                    ::open(QFile::encodeName(file).constData(), O_RDONLY | O_NONBLOCK | O_CLOEXEC);
                if (fd >= 0) {
                    ::fdatasync(fd);
                    ::close(fd);
                }
            }
        });
    };
    // With an application, the flush waits until start-up is over rather than
    // compete with it for the disk and the processor.
    if (QCoreApplication *app = QCoreApplication::instance())
        QTimer::singleShot(kFlushDelayMs, app, flush);
    else
        flush();
}

bool removeDirectory(const QString &path)
{
    const QFileInfo info(path);
    if (!info.isDir() || info.isSymLink())
        return true;
    return removeTree(path);
}

bool removeTree(const QString &path)
{
    const QByteArray native = QFile::encodeName(path);
    struct stat st;
    if (::lstat(native.constData(), &st) != 0)
        return errno == ENOENT;
    if (S_ISDIR(st.st_mode)) {
        // Links are listed, never entered: removed as links.
        const QDir dir(path);
        for (const QString &name : dir.entryList(kAllEntries, QDir::NoSort))
            if (!removeTree(dir.filePath(name)))
                return false;
        beforeRemovalStep();
        return ::rmdir(native.constData()) == 0 || errno == ENOENT;
    }
    beforeRemovalStep();
    return ::unlink(native.constData()) == 0 || errno == ENOENT;
}

bool renameEntry(const QString &from, const QString &to)
{
    beforeRemovalStep();
    return ::rename(QFile::encodeName(from).constData(), QFile::encodeName(to).constData()) == 0;
}

RemovalStepHook::RemovalStepHook(std::function<void()> step)
{
    removalStep() = std::move(step);
}

RemovalStepHook::~RemovalStepHook()
{
    removalStep() = nullptr;
}

} // namespace orvanta
