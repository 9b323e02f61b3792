// Key assignment and instant shift without widgets: macro reports, stored
// tables, shift codes.

#include "TestSupport.h"
#include "device/DefaultKeyMap.h"
#include "keyassign/InstantShift.h"
#include "keyassign/KeyAssignment.h"
#include "macro/MacroFile.h"
#include "storage/StoredList.h"

#include <QtTest>
#include <limits>

using namespace orvanta;
using namespace orvanta::test;

class KeyAssignmentTest : public QObject
{
    Q_OBJECT
private slots:
    void macroReportHeaderAndRepeatBytes_data()
    {
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("b8");
        QTest::addColumn<int>("b9");
        QTest::newRow("Once") << 0 << 1 << 0x00 << 0x01;
        QTest::newRow("Multiple Times 7") << 1 << 7 << 0x00 << 0x07;
        QTest::newRow("Multiple Times clipped to 50") << 1 << 99 << 0x00 << 50;
        QTest::newRow("When Perss & Hold") << 2 << 1 << 0xFF << 0xFF;
        QTest::newRow("Until Pressed Next Time") << 3 << 1 << 0x00 << 0x00;
    }
    void macroReportHeaderAndRepeatBytes()
    {
        QFETCH(int, mode);
        QFETCH(int, count);
        QFETCH(int, b8);
        QFETCH(int, b9);
        QStringList image;
        for (int i = 0; i < 264; ++i)
            image << QString::number(i >= 10 && i < 17 ? 0x80 + i : 0);
        const Report r = buildMacroReport(image.join(','), 3, 40, RepeatMode(mode), count);
        Report expected = zeroReport();
        for (int i = 10; i < 17; ++i)
            expected[i] = quint8(0x80 + i);
        expected[0] = 7;
        expected[1] = 5;
        expected[2] = 3;
        expected[3] = 40;
        expected[4] = 1;
        expected[8] = quint8(b8);
        expected[9] = quint8(b9);
        QCOMPARE(r, expected);
    }

    void commandStringsAreBounded()
    {
        const Report r = macro::parseCommandString("1,2,x,300,-1,255");
        QCOMPARE(int(r[0]), 1);
        QCOMPARE(int(r[2]), 0);
        QCOMPARE(int(r[3]), 0); // not a byte
        QCOMPARE(int(r[4]), 0);
        QCOMPARE(int(r[5]), 255);
        QCOMPARE(int(r[263]), 0);
        QCOMPARE(commandString(macro::parseCommandString(commandString(r))), commandString(r));
        QCOMPARE(splitList(commandString(r)).size(), 264);
    }

    void entryOfKeyFindsPositionOrNext()
    {
        QCOMPARE(entryOfKey("40,16,99", 3, 16), 2);
        QCOMPARE(entryOfKey("40,16,99", 3, 7), 4);
        QCOMPARE(entryOfKey("", 0, 7), 1);
        QCOMPARE(entryOfKey("40", 3, 99), 4); // fewer numbers than the count
    }

    // A damaged cmd/macro.ini may hold any count: the lookup must cost no more
    // than the numbers present, and a count at the top of the range must not wrap.
    void entryOfKeyWithHugeCountReadsOnlyNumbersPresent_data()
    {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("entry");
        const int top = std::numeric_limits<int>::max();
        QTest::newRow("found") << "40,16" << top << 16 << 2;
        QTest::newRow("absent") << "40,16" << 2000000000 << 7 << 2000000001;
        QTest::newRow("absent at the top") << "40,16" << top << 7 << top;
        QTest::newRow("empty list") << "" << top << 0 << top;
    }

    void entryOfKeyWithHugeCountReadsOnlyNumbersPresent()
    {
        QFETCH(QString, numbers);
        QFETCH(int, count);
        QFETCH(int, key);
        QFETCH(int, entry);
        QCOMPARE(entryOfKey(numbers, count, key), entry);
    }

