// Replaying a saved profile's stored lighting into an on-board profile.

#include "TestSupport.h"
#include "device/LightCommandReplay.h"
#include "device/key_main_sand_cmd.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

// A stored set whose report i carries the marker 100 + i in byte 30.
QStringList storedSet(int type, int count)
{
    QStringList out{QString::number(type)};
    for (int i = 0; i < count; ++i) {
        QStringList bytes;
        for (int b = 0; b < 264; ++b)
            bytes << QString::number(b == 30 ? 100 + i : 0);
        out << bytes.join(',');
    }
    return out;
}

} // namespace

class LightReplayTest : public QObject
{
    Q_OBJECT
private slots:
    void replaysEachTypeWithItsSender_data()
    {
        QTest::addColumn<int>("type");
        QTest::addColumn<int>("stored");
        QTest::addColumn<int>("sent");
        QTest::newRow("static") << 0 << 5 << 5;
        QTest::newRow("reactive") << 1 << 5 << 5;
        QTest::newRow("arrow") << 2 << 7 << 5;
        QTest::newRow("wave") << 3 << 5 << 3;
        QTest::newRow("ripple") << 4 << 7 << 8;
    }
    void replaysEachTypeWithItsSender()
    {
        QFETCH(int, type);
        QFETCH(int, stored);
        QFETCH(int, sent);
        RecordingDevice device;
        PauseRecorder pauses;
        key_main_sand_cmd sender;
        sender.setPauseFunction(pauses.function());
        QVERIFY(replayStoredLighting(sender, &device, change_light_cmd_to_char(storedSet(type, stored)), 2));
        QCOMPARE(device.reports.size(), sent);
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(r[2]), 2); // addressed to the active slot
        QCOMPARE(int(quint8(device.reports.first()[30])), 100);
        QCOMPARE(int(quint8(device.reports.last()[30])), 100 + stored - 1);
        if (type == 2) {
            // The arrow set is handed over as 0, 1, 2, 6, 3, 4, 5: the zone arrays
            // 3..5 land in the second zone table, report 6 closes.
            QCOMPARE(int(quint8(device.reports[1][30])), 101);
            QCOMPARE(int(quint8(device.reports[2][30])), 102);
            QCOMPARE(int(quint8(device.reports[4][12])), 2);
        }
    }

    void incompleteOrUnknownSetsSendNothing_data()
    {
        QTest::addColumn<QStringList>("stored");
        QStringList shortLine = storedSet(0, 5);
        shortLine[3] = "1,2,3";
        QStringList badNumber = storedSet(3, 5);
        badNumber[2].replace(0, 1, "x");
        QTest::newRow("missing file") << QStringList{"", "", "", "", "", ""};
        QTest::newRow("too few lines") << storedSet(2, 6);
        QTest::newRow("short line") << shortLine;
        QTest::newRow("non-number") << badNumber;
        QTest::newRow("unknown type") << storedSet(7, 5);
        QTest::newRow("nothing") << QStringList{};
    }
    void incompleteOrUnknownSetsSendNothing()
    {
        QFETCH(QStringList, stored);
        RecordingDevice device;
        key_main_sand_cmd sender;
        sender.setPauseFunction([](unsigned) {});
        QVERIFY(!replayStoredLighting(sender, &device, change_light_cmd_to_char(stored), 1));
        QVERIFY(device.reports.isEmpty());
    }

    void storedNumbersKeepTheirLowByte()
    {
        QStringList set = storedSet(0, 5);
        QStringList first = set[1].split(',');
        first[40] = "511";
        set[1] = first.join(',');
        const StoredLighting l = change_light_cmd_to_char(set);
        QVERIFY(l.complete);
        QCOMPARE(int(l.buffers[0][40]), 0xFF);
    }
};

QTEST_GUILESS_MAIN(LightReplayTest)
#include "tst_lightreplay.moc"
