// Fifty clients on the control socket of the running console: garbage from all
// of them, some dropping mid-message, and profile switches that must each reach
// the keyboard in order, while the console stays responsive and its memory flat.

#include "ConsoleProcess.h"
#include "SocketLoad.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest>

#include <arpa/inet.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
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

int openDescriptors(qint64 pid)
{
    return QDir(QStringLiteral("/proc/%1/fd").arg(pid))
        .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
        .size();
}

// A plain loopback connection that never sends anything; -1 when it failed.
int idleConnection(quint16 port)
{
    const int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    sockaddr_in a{};
    a.sin_family = AF_INET;
    a.sin_port = htons(port);
    a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
    if (fd >= 0 && ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0)
        return fd;
    if (fd >= 0)
        ::close(fd);
    return -1;
}

} // namespace

class SocketLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void fiftyClientsOfGarbageAndSwitches()
    {
        ConsoleProcess console;
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));

        const LoadPlan plan{50, 200, 6, 20240613};
        const LoadResult r = runSocketLoad(console, plan);
        QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
        QVERIFY(console.isRunning());

        QCOMPARE(r.validCarriedOut, plan.clients * plan.validPerClient);
        QVERIFY(r.droppedMidMessage > 0);
        // One report at start-up, then exactly one per switch.
        QCOMPARE(console.reports().size(), 1 + r.validSent);
        QVERIFY2(r.lastGreetingMs >= 0 && r.lastGreetingMs < 3000,
                 qPrintable(QString::number(r.lastGreetingMs)));
        QVERIFY(r.rssBeforeKb > 0 && r.rssAfterKb > 0);
#ifndef __SANITIZE_ADDRESS__
        // AddressSanitizer keeps freed memory in quarantine, so the resident
        // size only says something in a normal build.
        QVERIFY2(r.rssAfterKb - r.rssBeforeKb < 8 * 1024,
                 qPrintable(QStringLiteral("%1 kB -> %2 kB").arg(r.rssBeforeKb).arg(r.rssAfterKb)));
#endif
        qInfo("socket load: %d clients, %d messages (%d garbage, %d switches carried out, %d "
              "dropped mid-message), %lld ms, fresh greeting %lld ms, VmRSS %lld kB -> %lld kB",
              plan.clients, r.messagesSent, r.garbageSent, r.validCarriedOut, r.droppedMidMessage,
              r.elapsedMs, r.lastGreetingMs, r.rssBeforeKb, r.rssAfterKb);
        console.stop();
    }

    void idleClientsNeverLockOutANewOne()
    {
        constexpr int kIdle = 1100;
        // The test holds the idle connections itself and needs more descriptors
        // than the console is given.
        rlimit limit{};
        QCOMPARE(getrlimit(RLIMIT_NOFILE, &limit), 0);
        if (limit.rlim_max != RLIM_INFINITY && limit.rlim_max < kIdle + 200)
            QSKIP("the hard limit of open files is too low for 1,100 client connections");
        const rlimit original = limit;
        limit.rlim_cur =
            limit.rlim_max == RLIM_INFINITY ? 8192 : qMin<rlim_t>(limit.rlim_max, 8192);
        QCOMPARE(setrlimit(RLIMIT_NOFILE, &limit), 0);

        ConsoleProcess console;
        console.setOpenFileLimit(1024);
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));
        const qint64 pid = console.process().processId();

        QVector<int> idle;
        QElapsedTimer connecting;
        connecting.start();
        for (int i = 0; i < kIdle; ++i) {
            const int fd = idleConnection(console.port());
            QVERIFY2(fd >= 0, qPrintable(QStringLiteral("connection %1 failed").arg(i)));
            idle.append(fd);
        }
        const qint64 connectMs = connecting.elapsed();
        QTest::qWait(300); // the console takes them all in
        const int descriptors = openDescriptors(pid);
        const qint64 before = cpuTicks(pid);
        QTest::qWait(1000);
        const qint64 used = cpuTicks(pid) - before;

        QTcpSocket client;
        QElapsedTimer clock;
        clock.start();
        client.connectToHost(QHostAddress::LocalHost, console.port());
        QByteArray greeting;
        while (!greeting.endsWith('&') && clock.elapsed() < 5000 && client.waitForReadyRead(5000))
            greeting += client.readAll();
        const qint64 greetedMs = clock.elapsed();
        QVERIFY2(greeting.startsWith("VoDezivuv!") && greeting.endsWith('&'), greeting.constData());
        client.write("072");
        QVERIFY(client.waitForBytesWritten(2000));
        QVERIFY(console.waitForReports(2, 5000));
        QCOMPARE(console.reports().last().bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 2}})));

        for (int fd : idle)
            ::close(fd);
        console.stop();
        setrlimit(RLIMIT_NOFILE, &original);
        qInfo("idle clients: %d connections in %lld ms, console holds %d descriptors, %lld ticks "
              "of processor time in 1 s, new client greeted in %lld ms",
              kIdle, connectMs, descriptors, used, greetedMs);
        QVERIFY2(greetedMs < 1000, qPrintable(QString::number(greetedMs)));
        QVERIFY2(descriptors < 512, qPrintable(QString::number(descriptors)));
        QVERIFY2(used < sysconf(_SC_CLK_TCK) / 2, qPrintable(QString::number(used)));
    }
};

QTEST_GUILESS_MAIN(SocketLoadTest)
#include "tst_socketload.moc"
