#pragma once
// One console per data directory: the directory's lock decides which start
// runs (see DataDirectoryLock); a later start asks the running one to show
// itself through a local socket and exits.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace orvanta
{

class DataDirectoryPreparation;

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    // How long a later start waits for the running console to answer.
    static constexpr int kClaimWaitMs = 30000;

    explicit SingleInstance(const QString &dataDir, QObject *parent = nullptr);
    // The local socket's name for a data directory.
    static QString serverName(const QString &dataDir);
    // True when a running console answered and was asked to show itself.
    bool askRunningToShow(int timeoutMs = 1000);
    // Settles which console runs on the prepared, entered `dir`: -1 when this
    // one holds its lock and goes on; otherwise the exit status, after the
    // message for the terminal is printed. When another console holds the lock,
    // it is asked to show itself (it listens once it has taken the lock and
    // seeded the directory), unless `showRunning` is false: then the start is
    // refused at once.
    int claim(DataDirectoryPreparation &dir, bool showRunning);
    // Starts listening; `show` runs whenever a later start asks.
    bool listen(std::function<void()> show);

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace orvanta
