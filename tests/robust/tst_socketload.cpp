// Fifty clients on the control socket of the running console: garbage from all
// of them, some dropping mid-message, and profile switches that must each reach
// the keyboard in order, while the console stays responsive and its memory flat.

#include "ConsoleProcess.h"
#include "SocketLoad.h"
#include "TestSupport.h"

#include <QtTest>

using namespace orvanta::test;

class SocketLoadTest : public QObject
{
    Q_OBJECT

private slots:
    void fiftyClientsOfGarbageAndSwitches()
    {
        ConsoleProcess console;
        QVERIFY(console.start({QStringLiteral("--no-update-check")}));
        QVERIFY(console.waitForReports(1, 20000));

        LoadPlan plan;
        plan.clients = 50;
        plan.messagesPerClient = 200;
        plan.validPerClient = 6;
        plan.seed = 20240613;
        const LoadResult r = runSocketLoad(console, plan);
        QVERIFY2(r.failure.isEmpty(), qPrintable(r.failure));
        QVERIFY(console.isRunning());

        QCOMPARE(r.messagesSent, plan.clients * plan.messagesPerClient);
        QCOMPARE(r.validSent, plan.clients * plan.validPerClient);
        QCOMPARE(r.validCarriedOut, r.validSent);
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
};

QTEST_GUILESS_MAIN(SocketLoadTest)
#include "tst_socketload.moc"