    void storedTablesHave108EntriesAndDefaultTypes()
    {
        QStringList table;
        for (int i = 0; i < 324; ++i)
            table << QString();
        table[5] = "1";
        table[108 + 5] = "Macro 1";
        table[216 + 5] = "7";
        table[9] = "2";
        table[108 + 9] = "F5";
        const IniGroupMap m = makeMacroSystemMap(table);
        const QStringList types = splitList(m["macro_file"]["type"]);
        QCOMPARE(types.size(), 108);
        QCOMPARE(types[5], QStringLiteral("1"));
        QCOMPARE(types[0], QStringLiteral("0"));
        QCOMPARE(m["macro_file"]["file"].count(','), 107);
        QCOMPARE(splitList(m["macro_file"]["once"])[5], QStringLiteral("7"));

        std::array<quint8, 256> map = DEFAULT_KEY_MAP;
        map[40] = 0xB4;
        const IniGroupMap s = makeSignalMap(map, table);
        QCOMPARE(s["singal"]["macro_singal"], joinNumbers(map));
        QCOMPARE(s["singal"]["macro_singal_oldkey"], m["macro_file"]["type"]);
        QCOMPARE(s["singal"]["macro_singal_newkey"], m["macro_file"]["file"]);

        // Loading gives the same tables back; signal.ini restores only single keys.
        QStringList loaded;
        loadMacroSystem(loaded, {m["macro_file"]["type"], m["macro_file"]["file"],
                                 m["macro_file"]["once"]});
        QCOMPARE(loaded[5], QStringLiteral("1"));
        QCOMPARE(loaded[108 + 9], QStringLiteral("F5"));
        std::array<quint8, 256> back{};
        QStringList fresh;
        loadSignal(back, fresh, {s["singal"]["macro_singal"], s["singal"]["macro_singal_oldkey"],
                                 s["singal"]["macro_singal_newkey"]});
        QCOMPARE(back, map);
        QCOMPARE(fresh[9], QStringLiteral("2"));
        QCOMPARE(fresh[108 + 9], QStringLiteral("F5"));
        QCOMPARE(fresh[5], QString());
    }

    void damagedSignalFileKeepsFactoryCodes()
    {
        std::array<quint8, 256> map{};
        QStringList table;
        loadSignal(map, table, {"5,x", "2", ""});
        QCOMPARE(int(map[0]), 5);
        QCOMPARE(int(map[1]), int(DEFAULT_KEY_MAP[1]));
        QCOMPARE(int(map[200]), int(DEFAULT_KEY_MAP[200]));
        QCOMPARE(table.size(), 324);
        QCOMPARE(table[0], QStringLiteral("2"));
    }

    void instantShiftCodesAndStoredTargets()
    {
        QCOMPARE(int(profileShiftCode(1)), 185);
        QCOMPARE(int(profileShiftCode(5)), 189);
        QCOMPARE(int(profileShiftCode(0)), 0);
        QCOMPARE(targetOfComboText("PROFILE 3"), 3);
        QCOMPARE(targetOfComboText("PROFILE 9"), 0);
        QCOMPARE(targetOfComboText("garbage"), 0);
        QCOMPARE(shiftLook(0, 3), ShiftLook::Off);
        QCOMPARE(shiftLook(3, 3), ShiftLook::On);
        QCOMPARE(shiftLook(2, 3), ShiftLook::Disabled);
        ShiftTargets t = parseShiftTargets({"3,0,0,0,0", "0,x,7,0", ""});
        QCOMPARE(t[kShift][1], 3);
        QCOMPARE(t[kCtrl][2], 0);
        QCOMPARE(t[kCtrl][3], 0); // 7 is no profile
        QCOMPARE(t[kAlt][5], 0);
        const IniGroupMap m = makeShiftMap(t);
        QCOMPARE(m["iss"]["iss_shift"], QStringLiteral("3,0,0,0,0"));
        QCOMPARE(m["iss"]["iss_ctrl"], QStringLiteral("0,0,0,0,0"));
    }
};

QTEST_GUILESS_MAIN(KeyAssignmentTest)
#include "tst_keyassignment.moc"
