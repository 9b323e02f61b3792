// The lighting core: what APPLY sends and stores, the LIGHTING
// page's model without its widgets, and the records, colours and patterns on disk.

#include "LightingTestSupport.h"
#include "core/device/CommandSender.h"
#include "core/lighting/EffectRecords.h"
#include "core/lighting/KeyColors.h"
#include "core/lighting/LightingBuilders.h"
#include "core/lighting/LightingModel.h"
#include "core/lighting/PatternStore.h"
#include "core/storage/DataPaths.h"
#include "core/storage/StoredList.h"

#include <memory>

using namespace orvanta;
using namespace orvanta::test;

namespace
{
const QString kProfile = QStringLiteral("PROFILE 2");

QString path(int number)
{
    return QStringLiteral("lightfile/PROFILE 2/light/pattern%1.ini").arg(number);
}

// Files 1..n, each marked by its own number in VColor so moves can be traced.
void makePatterns(int n)
{
    QDir().mkpath(DataPaths::profileDir(kProfile) + "/light");
    for (int i = 1; i <= n; ++i) {
        const QByteArray k = QByteArray::number(i);
        QVERIFY(writeText(path(i), "[Setting]\nRColor=\"" + k +
                                       ",0,0,0,0,0,0,0,0,0,0\"\nVColor=\"" + k + ",0,0\"\n"));
    }
}

QStringList patternFiles()
{
    return QDir("lightfile/PROFILE 2/light").entryList(QDir::Files);
}
// The page opens on Static; the EFFECT list switches.
void show(LightingModel &m, int k)
{
    m.leaveEffectFor(k);
    m.enterEffect(k);
    m.loadEffectColours();
}
} // namespace

class LightingTest : public QObject
{
    Q_OBJECT

    std::unique_ptr<TempWorkDir> dir;
    RecordingDevice device;
    PauseRecorder pauses;
    RecordingQueue queue{device, pauses};
    CommandSender sender{&queue};

    LightCommandSet apply(int effect, const LightingState &state, int profile = 3)
    {
        return applyLighting(effect, state, &sender, profile, QStringLiteral("P")).value;
    }

private slots:
    void init()
    {
        dir.reset(new TempWorkDir);
        device.reports.clear();
        pauses.pauses.clear();
    }
    void cleanup() { dir.reset(); }

    // The Static sub-modes and both SPEED sliders, as the opening report carries
    // them: byte 12 (sub-mode), 21 (Static speed), 18 (Wave speed).
    void speedCodes()
    {
        // steps: p(ulse) s(pectrum) t (static), digit = slider position; w = Wave
        const std::pair<const char *, QVector<int>> cases[] = {
            {"p", {0, 6, 0}},   {"p2", {0, 2, 0}},  {"p1", {0, 4, 0}},    {"s", {5, 6, 0}},
            {"s2", {5, 2, 0}},  {"p2s", {5, 6, 0}}, {"p2s1p", {0, 2, 0}}, {"p1s2t", {0, 0, 0}},
            {"s2p", {0, 6, 0}}, {"w0", {3, 0, 16}}, {"w1", {3, 0, 8}},    {"w2", {3, 0, 5}},
            {"w3", {3, 0, 3}},  {"w4", {3, 0, 3}}};
        for (const auto &[steps, bytes] : cases) {
            LightingModel m;
            const bool wave = steps[0] == 'w';
            show(m, wave ? EffectWave : EffectStatic);
            for (const char *c = steps + (wave ? 1 : 0); *c; ++c) {
                if (*c >= '0' && *c <= '9')
                    wave ? m.setWaveSpeed(*c - '0') : m.setStaticSpeed(*c - '0');
                else
                    m.choose(*c == 'p'   ? LightingModel::OptionPulse
                             : *c == 's' ? LightingModel::OptionSpectrum
                                         : LightingModel::OptionStatic);
            }
            device.reports.clear();
            QVERIFY(m.apply(1, kProfile, &sender).ok());
            const QByteArray opening = device.reports.value(0);
            QVERIFY2((QVector<int>{opening[12], opening[21], opening[18]}) == bytes, steps);
        }
    }

