#pragma once
// One console per data directory: a second start asks the running one to show
// itself through a local socket and exits.

#include <QObject>
#include <QString>
#include <functional>

class QLocalServer;

namespace orvanta {

class SingleInstance : public QObject
{
    Q_OBJECT
public:
    explicit SingleInstance(const QString &dataDir, QObject *parent = nullptr);
    // The local socket's name for a data directory.
    static QString serverName(const QString &dataDir);
    // True when a running console answered and was asked to show itself.
    bool askRunningToShow(int timeoutMs = 1000);
    // Starts listening; `show` runs whenever a later start asks.
    bool listen(std::function<void()> show);

private:
    QString m_name;
    QLocalServer *m_server = nullptr;
};

} // namespace orvanta
