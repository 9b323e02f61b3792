// The console's hold on what it shares with other processes: one console per
// data directory however close two starts come (and after a kill); a log that
// is always its own, bounded file whatever is planted beside it; a socket that
// serves new clients when descriptors run out without spinning; and status
// requests answered one by one however closely they follow each other.

#include "ConsoleProcess.h"
#include "core/app/ConsoleLog.h"
#include "core/socket/SocketHelper.h"
#include "core/storage/DirectoryOps.h"

#include <QElapsedTimer>
#include <QRandomGenerator>
#include <QRegularExpression>
#include <QScopeGuard>
#include <QSignalSpy>
#include <QtTest>
#include <arpa/inet.h>
#include <csignal>
#include <fcntl.h>
#include <netinet/in.h>
#include <sys/resource.h>
#include <sys/socket.h>
#include <sys/stat.h>
#include <unistd.h>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

// A blocking loopback client: connected as soon as the kernel queues it, before
// the server has accepted it.
struct RawClient {
    int fd = ::socket(AF_INET, SOCK_STREAM | SOCK_CLOEXEC, 0);
    QByteArray got;

    ~RawClient() { ::close(fd); }
    bool connectTo(quint16 port) const
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    }
    bool greeted()
    {
        char buf[4096];
        for (ssize_t n; (n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT)) > 0;)
            got.append(buf, int(n));
        return got.endsWith('&');
    }
};

// The process's descriptor limit, put back whatever the test's outcome.
struct DescriptorLimit {
    rlimit saved{};
    DescriptorLimit() { ::getrlimit(RLIMIT_NOFILE, &saved); }
    ~DescriptorLimit() { ::setrlimit(RLIMIT_NOFILE, &saved); }
    bool set(rlim_t soft) const
    {
        const rlimit l{soft, saved.rlim_max};
        return ::setrlimit(RLIMIT_NOFILE, &l) == 0;
    }
};

QList<int> openDescriptors()
{
    QList<int> fds;
    for (const QString &n :
         QDir("/proc/self/fd").entryList(QDir::AllEntries | QDir::System | QDir::NoDotAndDotDot))
        if (::fcntl(n.toInt(), F_GETFD) != -1)
            fds << n.toInt();
    std::sort(fds.begin(), fds.end());
    return fds;
}

