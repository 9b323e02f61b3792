#include "SocketHelper.h"

#include "SocketMessage.h"

#include <QDebug>
#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

SocketHelper::SocketHelper(QObject *parent, quint16 port, bool listenOnAllAddresses)
    : QObject(parent)
{
    m_clock.start();
    if (listenOnAllAddresses) {
        listenOn(QHostAddress::Any, port);
        return;
    }
    // Both loopbacks share one port number, so IPv4 and IPv6 clients reach the
    // same console. A machine without ::1 is served on IPv4 alone.
    if (listenOn(QHostAddress::LocalHost, port))
        listenOn(QHostAddress::LocalHostIPv6, m_servers.first()->serverPort());
}

bool SocketHelper::listenOn(const QHostAddress &address, quint16 port)
{
    auto *server = new QTcpServer(this);
    connect(server, &QTcpServer::newConnection, this, &SocketHelper::newConnection);
    connect(server, &QTcpServer::acceptError, this, &SocketHelper::acceptFailed);
    const bool listening = server->listen(address, port);
    qDebug() << "Listening:" << listening;
    if (listening)
        m_servers.append(server);
    else
        delete server;
    return listening;
}

bool SocketHelper::isListening() const
{
    return !m_servers.isEmpty();
}

quint16 SocketHelper::serverPort() const
{
    return m_servers.isEmpty() ? 0 : m_servers.first()->serverPort();
}

QList<QHostAddress> SocketHelper::listeningAddresses() const
{
    QList<QHostAddress> addresses;
    for (const QTcpServer *server : m_servers)
        addresses.append(server->serverAddress());
    return addresses;
}

QByteArray SocketHelper::greeting()
{
    return QStringLiteral("VoDezivuv!%1&").arg(QHostInfo::localHostName()).toUtf8();
}

bool SocketHelper::isStatusRequest(const QByteArray &message)
{
    const int end = message.indexOf('\0');
    QByteArray text = end < 0 ? message : message.left(end);
    if (text.endsWith('\n'))
        text.chop(1);
    if (text.endsWith('\r'))
        text.chop(1);
    return text == statusRequest();
}

void SocketHelper::newConnection()
{
    qInfo() << "Socket:newConnection";
    auto *server = qobject_cast<QTcpServer *>(sender());
    if (!server)
        return;
    const QByteArray hello = greeting();
    while (server->hasPendingConnections()) {
        QTcpSocket *socket = server->nextPendingConnection();
        if (m_lastHeard.size() >= kMaxClients)
            dropQuietestClient();
        m_lastHeard.insert(socket, m_clock.elapsed());
        connect(socket, &QTcpSocket::readyRead, this, &SocketHelper::readyRead);
        connect(socket, &QTcpSocket::disconnected, this, &SocketHelper::disconnected);
        socket->write(hello);
    }
}

void SocketHelper::acceptFailed(QAbstractSocket::SocketError error)
{
    // The server stops accepting after such an error. A quiet client gives its
    // descriptor back, and accepting resumes after a pause rather than at once,
    // so a lack of descriptors that persists does not keep the processor busy.
    qWarning() << "Socket:acceptError" << error;
    dropQuietestClient();
    if (m_acceptRetryPending)
        return;
    m_acceptRetryPending = true;
    QTimer::singleShot(kAcceptRetryMs, this, [this] {
        m_acceptRetryPending = false;
        for (QTcpServer *server : qAsConst(m_servers))
            server->resumeAccepting();
    });
}

bool SocketHelper::dropQuietestClient()
{
    QTcpSocket *quietest = nullptr;
    qint64 oldest = 0;
    for (auto it = m_lastHeard.constBegin(); it != m_lastHeard.constEnd(); ++it) {
        if (!quietest || it.value() < oldest) {
            quietest = it.key();
            oldest = it.value();
        }
    }
    if (!quietest)
        return false;
    qInfo() << "Socket:closing the quietest client";
    forget(quietest);
    quietest->disconnect(this);
    quietest->abort(); // its descriptor is released now, not at the next event loop turn
    quietest->deleteLater();
    return true;
}

void SocketHelper::forget(QTcpSocket *socket)
{
    m_lastHeard.remove(socket);
    m_replies.remove(socket);
}

void SocketHelper::disconnected()
{
    qInfo() << "Socket:disconnected";
    if (auto *socket = qobject_cast<QTcpSocket *>(sender())) {
        forget(socket);
        socket->deleteLater();
    }
}

void SocketHelper::readyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    if (m_lastHeard.contains(socket))
        m_lastHeard[socket] = m_clock.elapsed();
    // Everything that has arrived is one message; what does not fit the
    // receive buffer is dropped rather than taken for the next message.
    QByteArray received = socket->read(orvanta::kSocketMessageLimit);
    socket->skip(socket->bytesAvailable());
    if (isStatusRequest(received)) {
        answerStatus(socket);
        return;
    }
    const int statusAt = received.lastIndexOf(statusRequest());
    const bool statusBehind = statusAt > 0 && isStatusRequest(received.mid(statusAt));
    if (statusBehind)
        received.truncate(statusAt);
    if (const auto message = orvanta::parseSocketMessage(received)) {
        qDebug() << "commandResultMap:" << message->value(QStringLiteral("command")).toString();
        const orvanta::SocketAction command = orvanta::socketActionFor(*message);
        if (command.kind != orvanta::SocketAction::None) {
            const quint64 ticket = m_nextTicket++;
            if (m_followOutcomes)
                m_replies[socket].append({ticket, false, {}});
            emit commandReceived(command, ticket);
        }
    }
    if (statusBehind)
        answerStatus(socket);
}

QByteArray SocketHelper::failureReply(const QString &reason)
{
    return QJsonDocument(QJsonObject{{QStringLiteral("failed"), reason}})
               .toJson(QJsonDocument::Compact) +
           '\n';
}

void SocketHelper::answerStatus(QTcpSocket *socket)
{
    if (!m_statusReply)
        return;
    m_replies[socket].append({0, true, {}});
    writeReadyReplies(socket);
}

void SocketHelper::commandDone(quint64 ticket, const QString &failure)
{
    for (auto it = m_replies.begin(); it != m_replies.end(); ++it)
        for (Reply &reply : it.value())
            if (reply.ticket == ticket) {
                reply.ready = true;
                reply.text = failure.isEmpty() ? QByteArray() : failureReply(failure);
                writeReadyReplies(it.key());
                return;
            }
}

void SocketHelper::writeReadyReplies(QTcpSocket *socket)
{
    QList<Reply> &replies = m_replies[socket];
    while (!replies.isEmpty() && replies.first().ready) {
        const Reply reply = replies.takeFirst();
        socket->write(reply.ticket == 0 ? m_statusReply() : reply.text);
    }
    if (replies.isEmpty())
        m_replies.remove(socket);
}
