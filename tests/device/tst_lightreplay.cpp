// Replaying a saved profile's stored lighting into an on-board profile.

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/LightCommandReplay.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

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
    // sent < 0: the set is refused and nothing reaches the keyboard.
    void replay_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("sent");
        QStringList badNumber = storedSet(3, 5);
        badNumber[2].replace(0, 1, "x");
        QTest::newRow("arrow") << storedSet(2, 7) << 5;
        QTest::newRow("wave") << storedSet(3, 5) << 3;
        QTest::newRow("ripple") << storedSet(4, 7) << 8;
        QTest::newRow("too few lines") << storedSet(2, 6) << -1;
        QTest::newRow("non-number") << badNumber << -1;
        QTest::newRow("unknown type") << storedSet(7, 5) << -1;
    }
    void replay()
    {
        QFETCH(QStringList, stored);
        QFETCH(int, sent);
        RecordingDevice device;
        CommandSender sender;
        sender.setPauseFunction([](unsigned) {});
        QCOMPARE(replayStoredLighting(sender, &device, parseStoredLighting(stored), 2), sent >= 0);
        QCOMPARE(device.reports.size(), qMax(sent, 0));
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(r[2]), 2); // addressed to the active slot
        if (sent > 0) {
            QCOMPARE(int(quint8(device.reports.first()[30])), 100);
            QCOMPARE(int(quint8(device.reports.last()[30])), 100 + stored.size() - 2);
        }
    }
};

QTEST_GUILESS_MAIN(LightReplayTest)
#include "tst_lightreplay.moc"
