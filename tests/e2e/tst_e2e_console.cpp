// The real console, offscreen, with the fake keyboard and the control socket.

#include "ConsoleProcess.h"

#include <QHostInfo>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta::test;

class ConsoleEndToEnd : public QObject
{
    Q_OBJECT

    ConsoleProcess console;
    QTcpSocket client;

    QVector<LoggedReport> exchange(const QByteArray &message, int count)
    {
        const int before = console.reports().size();
        client.write(message);
        client.waitForBytesWritten(2000);
        console.waitForReports(before + count, 5000);
        return console.reports().mid(before);
    }

private slots:
    void startUpSendsExactlyProfileOneAndASecondStartLeaves()
    {
        QVERIFY(console.start());
        QVERIFY(console.waitForReports(1));
        QTest::qWait(1500); // the update check and anything else would come within this
        QProcess second;
        second.setProcessEnvironment(console.environment());
        second.start(ConsoleProcess::executable(), console.baseArguments());
        QVERIFY(second.waitForFinished(10000));
        QCOMPARE(second.exitStatus(), QProcess::NormalExit);
        QCOMPARE(second.exitCode(), 0);
        QVERIFY(console.isRunning());
        QCOMPARE(console.reports().size(), 1); // the second start never reached the keyboard
        QCOMPARE(console.reports()[0].bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 1}})));
    }

    void greetingThenProfileSwitchColourAndPulse()
    {
        client.connectToHost("127.0.0.1", console.port());
        QVERIFY(client.waitForConnected(5000));
        QByteArray greeting;
        QTRY_VERIFY((greeting += client.readAll()).endsWith('&'));
        QCOMPARE(greeting, "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&");
        QCOMPARE(exchange("072", 1)[0].bytes, toBytes(reportOf({{0, 7}, {1, 1}, {2, 2}})));

        // The lighting page edits profile 2 after the switch.
        QVector<QByteArray> want{
            toBytes(reportOf({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {16, 8}, {22, 2}}))};
        const char colour[] = {char(0xFF), char(0x80), 0};
        for (int p = 1; p <= 3; ++p) // one page per colour component
            want << fromHex(QStringLiteral("0709020%1").arg(p)) + QByteArray(4, 0) +
                        QByteArray(256, colour[p - 1]);
        want << toBytes(reportOf({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {13, 4}, {16, 8}, {22, 2}}));
        QVector<QByteArray> got;
        for (const LoggedReport &r : exchange("076#FF#80#00", 5))
            got << r.bytes;
        QCOMPARE(got, want);

        const int start = console.reports().size();
        exchange("0773", 6);
        exchange("078", 0);
        QTest::qWait(1200);
        const auto pulses = console.reports().mid(start);
        QTest::qWait(1200);
        QCOMPARE(console.reports().size() - start, pulses.size()); // stopped
        QVERIFY(pulses.size() >= 6 && pulses.size() % 2 == 0);
        for (const LoggedReport &r : pulses)
            QCOMPARE(r.bytes,
                     toBytes(reportOf({{0, 7}, {1, 2}, {2, 1}, {8, 1}, {13, 3}, {16, 8}})));
        const qint64 gap = pulses[2].ms - pulses[0].ms; // a pair about every 500 ms
        QVERIFY2(gap >= 450 && gap <= 900, qPrintable(QString::number(gap)));
    }
};

QTEST_GUILESS_MAIN(ConsoleEndToEnd)
#include "tst_e2e_console.moc"
