#include "SocketHelper.h"

#include "SocketMessage.h"

#include <QDebug>
#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>

SocketHelper::SocketHelper(QObject *parent, quint16 port, bool listenOnAllAddresses)
    : QObject(parent)
{
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
        connect(socket, &QTcpSocket::readyRead, this, &SocketHelper::readyRead);
        connect(socket, &QTcpSocket::disconnected, this, &SocketHelper::disconnected);
        socket->write(hello);
    }
}

void SocketHelper::disconnected()
{
    qInfo() << "Socket:disconnected";
    if (auto *socket = qobject_cast<QTcpSocket *>(sender()))
        socket->deleteLater();
}

void SocketHelper::readyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    // Everything that has arrived is one message; what does not fit the
    // receive buffer is dropped rather than taken for the next message.
    const QByteArray received = socket->read(orvanta::kSocketMessageLimit);
    socket->skip(socket->bytesAvailable());
    if (isStatusRequest(received)) {
        if (m_statusReply)
            socket->write(m_statusReply());
        return;
    }
    if (const auto command = orvanta::parseSocketMessage(received))
        emit socketHelperSendData(*command);
}
