// The keyboard's command set: exact report sequences and the pauses they ask for.

#include "TestSupport.h"
#include "device/key_main_sand_cmd.h"

#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace {

QByteArray selectReport(int profile)
{
    return toBytes(reportOf({{0, 7}, {1, 1}, {2, profile}}));
}

QByteArray keyMapBytes(int profile, const std::array<quint8, 256> &map)
{
    Report r = reportOf({{0, 7}, {1, 3}, {2, profile}});
    std::copy(map.begin(), map.end(), r.begin() + 8);
    return toBytes(r);
}

Report filled(quint8 value, int from = 0, int to = 263)
{
    Report r = zeroReport();
    for (int i = from; i <= to; ++i)
        r[i] = value;
    return r;
}

} // namespace

class CommandSetTest : public QObject
{
    Q_OBJECT

private:
    RecordingDevice device;
    PauseRecorder pauses;
    key_main_sand_cmd sender;

    void reset()
    {
        device.reports.clear();
        device.attempts = 0;
        device.refuse = false;
        pauses.pauses.clear();
        sender.setPauseFunction(pauses.function());
        sender.resetKeyMap();
    }

private slots:
    void selectProfileSendsOneReportPerProfile_data()
    {
        QTest::addColumn<int>("profile");
        for (int p = 1; p <= 5; ++p)
            QTest::addRow("profile %d", p) << p;
    }
    void selectProfileSendsOneReportPerProfile()
    {
        QFETCH(int, profile);
        reset();
        void (key_main_sand_cmd::*ops[])(HidDevice *) = {
            &key_main_sand_cmd::selectProfile1, &key_main_sand_cmd::selectProfile2,
            &key_main_sand_cmd::selectProfile3, &key_main_sand_cmd::selectProfile4,
            &key_main_sand_cmd::selectProfile5};
        (sender.*ops[profile - 1])(&device);
        QCOMPARE(device.reports.size(), 1);
        QCOMPARE(device.reports[0].size(), 264);
        QCOMPARE(device.reports[0], selectReport(profile));
        QCOMPARE(pauses.pauses, QVector<unsigned>{100});
    }

    void keyLookupUsesFirstDefaultPosition_data()
    {
        QTest::addColumn<int>("code");
        QTest::addColumn<int>("position");
        QTest::newRow("space, layer 0") << 0x2c << 0;
        QTest::newRow("F5 at 18, not its Fn copy") << 0x3e << 18;
        QTest::newRow("a code only in layer 1") << 0xa9 << 146;
        QTest::newRow("left shift") << 0xe1 << 121;
    }
    void keyLookupUsesFirstDefaultPosition()
    {
        QFETCH(int, code);
        QFETCH(int, position);
        reset();
        sender.setSingleKey(quint8(code), 0x99);
        for (int i = 0; i < 256; ++i)
            QCOMPARE(int(sender.keyMap[i]), i == position ? 0x99 : int(DEFAULT_KEY_MAP[i]));
        sender.resetSingleKey(quint8(code));
        QCOMPARE(sender.keyMap, DEFAULT_KEY_MAP);
        QVERIFY(device.reports.isEmpty());
    }

    void unknownKeyCodeChangesNothing()
    {
        reset();
        sender.setSingleKey(0x3a, 0x04); // F1 becomes A
        const auto before = sender.keyMap;
        sender.setSingleKey(0xf0, 0x05); // not in the factory map
        QCOMPARE(sender.keyMap, before);
        sender.resetSingleKey(0xf0);
        QCOMPARE(sender.keyMap, before);
    }

    void writeKeyMapBracketsTheMapWithSelects()
    {
        reset();
        sender.setSingleKey(0x04, 0x05); // A sends B
        sender.writeKeyMap(&device, 4);
        QCOMPARE(device.reports.size(), 3);
        QCOMPARE(device.reports[0], selectReport(4));
        QCOMPARE(device.reports[1], keyMapBytes(4, sender.keyMap));
        QCOMPARE(int(quint8(device.reports[1][8 + 40])), 0x05);
        QCOMPARE(device.reports[2], selectReport(4));
        QCOMPARE(pauses.pauses, (QVector<unsigned>{100, 100, 100}));
    }

    void resetKeyAndWriteRestoresTheKeyFirst()
    {
        reset();
        sender.setSingleKey(0x04, 0x05);
        sender.setSingleKey(0x3a, 0xb4);
        sender.resetKeyAndWrite(&device, 0x04, 2);
        QCOMPARE(int(sender.keyMap[40]), 0x04);
        QCOMPARE(int(sender.keyMap[22]), 0xb4);
        QCOMPARE(device.reports.size(), 3);
        QCOMPARE(device.reports[1], keyMapBytes(2, sender.keyMap));
    }

