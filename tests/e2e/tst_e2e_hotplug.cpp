// The real console with a fake keyboard that is plugged in and out while it
// runs: found within the scan interval, brought to the active profile, an
// unplug in the middle of an APPLY drops the rest, and orvanta-ctl tells.

#include "ConsoleProcess.h"

#include <QtTest>

using namespace orvanta::test;

namespace
{

RunResult ctl(quint16 port, const QStringList &arguments)
{
    return runProgram(binDir() + "/orvanta-ctl",
                      QStringList{"--port", QString::number(port)} + arguments);
}

QByteArray selectBytes(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

} // namespace

class HotPlugEndToEnd : public QObject
{
    Q_OBJECT

    ConsoleProcess console;
    QTemporaryDir dir;
    QString plug() const { return dir.filePath("plugged"); }
    void setPlugged(bool on)
    {
        if (on)
            writeText(plug(), "");
        else
            QFile::remove(plug());
    }

private slots:
    void initTestCase()
    {
        console.setEnvironment("ORVANTA_FAKEHID_PLUGGED", plug());
        QVERIFY(console.start());
    }

    void keyboardPluggedInAfterStartIsFoundAndBroughtToTheActiveProfile()
    {
        QTRY_VERIFY_WITH_TIMEOUT(ctl(console.port(), {"status"}).exitCode == 0, 10000);
        RunResult status = ctl(console.port(), {"status"});
        QCOMPARE(status.out, QString("keyboard: absent\nprofile: 1\nprofile name: PROFILE 1\n"
                                     "queued: 0\n"));
        const RunResult refused = ctl(console.port(), {"profile", "4"});
        QCOMPARE(refused.exitCode, 3);
        QVERIFY2(refused.err.contains("no keyboard connected"), qPrintable(refused.err));

        QVERIFY(console.send("073")); // the console switches; the keyboard is not there
        QTRY_VERIFY(ctl(console.port(), {"status"}).out.contains("profile: 3\n"));
        QCOMPARE(console.reports().size(), 0);

        setPlugged(true);
        QVERIFY(console.waitForReports(1, 4000)); // scanned every 2 s
        QCOMPARE(console.reports()[0].bytes, selectBytes(3));
        status = ctl(console.port(), {"status"});
        QCOMPARE(status.exitCode, 0);
        QVERIFY(status.out.startsWith("keyboard: connected\nprofile: 3\n"));
    }

    void unplugInTheMiddleOfAnApplyDropsTheRestAndReplugCatchesUp()
    {
        const int start = console.reports().size();
        QVERIFY(console.send("076#FF#80#00")); // five reports, 100 ms apart
        QVERIFY(console.waitForReports(start + 2));
        setPlugged(false);
        QTRY_VERIFY(ctl(console.port(), {"status"}).out.startsWith("keyboard: absent\n"));
        const int cut = console.reports().size() - start;
        QVERIFY2(cut >= 2 && cut < 5, qPrintable(QString::number(cut)));
        QTest::qWait(300);
        QCOMPARE(console.reports().size(), start + cut); // nothing to a stale handle

        setPlugged(true);
        QVERIFY(console.waitForReports(start + cut + 1, 4000));
        QCOMPARE(console.reports().at(start + cut).bytes, selectBytes(3));
        QVERIFY(console.send("076#FF#80#00"));
        QVERIFY(console.waitForReports(start + cut + 6));
        const auto all = console.reports();
        for (int i = 0; i < cut; ++i) // what went out before the unplug was the APPLY's start
            QCOMPARE(all[start + i].bytes, all[start + cut + 1 + i].bytes);
        // Paced as ever: at least 100 ms after each report.
        for (int i = start + cut + 2; i < all.size(); ++i)
            QVERIFY2(all[i].ms - all[i - 1].ms >= 100, qPrintable(QString::number(i)));
    }

    void unplugWhileIdleIsNoticedWithoutASend()
    {
        const int before = console.reports().size();
        setPlugged(false);
        QTRY_VERIFY_WITH_TIMEOUT(
            ctl(console.port(), {"status"}).out.startsWith("keyboard: absent\n"), 6000);
        QCOMPARE(console.reports().size(), before);
    }
};

QTEST_GUILESS_MAIN(HotPlugEndToEnd)
#include "tst_e2e_hotplug.moc"
