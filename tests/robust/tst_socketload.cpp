// Clients on the control socket of the running console: garbage from all of
// them, some dropping mid-message, and profile switches that must each reach
// the keyboard in order; then more idle clients than the console may hold.

#include "ConsoleProcess.h"
#include "SocketLoad.h"
#include "TestSupport.h"

#include <QElapsedTimer>
#include <QTcpSocket>
#include <QtTest>
#include <memory>
#include <sys/resource.h>
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
    void garbageAndSwitchesFromManyClients()
    {
        ConsoleProcess console;
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));
        const LoadPlan plan{12, 60, 4, 20240613};
        const LoadResult r = runSocketLoad(console, plan);
        QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
        QVERIFY(console.isRunning());
        QCOMPARE(r.validCarriedOut, plan.clients * plan.validPerClient);
        QVERIFY(r.droppedMidMessage > 0);
        // One report at start-up, then exactly one per switch.
        QCOMPARE(console.reports().size(), 1 + r.validSent);
        QVERIFY(r.lastGreetingMs >= 0);
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
        std::vector<std::unique_ptr<QTcpSocket>> idle;
        for (int i = 0; i < kIdle; ++i) {
            idle.push_back(std::make_unique<QTcpSocket>());
            idle.back()->connectToHost(QHostAddress::LocalHost, console.port());
            QVERIFY2(idle.back()->waitForConnected(5000), qPrintable(QString::number(i)));
        }
        QTest::qWait(300); // the console takes them all in
        const int descriptors =
            QDir(QStringLiteral("/proc/%1/fd").arg(pid))
                .entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System)
                .size();
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

        idle.clear();
        console.stop();
        setrlimit(RLIMIT_NOFILE, &original);
        QVERIFY2(greetedMs < 1000, qPrintable(QString::number(greetedMs)));
        QVERIFY2(descriptors < 512, qPrintable(QString::number(descriptors)));
        QVERIFY2(used < sysconf(_SC_CLK_TCK) / 2, qPrintable(QString::number(used)));
    }
};

QTEST_GUILESS_MAIN(SocketLoadTest)
#include "tst_socketload.moc"
