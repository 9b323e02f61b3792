// The control socket: who may connect and what clients are told, what each
// message means and what is refused, what the console does with the command
// map, and the bytes orvanta-ctl sends for each command and how it fails.

#include "TestSupport.h"
#include "core/socket/SocketCommand.h"
#include "core/socket/SocketHelper.h"
#include "core/socket/SocketMessage.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QThread>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

Q_DECLARE_METATYPE(std::optional<QVariantMap>)

namespace
{

QVariantMap cmd(int data, std::initializer_list<std::pair<const char *, QVariant>> more = {})
{
    QVariantMap map{{"command", 7}, {"Data", data}};
    for (const auto &m : more)
        map.insert(QLatin1String(m.first), m.second);
    return map;
}

std::optional<QVariantMap> none()
{
    return std::nullopt;
}

QByteArray b64(const QByteArray &json)
{
    return json.toBase64();
}

// Stands in for the console: greets each client, answers the status request
// with `status` and keeps what else each client sent.
class FakeConsole : public QObject
{
public:
    FakeConsole()
    {
        server.listen(QHostAddress::LocalHost, 0);
        connect(&server, &QTcpServer::newConnection, this, [this] {
            while (QTcpSocket *s = server.nextPendingConnection()) {
                const int index = received.size();
                received.append(QByteArray());
                connect(s, &QTcpSocket::readyRead, this, [this, s, index] {
                    QByteArray data = s->readAll();
                    for (int at; (at = data.indexOf("?status")) >= 0;) {
                        s->write(status);
                        data.remove(at, data.mid(at + 7, 1) == "\n" ? 8 : 7);
                    }
                    received[index] += data;
                });
                s->write("VoDezivuv!testhost&");
            }
        });
    }
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

class SocketTest : public QObject
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

