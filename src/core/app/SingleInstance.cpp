#include "SingleInstance.h"

#include "ConsoleOptions.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QLocalServer>
#include <QLocalSocket>
#include <QTextStream>
#include <QThread>

namespace orvanta
{

static const QByteArray kShowMessage = QByteArrayLiteral("show\n");

SingleInstance::SingleInstance(const QString &dataDir, QObject *parent)
    : QObject(parent), m_name(serverName(dataDir))
{
}

QString SingleInstance::serverName(const QString &dataDir)
{
    const QByteArray key = QDir(dataDir).canonicalPath().toUtf8();
    const QByteArray hash =
        QCryptographicHash::hash(key, QCryptographicHash::Sha1).toHex().left(16);
    return QStringLiteral("orvanta-console-") + QString::fromLatin1(hash);
}

bool SingleInstance::askRunningToShow(int timeoutMs)
{
    QLocalSocket socket;
    socket.connectToServer(m_name);
    if (!socket.waitForConnected(timeoutMs))
        return false;
    socket.write(kShowMessage);
    socket.waitForBytesWritten(timeoutMs);
    socket.disconnectFromServer();
    return true;
}

int SingleInstance::claim(DataDirectoryPreparation &dir, bool showRunning)
{
    QTextStream err(stderr);
    const QString path = QDir::currentPath();
    const auto inUse = [&] {
        err << "orvanta-console: the data directory " << path << " is in use by another console\n";
        return 1;
    };
    if (dir.lockState() == DataDirectoryLock::Held)
        return -1;
    if (dir.lockState() != DataDirectoryLock::HeldElsewhere) {
        err << "orvanta-console: cannot lock the data directory " << path << "\n";
        return 1;
    }
    if (!showRunning)
        return inUse();
    // The other console may still be seeding the directory, or quitting.
    for (QDeadlineTimer deadline(kClaimWaitMs); !deadline.hasExpired(); QThread::msleep(50)) {
        if (askRunningToShow()) {
            QTextStream(stdout) << "orvanta-console: already running: showing its window\n";
            return 0;
        }
        if (dir.lockAgain())
            return -1;
    }
    return inUse();
}

bool SingleInstance::listen(std::function<void()> show)
{
    m_server = new QLocalServer(this);
    m_server->setSocketOptions(QLocalServer::UserAccessOption);
    if (!m_server->listen(m_name)) {
        // A console that crashed leaves its socket file behind.
        QLocalServer::removeServer(m_name);
        if (!m_server->listen(m_name))
            return false;
    }
    connect(m_server, &QLocalServer::newConnection, this, [this, show] {
        while (QLocalSocket *client = m_server->nextPendingConnection()) {
            connect(client, &QLocalSocket::readyRead, client, [client, show] {
                if (client->readAll().contains("show"))
                    show();
            });
            connect(client, &QLocalSocket::disconnected, client, &QObject::deleteLater);
        }
    });
    return true;
}

} // namespace orvanta
