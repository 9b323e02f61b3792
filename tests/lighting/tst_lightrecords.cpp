// Effect records, their option handlers and stored form; the per-key colour
// editor's slot table, hit testing and light_color.ini.

#include "LightingTestSupport.h"
#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/storage/IniStore.h"

#include <QSet>

using namespace orvanta;
using namespace orvanta::test;

class LightRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void pairedChoices_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("pressed");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("changed");
        // clang-format off
        QTest::newRow("arrow left, both") << 2 << "left,right" << "left" << "right" << true;
        QTest::newRow("arrow left, only right") << 2 << "right" << "left" << "left,right" << true;
        QTest::newRow("arrow right, neither") << 2 << "" << "right" << "" << false;
        QTest::newRow("wave left, right") << 3 << "right" << "left" << "left" << true;
        QTest::newRow("wave left, left") << 3 << "left" << "left" << "left" << false;
        QTest::newRow("full clears customized") << 0 << "customized" << "full" << "full" << true;
        QTest::newRow("customized clears full")
            << 1 << "full" << "customized" << "customized" << true;
        QTest::newRow("yes clears no") << 4 << "no" << "yes" << "yes" << true;
        QTest::newRow("no clears yes") << 2 << "yes" << "no" << "no" << true;
        // clang-format on
    }
    void pairedChoices()
    {
        QFETCH(int, effect);
        QFETCH(QString, before);
        QFETCH(QString, pressed);
        QFETCH(QString, after);
        QFETCH(bool, changed);
        EffectFlag f = flagOf(before);
        // clang-format off
        const QMap<QString, std::function<bool()>> handlers{
            {"left", [&] { return pressLeft(f, effect); }},
            {"right", [&] { return pressRight(f, effect); }},
            {"full", [&] { return chooseFull(f); }},
            {"customized", [&] { return chooseCustomized(f); }},
            {"yes", [&] { return chooseYes(f); }},
            {"no", [&] { return chooseNo(f); }}};
        // clang-format on
        QCOMPARE(handlers[pressed](), changed);
        QCOMPARE(flagsText(f), after);
    }

    void flagFileRoundTripAndBadValues()
    {
        TempWorkDir dir;
        for (const EffectFlag &f : readEffectRecords())
            QVERIFY(f == EffectFlag{});
        EffectRecords records;
        records[0].pulse = true;
        records[0].pulseSpeed = records[0].modeSpeed = 2;
        records[2].left = records[2].right = true;
        records[2].comboCount = 7;
        records[3].speediness = 8;
        records[4].no = true;
        writeEffectRecords(records);
        QSettings s("system/light_flag.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups(), (QStringList{"arrow", "fully", "reactive", "ripple", "wave"}));
        QCOMPARE(s.allKeys().size(), 80);
        QCOMPARE(s.value("arrow/left").toString() + s.value("wave/speediness").toString(),
                 QString("18"));
        const EffectRecords back = readEffectRecords();
        for (int e = 0; e < kEffectCount; ++e)
            QVERIFY2(back[e] == records[e], qPrintable(QString::number(e)));

        QVERIFY(writeText("system/light_flag.ini",
                          "[wave]\nfull=true\nspeediness=7\nspeed=x\npulse_speed=9\n"
                          "[fully]\ncustomized=1\nspectrum_speed=-1\ncombo_count=-4\n"));
        const EffectRecords r = readEffectRecords();
        QVERIFY(!r[3].fullFlag);      // only "1" is on
        QCOMPARE(r[3].speediness, 3); // no Wave code
        QCOMPARE(r[3].speed, 16);
        QCOMPARE(r[0].spectrumSpeed + r[0].comboCount, 0);
    }

    void slotTableAndKeyGeometry()
    {
        QSet<int> seen;
        for (int k = 0; k < kKeyLightCount; ++k) {
            const int s = keyToLedSlot[k];
            QVERIFY(s >= 8 && s <= 129);
            seen.insert(s);
            const QRect r = keyWidgetRect(k);
            QVERIFY(inKeyPressArea(r.center()));
            QCOMPARE(keyAtPoint(r.center()), k); // no two key widgets overlap
        }
        QCOMPARE(seen.size(), kKeyLightCount);
        QCOMPARE(keyToLedSlot[0] + keyToLedSlot[26], 8 + 129);
        QCOMPARE(keyWidgetRect(0), QRect(125, 29, 28, 28));
        QCOMPARE(keyAtPoint({100, 10}), -1);
    }

    void bands_data()
    {
        QTest::addColumn<QPoint>("press");
        QTest::addColumn<QPoint>("release");
        QTest::addColumn<QList<int>>("keys");
        QList<int> topRow;
        for (int k = 0; k <= 12; ++k)
            topRow << k;
        QTest::newRow("function row") << QPoint(120, 20) << QPoint(560, 40) << topRow;
        QTest::newRow("leftwards") << QPoint(560, 20) << QPoint(120, 40) << QList<int>{};
        QTest::newRow("upwards") << QPoint(120, 40) << QPoint(560, 20) << QList<int>{};
        QTest::newRow("corner on the edge") << QPoint(125, 29) << QPoint(160, 60) << QList<int>{};
        QTest::newRow("escape") << QPoint(124, 28) << QPoint(160, 60) << QList<int>{0};
    }
    void bands()
    {
        QFETCH(QPoint, press);
        QFETCH(QPoint, release);
        QFETCH(QList<int>, keys);
        const QVector<int> got = keysInBand(press, release);
        QCOMPARE(QList<int>(got.begin(), got.end()), keys);
    }

    void colourFile()
    {
        TempWorkDir dir;
        KeyColorSet fully, reactive;
        fully.keyR[0] = fully.ledR[8] = 255;
        reactive.keyB[103] = 7;
        reactive.ledG[263] = 9;
        writeKeyColorSets(fully, reactive);
        QSettings s("system/light_color.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups(), (QStringList{"fully", "reactive"}));
        const QStringList t = IniStore::readLightColorFile();
        QCOMPARE(t.size(), 12);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(t[i].split(',').size(), i % 6 < 3 ? 104 : 264);
        QVERIFY(t[0].startsWith("255,0,"));
        QVERIFY(t[8].endsWith(",7"));
        const auto back = readKeyColorSets();
        QVERIFY(back[0] == fully);
        QVERIFY(back[1] == reactive);

        QVERIFY(writeText("system/light_color.ini", "[fully]\nre_full_color_rgb_r=\"5,x\"\n"));
        const auto shortSets = readKeyColorSets();
        QCOMPARE(shortSets[0].keyR[0] + shortSets[0].keyR[1] + shortSets[0].keyR[103], 5);
    }
};

QTEST_GUILESS_MAIN(LightRecordsTest)
#include "tst_lightrecords.moc"
