// Effect records, their option handlers and stored form; the per-key colour
// editor's slot table, hit testing, painting and light_color.ini.

#include "TestSupport.h"
#include "lighting/EffectRecords.h"
#include "lighting/KeyColors.h"
#include "storage/readini.h"

#include <QSet>
#include <QtTest>

using namespace orvanta;
using namespace orvanta::test;

namespace
{

EffectFlag withFlags(const QString &on)
{
    EffectFlag f;
    const QStringList o = on.split(',', Qt::SkipEmptyParts);
    f.left = o.contains("left");
    f.right = o.contains("right");
    f.full_flag = o.contains("full");
    f.customized = o.contains("customized");
    f.yes = o.contains("yes");
    f.no = o.contains("no");
    return f;
}

QString flagsOf(const EffectFlag &f)
{
    QStringList out;
    if (f.left)
        out << "left";
    if (f.right)
        out << "right";
    if (f.full_flag)
        out << "full";
    if (f.customized)
        out << "customized";
    if (f.yes)
        out << "yes";
    if (f.no)
        out << "no";
    return out.join(',');
}

} // namespace

class LightRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void pairedChoices_data()
    {
        QTest::addColumn<int>("effect");
        QTest::addColumn<QString>("before");
        QTest::addColumn<QString>("press");
        QTest::addColumn<QString>("after");
        QTest::addColumn<bool>("changed");
        QTest::newRow("arrow left while only left") << 2 << "left"
                                                    << "left"
                                                    << "left" << false;
        QTest::newRow("arrow left while both") << 2 << "left,right"
                                               << "left"
                                               << "right" << true;
        QTest::newRow("arrow left while only right") << 2 << "right"
                                                     << "left"
                                                     << "left,right" << true;
        QTest::newRow("arrow right while only right") << 2 << "right"
                                                      << "right"
                                                      << "right" << false;
        QTest::newRow("arrow right while neither") << 2 << ""
                                                   << "right"
                                                   << "" << false;
        QTest::newRow("wave left while right") << 3 << "right"
                                               << "left"
                                               << "left" << true;
        QTest::newRow("wave left while left") << 3 << "left"
                                              << "left"
                                              << "left" << false;
        QTest::newRow("wave right while left") << 3 << "left"
                                               << "right"
                                               << "right" << true;
        QTest::newRow("full clears customized") << 0 << "customized"
                                                << "full"
                                                << "full" << true;
        QTest::newRow("full again") << 0 << "full"
                                    << "full"
                                    << "full" << false;
        QTest::newRow("customized clears full") << 1 << "full"
                                                << "customized"
                                                << "customized" << true;
        QTest::newRow("yes clears no") << 4 << "no"
                                       << "yes"
                                       << "yes" << true;
        QTest::newRow("no clears yes") << 2 << "yes"
                                       << "no"
                                       << "no" << true;
        QTest::newRow("no again") << 2 << "no"
                                  << "no"
                                  << "no" << false;
    }
    void pairedChoices()
    {
        QFETCH(int, effect);
        QFETCH(QString, before);
        QFETCH(QString, press);
        QFETCH(QString, after);
        QFETCH(bool, changed);
        EffectFlag f = withFlags(before);
        bool result = false;
        if (press == "left")
            result = pressLeft(f, effect);
        else if (press == "right")
            result = pressRight(f, effect);
        else if (press == "full")
            result = chooseFull(f);
        else if (press == "customized")
            result = chooseCustomized(f);
        else if (press == "yes")
            result = chooseYes(f);
        else if (press == "no")
            result = chooseNo(f);
        QCOMPARE(flagsOf(f), after);
        QCOMPARE(result, changed);
    }

    void staticSubModes_data()
    {
        QTest::addColumn<QString>("choice");
        QTest::addColumn<int>("slider");
        QTest::addColumn<int>("mode");
        QTest::addColumn<int>("modeSpeed");
        QTest::addColumn<int>("pulseSpeed");
        QTest::addColumn<int>("spectrumSpeed");
        QTest::newRow("static") << "static" << -1 << 0 << 0 << 1 << 2;
        QTest::newRow("pulse remembered") << "pulse" << -1 << 0 << 4 << 1 << 2;
        QTest::newRow("pulse fast") << "pulse" << 2 << 0 << 2 << 2 << 2;
        QTest::newRow("spectrum remembered") << "spectrum" << -1 << 5 << 2 << 1 << 2;
        QTest::newRow("spectrum slow") << "spectrum" << 0 << 5 << 6 << 1 << 0;
        QTest::newRow("slider past fast") << "pulse" << 3 << 0 << 4 << 1 << 2;
    }
    void staticSubModes()
    {
        QFETCH(QString, choice);
        QFETCH(int, slider);
        QFETCH(int, mode);
        QFETCH(int, modeSpeed);
        QFETCH(int, pulseSpeed);
        QFETCH(int, spectrumSpeed);
        EffectFlag f;
        f.pulse_speed = 1;
        f.spectrum_speed = 2;
        f.mode = 9;
        f.mode_speed = 9;
        if (choice == "static")
            QVERIFY(chooseStatic(f));
        else if (choice == "pulse")
            QVERIFY(choosePulse(f));
        else
            QVERIFY(chooseSpectrum(f));
        QCOMPARE(int(f.static_flag) + int(f.pulse) + int(f.spectrum), 1);
        if (slider >= 0)
            QCOMPARE(setStaticSpeed(f, slider), slider <= 2);
        QCOMPARE(f.mode, mode);
        QCOMPARE(f.mode_speed, modeSpeed);
        QCOMPARE(f.pulse_speed, pulseSpeed);
        QCOMPARE(f.spectrum_speed, spectrumSpeed);
    }

    void waveSpeed()
    {
        const int codes[4] = {16, 8, 5, 3};
        EffectFlag f;
        for (int p = 0; p < 4; ++p) {
            QVERIFY(setWaveSpeed(f, p));
            QCOMPARE(f.speediness, codes[p]);
            QCOMPARE(speedinessPosition(codes[p]), p);
        }
        QVERIFY(!setWaveSpeed(f, 4));
        QVERIFY(!setWaveSpeed(f, -1));
        QCOMPARE(f.speediness, 3);
    }

    void flagFileRoundTrip()
    {
        TempWorkDir dir;
        EffectRecords records;
        records[0].pulse = true;
        records[0].pulse_speed = 2;
        records[0].mode_speed = 2;
        records[2].left = records[2].right = true;
        records[2].combo_count = 7;
        records[3].speediness = 8;
        records[4].no = true;
        writeEffectRecords(records);
        QSettings s("system/light_flag.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups(), (QStringList{"arrow", "fully", "reactive", "ripple", "wave"}));
        QCOMPARE(s.allKeys().size(), 80);
        QCOMPARE(s.value("arrow/left").toString(), QString("1"));
        QCOMPARE(s.value("wave/speediness").toString(), QString("8"));
        QCOMPARE(s.value("ripple/yes").toString(), QString("0"));
        QCOMPARE(s.value("fully/speed").toString(), QString("16"));
        const EffectRecords back = readEffectRecords();
        for (int e = 0; e < kEffectCount; ++e)
            QVERIFY2(back[e] == records[e], qPrintable(QString::number(e)));
    }

    void flagFileDefaultsAndBadValues()
    {
        TempWorkDir dir;
        const EffectRecords missing = readEffectRecords();
        for (const EffectFlag &f : missing)
            QVERIFY(f == EffectFlag{});
        QVERIFY(writeText("system/light_flag.ini",
                          "[wave]\nfull=true\nspeediness=7\nspeed=x\npulse_speed=9\n"
                          "[fully]\ncustomized=1\nspectrum_speed=-1\ncombo_count=-4\n"));
        const EffectRecords r = readEffectRecords();
        QVERIFY(!r[3].full_flag);     // only "1" is on
        QCOMPARE(r[3].speediness, 3); // no Wave code
        QCOMPARE(r[3].speed, 16);
        QCOMPARE(r[3].pulse_speed, 0);
        QVERIFY(r[0].customized);
        QCOMPARE(r[0].spectrum_speed, 0);
        QCOMPARE(r[0].combo_count, 0);
    }

    void slotTable()
    {
        QSet<int> seen;
        for (int k = 0; k < kKeyLightCount; ++k) {
            const int s = key_to_led_slot[k];
            QVERIFY(s >= 8 && s <= 129);
            seen.insert(s);
        }
        QCOMPARE(seen.size(), kKeyLightCount);
        QCOMPARE(key_to_led_slot[0], 8);
        QCOMPARE(key_to_led_slot[26], 129);
        QCOMPARE(key_to_led_slot[103], 94);
    }

    void keyGeometry()
    {
        QCOMPARE(keyWidgetRect(0), QRect(125, 29, 28, 28));
        for (int k = 0; k < kKeyLightCount; ++k) {
            const QRect r = keyWidgetRect(k);
            QVERIFY(inKeyPressArea(r.center()));
            QCOMPARE(keyAtPoint(r.center()), k); // no two key widgets overlap
        }
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

    void paintingKeys()
    {
        LedPlanes working;
        KeyColorSet remembered;
        paintKey(14, {1, 2, 3}, working, &remembered); // "1": slot 17
        QCOMPARE((QList<int>{working.led_r[17], working.led_g[17], working.led_b[17]}),
                 (QList<int>{1, 2, 3}));
        QCOMPARE(remembered.keyColor(14), (Rgb{1, 2, 3}));
        QCOMPARE(remembered.led_b[17], 3);
        int lit = 0;
        for (int s = 0; s < kLedSlotCount; ++s)
            lit += working.led_r[s] != 0;
        QCOMPARE(lit, 1);

        fillAll({0, 0, 255}, working, &remembered);
        for (int s = 0; s < kLedSlotCount; ++s) {
            QCOMPARE(working.led_r[s], 0);
            QCOMPARE(working.led_b[s], 255);
            QCOMPARE(remembered.led_b[s], 255);
        }
        for (int k = 0; k < kKeyLightCount; ++k)
            QCOMPARE(remembered.keyColor(k), (Rgb{0, 0, 255}));

        KeyColorSet untouched = remembered;
        paintKey(200, {9, 9, 9}, working, &remembered);
        QVERIFY(remembered == untouched);
    }

    void colourFile()
    {
        TempWorkDir dir;
        KeyColorSet fully, reactive;
        fully.key_r[0] = 255;
        fully.led_r[8] = 255;
        reactive.key_b[103] = 7;
        reactive.led_g[263] = 9;
        writeKeyColorSets(fully, reactive);
        QSettings s("system/light_color.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups(), (QStringList{"fully", "reactive"}));
        const QStringList t = readini::readini_light_system_color_file();
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
        QCOMPARE(shortSets[0].key_r[0], 5);
        QCOMPARE(shortSets[0].key_r[1], 0);
        QCOMPARE(shortSets[0].key_r[103], 0);
    }
};

QTEST_GUILESS_MAIN(LightRecordsTest)
#include "tst_lightrecords.moc"
