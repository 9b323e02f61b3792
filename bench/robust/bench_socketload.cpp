// The long socket load: the running console with the fake keyboard, many
// clients of garbage and profile switches. Prints the figures.
//
//   bench_socketload [clients] [messages per client] [switches per client]

#include "ConsoleProcess.h"
#include "SocketLoad.h"

#include <QCoreApplication>
#include <QElapsedTimer>
#include <QFile>
#include <QHostAddress>
#include <QTcpSocket>
#include <cstdio>
#include <memory>
#include <unistd.h>
#include <vector>

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

// The console's processor time over one second with `count` greeted clients
// that send nothing, in milliseconds.
qint64 idleCpuMs(ConsoleProcess &console, int count)
{
    std::vector<std::unique_ptr<QTcpSocket>> idle;
    for (int i = 0; i < count; ++i) {
        idle.push_back(std::make_unique<QTcpSocket>());
        idle.back()->connectToHost(QHostAddress::LocalHost, console.port());
        if (!idle.back()->waitForReadyRead(5000))
            return -1;
    }
    const qint64 pid = console.process().processId(), before = cpuTicks(pid);
    QElapsedTimer second;
    second.start();
    while (second.elapsed() < 1000)
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    return (cpuTicks(pid) - before) * 1000 / sysconf(_SC_CLK_TCK);
}

} // namespace

int main(int argc, char *argv[])
{
    QCoreApplication app(argc, argv);
    // The console runs with the fake keyboard from this build.
    qputenv("ORVANTA_BIN_DIR", ORVANTA_BENCH_BIN_DIR);
    qputenv("LD_PRELOAD", ORVANTA_BENCH_FAKEHID);
    qputenv("QT_QPA_PLATFORM", "offscreen");
    LoadPlan plan;
    plan.clients = argc > 1 ? std::atoi(argv[1]) : 50;
    plan.messagesPerClient = argc > 2 ? std::atoi(argv[2]) : 200;
    plan.validPerClient = argc > 3 ? std::atoi(argv[3]) : 20;
    plan.seed = 7;
    ConsoleProcess console;
    if (!console.start({QStringLiteral("--no-update-check")}) ||
        !console.waitForReports(1, 20000)) {
        std::printf("console did not start\n");
        return 1;
    }
    const qint64 idleBefore = idleCpuMs(console, plan.clients);
    const LoadResult r = runSocketLoad(console, plan);
    std::printf("processor time of the console in 1 s with %d idle clients: %lld ms\n",
                plan.clients, idleBefore);
    std::printf("clients %d, messages %d (garbage %d, switches sent %d, carried out %d, "
                "dropped mid-message %d)\n",
                plan.clients, r.messagesSent, r.garbageSent, r.validSent, r.validCarriedOut,
                r.droppedMidMessage);
    std::printf("time %lld ms, fresh greeting after the load %lld ms\n", r.elapsedMs,
                r.lastGreetingMs);
    std::printf("VmRSS before %lld kB, after %lld kB (%+lld kB)\n", r.rssBeforeKb, r.rssAfterKb,
                r.rssAfterKb - r.rssBeforeKb);
    std::printf("console running: %s, %s\n", console.isRunning() ? "yes" : "no",
                r.failure.isEmpty() ? "every check held" : qPrintable(r.failure));
    console.stop();
    return r.failure.isEmpty() ? 0 : 1;
}
