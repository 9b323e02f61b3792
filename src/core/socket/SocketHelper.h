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
// When the system has no descriptor left for a new connection, the quietest
// client is closed too, and accepting pauses for kAcceptRetryMs.
//
// Status requests may come back to back on one connection, in any number: each
// "?status" (with its "\n" or "\r\n", or ending the data that arrived) gets its
// reply, in order; one cut short by the network is completed by the next
// arrival. What follows them in the same arrival is one message as before.

#include "SocketCommand.h"
#include <QAbstractSocket>
#include <QElapsedTimer>
#include <QHash>
#include <QHostAddress>
#include <QList>
#include <QObject>

#include <QVariantMap>
#include <functional>

class QSocketNotifier;
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
    int clientCount() const { return int(m_clients.size()); }
    // How often the system refused a connection (no descriptor left) so far.
    int acceptFailures() const { return m_acceptFailures; }

    // Opt-in status request; no command message looks like it ("?" is not
    // Base64 and the short form starts with "07").
    static QByteArray statusRequest() { return QByteArrayLiteral("?status"); }
    static bool isStatusRequest(const QByteArray &message);
    // How many whole status requests `data` starts with (blank lines between
    // them allowed); they are removed from `data`, and so is what remains when
    // it can only be the start of one more (as far as the request's newline).
    static int takeStatusRequests(QByteArray &data, QByteArray &unfinished);
    // At most this many reply bytes wait for a client that does not read them;
    // requests beyond that go unanswered.
    static constexpr qint64 kReplyBacklogLimit = 64 * 1024;
    // At most this many replies wait behind a command still under way.
    static constexpr int kWaitingRepliesLimit = 1024;
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
    void disconnected();
    void readyRead();

private:
    struct Client {
        qint64 lastHeard = 0;  // ms of its last data
        QByteArray unfinished; // the start of a status request, cut short
    };

    bool listenOn(const QHostAddress &address, quint16 port);
    void acceptPending(QSocketNotifier *listening);
    void addClient(qintptr descriptor);
    void pauseAccepting();
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
    QList<QSocketNotifier *> m_listening; // one per server, in its place
    QHash<QTcpSocket *, Client> m_clients;
    QElapsedTimer m_clock;
    bool m_acceptPaused = false;
    bool m_refusing = false; // the last accept failed for want of a descriptor
    int m_acceptFailures = 0;
    std::function<QByteArray()> m_statusReply;
    bool m_followOutcomes = false;
    quint64 m_nextTicket = 1;
    QHash<QTcpSocket *, QList<Reply>> m_replies;
};
