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

QByteArray garbage(QRandomGenerator &rng)
{
    return socketGarbage(int(rng.bounded(7)), rng);
}

struct Client {
    std::unique_ptr<QTcpSocket> socket;
    QByteArray greeting;
    bool greeted() const { return greeting.startsWith("VoDezivuv!") && greeting.endsWith('&'); }
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
    QObject::connect(c.socket.get(), &QTcpSocket::readyRead,
                     [&c] { c.greeting += c.socket->readAll(); });
    c.socket->connectToHost(QHostAddress::LocalHost, port);
    return c.socket->waitForConnected(10000);
}

// A fresh client's greeting: the console has gone round its event loop since
// everything sent before was delivered, so every earlier arrival has been read.
qint64 barrier(quint16 port)
{
    QElapsedTimer t;
    t.start();
    Client probe;
    if (!connectClient(probe, port) || !waitFor([&] { return probe.greeted(); }, 10000))
        return -1;
    probe.socket->abort();
    return t.elapsed();
}

int reportCount(const ConsoleProcess &console)
{
    QFile f(console.logFile());
    return f.open(QIODevice::ReadOnly) ? f.readAll().count('\n') : 0;
}

// VmRSS of a process in kB, or -1.
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

} // namespace

LoadResult runSocketLoad(ConsoleProcess &console, const LoadPlan &plan)
{
    LoadResult r;
    QElapsedTimer clock;
    clock.start();
    QRandomGenerator rng(plan.seed);
    const quint16 port = console.port();
    const auto failed = [&r](const QString &why) {
        r.failure = why;
        return r;
    };

    // Which of each client's messages are switches: the profile, or 0 for garbage.
    QVector<QVector<int>> switches(plan.clients, QVector<int>(plan.messagesPerClient, 0));
    for (auto &list : switches)
        for (int v = 0; v < plan.validPerClient; ++v) {
            int at = 0;
            do
                at = int(rng.bounded(plan.messagesPerClient));
            while (list[at]);
            list[at] = int(rng.bounded(1, 6));
        }

    std::vector<Client> clients(std::size_t(plan.clients));
    for (Client &c : clients)
        if (!connectClient(c, port))
            return failed(QStringLiteral("a client could not connect"));
    const auto allGreeted = [&] {
        return std::all_of(clients.begin(), clients.end(), [](auto &c) { return c.greeted(); });
    };
    if (!waitFor(allGreeted, 20000) || barrier(port) < 0)
        return failed(QStringLiteral("not every client was greeted"));
    r.rssBeforeKb = residentKb(console.process().processId());

    int reports = reportCount(console);
    for (int m = 0; m < plan.messagesPerClient; ++m) {
        // Garbage from every client at once; now and then one drops mid-message.
        for (int i = 0; i < plan.clients; ++i) {
            if (switches[i][m])
                continue;
            Client &c = clients[std::size_t(i)];
            const QByteArray text = garbage(rng);
            const bool drop = rng.bounded(40) == 0;
            c.socket->write(drop ? text.left(qMax(1, text.size() / 2)) : text);
            c.socket->flush();
            ++r.garbageSent;
            if (drop) {
                c.socket->abort();
                ++r.droppedMidMessage;
                if (!connectClient(c, port))
                    return failed(QStringLiteral("reconnect refused"));
            }
        }
        if (barrier(port) < 0)
            return failed(QStringLiteral("console stopped answering at message %1").arg(m));
        if (reportCount(console) != reports)
            return failed(QStringLiteral("garbage reached the keyboard at message %1").arg(m));
        // Switches one at a time, each acted on before the next is sent, in
        // the short and the JSON form by turns.
        for (int i = 0; i < plan.clients; ++i) {
            const int profile = switches[i][m];
            Client &c = clients[std::size_t(i)];
            if (!profile)
                continue;
            if (!waitFor([&] { return c.greeted(); }, 10000))
                return failed(QStringLiteral("client %1 was never greeted").arg(i));
            c.socket->write(r.validSent % 2
                                ? "07" + QByteArray::number(profile)
                                : QStringLiteral(R"({"command":7,"Data":%1,"Color":{"r":1}})")
                                      .arg(profile)
                                      .toUtf8()
                                      .toBase64());
            c.socket->flush();
            ++r.validSent;
            if (!waitFor([&] { return reportCount(console) > reports; }, 15000))
                return failed(QStringLiteral("switch of client %1 was not carried out").arg(i));
            const auto logged = console.reports();
            if (logged.size() != ++reports ||
                logged.last().bytes != toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}})))
                return failed(QStringLiteral("client %1: expected profile %2, the keyboard got %3")
                                  .arg(i)
                                  .arg(profile)
                                  .arg(QString::fromLatin1(logged.last().bytes.left(3).toHex())));
            ++r.validCarriedOut;
        }
    }
    r.messagesSent = r.garbageSent + r.validSent;
    for (Client &c : clients)
        c.socket->abort();
    r.lastGreetingMs = barrier(port);
    barrier(port); // lets the console drop the closed sockets before measuring
    r.rssAfterKb = residentKb(console.process().processId());
    r.elapsedMs = clock.elapsed();
    return r;
}

} // namespace orvanta::test
