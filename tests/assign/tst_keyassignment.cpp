// Key assignment without widgets: macro reports and the stored key tables.

#include "TestSupport.h"
#include "core/assign/KeyAssignment.h"
#include "core/keys/DefaultKeyMap.h"
#include "core/storage/StoredList.h"

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
        Report expected = reportOf({{0, 7}, {1, 5}, {2, 3}, {3, 40}, {4, 1}, {8, b8}, {9, b9}});
        for (int i = 10; i < 17; ++i)
            expected[i] = quint8(0x80 + i);
        QCOMPARE(buildMacroReport(image.join(','), 3, 40, RepeatMode(mode), count), expected);
    }

    // A damaged cmd/macro.ini may hold any count: a count at the top of the
    // range must not wrap.
    void entryOfKeyFindsPositionOrNext_data()
    {
        QTest::addColumn<QString>("numbers");
        QTest::addColumn<int>("count");
        QTest::addColumn<int>("key");
        QTest::addColumn<int>("entry");
        const int top = std::numeric_limits<int>::max();
        QTest::newRow("found") << "40,16,99" << 3 << 16 << 2;
        QTest::newRow("absent") << "40,16,99" << 3 << 7 << 4;
        QTest::newRow("found, huge count") << "40,16" << top << 16 << 2;
        QTest::newRow("absent at the top") << "40,16" << top << 7 << top;
    }
    void entryOfKeyFindsPositionOrNext()
    {
        QFETCH(QString, numbers);
        QFETCH(int, count);
        QFETCH(int, key);
        QFETCH(int, entry);
        QCOMPARE(entryOfKey(numbers, count, key), entry);
    }

    void storedTablesRoundTrip()
    {
        QStringList table = QVector<QString>(324).toList();
        table[5] = "1";
        table[108 + 5] = "Macro 1";
        table[216 + 5] = "7";
        table[9] = "2";
        table[108 + 9] = "F5";
        const IniGroupMap m = makeMacroSystemMap(table);
        QCOMPARE(m["macro_file"]["type"],
                 QStringLiteral("0,0,0,0,0,1,0,0,0,2") + QStringLiteral(",0").repeated(98));
        std::array<quint8, 256> map = DEFAULT_KEY_MAP;
        map[40] = 0xB4;
        const IniGroupMap s = makeSignalMap(map, table);
        QCOMPARE(s["singal"]["macro_singal"], joinNumbers(map));

        QStringList loaded;
        loadMacroSystem(
            loaded, {m["macro_file"]["type"], m["macro_file"]["file"], m["macro_file"]["once"]});
        QCOMPARE(loaded.mid(0, 10).join(','), QStringLiteral("0,0,0,0,0,1,0,0,0,2"));
        QCOMPARE(loaded[108 + 5] + loaded[216 + 5], QStringLiteral("Macro 17"));
        // signal.ini restores single keys only; damaged numbers keep factory codes.
        std::array<quint8, 256> back{};
        QStringList fresh;
        loadSignal(back, fresh,
                   {s["singal"]["macro_singal"], s["singal"]["macro_singal_oldkey"],
                    s["singal"]["macro_singal_newkey"]});
        QCOMPARE(back, map);
        QCOMPARE(fresh[108 + 9], QStringLiteral("F5"));
        QCOMPARE(fresh[5], QString());
        loadSignal(back, fresh, {"5,x", "2", ""});
        QCOMPARE((QVector<int>{back[0], back[40]}), (QVector<int>{5, DEFAULT_KEY_MAP[40]}));
        QCOMPARE(fresh.size(), 324);
    }
};

QTEST_GUILESS_MAIN(KeyAssignmentTest)
#include "tst_keyassignment.moc"
