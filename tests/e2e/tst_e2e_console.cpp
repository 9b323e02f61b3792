// The real console, offscreen, with the fake keyboard and the control socket;
// with a keyboard plugged in and out while it runs (found within the scan
// interval, brought to the active profile, an unplug in the middle of an APPLY
// drops the rest, and orvanta-ctl tells); and on its virtual keyboard.

#include "ConsoleProcess.h"
#include "core/virtual/VirtualKeyboardDevice.h"
#include "core/virtual/VirtualLighting.h"

#include <QDeadlineTimer>
#include <QHostInfo>
#include <QTcpSocket>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

QByteArray selectBytes(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

bool allKeys(const VirtualKeyboardState &s, int profile, const QColor &c)
{
    const KeyColours keys = lightKeys(s.profile(profile), 0);
    return std::all_of(keys.begin(), keys.end(), [&](const QColor &k) { return k == c; });
}

} // namespace

class ConsoleEndToEnd : public QObject
{
    Q_OBJECT

    ConsoleProcess console, unplugged;
    QTcpSocket client;
    QTemporaryDir dir;

    QVector<LoggedReport> exchange(const QByteArray &message, int count)
    {
        const int before = console.reports().size();
        client.write(message);
        client.waitForBytesWritten(2000);
        console.waitForReports(before + count, 5000);
        return console.reports().mid(before);
    }
    QString plug() const { return dir.filePath("plugged"); }
    void setPlugged(bool on) { on ? (void)writeText(plug(), "") : (void)QFile::remove(plug()); }
    RunResult ctl(const QStringList &arguments) const
    {
        return runProgram(binDir() + "/orvanta-ctl",
                          QStringList{"--port", QString::number(unplugged.port())} + arguments);
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
        QCOMPARE(console.reports()[0].bytes, selectBytes(1));
    }

    void greetingThenProfileSwitchColourAndPulse()
    {
        client.connectToHost("127.0.0.1", console.port());
        QVERIFY(client.waitForConnected(5000));
        QByteArray greeting;
        QTRY_VERIFY((greeting += client.readAll()).endsWith('&'));
        QCOMPARE(greeting, "VoDezivuv!" + QHostInfo::localHostName().toUtf8() + "&");
        QCOMPARE(exchange("072", 1)[0].bytes, selectBytes(2));

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

    void keyboardPluggedInAfterStartIsFoundAndBroughtToTheActiveProfile()
    {
        console.stop();
        QProcessEnvironment env = unplugged.environment();
        env.insert("ORVANTA_FAKEHID_PLUGGED", plug());
        unplugged.setEnvironment(env);
        QVERIFY(unplugged.start());
        QTRY_VERIFY_WITH_TIMEOUT(ctl({"status"}).exitCode == 0, 10000);
        QCOMPARE(ctl({"status"}).out,
                 QString("keyboard: absent\nprofile: 1\nprofile name: PROFILE 1\nqueued: 0\n"));
        const RunResult refused = ctl({"profile", "4"});
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.contains("no keyboard connected"), qPrintable(refused.err));

        QVERIFY(unplugged.send("073")); // the console switches; the keyboard is not there
        QTRY_VERIFY(ctl({"status"}).out.contains("profile: 3\n"));
        QCOMPARE(unplugged.reports().size(), 0);

        setPlugged(true);
        QVERIFY(unplugged.waitForReports(1, 4000)); // scanned every 2 s
        QCOMPARE(unplugged.reports()[0].bytes, selectBytes(3));
        const RunResult status = ctl({"status"});
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.startsWith("keyboard: connected\nprofile: 3\n"));
    }

    void unplugInTheMiddleOfAnApplyDropsTheRestAndReplugCatchesUp()
    {
        const int start = unplugged.reports().size();
        QVERIFY(unplugged.send("076#FF#80#00")); // five reports, 100 ms apart
        QVERIFY(unplugged.waitForReports(start + 2));
        setPlugged(false);
        QTRY_VERIFY(ctl({"status"}).out.startsWith("keyboard: absent\n"));
        const int cut = unplugged.reports().size() - start;
        QVERIFY2(cut >= 2 && cut < 5, qPrintable(QString::number(cut)));
        QTest::qWait(300);
        QCOMPARE(unplugged.reports().size(), start + cut); // nothing to a stale handle

        setPlugged(true);
        QVERIFY(unplugged.waitForReports(start + cut + 1, 4000));
        QCOMPARE(unplugged.reports().at(start + cut).bytes, selectBytes(3));
        QVERIFY(unplugged.send("076#FF#80#00"));
        QVERIFY(unplugged.waitForReports(start + cut + 6));
        const auto all = unplugged.reports();
        for (int i = 0; i < cut; ++i) // what went out before the unplug was the APPLY's start
            QCOMPARE(all[start + i].bytes, all[start + cut + 1 + i].bytes);
        for (int i = start + cut + 2; i < all.size(); ++i) // at least 100 ms after each report
            QVERIFY2(all[i].ms - all[i - 1].ms >= 100, qPrintable(QString::number(i)));

        // An unplug while idle is noticed without a send.
        const int before = unplugged.reports().size();
        setPlugged(false);
        QTRY_VERIFY_WITH_TIMEOUT(ctl({"status"}).out.startsWith("keyboard: absent\n"), 6000);
        QCOMPARE(unplugged.reports().size(), before);
        unplugged.stop();
    }

    // A socket colour message lights the virtual keyboard's keys, the USB keyboard
    // hears nothing, and the memory comes back after a restart on the same data.
    void socketColourLightsTheVirtualKeysAndSurvivesARestart()
    {
        ConsoleProcess virt;
        const QString stateFile = virt.dataDir() + '/' + VirtualKeyboardDevice::defaultStateFile();
        const auto waitForState = [&](const std::function<bool(const VirtualKeyboardState &)> &ok) {
            VirtualKeyboardState s;
            for (QDeadlineTimer deadline(15000); !deadline.hasExpired(); QTest::qWait(50))
                if (loadState(stateFile, s) && ok(s))
                    break;
            return s;
        };
        const auto onProfile = [](int n) {
            return [n](const VirtualKeyboardState &s) { return s.activeProfile == n; };
        };
        const QColor colour(0x12, 0xAB, 0x5C);
        QVERIFY(virt.start({"--virtual-keyboard"}));
        QCOMPARE(waitForState(onProfile(1)).activeProfile, 1);
        QVERIFY(virt.send("076#12#AB#5C"));
        QVERIFY(allKeys(waitForState([&](auto &s) { return allKeys(s, 1, colour); }), 1, colour));
        QVERIFY(virt.send("073"));
        QCOMPARE(waitForState(onProfile(3)).activeProfile, 3);
        virt.stop();

        // Start-up selects profile 1 again; the colours are the keyboard's memory.
        QVERIFY(virt.start({"--keyboard=virtual"}));
        const VirtualKeyboardState again = waitForState(onProfile(1));
        QCOMPARE(again.activeProfile, 1);
        QVERIFY(allKeys(again, 1, colour));
        QVERIFY(again.undecoded.isEmpty());
        QVERIFY(virt.reports().isEmpty()); // the USB keyboard was never written
    }
};

QTEST_GUILESS_MAIN(ConsoleEndToEnd)
#include "tst_e2e_console.moc"
