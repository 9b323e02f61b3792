// Clients on the control socket of the running console: one more than it
// keeps, garbage from all of them, one dropping mid-message, and profile
// switches that must each reach the keyboard in order.

#include "ConsoleProcess.h"
#include "TestSupport.h"
#include "core/socket/SocketHelper.h"

#include <QRandomGenerator>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <unistd.h>

using namespace orvanta::test;

namespace
{

// Processor time (user + system) a process has used, in clock ticks.
qint64 cpuTicks(qint64 pid)
{
    QFile f(QStringLiteral("/proc/%1/stat").arg(pid));
    if (!f.open(QIODevice::ReadOnly))
        return -1;
    const QByteArray stat = f.readAll();
    const QList<QByteArray> fields = stat.mid(stat.lastIndexOf(')') + 2).split(' ');
    return fields.size() > 12 ? fields[11].toLongLong() + fields[12].toLongLong() : -1;
}

} // namespace

class SocketLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void garbageAndSwitchesFromMoreClientsThanKept()
    {
        ConsoleProcess console;
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));
        std::vector<std::unique_ptr<QTcpSocket>> clients;
        const auto connectClient = [&] {
            clients.push_back(std::make_unique<QTcpSocket>());
            QTcpSocket &c = *clients.back();
            c.connectToHost(QHostAddress::LocalHost, console.port());
            return QTest::qWaitFor([&] { return c.peek(4096).endsWith('&'); }, 10000);
        };
        for (int i = 0; i < SocketHelper::kMaxClients; ++i)
            QVERIFY2(connectClient(), qPrintable(QString::number(i)));
        // Garbage from all but the first client: none of it is a command.
        QRandomGenerator rng(20240613);
        for (std::size_t i = 1; i < clients.size(); ++i) {
            clients[i]->write(socketGarbage(i % 2 ? int(i / 2 % 6) : -1, rng));
            clients[i]->flush();
        }
        // A status request answered proves that the console has read all that came
        // before it; one that arrived with the garbage in one read is asked again.
        for (std::size_t i = 1; i < clients.size(); ++i) {
            QTcpSocket &c = *clients[i];
            const auto answered = [&] { return c.peek(65536).endsWith('\n'); };
            for (int tries = 0; tries < 10 && !answered(); ++tries) {
                c.write(SocketHelper::statusRequest());
                c.flush();
                (void)QTest::qWaitFor(answered, 2000);
            }
            QVERIFY2(answered(), qPrintable(QString::number(i)));
        }
        // One more client gets in; the quietest (the first) makes room.
        QVERIFY(connectClient());
        QTRY_COMPARE(clients[0]->state(), QAbstractSocket::UnconnectedState);
        for (std::size_t i = 1; i < clients.size(); ++i)
            QCOMPARE(clients[i]->state(), QAbstractSocket::ConnectedState);
        // Idle clients cost no processor time.
        const qint64 pid = console.process().processId(), before = cpuTicks(pid);
        QTest::qWait(1000);
        QVERIFY2(cpuTicks(pid) - before < sysconf(_SC_CLK_TCK) / 2,
                 qPrintable(QString::number(cpuTicks(pid) - before)));
        clients[5]->write(QByteArray(R"({"command":7,"Data":3,"Color":{}})").toBase64().left(20));
        clients[5]->flush();
        clients[5]->abort(); // dropped mid-message
        // Switches one at a time from different clients, in both forms.
        for (int i = 1; i <= 10; ++i) {
            const int profile = 1 + i % 5;
            QTcpSocket &c = *clients[std::size_t(6 * i)];
            c.write(i % 2 ? "07" + QByteArray::number(profile)
                          : QStringLiteral(R"({"command":7,"Data":%1,"Color":{"r":1}})")
                                .arg(profile)
                                .toUtf8()
                                .toBase64());
            c.flush();
            QVERIFY(console.waitForReports(1 + i, 10000));
            QCOMPARE(console.reports().last().bytes, selectBytes(profile));
        }
        // One report at start-up, then exactly one per switch.
        QCOMPARE(console.reports().size(), 11);
        QVERIFY(console.isRunning());
        console.stop();
    }
};

QTEST_GUILESS_MAIN(SocketLoadTest)
#include "tst_socketload.moc"
