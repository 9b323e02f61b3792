// How fast the console turns arrivals into command maps, and how many
// messages per second one loopback client gets through the server.
// Prints its figures; asserts nothing.

#include "core/socket/SocketHelper.h"
#include "core/socket/SocketMessage.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QTcpSocket>
#include <cstdio>

namespace
{

void parseRate(const char *name, const QByteArray &message, int rounds)
{
    QElapsedTimer clock;
    int accepted = 0;
    clock.start();
    for (int i = 0; i < rounds; ++i)
        accepted += orvanta::parseSocketMessage(message).has_value() ? 1 : 0;
    const double ns = double(clock.nsecsElapsed()) / rounds;
    std::printf("parse %-28s %6d bytes %10.0f ns/message %s\n", name, int(message.size()), ns,
                accepted == rounds ? "accepted" : "refused");
}

void serverRate(int messages)
{
    SocketHelper helper(nullptr, 0);
    int received = 0;
    QObject::connect(&helper, &SocketHelper::commandReceived, [&received] { ++received; });
    QTcpSocket client;
    client.connectToHost(QHostAddress::LocalHost, helper.serverPort());
    if (!client.waitForConnected(3000)) {
        std::printf("server: no connection (%s)\n", qPrintable(client.errorString()));
        return;
    }
    QElapsedTimer clock;
    clock.start();
    // One message in flight at a time: the console has no framing, so a client
    // that does not wait would see its messages merged into one read.
    for (int i = 0; i < messages; ++i) {
        const int before = received;
        client.write(i % 2 ? "0771" : "078");
        client.flush();
        while (received == before && clock.elapsed() < 30000)
            QCoreApplication::processEvents(QEventLoop::AllEvents, 10);
    }
    const double ms = double(clock.nsecsElapsed()) / 1e6;
    std::printf("server: %d of %d messages in %.1f ms, %.0f messages/s\n", received, messages, ms,
                received * 1000.0 / ms);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    qSetMessagePattern(QStringLiteral("%{if-category}%{endif}")); // keep the figures readable
    parseRate("profile 072", "072", 200000);
    parseRate("colour 076#FF#80#00", "076#FF#80#00", 200000);
    parseRate("json profile",
              QByteArray("{\"command\":\"7\",\"Data\":\"2\",\"Color\":{}}").toBase64(), 100000);
    parseRate("json colour",
              QByteArray("{\"command\":7,\"Data\":6,\"Color_r\":255,\"Color_g\":128,"
                         "\"Color_b\":0,\"Color\":{}}")
                  .toBase64(),
              100000);
    parseRate("garbage 8191", QByteArray(8191, '!'), 20000);
    parseRate("oversized 64 KiB json", QByteArray(65536, 'A'), 5000);
    serverRate(2000);
    return 0;
}