    void sequencesPausesAndStoredFile()
    {
        // What the reports mean is the round trip's (tst_roundtrip): here, how many
        // go out, each with 100 ms; Arrow Flow and Ripple store 7 reports, the rest 5.
        for (int effect = 0; effect < kEffectCount; ++effect) {
            device.reports.clear();
            pauses.pauses.clear();
            const int stored = effect == 2 || effect == 4 ? 7 : 5;
            const LightCommandSet set = apply(effect, LightingState{}, 2);
            QCOMPARE(pauses.pauses, QVector<unsigned>(QVector<int>{5, 5, 5, 3, 8}[effect], 100));
            QCOMPARE(set.type, effect);
            QCOMPARE(set.reports.size(), stored);
            // Stored as sent: each report as the sender stamped it, a zone entry as
            // the 22 bytes of its table in the zone table report, then zeros.
            QSettings file("lightfile/P/cmd/light_cmd.ini", QSettings::IniFormat);
            QCOMPARE(file.allKeys().size(), stored + 1);
            QCOMPARE(file.value("Setting/type").toString(), QString::number(effect));
            const QList<QVector<int>> sentAs{{0, 1, 2, 3, 4},
                                             {0, 1, 2, 3, 4},
                                             {0, 1, 2, -76, -98, -120, 4},
                                             {0, -8, -30, -52, 2},
                                             {0, 4, 5, -144, -166, -188, 7}};
            for (int i = 0; i < stored; ++i) {
                const int from = sentAs[effect][i];
                const int table = effect == 2 ? 3 : effect == 3 ? 1 : 6;
                const QByteArray want = from >= 0 ? device.reports[from]
                                                  : device.reports[table].mid(-from, kZoneCount) +
                                                        QByteArray(264 - kZoneCount, 0);
                QByteArray got;
                const QString text =
                    file.value(QString("Setting/%1").arg(i)).toStringList().join(',');
                for (const QString &n : text.split(','))
                    got += char(n.toInt());
                QCOMPARE(hex(got), hex(want));
            }
        }
    }

    void applySendsAndSavesTheShownEffect()
    {
        QVERIFY(writeText("system/light_flag.ini", "[wave]\nright=1\nspeediness=5\n"));
        LightingModel m;
        show(m, EffectWave);
        QVERIFY(m.choose(LightingModel::OptionLeft) && !m.choose(LightingModel::OptionLeft));
        QVERIFY(m.apply(2, kProfile, &sender).ok());
        QCOMPARE(device.reports.size(), 3);
        const QByteArray opening = device.reports.first(); // Wave, left, speed code 5
        QCOMPARE((QList<int>{opening[2], opening[12], opening[17], opening[18]}),
                 (QList<int>{2, 3, 0, 5}));
        QCOMPARE(readStoredLighting(kProfile).set.type, int(EffectWave));
        QVERIFY(readEffectRecords()[EffectWave] == m.flag());
        QVERIFY(readKeyColorSets()[0] == m.staticColors());
    }

    void perKeyColoursGoToTheShownEffect()
    {
        LightingModel m;
        show(m, EffectStatic);
        m.choose(LightingModel::OptionCustomized);
        QVERIFY(m.perKeyEditing());
        m.paintKey(14, {1, 2, 3}); // "1": slot 17
        QCOMPARE(m.leds().ledG[17], 2);
        QCOMPARE(m.staticColors().keyColor(14), (Rgb{1, 2, 3}));
        QVERIFY(!m.fillAllKeys({9, 9, 9})); // only with FULL

        show(m, EffectReactive);
        QCOMPARE(m.leds().ledG[17], 0);
        m.choose(LightingModel::OptionFull);
        QVERIFY(!m.perKeyEditing() && m.fillAllKeys({0, 0, 255}));
        for (int s = 0; s < kLedSlotCount; ++s)
            QCOMPARE(m.reactiveColors().ledB[s] + m.leds().ledB[s], 510);
        QCOMPARE(m.staticColors().keyColor(14), (Rgb{1, 2, 3}));
        show(m, EffectStatic); // the remembered set comes back
        QCOMPARE(m.leds().ledG[17], 2);
    }

