// orvanta-ctl: the bytes it sends for each command, what it prints, and how it
// fails when no console listens or the command line is wrong.

#include "TestSupport.h"
#include "socket/SocketHelper.h"

#include <QProcess>
#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta::test;

namespace
{

// Stands in for the console: greets each client (or not) and keeps what each
// client sent.
class FakeConsole : public QObject
{
public:
    explicit FakeConsole(QByteArray greeting, bool closeAfterGreeting = false)
        : m_greeting(std::move(greeting)), m_close(closeAfterGreeting)
    {
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                const int index = received.size();
                received.append(QByteArray());
                connect(s, &QTcpSocket::readyRead, this,
                        [this, s, index] { received[index] += s->readAll(); });
                s->write(m_greeting);
                if (m_close)
                    s->disconnectFromHost();
            }
        });
    }
    bool listen() { return server.listen(QHostAddress::LocalHost, 0); }
    quint16 port() const { return server.serverPort(); }

    QTcpServer server;
    QVector<QByteArray> received;

private:
    QByteArray m_greeting;
    bool m_close;
};

struct Run {
    int exitCode = -1;
    QByteArray out;
    QByteArray err;
};

// Runs the tool while this process keeps serving its sockets.
Run runCtl(const QStringList &arguments)
{
    QProcess process;
    QSignalSpy finished(&process, QOverload<int, QProcess::ExitStatus>::of(&QProcess::finished));
    process.start(binDir() + QStringLiteral("/orvanta-ctl"), arguments);
    Run run;
    if (!process.waitForStarted(5000) || !finished.wait(10000))
        return run;
    run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -2;
    run.out = process.readAllStandardOutput();
    run.err = process.readAllStandardError();
    return run;
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
    void initTestCase() { qRegisterMetaType<QProcess::ExitStatus>(); }

    void sendsTheShortMessages_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("sent");
        QTest::newRow("profile 1") << QStringList{"profile", "1"} << QByteArray("071");
        QTest::newRow("orange") << QStringList{"color", "FF8000"} << QByteArray("076#FF#80#00");
        QTest::newRow("lower case, hash")
            << QStringList{"color", "#0a1b2c"} << QByteArray("076#0A#1B#2C");
        QTest::newRow("pulse 0") << QStringList{"pulse", "0"} << QByteArray("0770");
        QTest::newRow("stop") << QStringList{"stop"} << QByteArray("078");
        QTest::newRow("send") << QStringList{"send", "07x@@"} << QByteArray("07x@@");
        QTest::newRow("send dash text") << QStringList{"send", "-v"} << QByteArray("-v");
        QTest::newRow("send utf-8")
            << QStringList{"send", QString::fromUtf8("é")} << QByteArray("\xc3\xa9");
        QTest::newRow("options after the command")
            << QStringList{"profile", "2", "--host", "127.0.0.1"} << QByteArray("072");
    }
    void sendsTheShortMessages()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, sent);
        FakeConsole console("VoDezivuv!testhost&");
        QVERIFY(console.listen());
        const Run run = runCtl(withPort(console.port(), arguments));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray());
        QCOMPARE(run.err, QByteArray());
        QTRY_COMPARE(console.received, QVector<QByteArray>{sent});
    }

    void verbosePrintsTheGreeting()
    {
        FakeConsole console("VoDezivuv!testhost&");
        QVERIFY(console.listen());
        const Run run = runCtl(withPort(console.port(), {"-v", "stop"}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, QByteArray("VoDezivuv!testhost&\n"));
        QTRY_COMPARE(console.received, QVector<QByteArray>{"078"});
    }

    void drivesARealSocketHelper()
    {
        SocketHelper helper(nullptr, 0);
        QSignalSpy emitted(&helper, &SocketHelper::socketHelperSendData);
        const Run run = runCtl(withPort(helper.serverPort(), {"--verbose", "color", "FF8000"}));
        QCOMPARE(run.exitCode, 0);
        QCOMPARE(run.out, SocketHelper::greeting() + "\n");
        QTRY_COMPARE(emitted.size(), 1);
        QCOMPARE(
            emitted.first().at(0).toMap(),
            (QVariantMap{
                {"command", 7}, {"Data", 6}, {"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}}));

        if (helper.listeningAddresses().contains(QHostAddress(QHostAddress::LocalHostIPv6))) {
            const Run v6 = runCtl(withPort(helper.serverPort(), {"--host", "::1", "pulse", "3"}));
            QCOMPARE(v6.exitCode, 0);
            QTRY_COMPARE(emitted.size(), 2);
            QCOMPARE(emitted.at(1).at(0).toMap(),
                     (QVariantMap{{"command", 7}, {"Data", 7}, {"app_cmd", 3}}));
        }
    }

    void failsClearlyWhenNoConsoleListens()
    {
        quint16 closedPort = 0;
        {
            QTcpServer probe;
            QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
            closedPort = probe.serverPort();
        }
        const Run run = runCtl(withPort(closedPort, {"profile", "1"}));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QByteArray());
        QVERIFY2(run.err.startsWith("orvanta-ctl: no console is listening on 127.0.0.1 port " +
                                    QByteArray::number(closedPort)),
                 run.err.constData());
    }

    void refusesAServiceThatIsNoConsole()
    {
        FakeConsole other("SSH-2.0-something\r\n", true);
        QVERIFY(other.listen());
        const Run run = runCtl(withPort(other.port(), {"profile", "1"}));
        QCOMPARE(run.exitCode, 2);
        QVERIFY2(run.err.contains("did not greet as an ORVANTA console"), run.err.constData());
        QTRY_COMPARE(other.received.size(), 1);
        QCOMPARE(other.received.first(), QByteArray());
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
        QTest::newRow("profile 6") << QStringList{"profile", "6"} << profile;
        QTest::newRow("profile 01") << QStringList{"profile", "01"} << profile;
        QTest::newRow("profile missing")
            << QStringList{"profile"} << QByteArray("profile needs an argument");
        QTest::newRow("colour too short") << QStringList{"color", "FF800"} << colour;
        QTest::newRow("colour not hex") << QStringList{"color", "GG8000"} << colour;
        QTest::newRow("pulse 10") << QStringList{"pulse", "10"} << pulse;
        QTest::newRow("pulse -1") << QStringList{"pulse", "-1"} << pulse;
        QTest::newRow("stop with argument")
            << QStringList{"stop", "now"} << QByteArray("unexpected argument 'now'");
        QTest::newRow("send empty")
            << QStringList{"send", ""} << QByteArray("send needs a non-empty TEXT");
        QTest::newRow("send too long") << QStringList{"send", QString(8192, 'x')}
            << QByteArray("TEXT is too long: 8192 bytes, the console reads at most 8191");
        QTest::newRow("unknown command")
            << QStringList{"blink"} << QByteArray("unknown command 'blink'");
        QTest::newRow("unknown option")
            << QStringList{"-x", "stop"} << QByteArray("unknown option '-x'");
        QTest::newRow("port 0") << QStringList{"--port", "0", "stop"} << port;
        QTest::newRow("port 65536") << QStringList{"--port=65536", "stop"} << port;
        QTest::newRow("port word") << QStringList{"--port", "http", "stop"} << port;
        QTest::newRow("host missing")
            << QStringList{"stop", "--host"} << QByteArray("--host needs a host name or address");
    }
    void refusesBadCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, message);
        // A console is there, so a refusal is the command line's doing; it
        // must not even be contacted.
        FakeConsole console("VoDezivuv!testhost&");
        QVERIFY(console.listen());
        QStringList args = arguments;
        if (!arguments.join(' ').contains("--port"))
            args = withPort(console.port(), arguments);
        const Run run = runCtl(args);
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("orvanta-ctl: " + message), run.err.constData());
        QVERIFY(run.err.contains("--help"));
        QCOMPARE(run.out, QByteArray());
        QCoreApplication::processEvents();
        QVERIFY(!console.server.hasPendingConnections());
        QCOMPARE(console.received.size(), 0);
    }

    void helpDescribesEveryCommand()
    {
        const Run run = runCtl({"--help"});
        QCOMPARE(run.exitCode, 0);
        QVERIFY(run.out.startsWith("Usage: orvanta-ctl [--host H] [--port N] [-v] COMMAND\n"));
        for (const char *word : {"profile N", "color RRGGBB", "pulse V", "stop", "send TEXT",
                                 "--host H", "--port N", "--verbose", "Exit status"})
            QVERIFY2(run.out.contains(word), word);
    }
};

QTEST_GUILESS_MAIN(CtlTest)
#include "tst_ctl.moc"
