// The console's hold on what it shares with other processes: one console per
// data directory however close two starts come (and after a kill); a log that
// is always its own, bounded file whatever is planted beside it; and status
// requests answered one by one however closely they follow each other.

#include "ConsoleProcess.h"
#include "core/app/ConsoleLog.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/DirectoryOps.h"

#include <QRandomGenerator>
#include <QRegularExpression>
#include <QSignalSpy>
#include <QtTest>
#include <csignal>
#include <sys/stat.h>

using namespace orvanta;
using namespace orvanta::test;

class ProcessLimitsTest : public QObject
{
    Q_OBJECT

private slots:
    // Two starts at once on one fresh data directory: one runs, the other shows
    // it and leaves without a report; a start refusing to show the other is
    // refused; after a kill the lock is gone with the process.
    void oneConsolePerDataDirectory()
    {
        ConsoleProcess console;
        // A data directory in use already: both starts have the same way to go.
        QVERIFY(copyDirectory(dataTreeDir(), console.dataDir()).ok());
        // Both leave a gate together: each start's shell waits for a line on
        // its input, and the test sends both lines at once.
        QProcess first, second;
        for (QProcess *p : {&first, &second}) {
            p->setProcessEnvironment(console.environment());
            p->start("/bin/sh", QStringList{"-c", "read _; exec \"$@\"", "gate",
                                            ConsoleProcess::executable()} +
                                    console.baseArguments());
        }
        QVERIFY(first.waitForStarted(10000) && second.waitForStarted(10000));
        first.write("\n");
        second.write("\n");
        QVERIFY(first.waitForBytesWritten(10000) && second.waitForBytesWritten(10000));
        QTRY_VERIFY_WITH_TIMEOUT(
            first.state() == QProcess::NotRunning || second.state() == QProcess::NotRunning, 40000);
        QProcess &left = first.state() == QProcess::NotRunning ? first : second;
        QProcess &running = &left == &first ? second : first;
        QCOMPARE(left.exitCode(), 0);
        QCOMPARE(QString::fromLocal8Bit(left.readAllStandardOutput()),
                 QString("orvanta-console: already running: showing its window\n"));
        QCOMPARE(running.state(), QProcess::Running);
        // A switch sent later comes right after the one start-up select.
        QVERIFY(console.waitForReports(1));
        QVERIFY(console.send("072"));
        QVERIFY(console.waitForReports(2));
        QCOMPARE(console.reports().size(), 2);
        QCOMPARE(console.reports()[0].bytes, selectBytes(1));
        QCOMPARE(console.reports()[1].bytes, selectBytes(2));

        QProcess refused;
        refused.setProcessEnvironment(console.environment());
        refused.start(ConsoleProcess::executable(), console.baseArguments()
                                                        << "--no-single-instance");
        QVERIFY(refused.waitForFinished(20000));
        QCOMPARE(refused.exitCode(), 1);
        const QString complaint = QString::fromLocal8Bit(refused.readAllStandardError());
        QVERIFY2(complaint.contains(QRegularExpression(
                     "^orvanta-console: the data directory /.+ is in use by another console$",
                     QRegularExpression::MultilineOption)),
                 qPrintable(complaint));
        QCOMPARE(running.state(), QProcess::Running);

        ::kill(pid_t(running.processId()), SIGKILL);
        QVERIFY(running.waitForFinished(10000));
        QVERIFY(console.start({"--no-single-instance"})); // the lock went with the process
        QVERIFY(console.waitForReports(3, 30000));
        QCOMPARE(console.reports().last().bytes, selectBytes(1));
        QVERIFY(console.isRunning());
    }

