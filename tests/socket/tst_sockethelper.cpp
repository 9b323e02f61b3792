// The control socket's server: who may connect and what clients are told.

#include "core/socket/SocketHelper.h"

#include <QHostInfo>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

class SocketHelperTest : public QObject
{
    Q_OBJECT

private slots:
    void listensOnLoopbackOnly()
    {
        QTest::ignoreMessage(QtDebugMsg, "Listening: true");
        SocketHelper helper(nullptr, 0);
        QVERIFY(helper.serverPort() != 0);
        const QList<QHostAddress> addresses = helper.listeningAddresses();
        QVERIFY(addresses.contains(QHostAddress(QHostAddress::LocalHost)));
        for (const QHostAddress &a : addresses)
            QVERIFY2(a.isLoopback(), qPrintable(a.toString()));
        for (QTcpServer *server : helper.findChildren<QTcpServer *>())
            QVERIFY2(server->serverAddress().isLoopback(),
                     qPrintable(server->serverAddress().toString()));
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
        QTcpSocket client;
        client.connectToHost(host, helper.serverPort());
        QByteArray received;
        QVERIFY(QTest::qWaitFor(
            [&] {
                received += client.readAll();
                return received.endsWith('&');
            },
            3000));
        QCOMPARE(received, "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&");
    }
};

QTEST_GUILESS_MAIN(SocketHelperTest)
#include "tst_sockethelper.moc"