    void gradientEffectsTakeOverTheEditedStops()
    {
        makePatterns(6);
        const StopSlots six = stopsAt({{4, {0, 255, 0}}, {7, {0, 0, 255}}});
        QVERIFY(savePattern(5, six, {1, 2, 3}, kProfile).ok());
        LightingModel m;
        show(m, EffectRipple);
        m.setPatternIndex(5);
        m.choosePattern(5, kProfile);
        show(m, EffectWave);
        QCOMPARE(presentSlots(m.stops()), (QVector<int>{0, 4, 7, 10}));
        QCOMPARE(m.stops()[4].color, (Rgb{0, 255, 0}));
        show(m, EffectStatic);
        show(m, EffectArrowFlow); // the zones sent below show its colours
        QCOMPARE(presentSlots(m.stops()), (QVector<int>{0, 4, 7, 10}));
        QCOMPARE(m.surfaceColor(), (Rgb{1, 2, 3}));
        m.choose(LightingModel::OptionCustomized);
        QVERIFY(m.apply(1, kProfile, &sender).ok());
        // Zone 8 (slot 4) of the second table is green, zone 14 (slot 7) blue.
        const QByteArray zones = device.reports.value(3);
        QCOMPARE(hex(zones.mid(76 + 8, 1) + zones.mid(98 + 8, 1) + zones.mid(120 + 14, 1)),
                 QStringLiteral("00ffff"));
    }

    void pairedChoices()
    {
        // effect, switches before, switch pressed, switches after, whether it changed
        // (Wave's left and right: through the model, above)
        const std::tuple<int, const char *, char, const char *, bool> cases[] = {
            {2, "lr", 'l', "r", true}, // Arrow Flow: left with both on
            {2, "r", 'l', "lr", true}, // Arrow Flow: left with only right on
            {2, "", 'r', "", false},   // Arrow Flow: right with neither on
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
            QVERIFY2(got == changed && f == flagOf(after), before);
        }
    }

    void flagFileRoundTrip()
    {
        for (const EffectFlag &f : readEffectRecords())
            QVERIFY(f == EffectFlag{});
        EffectRecords records;
        records[0].pulse = true;
        records[0].pulseSpeed = records[0].modeSpeed = 2;
        records[2].left = records[2].right = true;
        records[2].comboCount = 7;
        records[3].speediness = 8;
        records[4].no = true;
        QVERIFY(writeEffectRecords(records).ok());
        QSettings s("system/light_flag.ini", QSettings::IniFormat);
        QCOMPARE(s.childGroups(), (QStringList{"arrow", "fully", "reactive", "ripple", "wave"}));
        QCOMPARE(s.allKeys().size(), 80);
        QCOMPARE(s.value("arrow/left").toString() + s.value("wave/speediness").toString(),
                 QString("18"));
        const EffectRecords back = readEffectRecords();
        for (int e = 0; e < kEffectCount; ++e)
            QVERIFY2(back[e] == records[e], qPrintable(QString::number(e)));
    }

    void bandSelection()
    {
        // A band selects the keys wholly inside it (Esc's cap: x 134-159, y 34-59),
        // dragged right and down only (the function row: tst_lightpage).
        QCOMPARE(keysInBand({124, 28}, {160, 60}), QVector<int>{0});
        QVERIFY(keysInBand({560, 20}, {120, 40}).isEmpty()); // leftwards
        QVERIFY(keysInBand({120, 40}, {560, 20}).isEmpty()); // upwards
        QVERIFY(keysInBand({134, 34}, {160, 60}).isEmpty()); // corner on the edge
    }

    void colourFile()
    {
        KeyColorSet fully, reactive;
        fully.keyR[0] = fully.ledR[8] = 255;
        reactive.keyB[103] = 7;
        reactive.ledG[263] = 9;
        QVERIFY(writeKeyColorSets(fully, reactive).ok());
        QStringList t;
        for (int g = 0; g < 2; ++g)
            for (const QString &k : keyColorKeys(g))
                t << iniText("system/light_color.ini", (g ? "reactive/" : "fully/") + k);
        for (int i = 0; i < 12; ++i)
            QCOMPARE(t[i].split(',').size(), i % 6 < 3 ? 104 : 264);
        QVERIFY(t[0].startsWith("255,0,"));
        QVERIFY(t[8].endsWith(",7"));
        const auto back = readKeyColorSets();
        QVERIFY(back[0] == fully);
        QVERIFY(back[1] == reactive);
    }