    // Whatever is planted beside it, the log is a regular file of its own,
    // bounded, one line per message (its rotation alone is tst_shell's).
    void logStaysOwnAndBounded_data()
    {
        QTest::addColumn<QString>("planted"); // log name (relative) that is not a log file
        QTest::addColumn<QString>("kind");
        const auto row = [](const char *name, const char *planted, const char *kind) {
            QTest::newRow(name) << QString(planted) << QString(kind);
        };
        row("log links outside", "console.log", "link");
        row("log is a FIFO", "console.log", "fifo");
        row("oldest is a folder", "console.log.2", "folder");
    }
    void logStaysOwnAndBounded()
    {
        QFETCH(QString, planted);
        QFETCH(QString, kind);
        QTemporaryDir dir;
        const QString state = dir.filePath("state"), outside = dir.filePath("outside.txt");
        QVERIFY(QDir().mkpath(state) && writeText(outside, "not the log\n"));
        const QString blocker = state + '/' + planted;
        if (kind == "link")
            QVERIFY(QFile::link(outside, blocker));
        else if (kind == "fifo")
            QCOMPARE(::mkfifo(QFile::encodeName(blocker).constData(), 0600), 0);
        else if (kind == "folder")
            QVERIFY(writeText(blocker + "/kept.txt", "kept\n"));

        const QString log = state + "/console.log";
        const QtMessageHandler testLog = qInstallMessageHandler(nullptr);
        installConsoleLog(log, false, 2000, 3);
        for (int i = 0; i < 300; ++i)
            qInfo().noquote() << "line" << i;
        qInfo().noquote() << "client said \x1b[2J\r\n2026-01-01T00:00:00.000 warning forged\x7f";
        qInstallMessageHandler(testLog);

        QCOMPARE(readText(outside), QStringLiteral("not the log\n"));
        if (kind == "folder")
            QCOMPARE(readText(blocker + "/kept.txt"), QStringLiteral("kept\n"));
        QVERIFY(QFileInfo(log).isFile() && !QFileInfo(log).isSymLink());
        qint64 total = 0;
        for (const QString &name : QDir(state).entryList(QDir::Files | QDir::NoSymLinks))
            total += QFileInfo(state + '/' + name).size(); // regular files only
        QVERIFY2(total <= 3 * 2000, qPrintable(QString::number(total)));
        const QStringList lines = readText(log).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        QVERIFY2(lines[lines.size() - 2].endsWith(" info line 299"), qPrintable(lines.join('|')));
        QVERIFY2(
            lines.last().endsWith(" info client said \\x1b[2J\\x0d\\x0a2026-01-01T00:00:00.000 "
                                  "warning forged\\x7f"),
            qPrintable(lines.last()));
    }

    // Requests in one write, over several reads, cut in two, with a command
    // after them: every request gets its reply, in order.
    void statusRequestsBackToBack_data()
    {
        // Each write, and the replies and commands there are after it.
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QList<int>>("replies");
        QTest::addColumn<QList<int>>("commands");
        const auto row = [](const char *name, const QList<QByteArray> &writes,
                            const QList<int> &replies, const QList<int> &commands) {
            QTest::newRow(name) << writes << replies << commands;
        };
        row("100 with CR LF", {QByteArray("?status\r\n").repeated(100)}, {100}, {0});
        row("3000, more than one read", {QByteArray("?status\n").repeated(3000)}, {3000}, {0});
        row("cut in two", {QByteArray("?status\n").repeated(100) + "?sta", "tus\n?status"},
            {100, 102}, {0, 0});
        row("then a command", {"?status\n?status\n072"}, {2}, {1});
        row("cut, then a command", {"?status\n?st", "073"}, {1, 1}, {0, 1});
        row("alone, zero-ended", {QByteArray("?status\0x", 9)}, {1}, {0});
    }
    void statusRequestsBackToBack()
    {
        QFETCH(QList<QByteArray>, writes);
        QFETCH(QList<int>, replies);
        QFETCH(QList<int>, commands);
        SocketHelper server(nullptr, 0);
        int asked = 0;
        server.setStatusReply([&] { return QByteArray::number(++asked) + '\n'; });
        QSignalSpy received(&server, &SocketHelper::commandReceived);
        QTcpSocket client;
        client.connectToHost(QHostAddress::LocalHost, server.serverPort());
        QByteArray got;
        QTRY_VERIFY((got += client.readAll()).endsWith('&'));
        got.clear();
        // The last request proves that everything before it was read.
        writes << "?status\n";
        replies << replies.last() + 1;
        commands << commands.last();
        for (int i = 0; i < writes.size(); ++i) {
            client.write(writes[i]);
            QTRY_VERIFY_WITH_TIMEOUT((got += client.readAll()).count('\n') >= replies[i] &&
                                         received.size() >= commands[i],
                                     10000);
        }
        QByteArray expected;
        for (int i = 1; i <= replies.last(); ++i)
            expected += QByteArray::number(i) + '\n';
        QCOMPARE(got, expected);
        QCOMPARE(received.size(), commands.last());
    }

    // Clients on the control socket: one more than it keeps, garbage from all
    // of them, one dropping mid-message; every profile switch reaches the
    // keyboard in order.
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
    }
};

QTEST_MAIN(ProcessLimitsTest)
#include "tst_processlimits.moc"
