// orvanta-ctl: the bytes it sends for each command, and how it fails when no
// console listens or the command line is wrong (its refusal without a keyboard:
// tst_e2e_hotplug, against the real console).

#include "TestSupport.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta::test;

namespace
{

// Stands in for the console: greets each client, answers the status request
// with `status` and keeps what else each client sent.
class FakeConsole : public QObject
{
public:
    FakeConsole()
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                const int index = received.size();
                received.append(QByteArray());
                connect(s, &QTcpSocket::readyRead, this, [this, s, index] {
                    QByteArray data = s->readAll();
                    if (data.startsWith("?status")) {
                        s->write(status);
                        data.remove(0, 7);
                    }
                    received[index] += data;
                });
                s->write("VoDezivuv!testhost&");
            }
        });
    }
    bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    QVector<QByteArray> received;
    QByteArray status =
        R"({"keyboard":"connected","profile":2,"profileName":"PROFILE 2","queued":0})"
        "\n";
};

RunResult runCtl(const QStringList &arguments)
{
    return runProgram(binDir() + QStringLiteral("/orvanta-ctl"), arguments);
}

QStringList withPort(quint16 port, const QStringList &arguments)
{
    return QStringList{"--port", QString::number(port)} + arguments;
}

} // namespace

class CtlTest : public QObject
{
    Q_OBJECT

private slots:
    void sendsTheShortMessages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("profile 1") << QStringList{"profile", "1"} << QByteArray("071");
        QTest::newRow("orange") << QStringList{"color", "FF8000"} << QByteArray("076#FF#80#00");
        QTest::newRow("pulse 0") << QStringList{"pulse", "0"} << QByteArray("0770");
        QTest::newRow("stop") << QStringList{"stop"} << QByteArray("078");
        QTest::newRow("send") << QStringList{"send", "07x@@"} << QByteArray("07x@@");
        QTest::newRow("options after the command")
            << QStringList{"profile", "2", "--host", "127.0.0.1"} << QByteArray("072");
    }
    void sendsTheShortMessages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, sent);
        FakeConsole console;
        QVERIFY(console.listen());
        const RunResult run = runCtl(withPort(console.port(), arguments));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString());
        QCOMPARE(run.err, QString());
        QTRY_COMPARE(console.received, QVector<QByteArray>{sent});
    }

    void statusPrintsOneItemPerLine()
    {
        FakeConsole console;
        QVERIFY(console.listen());
        const RunResult run = runCtl(withPort(console.port(), {"status"}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QString("keyboard: connected\nprofile: 2\nprofile name: PROFILE 2\n"
                                  "queued: 0\n"));
        QCOMPARE(console.received, QVector<QByteArray>{QByteArray()});
    }

    void failsClearlyWhenNoConsoleListens()
    {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        const RunResult run = runCtl(withPort(closedPort, {"profile", "1"}));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith("orvanta-ctl: no console is listening on 127.0.0.1 port " +
                                    QString::number(closedPort)),
                 qPrintable(run.err));
    }

    void refusesBadCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("message");
        const QByteArray profile("profile must be a number from 1 to 5");
        const QByteArray colour("color must be six hexadecimal digits");
        const QByteArray pulse("pulse value must be a digit from 0 to 9");
        const QByteArray port("--port needs a number from 1 to 65535");
        QTest::newRow("nothing") << QStringList{} << QByteArray("no command given");
        QTest::newRow("profile 0") << QStringList{"profile", "0"} << profile;
        QTest::newRow("colour too short") << QStringList{"color", "FF800"} << colour;
        QTest::newRow("pulse 10") << QStringList{"pulse", "10"} << pulse;
        QTest::newRow("send too long")
            << QStringList{"send", QString(8192, 'x')}
            << QByteArray("TEXT is too long: 8192 bytes, the console reads at most 8191");
        QTest::newRow("port 0") << QStringList{"--port", "0", "stop"} << port;
    }
    void refusesBadCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        // A console is there, so a refusal is the command line's doing; it
        // must not even be contacted.
        FakeConsole console;
        QVERIFY(console.listen());
        QStringList args = arguments;
        if (!arguments.join(' ').contains("--port"))
            args = withPort(console.port(), arguments);
        const RunResult run = runCtl(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("orvanta-ctl: " + QString::fromUtf8(message)),
                 qPrintable(run.err));
        QVERIFY(run.err.contains("--help"));
        QCOMPARE(run.out, QString());
        QCoreApplication::processEvents();
        QVERIFY(!console.server.hasPendingConnections());
        QCOMPARE(console.received.size(), 0);
    }
};

QTEST_GUILESS_MAIN(CtlTest)
#include "tst_ctl.moc"
