// The long socket load: the running console with the fake keyboard, many
// clients of garbage and profile switches. Prints the figures.
//
//   bench_socketload [clients] [messages per client] [switches per client]

#include "ConsoleProcess.h"
#include "SocketLoad.h"

#include <QCoreApplication>
#include <cstdio>

using namespace orvanta::test;

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
    const LoadResult r = runSocketLoad(console, plan);
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
