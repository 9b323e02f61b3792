// The real console, offscreen, with the fake keyboard: start-up, the second
// start, and the control socket.

#include "ConsoleProcess.h"
#include "TestSupport.h"

#include <QHostInfo>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta::test;

namespace {

QByteArray report(std::initializer_list<std::pair<int, int>> bytes)
{
    return toBytes(reportOf(bytes));
}

// Listening sockets of a port in /proc/net/tcp{,6}: the local addresses in hex.
QStringList listeningAddresses(quint16 port)
{
    QStringList out;
    for (const char *file : {"/proc/net/tcp", "/proc/net/tcp6"}) {
        const QString text = readText(QString::fromLatin1(file));
        for (const QString &line : text.split('\n').mid(1)) {
            const QStringList f = line.simplified().split(' ');
            if (f.size() < 4 || f[3] != QLatin1String("0A"))
                continue;
            const QStringList local = f[1].split(':');
            if (local.size() == 2 && local[1].toUInt(nullptr, 16) == port)
                out << local[0];
        }
    }
    return out;
}

QByteArray readGreeting(QTcpSocket &s)
{
    QByteArray got;
    QElapsedTimer t;
    t.start();
    while (!got.endsWith('&') && t.elapsed() < 5000) {
        s.waitForReadyRead(200);
        got += s.readAll();
    }
    return got;
}

void send(QTcpSocket &s, const QByteArray &message)
{
    s.write(message);
    s.waitForBytesWritten(2000);
}

} // namespace

class ConsoleEndToEnd : public QObject
{
    Q_OBJECT

private:
    ConsoleProcess console;

    bool connectTo(QTcpSocket &s, const QString &host)
    {
        for (int i = 0; i < 100; ++i) {
            s.connectToHost(host, console.port());
            if (s.waitForConnected(200))
                return true;
            s.abort();
            QThread::msleep(50);
        }
        return false;
    }

private slots:
    void initTestCase()
    {
        QVERIFY(QFileInfo::exists(ConsoleProcess::executable()));
        QVERIFY(console.start());
    }

    void startUpSendsExactlyProfileOne()
    {
        QVERIFY(console.waitForReports(1));
        QTest::qWait(1500); // the update check and anything else would come within this
        const auto reports = console.reports();
        QCOMPARE(reports.size(), 1);
        QCOMPARE(reports[0].bytes, report({{0, 7}, {1, 1}, {2, 1}}));
        QVERIFY(QFileInfo(console.dataDir() + "/lightfile/PROFILE 1/cmd/light_cmd.ini").isFile());
        QVERIFY(QFileInfo(console.dataDir() + "/Image/palette.png").isFile());
    }

    void secondStartShowsTheFirstAndLeaves()
    {
        QProcess second;
        second.setProcessEnvironment(console.environment());
        second.start(ConsoleProcess::executable(), console.baseArguments());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(console.isRunning());
        QCOMPARE(console.reports().size(), 1); // the second start never reached the keyboard
    }

    void socketListensOnLoopbackOnly()
    {
        const QStringList addresses = listeningAddresses(console.port());
        QVERIFY(!addresses.isEmpty());
        for (const QString &a : addresses)
            QVERIFY2(a == "0100007F" || a == "00000000000000000000000001000000", qPrintable(a));
    }

    void greetingThenProfileSwitch()
    {
        QTcpSocket s;
        QVERIFY(connectTo(s, "127.0.0.1"));
        QCOMPARE(readGreeting(s), "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&");
        const int before = console.reports().size();
        send(s, "072");
        QVERIFY(console.waitForReports(before + 1));
        QCOMPARE(console.reports()[before].bytes, report({{0, 7}, {1, 1}, {2, 2}}));
    }

    void ipv6LoopbackClientIsServed()
    {
        QTcpSocket s;
        if (!connectTo(s, "::1"))
            QSKIP("no IPv6 loopback on this machine");
        QVERIFY(readGreeting(s).startsWith("VoDezivuv!"));
    }

    void colourMessagePaintsTheKeyboard()
    {
        QTcpSocket s;
        QVERIFY(connectTo(s, "127.0.0.1"));
        readGreeting(s);
        const int before = console.reports().size();
        send(s, "076#FF#80#00");
        QVERIFY(console.waitForReports(before + 5));
        const auto reports = console.reports().mid(before);
        // The lighting page edits profile 2 after the switch above.
        QCOMPARE(reports[0].bytes, report({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {16, 8}, {22, 2}}));
        const int colour[3] = {0xFF, 0x80, 0x00};
        for (int p = 0; p < 3; ++p) {
            const QByteArray &b = reports[1 + p].bytes;
            QCOMPARE(int(quint8(b[1])), 0x09);
            QCOMPARE(int(quint8(b[3])), p + 1);
            for (int i = 8; i < 264; ++i)
                QCOMPARE(int(quint8(b[i])), colour[p]);
        }
        QCOMPARE(reports[4].bytes,
                 report({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {13, 4}, {16, 8}, {22, 2}}));
    }

    void pulseTicksUntilStopped()
    {
        QTcpSocket s;
        QVERIFY(connectTo(s, "127.0.0.1"));
        readGreeting(s);
        const int before = console.reports().size();
        send(s, "0773");
        QVERIFY(console.waitForReports(before + 6, 5000));
        send(s, "078");
        QTest::qWait(1200);
        const auto reports = console.reports().mid(before);
        const int settled = reports.size();
        QTest::qWait(1200);
        QCOMPARE(console.reports().size() - before, settled); // stopped
        const QByteArray pulse = report({{0, 7}, {1, 2}, {2, 1}, {8, 1}, {13, 3}, {16, 8}});
        QVERIFY(settled % 2 == 0);
        for (int i = 0; i < settled; ++i)
            QCOMPARE(reports[i].bytes, pulse);
        // Pairs about every 500 ms: 100 ms apart inside a pair.
        const qint64 gap = reports[2].ms - reports[0].ms;
        QVERIFY2(gap >= 450 && gap <= 900, qPrintable(QString::number(gap)));
    }

    void ctlDrivesTheRunningConsole()
    {
        const int before = console.reports().size();
        QProcess ctl;
        ctl.start(binDir() + "/orvanta-ctl",
                  {"--port", QString::number(console.port()), "-v", "profile", "4"});
        QVERIFY(ctl.waitForFinished(10000));
        QCOMPARE(ctl.exitCode(), 0);
        QVERIFY(ctl.readAllStandardOutput().startsWith("VoDezivuv!"));
        QVERIFY(console.waitForReports(before + 1));
        QCOMPARE(console.reports()[before].bytes, report({{0, 7}, {1, 1}, {2, 4}}));
    }

    void cleanupTestCase()
    {
        console.stop();
    }
};

QTEST_GUILESS_MAIN(ConsoleEndToEnd)
#include "tst_e2e_console.moc"