bool isRegularFile(const QString &path)
{
    struct stat st;
    return ::lstat(QFile::encodeName(path).constData(), &st) == 0 && S_ISREG(st.st_mode);
}

} // namespace

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
        // Both leave a gate at the same moment: each start's shell waits for the
        // end of a FIFO the test holds open, and the test closes it.
        QTemporaryDir dir;
        const QString gate = dir.filePath("gate");
        QCOMPARE(::mkfifo(QFile::encodeName(gate).constData(), 0600), 0);
        const int gateHeld = ::open(QFile::encodeName(gate).constData(), O_RDWR | O_CLOEXEC);
        QVERIFY(gateHeld >= 0);
        QProcess first, second;
        for (QProcess *p : {&first, &second}) {
            p->setProcessEnvironment(console.environment());
            p->start("/bin/sh", QStringList{"-c", "read go < \"$0\"; exec \"$@\"", gate,
                                            ConsoleProcess::executable()} +
                                    console.baseArguments());
        }
        QVERIFY(first.waitForStarted(10000) && second.waitForStarted(10000));
        const auto waiting = [&gate](const QProcess &p) {
            const QString fds = QStringLiteral("/proc/%1/fd").arg(p.processId());
            for (const QString &fd : QDir(fds).entryList(QDir::System | QDir::NoDotAndDotDot))
                if (QFileInfo(fds + '/' + fd).symLinkTarget() == gate)
                    return true;
            return false;
        };
        QTRY_VERIFY(waiting(first) && waiting(second));
        ::close(gateHeld);
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
        const auto bytes = [&] {
            QVector<QByteArray> got;
            for (const LoggedReport &r : console.reports())
                got << r.bytes;
            return got;
        };
        QCOMPARE(bytes(), (QVector<QByteArray>{selectBytes(1), selectBytes(2)}));

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
        QCOMPARE(bytes().last(), selectBytes(1));
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
        row("log links nowhere", "console.log", "dangling");
        row("log is a FIFO", "console.log", "fifo");
        row("oldest is a folder", "console.log.2", "folder");
        row("newest old one is a folder", "console.log.1", "folder");
        row("oldest links outside", "console.log.2", "link");
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
        else if (kind == "dangling")
            QVERIFY(QFile::link(dir.filePath("gone"), blocker));
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
        QVERIFY(isRegularFile(log));
        qint64 total = 0;
        for (const QString &name : QDir(state).entryList(QDir::Files | QDir::System))
            if (isRegularFile(state + '/' + name))
                total += QFileInfo(state + '/' + name).size();
        QVERIFY2(total <= 3 * 2000, qPrintable(QString::number(total)));
        const QStringList lines = readText(log).split('\n', Qt::SkipEmptyParts);
        QVERIFY(lines.size() >= 2);
        QVERIFY2(lines[lines.size() - 2].endsWith(" info line 299"), qPrintable(lines.join('|')));
        QVERIFY2(
            lines.last().endsWith(" info client said \\x1b[2J\\x0d\\x0a2026-01-01T00:00:00.000 "
                                  "warning forged\\x7f"),
            qPrintable(lines.last()));
    }

    // Descriptors run out while clients queue: each refusal closes the quietest
    // client and pauses accepting, so every queued client is served in turn;
    // with nothing to close the refusals come 100 ms apart, not in a spin.
    void acceptWithoutDescriptors()
    {
        SocketHelper server(nullptr, 0);
        QVERIFY(server.isListening());
        DescriptorLimit limit;
        std::vector<std::unique_ptr<RawClient>> clients;
        for (int i = 0; i < 20; ++i) {
            clients.push_back(std::make_unique<RawClient>());
            QVERIFY(clients.back()->connectTo(server.serverPort()));
        }
        RawClient late; // its descriptor is taken now, while there are some
        const QList<int> open = openDescriptors();
        int room = 0; // three free descriptor numbers below the limit, holes counted
        for (int free = 0; free < 3; ++room)
            free += !open.contains(room);
        QVERIFY(limit.set(rlim_t(room)));
        const auto greeted = [&] {
            int n = 0;
            for (auto &c : clients)
                n += c->greeted();
            return n;
        };
        QTRY_COMPARE_WITH_TIMEOUT(greeted(), 20, 30000);
        // One refusal, and one client closed, for each of the 17 that found no room.
        QVERIFY2(server.acceptFailures() >= 17 && server.acceptFailures() <= 20,
                 qPrintable(QString::number(server.acceptFailures())));

        // Now nothing can be closed for room: every descriptor is taken.
        clients.clear();
        QTRY_COMPARE(server.clientCount(), 0);
        QTRY_COMPARE(openDescriptors().size(), open.size() - 20); // the server's side closed too
        std::vector<int> filler;
        const auto closeFiller = [&] {
            for (int fd : filler)
                ::close(fd);
            filler.clear();
        };
        const auto closedAnyway = qScopeGuard(closeFiller);
        for (int fd; (fd = ::open("/dev/null", O_RDONLY | O_CLOEXEC)) >= 0;)
            filler.push_back(fd);
        const int before = server.acceptFailures();
        QVERIFY(late.connectTo(server.serverPort()));
        QElapsedTimer clock;
        QTRY_VERIFY_WITH_TIMEOUT(server.acceptFailures() >= before + 1, 10000);
        clock.start(); // seen at most one polling step after the refusal
        QTRY_VERIFY_WITH_TIMEOUT(server.acceptFailures() >= before + 4, 10000);
        QVERIFY2(clock.elapsed() >= 2 * SocketHelper::kAcceptRetryMs,
                 qPrintable(QString::number(clock.elapsed())));
        closeFiller();
        QTRY_VERIFY_WITH_TIMEOUT(late.greeted(), 10000);
    }

    // Requests in one write, over several reads, cut in two, with a command
    // after them: every request gets its reply, in order.
    void statusRequestsBackToBack_data()
    {
        // Each write, and the replies and commands there are after it.
        QTest::addColumn<QList<QByteArray>>("writes");
        QTest::addColumn<QList<int>>("replies");
        QTest::addColumn<QList<int>>("commands");
        const QByteArray hundred = QByteArray("?status\n").repeated(100);
        const auto row = [](const char *name, const QList<QByteArray> &writes,
                            const QList<int> &replies, const QList<int> &commands) {
            QTest::newRow(name) << writes << replies << commands;
        };
        row("100 in one write", {hundred}, {100}, {0});
        row("100 with CR LF", {QByteArray("?status\r\n").repeated(100)}, {100}, {0});
        row("3000, more than one read", {QByteArray("?status\n").repeated(3000)}, {3000}, {0});
        row("cut in two", {hundred + "?sta", "tus\n?status"}, {100, 102}, {0, 0});
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
        console.stop();
    }
};

QTEST_MAIN(ProcessLimitsTest)
#include "tst_processlimits.moc"
