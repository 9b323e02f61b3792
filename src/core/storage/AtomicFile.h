#pragma once
// Saving a file all or nothing. The new content goes to a temporary file in
// the same folder, which is flushed to disk and checked at every step, the
// close included, before it is renamed over the old file. When any step fails
// the temporary file is removed and the old file stays as it was, whatever the
// failure (no space, file too large, I/O error) and wherever it struck.
//
// Paths are relative to the data directory. No save ever writes through a
// link: a file that is a symbolic link is replaced by a regular file, and a
// save whose folder is reached through a link below the data directory's own
// folders (or through "..") is refused (see RegularFile.h).

#include <QByteArray>
#include <QString>
#include <QVector>
#include <functional>
#include <sys/types.h>

namespace orvanta
{

struct SaveFailure {
    QString path;   // the file that kept its old content
    QString reason; // the system's reason, e.g. "No space left on device"
};

// What one or several saves came to: every failure, in the order they happened.
class [[nodiscard]] SaveResult
{
public:
    SaveResult() = default;
    SaveResult(const QString &path, const QString &reason) { m_failures.append({path, reason}); }

    bool ok() const { return m_failures.isEmpty(); }
    const QVector<SaveFailure> &failures() const { return m_failures; }
    // Adds the failures of another save; an operation that saves several files
    // goes on with the next one and reports them all.
    SaveResult &operator+=(const SaveResult &other)
    {
        m_failures += other.m_failures;
        return *this;
    }

private:
    QVector<SaveFailure> m_failures;
};

// A value together with what the saves made while producing it came to.
template <typename T> struct [[nodiscard]] WithSaves {
    T value;
    SaveResult saved;
};

// Replaces `path` with `content` (see above). Creates missing folders below the
// data directory. A failure is logged with the path and the reason.
SaveResult saveFile(const QString &path, const QByteArray &content);

// Saves a copy of `source` (read whole with readRegularFile, so a FIFO, a
// device or a link below the data directory's own entries is refused) as
// `target`, all or nothing like saveFile.
SaveResult copyFile(const QString &source, const QString &target);

// Saves handed to a worker thread go first: between beginBackgroundSaves()
// (called by the thread that hands them over, before it goes on) and the end
// of the worker's BackgroundSaveScope, saves from any other thread wait, so a
// file edited meanwhile ends with the later edit. Saves never run side by side.
void beginBackgroundSaves();
class BackgroundSaveScope
{
public:
    BackgroundSaveScope();  // on the worker, before its first save
    ~BackgroundSaveScope(); // ends the saves announced by beginBackgroundSaves()
    BackgroundSaveScope(const BackgroundSaveScope &) = delete;
    BackgroundSaveScope &operator=(const BackgroundSaveScope &) = delete;
};

// The system calls a save makes, in this order: open the temporary file, write
// it, sync its data, close it, rename it over the file, then open, sync and
// close the folder so the rename itself is on disk; unlink removes the
// temporary file of a save that failed.
struct FileSystemCalls {
    std::function<int(const char *path, int flags, mode_t mode)> open;
    std::function<ssize_t(int fd, const void *data, size_t size)> write;
    std::function<int(int fd)> dataSync; // the file's data
    std::function<int(int fd)> sync;     // the folder
    std::function<int(int fd)> close;
    std::function<int(const char *from, const char *to)> rename;
    std::function<int(const char *path)> unlink;
};
// The real calls.
FileSystemCalls systemFileCalls();
// For tests: saves make their calls through `calls` while the object lives;
// each member may wrap the real call (systemFileCalls()) to watch or fail it.
class FileCallsOverride
{
public:
    explicit FileCallsOverride(FileSystemCalls calls);
    ~FileCallsOverride();
    FileCallsOverride(const FileCallsOverride &) = delete;
    FileCallsOverride &operator=(const FileCallsOverride &) = delete;
};

// For tests: a disk with `spaceLeft` bytes free while the object lives. Every
// write beyond that fails with "No space left on device" after writing what
// fits, as a real disk does. Saves skip the flush to the physical disk, which
// a simulated disk does not need. Not for production code; one at a time.
class SimulatedDisk
{
public:
    explicit SimulatedDisk(qint64 spaceLeft);
    ~SimulatedDisk();
    SimulatedDisk(const SimulatedDisk &) = delete;
    SimulatedDisk &operator=(const SimulatedDisk &) = delete;

    // Bytes that saves wrote to temporary files while the object lived.
    qint64 written() const;
    // Makes every close report an I/O error, as a network file system does
    // when the data it buffered cannot be written.
    void failCloses(bool fail);
};

// For tests: a slow disk while the object lives; every save takes `msPerSave`
// longer before its file is replaced, as on a busy or network disk. Not for
// production code; one at a time.
class SlowDisk
{
public:
    explicit SlowDisk(int msPerSave);
    ~SlowDisk();
    SlowDisk(const SlowDisk &) = delete;
    SlowDisk &operator=(const SlowDisk &) = delete;
};

} // namespace orvanta
