// The control socket's server: who may connect, what clients are told, and
// which maps their messages become.

#include "TestSupport.h"
#include "socket/SocketHelper.h"

#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>

namespace
{

// A client that collects what the console writes to it.
struct Client {
    std::unique_ptr<QTcpSocket> socket = std::make_unique<QTcpSocket>();
    QByteArray received;

    bool connectTo(const QHostAddress &address, quint16 port)
    {
        QObject::connect(socket.get(), &QTcpSocket::readyRead,
                         [this] { received += socket->readAll(); });
        socket->connectToHost(address, port);
        QSignalSpy connected(socket.get(), &QTcpSocket::connected);
        return socket->state() == QAbstractSocket::ConnectedState || connected.wait(3000);
    }
    bool waitForGreeting()
    {
        return QTest::qWaitFor([this] { return received.endsWith('&'); }, 3000);
    }
    void send(const QByteArray &bytes)
    {
        socket->write(bytes);
        socket->flush();
    }
};

QByteArray expectedGreeting()
{
    return "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&";
}

QList<QTcpSocket *> serverSideSockets(const SocketHelper &helper)
{
    return helper.findChildren<QTcpSocket *>();
}

} // namespace

class SocketHelperTest : public QObject
{
    Q_OBJECT

private slots:
    void listensOnLoopbackOnlyByDefault()
    {
        QTest::ignoreMessage(QtDebugMsg, "Listening: true");
        SocketHelper helper(nullptr, 0);
        QVERIFY(helper.isListening());
        QVERIFY(helper.serverPort() != 0);
        const QList<QHostAddress> addresses = helper.listeningAddresses();
        QVERIFY(!addresses.isEmpty());
        QCOMPARE(addresses.first(), QHostAddress(QHostAddress::LocalHost));
        for (const QHostAddress &a : addresses) {
            QVERIFY2(a == QHostAddress(QHostAddress::LocalHost) ||
                         a == QHostAddress(QHostAddress::LocalHostIPv6),
                     qPrintable(a.toString()));
        }
        for (QTcpServer *server : helper.findChildren<QTcpServer *>())
            QCOMPARE(server->serverPort(), helper.serverPort());
    }

    void failedListenLeavesTheConsoleRunning()
    {
        QTcpServer occupier;
        QVERIFY(occupier.listen(QHostAddress::LocalHost, 0));
        QTest::ignoreMessage(QtDebugMsg, "Listening: false");
        SocketHelper helper(nullptr, occupier.serverPort());
        QVERIFY(!helper.isListening());
        QCOMPARE(helper.serverPort(), quint16(0));
        QVERIFY(helper.listeningAddresses().isEmpty());
    }

    void greetsEveryClient_data()
    {
        QTest::addColumn<QString>("address");
        QTest::newRow("IPv4") << QStringLiteral("127.0.0.1");
        QTest::newRow("IPv6") << QStringLiteral("::1");
    }
    void greetsEveryClient()
    {
        QFETCH(QString, address);
        const QHostAddress host(address);
        SocketHelper helper(nullptr, 0);
        if (!helper.listeningAddresses().contains(host))
            QSKIP("this machine has no such loopback address");
        QTest::ignoreMessage(QtInfoMsg, "Socket:newConnection");
        Client client;
        QVERIFY(client.connectTo(host, helper.serverPort()));
        QVERIFY(client.waitForGreeting());
        QCOMPARE(client.received, expectedGreeting());
        QCOMPARE(SocketHelper::greeting(), expectedGreeting());
    }

    void oversizedArrivalIsOneMessage()
    {
        SocketHelper helper(nullptr, 0);
        QSignalSpy emitted(&helper, &SocketHelper::socketHelperSendData);
        Client client;
        QVERIFY(client.connectTo(QHostAddress::LocalHost, helper.serverPort()));
        QVERIFY(client.waitForGreeting());
        client.send("074" + QByteArray(12000, 'x'));
        QVERIFY(emitted.wait(3000));
        QTest::qWait(50); // a further read of the tail would emit nothing either
        QCOMPARE(emitted.size(), 1);
        QCOMPARE(emitted.first().at(0).toMap(), (QVariantMap{{"command", 7}, {"Data", 4}}));
    }

    void clientsAreReadIndependently()
    {
        SocketHelper helper(nullptr, 0);
        QSignalSpy emitted(&helper, &SocketHelper::socketHelperSendData);
        Client a;
        Client b;
        QVERIFY(a.connectTo(QHostAddress::LocalHost, helper.serverPort()));
        QVERIFY(b.connectTo(QHostAddress::LocalHost, helper.serverPort()));
        QVERIFY(a.waitForGreeting());
        QVERIFY(b.waitForGreeting());
        QCOMPARE(a.received, expectedGreeting());
        QCOMPARE(b.received, expectedGreeting());
        QTRY_COMPARE(serverSideSockets(helper).size(), 2);

        // A's half of a colour must not be completed by B's bytes.
        QSignalSpy aRead(serverSideSockets(helper).first(), &QTcpSocket::readyRead);
        QSignalSpy bRead(serverSideSockets(helper).last(), &QTcpSocket::readyRead);
        a.send("076#FF#80");
        QTRY_VERIFY(aRead.size() + bRead.size() == 1);
        b.send("#00");
        QTRY_VERIFY(aRead.size() + bRead.size() == 2);
        QCOMPARE(emitted.size(), 0);

        a.send("0774");
        QVERIFY(emitted.wait(3000));
        b.send("0771");
        QTRY_COMPARE(emitted.size(), 2);
        QCOMPARE(emitted.at(0).at(0).toMap().value("app_cmd"), QVariant(4));
        QCOMPARE(emitted.at(1).at(0).toMap().value("app_cmd"), QVariant(1));

        // A leaves; its socket goes, B is still served.
        QTest::ignoreMessage(QtInfoMsg, "Socket:disconnected");
        a.socket->disconnectFromHost();
        QTRY_COMPARE(serverSideSockets(helper).size(), 1);
        b.send("078");
        QTRY_COMPARE(emitted.size(), 3);
        QCOMPARE(emitted.at(2).at(0).toMap(), (QVariantMap{{"command", 7}, {"Data", 8}}));
    }
};

QTEST_GUILESS_MAIN(SocketHelperTest)
#include "tst_sockethelper.moc"
