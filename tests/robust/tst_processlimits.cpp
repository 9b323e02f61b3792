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

    ~RawClient() { close(); }
    void close()
    {
        if (fd >= 0)
            ::close(fd);
        fd = -1;
    }
    bool connectTo(quint16 port) const
    {
        sockaddr_in a{};
        a.sin_family = AF_INET;
        a.sin_port = htons(port);
        a.sin_addr.s_addr = htonl(INADDR_LOOPBACK);
        return ::connect(fd, reinterpret_cast<sockaddr *>(&a), sizeof a) == 0;
    }
    const QByteArray &received()
    {
        char buf[4096];
        for (ssize_t n; fd >= 0 && (n = ::recv(fd, buf, sizeof buf, MSG_DONTWAIT)) > 0;)
            got.append(buf, int(n));
        return got;
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
    // bounded, one line per message.
    void logStaysOwnAndBounded_data()
    {
        QTest::addColumn<QString>("planted"); // log name (relative) that is not a log file
        QTest::addColumn<QString>("kind");
        QTest::newRow("nothing planted") << QString() << QString();
        QTest::newRow("log links outside") << "console.log"
                                           << "link";
        QTest::newRow("log links nowhere") << "console.log"
                                           << "dangling";
        QTest::newRow("log is a FIFO") << "console.log"
                                       << "fifo";
        QTest::newRow("oldest is a folder") << "console.log.2"
                                            << "folder";
        QTest::newRow("newest old one is a folder") << "console.log.1"
                                                    << "folder";
        QTest::newRow("oldest links outside") << "console.log.2"
                                              << "link";
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
                n += c->received().endsWith('&');
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
        QTRY_VERIFY_WITH_TIMEOUT(late.received().endsWith('&'), 10000);
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
        QTest::newRow("100 in one write")
            << QList<QByteArray>{hundred} << QList<int>{100} << QList<int>{0};
        QTest::newRow("100 with CR LF")
            << QList<QByteArray>{QByteArray("?status\r\n").repeated(100)} << QList<int>{100}
            << QList<int>{0};
        QTest::newRow("3000, more than one read")
            << QList<QByteArray>{QByteArray("?status\n").repeated(3000)} << QList<int>{3000}
            << QList<int>{0};
        QTest::newRow("cut in two") << QList<QByteArray>{hundred + "?sta", "tus\n?status"}
                                    << QList<int>{100, 102} << QList<int>{0, 0};
        QTest::newRow("then a command")
            << QList<QByteArray>{"?status\n?status\n072"} << QList<int>{2} << QList<int>{1};
        QTest::newRow("cut, then a command")
            << QList<QByteArray>{"?status\n?st", "073"} << QList<int>{1, 1} << QList<int>{0, 1};
        QTest::newRow("alone, zero-ended")
            << QList<QByteArray>{QByteArray("?status\0x", 9)} << QList<int>{1} << QList<int>{0};
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
};

QTEST_MAIN(ProcessLimitsTest)
#include "tst_processlimits.moc"
