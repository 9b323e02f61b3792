#pragma once
// One console per data directory: the console holds an exclusive lock on the
// file ".lock" inside it for as long as it runs. The lock is the kernel's
// (flock), so it goes with the process however that ends, even by a kill, and
// a later start never finds a stale one.

#include <QString>

namespace orvanta
{

class DataDirectoryLock
{
public:
    enum State {
        NotTried,
        Held,          // this process holds the lock
        HeldElsewhere, // another process holds it
        Failed,        // the lock file cannot be made or locked
    };

    DataDirectoryLock() = default;
    ~DataDirectoryLock();
    DataDirectoryLock(const DataDirectoryLock &) = delete;
    DataDirectoryLock &operator=(const DataDirectoryLock &) = delete;

    // Takes the lock on `dir` without waiting; again after HeldElsewhere.
    State tryLock(const QString &dir);
    State state() const { return m_state; }

    static QString fileName() { return QStringLiteral(".lock"); }

private:
    int m_fd = -1;
    State m_state = NotTried;
};

} // namespace orvanta