    void writeKeyMapAndMacrosSendsPreparedReportsAtLongPace_data()
    {
        QTest::addColumn<int>("count");
        QTest::newRow("no macros") << 0;
        QTest::newRow("two macros") << 2;
        QTest::newRow("count beyond the list is clipped") << 9;
    }
    void writeKeyMapAndMacrosSendsPreparedReportsAtLongPace()
    {
        QFETCH(int, count);
        reset();
        QVector<Report> macros;
        macros.append(reportOf({{0, 7}, {1, 5}, {2, 3}, {3, 40}, {4, 1}, {10, 0x80}}));
        macros.append(reportOf({{0, 7}, {1, 5}, {2, 3}, {3, 16}, {4, 1}, {12, 4}}));
        sender.writeKeyMapAndMacros(&device, macros, 3, count);
        const int sent = qMin(count, macros.size());
        QCOMPARE(device.reports.size(), 3 + sent);
        QCOMPARE(device.reports[0], selectReport(3));
        QCOMPARE(device.reports[1], keyMapBytes(3, sender.keyMap));
        for (int i = 0; i < sent; ++i)
            QCOMPARE(device.reports[2 + i], toBytes(macros[i]));
        QCOMPARE(device.reports.last(), QByteArray(264, '\0'));
        QCOMPARE(pauses.pauses, QVector<unsigned>(3 + sent, 300));
    }

    void resetProfileToDefaultCarriesFactoryMapAndKeepsKeyMap()
    {
        reset();
        sender.setSingleKey(0x04, 0x05);
        const auto before = sender.keyMap;
        sender.resetProfileToDefault(&device, 2);
        QCOMPARE(sender.keyMap, before);
        const Report mode =
            reportOf({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {16, 8}, {18, 4}, {19, 8}, {22, 2}});
        Report closing = mode;
        closing[13] = 4;
        const QVector<QByteArray> expected{selectReport(2), toBytes(mode),
                                           keyMapBytes(2, DEFAULT_KEY_MAP), toBytes(closing),
                                           selectReport(2)};
        QCOMPARE(device.reports, expected);
        QCOMPARE(pauses.pauses, QVector<unsigned>(5, 100));
    }

    void sendAppLightAlwaysAddressesProfileOne()
    {
        reset();
        sender.sendAppLight(&device, 0);
        sender.sendAppLight(&device, 9);
        const Report zero = reportOf({{0, 7}, {1, 2}, {2, 1}, {8, 1}, {16, 8}});
        Report nine = zero;
        nine[13] = 9;
        QCOMPARE(device.reports,
                 (QVector<QByteArray>{toBytes(zero), toBytes(zero), toBytes(nine), toBytes(nine)}));
    }

    void staticAndReactiveSendersStampTheirPages_data()
    {
        QTest::addColumn<bool>("reactive");
        QTest::newRow("static") << false;
        QTest::newRow("reactive") << true;
    }
    void staticAndReactiveSendersStampTheirPages()
    {
        QFETCH(bool, reactive);
        reset();
        Report first = reportOf({{12, 5}, {21, 4}});
        Report closing = reportOf({{12, 5}, {13, 4}, {21, 4}});
        Report r = filled(0x11), g = filled(0x22), b = filled(0x33);
        if (reactive)
            sender.sendLightReactive(&device, first, r, g, b, closing, 3);
        else
            sender.sendLightStatic(&device, first, r, g, b, closing, 3);
        QCOMPARE(device.reports.size(), 5);
        QCOMPARE(device.reports[0], toBytes(reportOf({{0, 7}, {1, 2}, {2, 3}, {8, 3}, {12, 5}, {21, 4}})));
        const Report *pages[] = {&r, &g, &b};
        const quint8 values[] = {0x11, 0x22, 0x33};
        for (int p = 0; p < 3; ++p) {
            Report expected = filled(values[p]);
            expected[0] = 7;
            expected[2] = 3;
            if (reactive) {
                expected[1] = 0x0A;
                expected[3] = 1;
                expected[4] = quint8(p + 1);
            } else {
                expected[1] = 0x09;
                expected[3] = quint8(p + 1);
            }
            QCOMPARE(device.reports[1 + p], toBytes(expected));
            QCOMPARE(*pages[p], expected); // the buffers are left as sent
        }
        QCOMPARE(device.reports[4],
                 toBytes(reportOf({{0, 7}, {1, 2}, {2, 3}, {8, 3}, {12, 5}, {13, 4}, {21, 4}})));
    }

