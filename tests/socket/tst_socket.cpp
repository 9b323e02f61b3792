// The control socket: who may connect and what clients are told, what each
// message means and what is refused, what the console does with the command
// map, and the bytes orvanta-ctl sends for each command and how it fails.

#include "TestSupport.h"
#include "core/socket/SocketCommand.h"
#include "core/socket/SocketHelper.h"
#include "core/socket/SocketMessage.h"

#include <QTcpServer>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta;
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
    QTcpServer server;
    QVector<QByteArray> received;
    const QByteArray status =
        R"({"keyboard":"connected","profile":2,"profileName":"PROFILE 2","queued":0})"
        "\n";
};

} // namespace

class SocketTest : public QObject
{
    Q_OBJECT

private slots:
    void listensOnLoopbackOnly()
    {
        QTest::ignoreMessage(QtDebugMsg, "Listening: true");
        SocketHelper helper(nullptr, 0);
        const QList<QTcpServer *> servers = helper.findChildren<QTcpServer *>();
        QVERIFY(!servers.isEmpty());
        for (QTcpServer *server : servers)
            QVERIFY2(server->serverAddress().isLoopback(),
                     qPrintable(server->serverAddress().toString()));
    }

    // One arrival, as the console reads it and acts on it.
    void messages_data()
    {
        QTest::addColumn<QByteArray>("received");
        QTest::addColumn<int>("kind"); // -1: not a message at all
        QTest::addColumn<int>("value"); // profile, pulse value or 0xRRGGBB
        const int notMessage = -1, none = SocketAction::None, profile = SocketAction::SwitchProfile,
                  paint = SocketAction::PaintColour, pulse = SocketAction::PulseStart,
                  stop = SocketAction::PulseStop;
        const auto row = [](const char *name, const QByteArray &received, int kind, int value = 0) {
            QTest::newRow(name) << received << kind << value;
        };
        const auto json = [&](const char *name, const QByteArray &text, int kind, int value = 0) {
            row(name, text.toBase64(), kind, value);
        };
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("07%d switches profile", p) << "07" + QByteArray::number(p) << profile << p;
        row("070", "070", none);
        for (const char *m : {"078", "071@@", "078@@xyz"})
            row(m, m, stop);
        row("0773", "0773", pulse, 3);
        row("orange, then pulse in the same read", "076#FF#80#000773", paint, 0xff8000);
        // f -> 54: 16*54+54 = 918, low byte 150; 0a -> 0*16+49.
        row("lower-case digits", "076#ff#80#0a", paint, (150 << 16) | (128 << 8) | 49);
        row("two messages: first counts", "072075", profile, 2);
        // Lengths: too short for the positions they address.
        for (const char *m : {"", "0", "077", "076#FF#80#0"})
            row(qPrintable(QString("%1 bytes").arg(strlen(m))), m, notMessage);
        row("9000 bytes, profile", "073" + QByteArray(8997, 'z'), profile, 3);
        // The JSON form, in base64.
        json("numeric texts",
             "{\"command\":\"7\",\"Data\":\"6\",\"Color_r\":\"255\",\"Color_g\":128,"
             "\"Color_b\":\" 0 \",\"Color\":{\"name\":\"x\"}}",
             paint, 0xff8000);
        json("group 8", "{\"command\":8,\"Data\":1,\"Color\":{}}", none);
        json("colour 256",
             "{\"command\":7,\"Data\":6,\"Color_r\":256,\"Color_g\":2,\"Color_b\":3,\"Color\":{}}",
             none);
        json("pulse low byte", "{\"command\":7,\"Data\":7,\"app_cmd\":259,\"Color\":{}}", pulse, 3);
        json("valid object without }} is dropped", "{\"command\":7,\"Data\":3}", notMessage);
        json("garbage behind }} dropped", "{\"command\":7,\"Data\":5,\"Color\":{}}garbage",
             profile, 5);
        json("repeated members: the last counts",
             "{\"command\":7,\"Data\":{\"x\":[1]},\"Data\":2,\"Color\":[1],"
             "\"Color\":{\"a\":{\"b\":\"]\"},\"\\u0061\":\"z\"}}",
             profile, 2);
        json("repeated members in a message refused later",
             "{\"command\":7,\"Color\":{\"a\":{\"b\":1},\"a\":{\"b\":1}}", notMessage);
        json("zero byte inside the object",
             QByteArray("{\"command\":7,\"Data\":\0,\"Color\":{}}", 33), notMessage);
        json("array", "[{\"command\":7,\"Data\":1,\"Color\":{}}]", notMessage);
        json("malformed", "{\"command\":7,,\"Data\":1,\"Color\":{}}", notMessage);
        row("not base64", "!!! not a message !!!", notMessage);
        const QByteArray big = "{\"command\":7,\"Data\":4,\"Color\":{\"pad\":\"";
        json("long message within 8191 bytes", big + QByteArray(6000, 'p') + "\"}}", profile, 4);
        json("}} beyond 8191 bytes is clipped away", big + QByteArray(7000, 'p') + "\"}}",
             notMessage);
    }
    void messages()
    {
        QFETCH(QByteArray, received);
        QFETCH(int, kind);
        QFETCH(int, value);
        const std::optional<QVariantMap> map = parseSocketMessage(received);
        QCOMPARE(map ? int(socketActionFor(*map).kind) : -1, kind);
        if (!map)
            return;
        const SocketAction a = socketActionFor(*map);
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
        QTest::addColumn<int>("exitCode");
        QTest::addColumn<QString>("refusal");
        const auto sends = [](const char *name, const QStringList &arguments, const char *sent,
                              const QString &out = {}) {
            QTest::newRow(name) << arguments << QByteArray(sent) << out << 0 << QString();
        };
        const auto refuses = [](const char *name, const QStringList &arguments, const QString &why,
                                int exitCode = 1) {
            QTest::newRow(name) << arguments << QByteArray() << QString() << exitCode << why;
        };
        sends("profile 1", {"profile", "1"}, "071");
        sends("orange", {"color", "FF8000"}, "076#FF#80#00");
        sends("pulse 0", {"pulse", "0"}, "0770");
        sends("stop", {"stop"}, "078");
        sends("status, one item per line", {"status"}, "",
              "keyboard: connected\nprofile: 2\nprofile name: PROFILE 2\nqueued: 0\n");
        refuses("nothing", {}, "no command given");
        refuses("profile 0", {"profile", "0"}, "profile must be a number from 1 to 5");
        refuses("send too long", {"send", QString(8192, 'x')},
                "TEXT is too long: 8192 bytes, the console reads at most 8191");
        QTcpServer probe;
        QVERIFY(probe.listen(QHostAddress::LocalHost, 0));
        const QString closed = QString::number(probe.serverPort());
        probe.close(); // nothing listens there now
        refuses("no console listening", {"--port", closed, "profile", "1"},
                "no console is listening on 127.0.0.1 port " + closed, 2);
    }
    void ctlCommandLines()
    {
        QFETCH(QStringList, arguments);
        QFETCH(QByteArray, sent);
        QFETCH(QString, out);
        QFETCH(int, exitCode);
        QFETCH(QString, refusal);
        FakeConsole console;
        QVERIFY(console.server.isListening());
        if (!arguments.contains("--port"))
            arguments = QStringList{"--port", QString::number(console.server.serverPort())} +
                        arguments;
        const RunResult run = runProgram(binDir() + "/orvanta-ctl", arguments);
        QCOMPARE(run.out, out);
        QCOMPARE(run.exitCode, exitCode);
        if (refusal.isEmpty()) {
            QCOMPARE(run.err, QString());
            QTRY_COMPARE(console.received, QVector<QByteArray>{sent});
            return;
        }
        QVERIFY2(run.err.startsWith("orvanta-ctl: " + refusal) &&
                     run.err.contains("--help") == (exitCode == 1),
                 qPrintable(run.err));
        // A console is there, so the refusal is the command line's doing: not even contacted.
        QCoreApplication::processEvents();
        QVERIFY(!console.server.hasPendingConnections());
        QCOMPARE(console.received.size(), 0);
    }
};

QTEST_GUILESS_MAIN(SocketTest)
#include "tst_socket.moc"
