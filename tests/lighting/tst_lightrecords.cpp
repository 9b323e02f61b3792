// What the LIGHTING page keeps on disk and edits in place: effect records with
// their option handlers and light_flag.ini, the per-key slot table, hit testing
// and light_color.ini, the colour code, the colour-stop editor, and the PATTERN
// files: reading, saving, counting, adding and deleting.

#include "LightingTestSupport.h"
#include "core/lighting/ColorCode.h"
#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/lighting/PatternStore.h"
#include "core/storage/IniStore.h"

#include <QSet>

using namespace orvanta;
using namespace orvanta::test;

namespace
{
const QString kProfile = QStringLiteral("PROFILE 2");

QString path(int number)
{
    return IniStore::patternPath(number, kProfile);
}

// Files 1..n, each marked by its own number in VColor so moves can be traced.
void makePatterns(int n)
{
    QDir().mkpath(IniStore::profileDir(kProfile) + "/light");
    for (int i = 1; i <= n; ++i) {
        const QByteArray k = QByteArray::number(i);
        QVERIFY(writeText(path(i), "[Setting]\nRColor=\"" + k +
                                       ",0,0,0,0,0,0,0,0,0,0\"\nVColor=\"" + k + ",0,0\"\n"));
    }
}

QVector<int> numbersOnDisk()
{
    QVector<int> out;
    for (int i = 1; i <= 20; ++i)
        if (QFile::exists(path(i)))
            out << i;
    return out;
}
} // namespace

