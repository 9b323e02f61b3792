#include "AtomicFile.h"

#include "RegularFile.h"

#include <QDebug>
#include <QFile>
#include <QRandomGenerator>
#include <QStringList>

#include <atomic>
#include <cerrno>
#include <chrono>
#include <condition_variable>
#include <cstring>
#include <fcntl.h>
#include <mutex>
#include <sys/stat.h>
#include <thread>
#include <unistd.h>

namespace orvanta
{

namespace
{

struct DiskFaults {
    bool active = false;
    qint64 spaceLeft = 0;
    qint64 written = 0;
    bool failClose = false;
};

DiskFaults &faults()
{
    static DiskFaults f;
    return f;
}

std::atomic<int> &slowSaveMs()
{
    static std::atomic<int> ms{0};
    return ms;
}

FileSystemCalls &calls()
{
    static FileSystemCalls c = systemFileCalls();
    return c;
}

QString systemReason(int error)
{
    return QString::fromLocal8Bit(std::strerror(error));
}

SaveResult failed(const QString &path, const QString &reason)
{
    qWarning().noquote() << "save failed:" << path << "-" << reason;
    return SaveResult(path, reason);
}

// Makes sure the folders of a relative `path` exist and none of them below the
// data directory's own folders is a link or "..", so the file lands where the
// data directory's folders lead. Returns the reason
// when that cannot be had.
QString prepareFolders(const QString &path)
{
    QStringList parts = path.split(QLatin1Char('/'));
    parts.removeLast();
    if (path.startsWith(QLatin1Char('/'))) {
        // An absolute path is not below the data directory; only its folder is made.
        const QByteArray dir = QFile::encodeName(parts.join(QLatin1Char('/')));
        struct stat st;
        if (!dir.isEmpty() && ::stat(dir.constData(), &st) != 0)
            return systemReason(errno);
        return QString();
    }
    QString walked;
    for (const QString &part : parts) {
        if (part.isEmpty() || part == QLatin1String("."))
            continue;
        if (part == QLatin1String(".."))
            return QStringLiteral("the path leaves the data directory");
        walked += (walked.isEmpty() ? QString() : QStringLiteral("/")) + part;
        const QByteArray native = QFile::encodeName(walked);
        struct stat st;
        // The data directory's own folders may be links; nothing below them
        // is followed (see RegularFile.h).
        const bool top = !walked.contains(QLatin1Char('/'));
        if ((top ? ::stat(native.constData(), &st) : ::lstat(native.constData(), &st)) == 0) {
            if (S_ISLNK(st.st_mode))
                return QStringLiteral("the folder %1 is a symbolic link").arg(walked);
            if (!S_ISDIR(st.st_mode))
                return systemReason(ENOTDIR);
            continue;
        }
        if (errno != ENOENT || (::mkdir(native.constData(), 0777) != 0 && errno != EEXIST))
            return systemReason(errno);
    }
    return QString();
}

// Writes all of `data`, as far as the disk allows.
int writeAll(int fd, const char *data, qint64 size)
{
    DiskFaults &f = faults();
    while (size > 0) {
        qint64 chunk = size;
        if (f.active) {
            chunk = qMin(chunk, f.spaceLeft);
            if (chunk <= 0)
                return ENOSPC;
        }
        const ssize_t n = calls().write(fd, data, size_t(chunk));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return errno;
        }
        if (f.active) {
            f.spaceLeft -= n;
            f.written += n;
        }
        data += n;
        size -= n;
    }
    return 0;
}

// The settings library keeps files it has read and reads them again only when
// their size or their modification time (to the millisecond) changed. A save
// that keeps the size within the same millisecond would go unseen, so every
// save gets a later time than the file it replaces.
void stampAfter(int fd, const QByteArray &oldPath)
{
    struct stat old, now;
    if (::stat(oldPath.constData(), &old) != 0 || ::fstat(fd, &now) != 0)
        return;
    const auto ms = [](const struct timespec &t) {
        return qint64(t.tv_sec) * 1000 + t.tv_nsec / 1000000;
    };
    if (ms(now.st_mtim) > ms(old.st_mtim))
        return;
    const qint64 later = ms(old.st_mtim) + 1;
    struct timespec times[2];
    times[0].tv_sec = 0;
    times[0].tv_nsec = UTIME_OMIT;
    times[1].tv_sec = time_t(later / 1000);
    times[1].tv_nsec = long((later % 1000) * 1000000);
    ::futimens(fd, times);
}

// "<file>.XXXXXX", which the clean-up at start-up recognises. The first
// character is never a lower-case letter: a suffix of lower-case letters alone
// ("Game.ini.backup") is taken for a file of the user's and kept.
QByteArray temporaryName(const QByteArray &path)
{
    static const char kChars[] = "ABCDEFGHIJKLMNOPQRSTUVWXYZ0123456789abcdefghijklmnopqrstuvwxyz";
    QByteArray name = path + '.';
    for (int i = 0; i < 6; ++i)
        name += kChars[QRandomGenerator::global()->bounded(i == 0 ? 36 : int(sizeof(kChars) - 1))];
    return name;
}

// The order of saves across threads (see beginBackgroundSaves).
struct SaveOrder {
    std::mutex mutex;
    std::condition_variable backgroundDone;
    int backgroundBatches = 0;
    std::mutex saving; // one save at a time
};

SaveOrder &saveOrder()
{
    static SaveOrder order;
    return order;
}

thread_local bool t_backgroundSaver = false;

SaveResult saveInOrder(const QString &path, const QByteArray &content);

// Makes the rename of a file in `target`'s folder durable.
int syncFolder(const QByteArray &target)
{
    const int slash = target.lastIndexOf('/');
    const QByteArray folder = slash < 0    ? QByteArray(".")
                              : slash == 0 ? QByteArray("/")
                                           : target.left(slash);
    const int fd = calls().open(folder.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
    if (fd < 0)
        return errno;
    int error = calls().sync(fd) != 0 ? errno : 0;
    if (calls().close(fd) != 0 && !error)
        error = errno;
    return error;
}

} // namespace

void beginBackgroundSaves()
{
    SaveOrder &order = saveOrder();
    const std::lock_guard<std::mutex> lock(order.mutex);
    ++order.backgroundBatches;
}

BackgroundSaveScope::BackgroundSaveScope()
{
    t_backgroundSaver = true;
}

BackgroundSaveScope::~BackgroundSaveScope()
{
    t_backgroundSaver = false;
    SaveOrder &order = saveOrder();
    {
        const std::lock_guard<std::mutex> lock(order.mutex);
        --order.backgroundBatches;
    }
    order.backgroundDone.notify_all();
}

FileSystemCalls systemFileCalls()
{
    FileSystemCalls c;
    c.open = [](const char *path, int flags, mode_t mode) { return ::open(path, flags, mode); };
    c.write = [](int fd, const void *data, size_t size) { return ::write(fd, data, size); };
    c.dataSync = [](int fd) { return ::fdatasync(fd); };
    c.sync = [](int fd) { return ::fsync(fd); };
    c.close = [](int fd) { return ::close(fd); };
    c.rename = [](const char *from, const char *to) { return ::rename(from, to); };
    c.unlink = [](const char *path) { return ::unlink(path); };
    return c;
}

FileCallsOverride::FileCallsOverride(FileSystemCalls replacement)
{
    calls() = std::move(replacement);
}

FileCallsOverride::~FileCallsOverride()
{
    calls() = systemFileCalls();
}

SaveResult saveFile(const QString &path, const QByteArray &content)
{
    SaveOrder &order = saveOrder();
    if (!t_backgroundSaver) {
        std::unique_lock<std::mutex> lock(order.mutex);
        order.backgroundDone.wait(lock, [&order] { return order.backgroundBatches == 0; });
    }
    const std::lock_guard<std::mutex> one(order.saving);
    return saveInOrder(path, content);
}

namespace
{

SaveResult saveInOrder(const QString &path, const QByteArray &content)
{
    const QString folderProblem = prepareFolders(path);
    if (!folderProblem.isEmpty())
        return failed(path, folderProblem);

    const QByteArray target = QFile::encodeName(path);
    struct stat old;
    const bool oldIsFile = ::lstat(target.constData(), &old) == 0 && S_ISREG(old.st_mode);

    QByteArray temp;
    int fd = -1;
    for (int attempt = 0; attempt < 100 && fd < 0; ++attempt) {
        temp = temporaryName(target);
        fd = calls().open(temp.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd < 0 && errno != EEXIST)
            break;
    }
    if (fd < 0)
        return failed(path, systemReason(errno));

    int error = writeAll(fd, content.constData(), content.size());
    if (!error && oldIsFile && ::fchmod(fd, old.st_mode & 07777) != 0)
        error = errno;
    if (!error && !faults().active && calls().dataSync(fd) != 0)
        error = errno;
    if (!error)
        stampAfter(fd, target);
    // A file system that buffers writes may report their failure only here.
    if (calls().close(fd) != 0 && !error)
        error = errno == EINTR ? EIO : errno;
    if (!error && faults().active && faults().failClose)
        error = EIO;
    if (!error && slowSaveMs() > 0)
        std::this_thread::sleep_for(std::chrono::milliseconds(slowSaveMs()));
    // rename() replaces a link itself, never the file it names.
    if (!error && calls().rename(temp.constData(), target.constData()) != 0)
        error = errno;
    if (error) {
        calls().unlink(temp.constData());
        return failed(path, systemReason(error));
    }
    // The file is replaced; a folder that cannot be synced does not undo that.
    if (!faults().active && syncFolder(target) != 0)
        qWarning().noquote() << "save: folder not synced:" << path;
    return SaveResult();
}

} // namespace

SaveResult copyFile(const QString &source, const QString &target)
{
    const FileRead in = readRegularFile(source, kSettingsFileLimit);
    if (!in.ok())
        return failed(target, in.status == FileRead::Status::Missing
                                  ? QString::fromLocal8Bit(std::strerror(ENOENT))
                                  : in.reason);
    return saveFile(target, in.bytes);
}

SimulatedDisk::SimulatedDisk(qint64 spaceLeft)
{
    faults() = DiskFaults{true, spaceLeft, 0, false};
}

SimulatedDisk::~SimulatedDisk()
{
    faults() = DiskFaults{};
}

qint64 SimulatedDisk::written() const
{
    return faults().written;
}

void SimulatedDisk::failCloses(bool fail)
{
    faults().failClose = fail;
}

SlowDisk::SlowDisk(int msPerSave)
{
    slowSaveMs() = msPerSave;
}

SlowDisk::~SlowDisk()
{
    slowSaveMs() = 0;
}

} // namespace orvanta
