// The keyboard's command set: exact report sequences and the pauses they ask
// for, the replay of a saved profile's lighting, and discovery through hidapi
// (against the fake keyboard, preloaded by CTest).

#include "TestSupport.h"
#include "core/device/CommandSender.h"
#include "core/device/DeviceCommands.h"
#include "core/device/HidapiDevice.h"
#include "core/lighting/LightingBuilders.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

static QByteArray keyMapBytes(int profile, const std::array<quint8, 256> &map)
{
    Report r = reportOf({{0, 7}, {1, 3}, {2, profile}});
    std::copy(map.begin(), map.end(), r.begin() + 8);
    return toBytes(r);
}

// A stored set whose report i carries the marker 100 + i in byte 30.
static QStringList storedSet(int type, int count)
{
    QStringList out{QString::number(type)};
    for (int i = 0; i < count; ++i)
        out << QString("0,").repeated(30) + QString::number(100 + i) + QString(",0").repeated(233);
    return out;
}

class CommandSetTest : public QObject
{
    Q_OBJECT

    RecordingDevice device;
    PauseRecorder pauses;
    RecordingQueue queue{device, pauses};
    CommandSender sender{&queue};

private slots:
    void init()
    {
        device.reports.clear();
        pauses.pauses.clear();
    }

    // A key code is found at its place in the factory map and reset to it.
    void keyLookup()
    {
        // F5 at 18, not its Fn copy; a code only in layer 1; one not in the map
        for (const auto &[code, position] : {std::pair{0x3e, 18}, {0xa9, 146}, {0xf0, -1}}) {
            KeyMap map = DEFAULT_KEY_MAP;
            setKeyCode(map, quint8(code), 0x99);
            auto expected = DEFAULT_KEY_MAP;
            if (position >= 0)
                expected[position] = 0x99;
            QCOMPARE(map, expected);
            resetKeyCode(map, quint8(code));
            QCOMPARE(map, DEFAULT_KEY_MAP);
        }
    }

    // A key map write and the factory reset of a profile: the exact reports,
    // 100 ms after each (the select alone: tst_shell).
    void keyMapAndProfileResetSequences()
    {
        KeyMap map = DEFAULT_KEY_MAP;
        map[40] = 0x05; // A sends B
        sender.send(commands::writeKeyMap(4, map));
        sender.send(commands::resetProfileToDefault(2));
        const Report mode =
            reportOf({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {16, 8}, {18, 4}, {19, 8}, {22, 2}});
        Report closing = mode;
        closing[13] = 4;
        QCOMPARE(device.reports, (QVector<QByteArray>{selectBytes(4), keyMapBytes(4, map),
                                                      selectBytes(4), selectBytes(2), toBytes(mode),
                                                      keyMapBytes(2, DEFAULT_KEY_MAP),
                                                      toBytes(closing), selectBytes(2)}));
        QCOMPARE(pauses.pauses, QVector<unsigned>(8, 100));
    }

    // sent < 0: the set is refused and nothing reaches the keyboard (a Wave's
    // replay: tst_keyboardsync).
    void replay_data()
    {
        QTest::addColumn<QStringList>("stored");
        QTest::addColumn<int>("sent");
        QStringList badNumber = storedSet(3, 5);
        badNumber[2].replace(0, 1, "x");
        QTest::newRow("arrow") << storedSet(2, 7) << 5;
        QTest::newRow("ripple") << storedSet(4, 7) << 8;
        QTest::newRow("too few lines") << storedSet(2, 6) << -1;
        QTest::newRow("non-number") << badNumber << -1;
        QTest::newRow("unknown type") << storedSet(7, 5) << -1;
    }
    void replay()
    {
        QFETCH(QStringList, stored);
        QFETCH(int, sent);
        const StoredLighting parsed = parseStoredLighting(stored);
        QCOMPARE(parsed.complete, sent >= 0);
        if (parsed.complete)
            sender.send(lightingOperation(parsed.set, 2));
        QCOMPARE(device.reports.size(), qMax(sent, 0));
        for (const QByteArray &r : device.reports)
            QCOMPARE(int(r[2]), 2); // addressed to the active slot
        if (sent > 0) {
            QCOMPARE(int(quint8(device.reports.first()[30])), 100);
            QCOMPARE(int(quint8(device.reports.last()[30])), 100 + stored.size() - 2);
        }
    }

    void discoveryKeepsTheInterfacesByUsage_data()
    {
        QTest::addColumn<QByteArray>("devices");
        QTest::addColumn<QString>("found"); // the vendor and the consumer interface
        QTest::newRow("keyboard") << QByteArray("keyboard")
                                  << "/dev/fake-hidraw2 /dev/fake-hidraw0";
        QTest::newRow("foreign product only") << QByteArray("foreign") << " ";
        QTest::newRow("two vendor interfaces: the later wins")
            << QByteArray("vendor,consumer,vendor") << "/dev/fake-hidraw2 /dev/fake-hidraw1";
    }
    void discoveryKeepsTheInterfacesByUsage()
    {
        QFETCH(QByteArray, devices);
        QFETCH(QString, found);
        qputenv("ORVANTA_FAKEHID_DEVICES", devices);
        if (devices == "foreign")
            QTest::ignoreMessage(QtInfoMsg, "close usb");
        HidDevice *vendor = nullptr, *consumer = nullptr;
        findKeyboard(vendor, consumer);
        const std::unique_ptr<HidDevice> v(vendor), c(consumer);
        QCOMPARE((v ? v->path() : QString()) + ' ' + (c ? c->path() : QString()), found);
    }
};

QTEST_GUILESS_MAIN(CommandSetTest)
#include "tst_commandset.moc"