class LightRecordsTest : public QObject
{
    Q_OBJECT

private slots:
    void pairedChoices()
    {
        // effect, switches before, switch pressed, switches after, whether it changed
        const std::tuple<int, const char *, char, const char *, bool> cases[] = {
            {2, "lr", 'l', "r", true}, // Arrow Flow: left with both on
            {2, "r", 'l', "lr", true}, // Arrow Flow: left with only right on
            {2, "", 'r', "", false},   // Arrow Flow: right with neither on
            {3, "r", 'l', "l", true},  // Wave: left replaces right
            {3, "l", 'l', "l", false}, // Wave: left again
            {0, "c", 'f', "f", true},  // FULL clears CUSTOMIZED
            {1, "f", 'c', "c", true},  // CUSTOMIZED clears FULL
            {4, "n", 'y', "y", true},  // YES clears NO
            {2, "y", 'n', "n", true}}; // NO clears YES
        for (const auto &[effect, before, p, after, changed] : cases) {
            EffectFlag f = flagOf(before);
            const bool got = p == 'l'   ? pressLeft(f, effect)
                             : p == 'r' ? pressRight(f, effect)
                             : p == 'f' ? chooseFull(f)
                             : p == 'c' ? chooseCustomized(f)
                             : p == 'y' ? chooseYes(f)
                                        : chooseNo(f);
            QVERIFY2(got == changed && switchesOf(f) == after, before);
        }
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

    void slotTableKeyGeometryAndBands()
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

        // A band selects the keys wholly inside it, dragged right and down only.
        QCOMPARE(keysInBand({120, 20}, {560, 40}),
                 (QVector<int>{0, 1, 2, 3, 4, 5, 6, 7, 8, 9, 10, 11, 12}));
        QCOMPARE(keysInBand({124, 28}, {160, 60}), QVector<int>{0});
        QVERIFY(keysInBand({560, 20}, {120, 40}).isEmpty()); // leftwards
        QVERIFY(keysInBand({120, 40}, {560, 20}).isEmpty()); // upwards
        QVERIFY(keysInBand({125, 29}, {160, 60}).isEmpty()); // corner on the edge
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

    void colorCodes()
    {
        for (const auto &[text, colour] : {std::pair<QString, Rgb>{"0080ff", {0, 128, 255}},
                                           {"FF8000", {255, 128, 0}},
                                           {"f80", {255, 136, 0}}})
            QCOMPARE(parseColorCode(text), colour);
        for (const char *bad : {"", "12345", "gg0000", "red", "ff112233", "#ff00", "ff 000"})
            QCOMPARE(parseColorCode(bad), (Rgb{0, 0, 0}));
        QCOMPARE(colorCodeText({0, 128, 255}), QStringLiteral("0080ff"));
        QCOMPARE(colorCodeText({300, -4, 17}), QStringLiteral("ff0011")); // clamped
    }

    void addStopFillsLowestFreeSlotUntilEleven()
    {
        StopEditor ed(stopsAt({{2, {1, 2, 3}}}));
        QCOMPARE(ed.addStop(), 1);
        QCOMPARE(ed.addStop(), 3);
        QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 1, 2, 3, 10}));
        QCOMPARE(ed.stops()[3].color, (Rgb{255, 0, 0}));
        QCOMPARE(ed.stops()[2].color, (Rgb{1, 2, 3}));
        for (int i = 4; i <= 9; ++i)
            QCOMPARE(ed.addStop(), i);
        QCOMPARE(ed.addStop(), -1); // eleven stops
        QCOMPARE(ed.presentCount(), 11);
    }

    void deleteOnlyMiddleStops()
    {
        for (int slot : {0, 10, 4}) {
            StopEditor ed(stopsAt({{4, {1, 1, 1}}, {7, {2, 2, 2}}}));
            ed.selectAtX(slotX(slot));
            const bool end = slot != 4;
            QCOMPARE(ed.deleteSelected(), end ? -1 : 4);
            QCOMPARE(presentSlots(ed.stops()),
                     (end ? QVector<int>{0, 4, 7, 10} : QVector<int>{0, 7, 10}));
        }
    }

    void dragStaysStrictlyBetweenNeighbours()
    {
        // A stop at slot 4 between stops at 2 and 6 moves to 5 only.
        for (int target : {2, 4, 5, 6, 8}) {
            StopEditor ed(stopsAt({{2, {}}, {4, {}}, {6, {}}}));
            QCOMPARE(ed.selectAtX(slotX(4)), 4);
            QCOMPARE(ed.dragToX(slotX(target)), target == 5);
            const int at = target == 5 ? 5 : 4;
            QCOMPARE(ed.selectedSlot(), at);
            QCOMPARE(presentSlots(ed.stops()), (QVector<int>{0, 2, at, 6, 10}));
        }
    }

    void savedPatternTextAndReadBack()
    {
        TempWorkDir dir;
        StopSlots stops = stopsAt({{4, {0, 128, 255}}});
        stops[7] = {false, {9, 9, 9}}; // a free slot is stored as 0
        stops[10].color = {10, 20, 30};
        savePattern(5, stops, {7, 8, 9}, kProfile);
        QCOMPARE(readText("./lightfile/PROFILE 2/light/pattern6.ini"),
                 QStringLiteral("[Setting]\n"
                                "BColor=\"0,0,0,0,255,0,0,0,0,0,30\"\n"
                                "GColor=\"0,0,0,0,128,0,0,0,0,0,20\"\n"
                                "RColor=\"255,0,0,0,0,0,0,0,0,0,10\"\n"
                                "VColor=\"7,8,9\"\n"
                                "YValue=\"1,0,0,0,1,0,0,0,0,0,1\"\n"));
        const PatternData p = readPattern(5, kProfile);
        QCOMPARE(presentSlots(p.stops), (QVector<int>{0, 4, 10}));
        QCOMPARE(p.stops[4].color, (Rgb{0, 128, 255}));
        QCOMPARE(p.surface, (Rgb{7, 8, 9}));
    }

    void patternReadBounded()
    {
        // the five stored lists -> slots present, slot 0, slot 3, SURFACE colour
        const std::tuple<QStringList, QVector<int>, Rgb, Rgb, Rgb> cases[] = {
            {{}, {0, 10}, {255, 0, 0}, {0, 0, 0}, {255, 0, 0}}, // missing file
            {{"9,8,7,6", "1", "", "4", "1,0,0,1"}, {0, 3, 10}, {9, 1, 0}, {6, 0, 0}, {4, 0, 0}},
            {{"x,0,0,900", "-5", "0", "a,b,c", "1,1,1,yes,0,0,0,0,0,0,1,1,1"}, // garbage
             {0, 1, 2, 10},
             {255, 0, 0},
             {255, 0, 0},
             {255, 0, 0}}};
        for (const auto &[texts, present, slot0, slot3, surface] : cases) {
            const PatternData p = patternFromTexts(texts);
            QCOMPARE(presentSlots(p.stops), present);
            QCOMPARE((QVector<Rgb>{p.stops[0].color, p.stops[3].color, p.surface}),
                     (QVector<Rgb>{slot0, slot3, surface}));
        }
    }

    void addPatternCreatesDefaultFileUntilSixteen()
    {
        TempWorkDir dir;
        makePatterns(14);
        QCOMPARE(addPattern(kProfile), 14);
        QCOMPARE(readText(path(15)), QStringLiteral("[Setting]\n"
                                                    "BColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "GColor=\"0,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "RColor=\"255,0,0,0,0,0,0,0,0,0,0\"\n"
                                                    "VColor=\"255,0,0\"\n"
                                                    "YValue=\"1,0,0,0,0,0,0,0,0,0,1\"\n"));
        QCOMPARE(addPattern(kProfile), 15);
        QCOMPARE(addPattern(kProfile), -1);
        QCOMPARE(numbersOnDisk().size(), 16);
    }

    void deletePatternRenumbersLaterFilesAndSparesBuiltIns()
    {
        TempWorkDir dir;
        makePatterns(7);
        for (int index : {0, 4, 7}) // built-ins and past the list: nothing moves
            QVERIFY(!deletePattern(index, kProfile));
        for (int i = 1; i <= 7; ++i)
            QCOMPARE(readPattern(i - 1, kProfile).surface, (Rgb{i, 0, 0}));
        const QString seventh = readText(path(7));
        QVERIFY(deletePattern(5, kProfile)); // entry 5 is file number 6
        QCOMPARE(numbersOnDisk(), (QVector<int>{1, 2, 3, 4, 5, 6}));
        QCOMPARE(readText(path(6)), seventh);
        QCOMPARE(readPattern(4, kProfile).surface, (Rgb{5, 0, 0}));
    }
};

QTEST_GUILESS_MAIN(LightRecordsTest)
#include "tst_lightrecords.moc"