    void messages_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<std::optional<QVariantMap>>("expected");
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("07%d switches profile", p)
                << QByteArray("07" + QByteArray::number(p)) << std::optional(cmd(p));
        QTest::newRow("070") << QByteArray("070") << std::optional(cmd(0));
        QTest::newRow("079") << QByteArray("079") << std::optional(cmd(9));
        QTest::newRow("078 stops") << QByteArray("078") << std::optional(cmd(8));
        for (const char *m : {"071@@", "078@@xyz"})
            QTest::newRow(m) << QByteArray(m) << std::optional(cmd(8));
        QTest::newRow("0773") << QByteArray("0773") << std::optional(cmd(7, {{"app_cmd", 3}}));
        const auto orange =
            std::optional(cmd(6, {{"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}}));
        QTest::newRow("orange") << QByteArray("076#FF#80#00") << orange;
        QTest::newRow("orange, then pulse in the same read")
            << QByteArray("076#FF#80#000773") << orange;
        // f -> 54: 16*54+54 = 918, low byte 150; 0a -> 0*16+49.
        QTest::newRow("lower-case digits")
            << QByteArray("076#ff#80#0a")
            << std::optional(cmd(6, {{"Color_r", 150}, {"Color_g", 128}, {"Color_b", 49}}));
        QTest::newRow("two messages: first counts")
            << QByteArray("072075") << std::optional(cmd(2));
        // Lengths: too short for the positions they address.
        QTest::newRow("0 bytes") << QByteArray() << none();
        QTest::newRow("1 byte") << QByteArray("0") << none();
        QTest::newRow("3 bytes pulse") << QByteArray("077") << none();
        QTest::newRow("11 bytes colour") << QByteArray("076#FF#80#0") << none();
        QTest::newRow("9000 bytes, profile")
            << "073" + QByteArray(8997, 'z') << std::optional(cmd(3));
        // The JSON form, in base64.
        QTest::newRow("numbers") << b64("{\"command\":7,\"Data\":3,\"Color\":{}}")
                                 << std::optional(cmd(3, {{"Color", QVariantMap()}}));
        QTest::newRow("numeric texts")
            << b64("{\"command\":\"7\",\"Data\":\"6\",\"Color_r\":\"255\",\"Color_g\":128,"
                   "\"Color_b\":\" 0 \",\"Color\":{\"name\":\"x\"}}")
            << std::optional(cmd(6, {{"Color_r", 255},
                                     {"Color_g", 128},
                                     {"Color_b", 0},
                                     {"Color", QVariantMap{{"name", "x"}}}}));
        QTest::newRow("valid object without }} is dropped")
            << b64("{\"command\":7,\"Data\":3}") << none();
        QTest::newRow("two objects: first counts")
            << b64("{\"command\":7,\"Data\":2,\"Color\":{}}{\"command\":7,\"Data\":4,\"Color\":{}}")
            << std::optional(cmd(2, {{"Color", QVariantMap()}}));
        QTest::newRow("garbage behind }} dropped")
            << b64("{\"command\":7,\"Data\":5,\"Color\":{}}garbage")
            << std::optional(cmd(5, {{"Color", QVariantMap()}}));
        // Qt's parser alone would keep the dropped array and object values for good.
        QTest::newRow("repeated members: the last counts, at every depth")
            << b64("{\"command\":7,\"Data\":{\"x\":[1]},\"Data\":2,\"Color\":[1],"
                   "\"Color\":{\"a\":{\"b\":\"]\"},\"\\u0061\":\"z\"}}")
            << std::optional(cmd(2, {{"Color", QVariantMap{{"a", "z"}}}}));
        QTest::newRow("repeated members in a message refused later")
            << b64("{\"command\":7,\"Color\":{\"a\":{\"b\":1},\"a\":{\"b\":1}}") << none();
        QTest::newRow("zero byte inside the object")
            << b64(QByteArray("{\"command\":7,\"Data\":\0,\"Color\":{}}", 33)) << none();
        QTest::newRow("array") << b64("[{\"command\":7,\"Data\":1,\"Color\":{}}]") << none();
        QTest::newRow("malformed") << b64("{\"command\":7,,\"Data\":1,\"Color\":{}}") << none();
        QTest::newRow("not base64") << QByteArray("!!! not a message !!!") << none();
        const QByteArray big = "{\"command\":7,\"Data\":4,\"Color\":{\"pad\":\"";
        QTest::newRow("long message within 8191 bytes")
            << b64(big + QByteArray(6000, 'p') + "\"}}")
            << std::optional(cmd(4, {{"Color", QVariantMap{{"pad", QString(6000, 'p')}}}}));
        QTest::newRow("}} beyond 8191 bytes is clipped away")
            << b64(big + QByteArray(7000, 'p') + "\"}}") << none();
    }
    void messages()
    {
        QFETCH(QByteArray, received);
        QFETCH(std::optional<QVariantMap>, expected);
        const std::optional<QVariantMap> actual = parseSocketMessage(received);
        QCOMPARE(actual.has_value(), expected.has_value());
        if (!expected)
            return;
        QCOMPARE(actual->keys(), expected->keys());
        // Equal, and of the same type: an int, not a text or a double that merely compares equal.
        for (auto it = expected->constBegin(); it != expected->constEnd(); ++it) {
            QCOMPARE(actual->value(it.key()), it.value());
            QCOMPARE(int(actual->value(it.key()).type()), int(it.value().type()));
        }
    }

    void actionForCommandMap_data()
    {
        QTest::addColumn<QVariantMap>("command");
        QTest::addColumn<int>("kind");
        QTest::addColumn<int>("value"); // profile, pulse value or 0xRRGGBB
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("profile %d", p) << cmd(p) << int(SocketAction::SwitchProfile) << p;
        QTest::newRow("Data 0") << cmd(0) << int(SocketAction::None) << 0;
        QTest::newRow("Data 9") << cmd(9) << int(SocketAction::None) << 0;
        QTest::newRow("group 8") << QVariantMap{{"command", 8}, {"Data", 1}}
                                 << int(SocketAction::None) << 0;
        QTest::newRow("texts") << QVariantMap{{"command", "7"}, {"Data", "4"}}
                               << int(SocketAction::SwitchProfile) << 4;
        QTest::newRow("colour")
            << cmd(6, {{"Color_r", 255}, {"Color_g", 128}, {"Color_b", 0}, {"Color", "x"}})
            << int(SocketAction::PaintColour) << 0xff8000;
        QTest::newRow("colour 256") << cmd(6, {{"Color_r", 256}, {"Color_g", 2}, {"Color_b", 3}})
                                    << int(SocketAction::None) << 0;
        QTest::newRow("pulse 3") << cmd(7, {{"app_cmd", 3}}) << int(SocketAction::PulseStart) << 3;
        QTest::newRow("pulse low byte")
            << cmd(7, {{"app_cmd", 259}}) << int(SocketAction::PulseStart) << 3;
        QTest::newRow("stop") << cmd(8) << int(SocketAction::PulseStop) << 0;
        QTest::newRow("empty") << QVariantMap() << int(SocketAction::None) << 0;
    }
    void actionForCommandMap()
    {
        QFETCH(QVariantMap, command);
        QFETCH(int, kind);
        QFETCH(int, value);
        const SocketAction a = socketActionFor(command);
        QCOMPARE(int(a.kind), kind);
        QCOMPARE(a.kind == SocketAction::SwitchProfile ? a.profile
                 : a.kind == SocketAction::PaintColour ? (a.red << 16) | (a.green << 8) | a.blue
                 : a.kind == SocketAction::PulseStart  ? int(a.pulseValue)
                                                       : 0,
                 value);
    }

    // A command line is sent as its short message (status: printed one item a
    // line), or refused before any console is contacted.
    void ctlCommandLines_data()
    {
        QTest::addColumn<QStringList>("arguments");
        QTest::addColumn<QByteArray>("sent");
        QTest::addColumn<QString>("out");
        QTest::addColumn<QString>("refusal");
        const auto sends = [](const char *name, const QStringList &arguments, const char *sent,
                              const QString &out = {}) {
            QTest::newRow(name) << arguments << QByteArray(sent) << out << QString();
        };
        const auto refuses = [](const char *name, const QStringList &arguments, const char *why) {
            QTest::newRow(name) << arguments << QByteArray() << QString() << QString(why);
        };
        sends("profile 1", {"profile", "1"}, "071");
        sends("orange", {"color", "FF8000"}, "076#FF#80#00");
        sends("pulse 0", {"pulse", "0"}, "0770");
        sends("stop", {"stop"}, "078");
        sends("send", {"send", "07x@@"}, "07x@@");
        sends("options after the command", {"profile", "2", "--host", "127.0.0.1"}, "072");
        sends("status, one item per line", {"status"}, "",
              "keyboard: connected\nprofile: 2\nprofile name: PROFILE 2\nqueued: 0\n");
        refuses("nothing", {}, "no command given");
        refuses("profile 0", {"profile", "0"}, "profile must be a number from 1 to 5");
        refuses("colour too short", {"color", "FF800"}, "color must be six hexadecimal digits");
        refuses("pulse 10", {"pulse", "10"}, "pulse value must be a digit from 0 to 9");
        refuses("send too long", {"send", QString(8192, 'x')},
                "TEXT is too long: 8192 bytes, the console reads at most 8191");
        refuses("port 0", {"--port", "0", "stop"}, "--port needs a number from 1 to 65535");
    }
    void ctlCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, sent);
        QFETCH(QString, out);
        QFETCH(QString, refusal);
        FakeConsole console;
        QVERIFY(console.server.isListening());
        const RunResult run =
            runCtl(arguments.contains("--port") ? arguments : withPort(console.port(), arguments));
        QCOMPARE(run.out, out);
        if (refusal.isEmpty()) {
            QCOMPARE(run.exitCode, 0);
            QCOMPARE(run.err, QString());
            QTRY_COMPARE(console.received, QVector<QByteArray>{sent});
            return;
        }
        QCOMPARE(run.exitCode, 1);
        QVERIFY2(run.err.startsWith("orvanta-ctl: " + refusal) && run.err.contains("--help"),
                 qPrintable(run.err));
        // A console is there, so the refusal is the command line's doing: not even contacted.
        QCoreApplication::processEvents();
        QVERIFY(!console.server.hasPendingConnections());
        QCOMPARE(console.received.size(), 0);
    }

    void ctlFailsClearlyWhenNoConsoleListens()
    {
        auto probe = std::make_unique<QTcpServer>();
        QVERIFY(probe->listen(QHostAddress::LocalHost, 0));
        const quint16 closedPort = probe->serverPort();
        probe.reset(); // nothing listens there now
        const RunResult run = runCtl(withPort(closedPort, {"profile", "1"}));
        QCOMPARE(run.exitCode, 2);
        QCOMPARE(run.out, QString());
        QVERIFY2(run.err.startsWith("orvanta-ctl: no console is listening on 127.0.0.1 port " +
                                    QString::number(closedPort)),
                 qPrintable(run.err));
    }
};

QTEST_GUILESS_MAIN(SocketTest)
#include "tst_socket.moc"