    // Adding fills the lowest free slot up to eleven stops; only middle stops
    // delete; a dragged stop stays strictly between its neighbours.
    void stopEditing()
    {
        StopEditor ed(stopsAt({{2, {1, 2, 3}}}));
        QCOMPARE(ed.addStop(), 1);
        QCOMPARE(ed.addStop(), 3);
        QCOMPARE(ed.stops()[3].color, (Rgb{255, 0, 0}));
        for (int i = 4; i <= 9; ++i)
            QCOMPARE(ed.addStop(), i);
        QCOMPARE(ed.addStop(), -1);
        QCOMPARE(presentSlots(ed.stops()).size(), 11);
        for (int slot : {0, 10, 4}) {
            StopEditor del(stopsAt({{4, {1, 1, 1}}, {7, {2, 2, 2}}}));
            del.selectAtX(slotX(slot));
            QCOMPARE(del.deleteSelected(), slot == 4 ? 4 : -1);
            QCOMPARE(presentSlots(del.stops()),
                     (slot == 4 ? QVector<int>{0, 7, 10} : QVector<int>{0, 4, 7, 10}));
        }
        for (int target : {2, 4, 5, 6, 8}) { // from slot 4 between 2 and 6: to 5 only
            StopEditor drag(stopsAt({{2, {}}, {4, {}}, {6, {}}}));
            QCOMPARE(drag.selectAtX(slotX(4)), 4);
            QCOMPARE(drag.dragToX(slotX(target)), target == 5);
            const int at = target == 5 ? 5 : 4;
            QCOMPARE(drag.selectedSlot(), at);
            QCOMPARE(presentSlots(drag.stops()), (QVector<int>{0, 2, at, 6, 10}));
        }
    }

    void savedPatternText()
    {
        StopSlots stops = stopsAt({{4, {0, 128, 255}}});
        stops[7] = {false, {9, 9, 9}}; // a free slot is stored as 0
        stops[10].color = {10, 20, 30};
        QVERIFY(savePattern(5, stops, {7, 8, 9}, kProfile).ok());
        QCOMPARE(readText("./lightfile/PROFILE 2/light/pattern6.ini"),
                 QStringLiteral("[Setting]\n"
                                "BColor=\"0,0,0,0,255,0,0,0,0,0,30\"\n"
                                "GColor=\"0,0,0,0,128,0,0,0,0,0,20\"\n"
                                "RColor=\"255,0,0,0,0,0,0,0,0,0,10\"\n"
                                "VColor=\"7,8,9\"\n"
                                "YValue=\"1,0,0,0,1,0,0,0,0,0,1\"\n"));
    }

    // Built-in patterns take no edits and stay as they are; adding writes the
    // default file up to sixteen entries; deleting a user entry renumbers the
    // later files.
    void patternEditsAddAndDelete()
    {
        makePatterns(7);
        LightingModel m;
        show(m, EffectArrowFlow);
        m.choose(LightingModel::OptionCustomized);
        m.choosePattern(2, kProfile);
        const QString builtIn = readText(path(3));
        QCOMPARE(m.addStop(), -1);
        m.selectStopAtX(slotX(0));
        QVERIFY(!m.recolourSelectedStop({1, 1, 1}));
        QVERIFY(m.savePatternFile(kProfile).ok());
        QVERIFY(!m.deletePattern(kProfile).value);
        QVERIFY(!deletePattern(7, kProfile).value); // past the list
        QCOMPARE(readText(path(3)), builtIn);
        QCOMPARE(patternFiles().size(), 7);

        m.choosePattern(5, kProfile); // a user pattern takes edits (driven through the page)
        QCOMPARE(m.flag().comboCount, 5);
        QCOMPARE(m.addStop(), 1);
        const QString seventh = readText(path(7));
        QVERIFY(m.deletePattern(kProfile).value); // entry 5 is file number 6
        QCOMPARE(m.flag().comboCount, 4);
        QCOMPARE(patternFiles(), (QStringList{"pattern1.ini", "pattern2.ini", "pattern3.ini",
                                              "pattern4.ini", "pattern5.ini", "pattern6.ini"}));
        QCOMPARE(readText(path(6)), seventh);
        QCOMPARE(readPattern(4, kProfile).surface, (Rgb{5, 0, 0}));

        makePatterns(14);
        QCOMPARE(m.addPattern(kProfile).value, 14);
        QCOMPARE(m.flag().comboCount, 14);
        QCOMPARE(readText(path(15)), QString::fromLatin1(kDefaultPatternFile));
        QCOMPARE(m.addPattern(kProfile).value, 15);
        QCOMPARE(m.addPattern(kProfile).value, -1);
        QCOMPARE(patternFiles().size(), 16);
    }
};

QTEST_GUILESS_MAIN(LightingTest)
#include "tst_lighting.moc"
