#include "SocketLoad.h"

#include "TestSupport.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QRandomGenerator>
#include <QTcpSocket>
#include <QThread>
#include <memory>

namespace orvanta::test
{

namespace
{

QByteArray selectReport(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

QByteArray base64Json(const char *json)
{
    return QByteArray(json).toBase64();
}

// Messages the console must read and drop: none of them is a command it acts on.
QByteArray garbage(QRandomGenerator &rng)
{
    switch (rng.bounded(7)) {
    case 0: { // random bytes, never starting with "07"
        QByteArray b(int(rng.bounded(1, 300)), '\0');
        for (char &c : b)
            c = char(rng.bounded(256));
        b[0] = char(0x80 | rng.bounded(128));
        return b;
    }
    case 1:
        return "079"; // no such command
    case 2:
        return "07"; // shorter than its positions
    case 3:
        return base64Json(R"({"command":7,"Data":2})"); // valid JSON, but no "}}": dropped
    case 4:
        return QByteArray(9000, 'x'); // more than one read holds
    case 5:
        return QByteArray::fromHex("00303731"); // the text ends before it begins
    default:
        return base64Json(R"({"command":"7","Data":"abc","Color":{"a":1}})");
    }
}

QByteArray validSwitch(int profile, int form)
{
    if (form == 0)
        return "07" + QByteArray::number(profile);
    return base64Json(
        QStringLiteral(R"({"command":7,"Data":%1,"Color":{"r":1}})").arg(profile).toUtf8());
}

struct Client {
    std::unique_ptr<QTcpSocket> socket;
    QByteArray greeting;
};

bool waitFor(const std::function<bool()> &done, int timeoutMs)
{
    QElapsedTimer t;
    t.start();
    while (!done()) {
        if (t.elapsed() > timeoutMs)
            return false;
        QCoreApplication::processEvents(QEventLoop::AllEvents, 5);
        QThread::usleep(500);
    }
    return true;
}

bool connectClient(Client &c, quint16 port)
{
    c.socket = std::make_unique<QTcpSocket>();
    c.greeting.clear();
    QTcpSocket *s = c.socket.get();
    QObject::connect(s, &QTcpSocket::readyRead, [&c] { c.greeting += c.socket->readAll(); });
    s->connectToHost(QHostAddress::LocalHost, port);
    return s->waitForConnected(10000);
}

bool greeted(const Client &c)
{
    return c.greeting.startsWith("VoDezivuv!") && c.greeting.endsWith('&');
}

// A fresh client's greeting: the console has gone round its event loop since
// everything sent before was delivered, so every earlier arrival has been read.
qint64 barrier(quint16 port)
{
    QElapsedTimer t;
    t.start();
    Client probe;
    if (!connectClient(probe, port) || !waitFor([&] { return greeted(probe); }, 10000))
        return -1;
    probe.socket->abort();
    return t.elapsed();
}

int reportCount(const ConsoleProcess &console)
{
    QFile f(console.logFile());
    if (!f.open(QIODevice::ReadOnly))
        return 0;
    return f.readAll().count('\n');
}

} // namespace

qint64 residentKb(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/status").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray &line : f.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').first().toLongLong();
    return -1;
}

LoadResult runSocketLoad(ConsoleProcess &console, const LoadPlan &plan)
{
    LoadResult r;
    QElapsedTimer clock;
    clock.start();
    QRandomGenerator rng(plan.seed);
    const quint16 port = console.port();
    const qint64 pid = console.process().processId();

    // Which of each client's messages are switches, and to which profile.
    struct Planned {
        bool valid = false;
        int profile = 0;
        int form = 0;
    };
    QVector<QVector<Planned>> messages(plan.clients);
    for (auto &list : messages) {
        list.resize(plan.messagesPerClient);
        for (int v = 0; v < plan.validPerClient; ++v) {
            int at = 0;
            do
                at = int(rng.bounded(plan.messagesPerClient));
            while (list[at].valid);
            list[at] = {true, int(rng.bounded(1, 6)), int(rng.bounded(2))};
        }
    }

    std::vector<Client> clients(std::size_t(plan.clients));
    for (Client &c : clients)
        if (!connectClient(c, port)) {
            r.failure = QStringLiteral("a client could not connect");
            return r;
        }
    if (!waitFor(
            [&] {
                for (const Client &c : clients)
                    if (!greeted(c))
                        return false;
                return true;
            },
            20000)) {
        r.failure = QStringLiteral("not every client was greeted");
        return r;
    }
    if (barrier(port) < 0) {
        r.failure = QStringLiteral("no greeting before the load");
        return r;
    }
    r.rssBeforeKb = residentKb(pid);

    int reports = reportCount(console);
    for (int m = 0; m < plan.messagesPerClient; ++m) {
        // Garbage from every client at once; now and then one drops mid-message.
        for (int i = 0; i < plan.clients; ++i) {
            if (messages[i][m].valid)
                continue;
            Client &c = clients[std::size_t(i)];
            const QByteArray text = garbage(rng);
            if (rng.bounded(40) == 0) {
                c.socket->write(text.left(qMax(1, text.size() / 2)));
                c.socket->flush();
                c.socket->abort();
                ++r.droppedMidMessage;
                ++r.reconnects;
                if (!connectClient(c, port)) {
                    r.failure = QStringLiteral("reconnect refused");
                    return r;
                }
            } else {
                c.socket->write(text);
                c.socket->flush();
            }
            ++r.garbageSent;
        }
        if (barrier(port) < 0) {
            r.failure = QStringLiteral("console stopped answering at message %1").arg(m);
            return r;
        }
        if (reportCount(console) != reports) {
            r.failure = QStringLiteral("garbage reached the keyboard at message %1").arg(m);
            return r;
        }
        // Switches one at a time, each acted on before the next is sent.
        for (int i = 0; i < plan.clients; ++i) {
            const Planned &p = messages[i][m];
            if (!p.valid)
                continue;
            Client &c = clients[std::size_t(i)];
            if (!greeted(c) && !waitFor([&] { return greeted(c); }, 10000)) {
                r.failure = QStringLiteral("client %1 was never greeted").arg(i);
                return r;
            }
            c.socket->write(validSwitch(p.profile, p.form));
            c.socket->flush();
            ++r.validSent;
            if (!waitFor([&] { return reportCount(console) > reports; }, 15000)) {
                r.failure = QStringLiteral("switch %1 of client %2 was not carried out")
                                .arg(p.profile)
                                .arg(i);
                return r;
            }
            ++reports;
            const auto logged = console.reports();
            if (logged.size() != reports || logged.last().bytes != selectReport(p.profile)) {
                r.failure = QStringLiteral("client %1: expected profile %2, the keyboard got %3")
                                .arg(i)
                                .arg(p.profile)
                                .arg(QString::fromLatin1(logged.last().bytes.left(3).toHex()));
                return r;
            }
            ++r.validCarriedOut;
        }
    }
    r.messagesSent = r.garbageSent + r.validSent;
    for (Client &c : clients)
        c.socket->abort();
    r.lastGreetingMs = barrier(port);
    // Let the console drop the closed sockets before measuring.
    barrier(port);
    r.rssAfterKb = residentKb(pid);
    r.elapsedMs = clock.elapsed();
    return r;
}

} // namespace orvanta::test
