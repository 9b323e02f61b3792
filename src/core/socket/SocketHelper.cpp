#include "SocketHelper.h"

#include "SocketMessage.h"

#include <QDebug>
#include <QHostInfo>
#include <QJsonDocument>
#include <QJsonObject>
#include <QSocketNotifier>
#include <QTcpServer>
#include <QTcpSocket>
#include <QTimer>

#include <cerrno>
#include <sys/socket.h>
#include <unistd.h>

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
    const bool listening = server->listen(address, port);
    qDebug() << "Listening:" << listening;
    if (!listening) {
        delete server;
        return false;
    }
    // Connections are accepted here rather than by the server, which takes a
    // lack of descriptors for a passing fault and tries again at once, forever.
    server->pauseAccepting();
    auto *notifier = new QSocketNotifier(server->socketDescriptor(), QSocketNotifier::Read, server);
    connect(notifier, &QSocketNotifier::activated, this,
            [this, notifier] { acceptPending(notifier); });
    m_servers.append(server);
    m_listening.append(notifier);
    return true;
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

void SocketHelper::acceptPending(QSocketNotifier *listening)
{
    // A bounded number per turn, so that a flood of connections cannot keep
    // the event loop here.
    for (int i = 0; i < kMaxClients; ++i) {
        const int descriptor =
            ::accept4(int(listening->socket()), nullptr, nullptr, SOCK_NONBLOCK | SOCK_CLOEXEC);
        const int error = errno;
        if (descriptor >= 0) {
            m_refusing = false;
            addClient(descriptor);
            continue;
        }
        if (error == EINTR || error == ECONNABORTED)
            continue;
        if (error == EAGAIN || error == EWOULDBLOCK)
            return;
        // No descriptor (or memory) left: a quiet client gives its descriptor
        // back, and accepting resumes after a pause rather than at once, so a
        // lack of descriptors that persists does not keep the processor busy.
        ++m_acceptFailures;
        const bool dropped = dropQuietestClient();
        if (!m_refusing) // once while it lasts
            qWarning() << "Socket:cannot accept a client:" << qt_error_string(error)
                       << (dropped ? "- closing quiet clients to make room" : "");
        m_refusing = true;
        pauseAccepting();
        return;
    }
}

void SocketHelper::pauseAccepting()
{
    if (m_acceptPaused)
        return;
    m_acceptPaused = true;
    for (QSocketNotifier *notifier : qAsConst(m_listening))
        notifier->setEnabled(false);
    QTimer::singleShot(kAcceptRetryMs, this, [this] {
        m_acceptPaused = false;
        for (QSocketNotifier *notifier : qAsConst(m_listening))
            notifier->setEnabled(true);
    });
}

void SocketHelper::addClient(qintptr descriptor)
{
    qInfo() << "Socket:newConnection";
    auto *socket = new QTcpSocket(this);
    if (!socket->setSocketDescriptor(descriptor)) {
        ::close(int(descriptor));
        delete socket;
        return;
    }
    if (m_clients.size() >= kMaxClients)
        dropQuietestClient();
    m_clients.insert(socket, Client{m_clock.elapsed(), {}});
    connect(socket, &QTcpSocket::readyRead, this, &SocketHelper::readyRead);
    connect(socket, &QTcpSocket::disconnected, this, &SocketHelper::disconnected);
    socket->write(greeting());
    socket->flush(); // greeted before it can be closed for room
}

bool SocketHelper::dropQuietestClient()
{
    QTcpSocket *quietest = nullptr;
    qint64 oldest = 0;
    for (auto it = m_clients.constBegin(); it != m_clients.constEnd(); ++it) {
        if (!quietest || it->lastHeard < oldest) {
            quietest = it.key();
            oldest = it->lastHeard;
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
    m_clients.remove(socket);
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

int SocketHelper::takeStatusRequests(QByteArray &data, QByteArray &unfinished)
{
    const QByteArray request = statusRequest();
    int count = 0;
    int pos = 0;
    for (;;) {
        int at = pos;
        while (at < data.size() && (data[at] == '\n' || data[at] == '\r'))
            ++at;
        const QByteArray rest = QByteArray::fromRawData(data.constData() + at, data.size() - at);
        if (rest.startsWith(request)) {
            int end = at + request.size();
            if (end < data.size() && data[end] == '\r')
                ++end;
            if (end < data.size() && data[end] == '\n')
                ++end;
            else if (end < data.size())
                break; // "?status" followed by more: no request
            ++count;
            pos = end;
            continue;
        }
        if (at == data.size() && count > 0) {
            pos = at; // blank lines after the requests
        } else if (!rest.isEmpty() && request.startsWith(rest)) {
            unfinished = QByteArray(rest.constData(), rest.size()); // a copy: `rest` is a view
            pos = data.size();
        }
        break;
    }
    data.remove(0, pos);
    return count;
}

void SocketHelper::readyRead()
{
    auto *socket = qobject_cast<QTcpSocket *>(sender());
    if (!socket)
        return;
    const auto client = m_clients.find(socket);
    if (client != m_clients.end())
        client->lastHeard = m_clock.elapsed();
    // Everything that has arrived is one message; what does not fit the
    // receive buffer is dropped rather than taken for the next message. Status
    // requests at its start are answered first, one by one.
    QByteArray received = socket->read(orvanta::kSocketMessageLimit);
    if (client != m_clients.end() && !client->unfinished.isEmpty()) {
        // A request cut short is completed by what comes next, or forgotten.
        const QByteArray joined = client->unfinished + received;
        client->unfinished.clear();
        if (joined.startsWith(statusRequest()))
            received = joined;
    }
    for (;;) {
        QByteArray unfinished;
        const int requests = takeStatusRequests(received, unfinished);
        for (int i = 0; i < requests; ++i)
            answerStatus(socket);
        if (!received.isEmpty() || !socket->bytesAvailable()) {
            if (client != m_clients.end())
                client->unfinished = unfinished;
            break;
        }
        received = unfinished + socket->read(orvanta::kSocketMessageLimit);
    }
    socket->skip(socket->bytesAvailable());
    if (received.isEmpty())
        return;
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
    // A client that does not read its replies gets no more of them.
    if (!m_statusReply || socket->bytesToWrite() >= kReplyBacklogLimit)
        return;
    QList<Reply> &replies = m_replies[socket];
    if (replies.size() >= kWaitingRepliesLimit)
        return;
    replies.append({0, true, {}});
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
