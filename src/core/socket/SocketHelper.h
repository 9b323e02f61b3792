#pragma once
// The control socket: other programs connect over TCP, are greeted with
// "VoDezivuv!<host name>&", and send commands that are handed on as maps.
// A command carried out gets no answer; the status request, the exact text
// "?status" (a trailing newline is allowed), is answered with one line of JSON.
// Once the owner follows outcomes (followCommandOutcomes), a command that was
// not carried out is answered with one line of JSON, {"failed":"<why>"}, and
// a status request on the same connection is answered after the outcomes of
// the commands before it, so a client that sends a command and then "?status"
// learns whether the command reached the keyboard. A "?status" written right
// behind a command, in the same arrival, counts as a request of its own.
//
// By default only the loopback addresses (127.0.0.1 and ::1) listen, so no
// other machine can drive the keyboard; every address is an explicit opt-in.
//
// At most kMaxClients clients stay connected: a new client always gets in, and
// the one that has been quiet the longest makes room for it. Idle connections
// can neither use up the process's file descriptors nor lock new clients out.

#include "SocketCommand.h"
#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>

#include <QVariantMap>
#include <functional>

class QTcpServer;
class QTcpSocket;

class SocketHelper : public QObject
{
    Q_OBJECT
public:
    static constexpr quint16 kDefaultPort = 5490;
    static constexpr int kMaxClients = 64;
    // After the system refused a connection (no file descriptor left), the
    // servers wait this long before they accept again, so a refusal that
    // persists costs no processor time.
    static constexpr int kAcceptRetryMs = 100;

    // Port 0 picks a free port (see serverPort()).
    explicit SocketHelper(QObject *parent = nullptr, quint16 port = kDefaultPort,
                          bool listenOnAllAddresses = false);

    bool isListening() const;
    // The port actually bound; 0 when nothing listens.
    quint16 serverPort() const;
    // The addresses the servers listen on.
    QList<QHostAddress> listeningAddresses() const;
    // The text written to every new client.
    static QByteArray greeting();
    int clientCount() const { return int(m_lastHeard.size()); }

    // Opt-in status request; no command message looks like it ("?" is not
    // Base64 and the short form starts with "07").
    static QByteArray statusRequest() { return QByteArrayLiteral("?status"); }
    static bool isStatusRequest(const QByteArray &message);
    // Gives the reply to a status request; without it the request is ignored.
    void setStatusReply(std::function<QByteArray()> reply) { m_statusReply = std::move(reply); }
    // From now on every commandReceived is answered by commandDone with its ticket.
    void followCommandOutcomes() { m_followOutcomes = true; }
    // The line that tells a client its command was not carried out.
    static QByteArray failureReply(const QString &reason);

signals:
    // A message read and parsed into the console's command (one per message;
    // messages that are no command are dropped here).
    void commandReceived(orvanta::SocketAction command, quint64 ticket);

public slots:
    // The command `ticket` was carried out (empty `failure`) or not.
    void commandDone(quint64 ticket, const QString &failure);
    void newConnection();
    void disconnected();
    void readyRead();

private:
    bool listenOn(const QHostAddress &address, quint16 port);
    void acceptFailed(QAbstractSocket::SocketError error);
    // Closes the client that has been quiet the longest; false when there is none.
    bool dropQuietestClient();
    void forget(QTcpSocket *socket);
    void answerStatus(QTcpSocket *socket);
    void writeReadyReplies(QTcpSocket *socket); // in order, up to the first still open

    // Replies owed to a client, in the order of its requests: a status request
    // (ticket 0, always ready) or a command waiting for its outcome.
    struct Reply {
        quint64 ticket = 0;
        bool ready = false;
        QByteArray text;
    };

    QList<QTcpServer *> m_servers;
    QHash<QTcpSocket *, qint64> m_lastHeard; // connected clients, ms of their last data
    QElapsedTimer m_clock;
    bool m_acceptRetryPending = false;
    std::function<QByteArray()> m_statusReply;
    bool m_followOutcomes = false;
    quint64 m_nextTicket = 1;
    QHash<QTcpSocket *, QList<Reply>> m_replies;
};