    void arrowSenderBuildsSecondZoneTableAndClosesWithFixedBytes()
    {
        reset();
        Report first = reportOf({{15, 1}, {17, 1}});
        Report surface1 = filled(0x40, 8, 263), surface2 = filled(0x41, 8, 135);
        Report closing = reportOf({{12, 9}, {15, 1}, {16, 7}, {17, 1}, {22, 7}});
        Report red = filled(0), green = filled(0), blue = filled(0);
        for (int z = 0; z < 22; ++z) {
            red[z] = quint8(z);
            green[z] = quint8(100 + z);
            blue[z] = quint8(200 + z);
        }
        red[22] = 0xEE; // beyond the 22 zones: never read
        sender.sendLightArrow(&device, first, surface1, surface2, closing, red, green, blue, 5);
        QCOMPARE(device.reports.size(), 5);
        QCOMPARE(quint8(device.reports[1][1]), quint8(0x0C));
        QCOMPARE(quint8(device.reports[1][3]), quint8(0));
        QCOMPARE(quint8(device.reports[1][4]), quint8(1));
        QCOMPARE(quint8(device.reports[2][4]), quint8(2));
        Report table = reportOf({{0, 7}, {1, 0x0D}, {2, 5}, {74, 1}, {75, 0x15}, {142, 1}, {143, 0x15}});
        for (int z = 0; z < 22; ++z) {
            table[76 + z] = quint8(z);
            table[98 + z] = quint8(100 + z);
            table[120 + z] = quint8(200 + z);
        }
        QCOMPARE(device.reports[3], toBytes(table));
        QCOMPARE(device.reports[4],
                 toBytes(reportOf({{0, 7}, {1, 2}, {2, 5}, {8, 5}, {12, 2}, {13, 4}, {15, 1}, {17, 1}})));
    }

    void waveSenderUsesFirstZoneTableWithoutMarkers()
    {
        reset();
        Report first = reportOf({{10, 1}, {12, 3}}), closing = reportOf({{10, 1}, {12, 3}, {13, 4}});
        Report red = filled(0x10, 0, 21), green = filled(0x20, 0, 21), blue = filled(0x30, 0, 21);
        sender.sendLightWave(&device, first, red, green, blue, closing, 4);
        QCOMPARE(device.reports.size(), 3);
        Report table = reportOf({{0, 7}, {1, 0x0D}, {2, 4}});
        for (int z = 0; z < 22; ++z) {
            table[8 + z] = 0x10;
            table[30 + z] = 0x20;
            table[52 + z] = 0x30;
        }
        QCOMPARE(device.reports[1], toBytes(table));
        QCOMPARE(pauses.pauses, QVector<unsigned>(3, 100));
    }

    void rippleSenderBuildsBankFourAndClearsClosingHeader()
    {
        reset();
        Report first = reportOf({{12, 4}}), z1 = filled(0x05, 8, 263), z2 = filled(0x06, 8, 135);
        Report closing = reportOf({{0, 0x55}, {1, 0x66}, {2, 0x77}, {3, 0x88}, {12, 4}, {13, 4}});
        Report red = filled(0), green = filled(0), blue = filled(0);
        red[20] = 1; red[21] = 2; green[20] = 3; green[21] = 4; blue[20] = 5; blue[21] = 6;
        sender.sendLightRipple(&device, first, z1, z2, red, green, blue, closing, 2);
        QCOMPARE(device.reports.size(), 8);
        for (int i = 0; i < 3; ++i) {
            const Report bank = reportOf({{0, 7}, {1, 0x0A}, {2, 2}, {3, 4}, {4, i + 1},
                                          {28, 1 + 2 * i}, {29, 2 + 2 * i}});
            QCOMPARE(device.reports[1 + i], toBytes(bank));
        }
        QCOMPARE(quint8(device.reports[4][3]), quint8(1));
        QCOMPARE(quint8(device.reports[4][4]), quint8(1));
        QCOMPARE(quint8(device.reports[5][4]), quint8(2));
        const QByteArray table = device.reports[6];
        QCOMPARE(quint8(table[1]), quint8(0x0D));
        QCOMPARE(quint8(table[74]), quint8(1));
        QCOMPARE(quint8(table[75]), quint8(0x15));
        QCOMPARE(quint8(table[144 + 20]), quint8(1));
        QCOMPARE(quint8(table[144 + 22 + 21]), quint8(4));
        QCOMPARE(quint8(table[144 + 44 + 21]), quint8(6));
        QCOMPARE(device.reports[7],
                 toBytes(reportOf({{0, 7}, {1, 2}, {2, 2}, {8, 2}, {12, 4}, {13, 4}})));
    }

    void sendsWithoutKeyboardStillPace()
    {
        reset();
        sender.writeKeyMap(nullptr, 1);
        device.refuse = true;
        sender.selectProfile3(&device);
        QCOMPARE(device.attempts, 1);
        QVERIFY(device.reports.isEmpty());
        QCOMPARE(pauses.pauses, (QVector<unsigned>{100, 100, 100, 100}));
    }
};

QTEST_GUILESS_MAIN(CommandSetTest)
#include "tst_commandset.moc"
